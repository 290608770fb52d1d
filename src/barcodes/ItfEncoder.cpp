#include "barcodes/ItfEncoder.h"

#include "barcodes/DigitText.h"
#include "barcodes/EanEncoder.h"

namespace bw {

namespace {

constexpr std::size_t startElements = 4; // narrow bar, space, bar, space
constexpr std::size_t digitElements = 5;

} // namespace

std::string ItfEncoder::sampleText(CodeTypes type, bool checkIncluded) {
    std::string sample = type == CodeTypes::ctEAN13 ? "123123123123" : "1231234";
    if (checkIncluded) {
        // The leading zero an odd count gets does not change the check digit.
        sample += static_cast<char>('0' + digittext::gs1CheckDigit(sample));
    }
    return sample;
}

ItfEncoding ItfEncoder::GetITFCode(std::string_view text, bool checkIncluded) const {
    ItfEncoding out;
    if (auto fault = digittext::checkDigits(text)) {
        out.status = fault->kind == digittext::Fault::ZeroValue ? ItfStatus::ZeroValue
                                                                : ItfStatus::NotADigit;
        out.message = std::move(fault->message);
        out.emptiesText = true;
        return out;
    }
    if (text.size() > maxDigits) {
        out.status = ItfStatus::TooLong;
        out.message = "Invalid length " + std::to_string(text.size()) + ", expecting at most " +
                      std::to_string(maxDigits) + " digits";
        return out;
    }

    std::string code(text);
    if (!checkIncluded) code += '0'; // place of the check digit
    if (code.size() % 2 != 0) code.insert(code.begin(), '0');
    const std::size_t n = code.size();
    const int check = digittext::gs1CheckDigit(std::string_view(code).substr(0, n - 1));
    if (checkIncluded && code[n - 1] - '0' != check) {
        out.status = ItfStatus::WrongCheckDigit;
        out.message = "Invalid check digit '" + std::string(1, code[n - 1]) + "', expecting '" +
                      std::string(1, static_cast<char>('0' + check)) + "'";
        return out;
    }
    code[n - 1] = static_cast<char>('0' + check);

    // Pairs interleave: the first digit of a pair in the bars, the second in the spaces.
    std::vector<std::uint8_t>& flags = out.widthFlags;
    flags.assign(digitElements * n + 7, 0);
    flags[digitElements * n + startElements] = 1; // stop: wide bar, narrow space, narrow bar
    for (std::size_t p = 0; p < n / 2; ++p) {
        const std::size_t a = digitElements * static_cast<std::size_t>(code[2 * p] - '0');
        const std::size_t b = digitElements * static_cast<std::size_t>(code[2 * p + 1] - '0');
        for (std::size_t j = 0; j < digitElements; ++j) {
            const std::size_t at = startElements + 2 * digitElements * p + 2 * j;
            flags[at] = tables_.itftables[a + j] != 0 ? 1 : 0;
            flags[at + 1] = tables_.itftables[b + j] != 0 ? 1 : 0;
        }
    }
    out.readableText = EanEncoder::SpaceOut(code);
    out.code = std::move(code);
    return out;
}

} // namespace bw
