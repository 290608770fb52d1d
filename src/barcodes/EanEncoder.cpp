#include "barcodes/EanEncoder.h"

#include "barcodes/DigitText.h"
#include "framework/Utf8.h"

#include <array>
#include <span>

namespace bw {

namespace {

constexpr std::size_t setC = 140; // ETABLES offset of the right-half number set
constexpr std::size_t charModules = 7;

std::string digitText(int digit) {
    return std::string(1, static_cast<char>('0' + digit));
}

std::string wrongCheckDigit(char found, int expected) {
    return "Invalid check digit '" + std::string(1, found) + "', expecting '" +
           digitText(expected) + "'";
}

// Copies `count` table bytes as modules from `at`, 1 for a bar whatever nonzero the table holds.
void put(std::vector<std::uint8_t>& modules, std::size_t at, std::span<const std::uint8_t> from,
         std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) modules[at + i] = from[i] != 0 ? 1 : 0;
}

} // namespace

std::string EanEncoder::SpaceOut(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t start = pos;
        utf8::next(s, pos);
        out.append(s.substr(start, pos - start));
        out += ' ';
    }
    return out;
}

std::string_view EanEncoder::sampleText(CodeTypes type) {
    switch (type) {
    case CodeTypes::ctEAN13:
        return "123123123123";
    // The 13-digit form of a UPC-A number less its check digit: it must start with 0.
    case CodeTypes::ctUPCA:
        return "012312312312";
    default:
        return "1231234";
    }
}

EanEncoding EanEncoder::GetEanCode(std::string_view text, CodeTypes type) const {
    EanEncoding out;
    if (auto fault = digittext::checkDigits(text)) {
        out.status = fault->kind == digittext::Fault::ZeroValue ? EanStatus::ZeroValue
                                                                : EanStatus::NotADigit;
        out.message = std::move(fault->message);
        out.emptiesText = true;
        return out;
    }
    // From here on every character is one ASCII digit.
    const auto digit = [&](std::size_t i) { return text[i] - '0'; };

    switch (type) {
    case CodeTypes::ctEAN13:
    case CodeTypes::ctUPCA: {
        if (text.size() != 12 && text.size() != 13) {
            out.status = EanStatus::WrongLength;
            out.message =
                "Invalid length " + std::to_string(text.size()) + ", expecting 12 or 13 digits";
            out.emptiesText = true;
            return out;
        }
        // Any other first digit would make an EAN-13 symbol whose readable UPC-A digits leave
        // that digit out.
        if (type == CodeTypes::ctUPCA && text[0] != '0') {
            out.status = EanStatus::UpcaNotLeadingZero;
            out.message =
                "Invalid first digit '" + std::string(1, text[0]) + "' for UPC-A, expecting '0'";
            return out;
        }
        const int check = digittext::gs1CheckDigit(text.substr(0, 12));
        if (text.size() == 13 && digit(12) != check) {
            out.status = EanStatus::WrongCheckDigit;
            out.message = wrongCheckDigit(text[12], check);
        }
        out.code = std::string(text.substr(0, 12)) + digitText(check);
        int d[12];
        for (std::size_t j = 0; j < 12; ++j) d[j] = out.code[j + 1] - '0';
        const std::string_view code = out.code;
        if (type == CodeTypes::ctUPCA) {
            out.leadDigit = code.substr(1, 1);
            out.leftDigits = SpaceOut(code.substr(2, 5));
            out.rightDigits = SpaceOut(code.substr(7, 5));
            out.trailDigit = code.substr(12, 1);
        } else {
            out.leadDigit = code.substr(0, 1);
            out.leftDigits = SpaceOut(code.substr(1, 6));
            out.rightDigits = SpaceOut(code.substr(7, 6));
            out.trailDigit = " ";
        }
        fillEan13(out, digit(0), d);
        return out;
    }
    case CodeTypes::ctEAN8: {
        if (text.size() != 7 && text.size() != 8) {
            out.status = EanStatus::WrongLength;
            out.message =
                "Invalid length " + std::to_string(text.size()) + ", expecting 7 or 8 digits";
            return out;
        }
        const int check = digittext::gs1CheckDigit(text.substr(0, 7));
        if (text.size() == 8 && digit(7) != check) {
            out.status = EanStatus::WrongCheckDigit;
            out.message = wrongCheckDigit(text[7], check);
            return out;
        }
        out.code = std::string(text.substr(0, 7)) + digitText(check);
        int d[8];
        for (std::size_t j = 0; j < 8; ++j) d[j] = out.code[j] - '0';
        const std::string_view code = out.code;
        out.leftDigits = SpaceOut(code.substr(0, 4));
        out.rightDigits = SpaceOut(code.substr(4, 4));
        fillEan8(out, d);
        return out;
    }
    default:
        out.status = EanStatus::CodeTypeNotServed;
        out.message = "Invalid code type " + std::to_string(static_cast<int>(type)) +
                      ", expecting 0 (EAN-13), 1 (EAN-8) or 5 (UPC-A)";
        return out;
    }
}

// d: the twelve digits after the leading one, check digit last.
void EanEncoder::fillEan13(EanEncoding& out, int lead, const int (&d)[12]) const {
    std::vector<std::uint8_t>& m = out.modules;
    m.assign(95, 0);
    const std::span<const std::uint8_t> sets = tables_.etables;
    put(m, 0, tables_.eeguard, 3);
    put(m, 45, tables_.ecguard, 5);
    put(m, 92, tables_.eeguard, 3);
    for (std::size_t j = 0; j < 6; ++j) {
        const std::size_t base = tables_.etabs[6 * static_cast<std::size_t>(lead) + j] +
                                 charModules * static_cast<std::size_t>(d[j]);
        put(m, 3 + charModules * j, sets.subspan(base), charModules);
    }
    for (std::size_t j = 6; j < 12; ++j) {
        const std::size_t base = setC + charModules * static_cast<std::size_t>(d[j]);
        put(m, 50 + charModules * (j - 6), sets.subspan(base), charModules);
    }
}

// d: all eight digits, check digit last; the left half is always in set A.
void EanEncoder::fillEan8(EanEncoding& out, const int (&d)[8]) const {
    std::vector<std::uint8_t>& m = out.modules;
    m.assign(67, 0);
    const std::span<const std::uint8_t> sets = tables_.etables;
    put(m, 0, tables_.eeguard, 3);
    put(m, 31, tables_.ecguard, 5);
    put(m, 64, tables_.eeguard, 3);
    for (std::size_t j = 0; j < 4; ++j)
        put(m, 3 + charModules * j, sets.subspan(charModules * static_cast<std::size_t>(d[j])),
            charModules);
    for (std::size_t j = 4; j < 8; ++j) {
        const std::size_t base = setC + charModules * static_cast<std::size_t>(d[j]);
        put(m, 36 + charModules * (j - 4), sets.subspan(base), charModules);
    }
}

} // namespace bw
