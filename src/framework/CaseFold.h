#pragma once
// Names of keys, members, classes and registry paths compare without regard to letter case.
// Only ASCII letters fold: every name the system uses is ASCII.

#include <algorithm>
#include <string>
#include <string_view>

namespace bw {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

constexpr bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

inline std::string asciiLowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

} // namespace bw
