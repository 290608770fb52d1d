#include "barcodes/DigitText.h"

#include "framework/NumberText.h"
#include "framework/Utf8.h"

namespace bw::digittext {

namespace {

constexpr std::size_t quoteLimit = 40; // code points of the user's text shown in a message

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<Fault> checkDigits(std::string_view text) {
    if (leadingNumber(text) == 0) {
        std::string message = text.empty() ? "Empty text, expecting digits"
                                           : "Text " + quoted(text) +
                                                 " reads as the number 0, expecting a number "
                                                 "other than 0";
        return Fault{Fault::ZeroValue, std::move(message)};
    }
    std::size_t position = 1; // in characters, as the user counts them
    for (std::size_t pos = 0; pos < text.size(); ++position) {
        const std::size_t start = pos;
        utf8::next(text, pos);
        if (!isDigit(text[start]))
            return Fault{Fault::NotADigit,
                         "Invalid character " + quoted(text.substr(start, pos - start)) +
                             " at position " + std::to_string(position) + ", expecting a digit"};
    }
    return std::nullopt;
}

int gs1CheckDigit(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += weight * (*it - '0');
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

// Re-encoded, so a damaged byte shows as U+FFFD and the message stays valid UTF-8.
std::string quoted(std::string_view text) {
    std::string out = "'";
    std::size_t pos = 0;
    for (std::size_t n = 0; n < quoteLimit && pos < text.size(); ++n)
        utf8::append(out, utf8::next(text, pos));
    if (pos < text.size()) out += "...";
    return out + "'";
}

} // namespace bw::digittext
