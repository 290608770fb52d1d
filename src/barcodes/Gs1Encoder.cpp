// Choosing the symbology and building the symbol values, the check character and the modules.
// The AI text rules are in Gs1EncoderAiText.cpp.

#include "barcodes/Gs1Encoder.h"

#include "framework/Utf8.h"

#include <cstdio>
#include <utility>

namespace bw {

namespace {

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Set B carries Windows-1252 codes 32 to 127, which are the ASCII ones.
bool inSetB(char32_t c) {
    return c >= 0x20 && c <= 0x7F;
}

std::size_t leadingDigits(std::u32string_view text) {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n])) ++n;
    return n;
}

std::uint8_t pairValue(char32_t tens, char32_t ones) {
    return static_cast<std::uint8_t>((tens - U'0') * 10 + (ones - U'0'));
}

std::string spacedOut(std::u32string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0) out += ' ';
        utf8::append(out, text[i]);
    }
    return out;
}

} // namespace

std::u32string Gs1Encoder::codePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();) out += utf8::next(text, pos);
    return out;
}

std::string Gs1Encoder::describe(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    if (c >= 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
    if (c < 0xA0 || c == utf8::replacement) return code; // controls and broken UTF-8
    std::string quoted = "'";
    utf8::append(quoted, c);
    return quoted + "' (" + code + ")";
}

std::size_t Gs1Encoder::CountDigits(std::string_view t) {
    return leadingDigits(codePoints(t));
}

std::uint8_t Gs1Encoder::checkCharacter(std::span<const std::uint8_t> values) {
    if (values.empty()) return 0;
    std::size_t sum = values[0] % 103u;
    for (std::size_t k = 1; k < values.size(); ++k) sum = (sum + (k % 103) * values[k]) % 103;
    return static_cast<std::uint8_t>(sum);
}

std::optional<Gs1Encoder::Failure> Gs1Encoder::setBFailure(std::u32string_view code) {
    for (std::size_t i = 0; i < code.size(); ++i)
        if (!inSetB(code[i]) && code[i] != Fnc1Marker)
            return Failure{Code128Status::NotEncodable,
                           "Character " + describe(code[i]) + " at position " +
                               std::to_string(i + 1) +
                               " cannot be encoded in Code 128, expecting printable ASCII"};
    return std::nullopt;
}

std::optional<Gs1Encoder::Failure> Gs1Encoder::digitPairsFailure(std::u32string_view code) {
    for (std::size_t i = 0; i < code.size(); ++i)
        if (!isDigit(code[i]))
            return Failure{Code128Status::NotDigitPairs,
                           "Invalid character " + describe(code[i]) + " at position " +
                               std::to_string(i + 1) + ", expecting a digit"};
    if (code.size() % 2 != 0)
        return Failure{Code128Status::NotDigitPairs, "Odd number of digits (" +
                                                         std::to_string(code.size()) +
                                                         "), expecting an even number"};
    return std::nullopt;
}

Code128Symbol Gs1Encoder::ConvertToCodes(std::string_view code, bool gs1) {
    const std::u32string text = codePoints(code);
    Code128Symbol symbol;
    if (auto failure = setBFailure(text)) {
        symbol.status = failure->status;
        symbol.error = std::move(failure->error);
        return symbol;
    }
    std::vector<std::uint8_t>& codes = symbol.codes;
    bool useC = leadingDigits(text) >= 4;
    codes.push_back(useC ? startC : startB);
    if (gs1) codes.push_back(fnc1);
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == Fnc1Marker) {
            codes.push_back(fnc1);
            ++i;
            continue;
        }
        const std::size_t run = leadingDigits(std::u32string_view(text).substr(i));
        if (run >= 4 && !useC) {
            codes.push_back(codeC);
            useC = true;
        }
        if (run < 2 && useC) {
            codes.push_back(codeB);
            useC = false;
        }
        if (useC) {
            codes.push_back(pairValue(text[i], text[i + 1]));
            i += 2;
        } else {
            codes.push_back(static_cast<std::uint8_t>(text[i] - 32));
            ++i;
        }
    }
    codes.push_back(checkCharacter(codes));
    return symbol;
}

std::string_view Gs1Encoder::sampleText(CodeTypes type) {
    switch (type) {
    case CodeTypes::ctCODE128C:
        return "123123";
    case CodeTypes::ctCODE128FreeForm:
        return "1231234";
    case CodeTypes::ctEAN128TNT:
        return "10123123"; // AI 10, batch 123123
    default:
        return "(10)1231234";
    }
}

Code128Symbol Gs1Encoder::GetEanCode(std::string_view code, CodeTypes type) const {
    const std::u32string text = codePoints(code);
    Code128Symbol symbol;
    std::optional<Failure> failure;
    bool readable = true;
    if (text.empty()) {
        failure = Failure{Code128Status::NotWellFormed, "No data, expecting a text to encode"};
    } else if (type == CodeTypes::ctCODE128FreeForm) {
        symbol = ConvertToCodes(code, false);
        readable = false;
    } else if (type == CodeTypes::ctCODE128C || type == CodeTypes::ctEAN128TNT) {
        failure = digitPairsFailure(text);
        if (!failure) {
            symbol.codes.push_back(startC);
            if (type == CodeTypes::ctEAN128TNT) symbol.codes.push_back(fnc1);
            for (std::size_t i = 0; i < text.size(); i += 2)
                symbol.codes.push_back(pairValue(text[i], text[i + 1]));
            symbol.codes.push_back(checkCharacter(symbol.codes));
        }
        readable = type == CodeTypes::ctCODE128C;
    } else {
        failure = aiFormatFailure(text);
        if (!failure) failure = setBFailure(text);
        if (!failure) failure = fixedLengthFailure(text);
        if (!failure) symbol = ConvertToCodes(InsertFunc1(code), true);
    }
    if (failure) {
        symbol.status = failure->status;
        symbol.error = std::move(failure->error);
    }
    if (!symbol.encoded()) {
        symbol.emptiesText = symbol.status == Code128Status::NotWellFormed ||
                             symbol.status == Code128Status::NotDigitPairs;
        symbol.codes.clear();
        return symbol;
    }
    if (readable) symbol.readableText = spacedOut(text);
    symbol.bars = patterns_.barsOf(symbol.codes);
    return symbol;
}

} // namespace bw
