#pragma once
// What the numeric barcode encoders share: the checks every digit text goes through first, the
// GS1 modulo-10 check digit, and quoting the user's text in a status message.

#include <optional>
#include <string>
#include <string_view>

namespace bw::digittext {

// The first failing check of a digit text, in the order the encoders make them.
struct Fault {
    enum Kind { ZeroValue, NotADigit } kind;
    std::string message;
};

// A text that reads as the number 0 the lenient way (empty, zeros, leading letter), else the
// first character that is not a decimal digit, else nothing.
std::optional<Fault> checkDigits(std::string_view text);

// The GS1 modulo-10 check digit of `digits` (all '0'-'9'): weight 3 on the last digit, then 1,
// 3, ... towards the first.
int gs1CheckDigit(std::string_view digits);

// `text` in quotes for a message, shortened past 40 characters.
std::string quoted(std::string_view text);

} // namespace bw::digittext
