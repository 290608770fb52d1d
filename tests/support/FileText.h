#pragma once
// The bytes of a file as a string ("" when it cannot be read), for comparing written files.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace bw::test {

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace bw::test
