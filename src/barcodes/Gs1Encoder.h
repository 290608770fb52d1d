#pragma once
// The encoder behind the Code 128 element: GS1-128 from AI text in brackets, Code 128 in code
// set C, Code 128 from free text with automatic B/C switching, and numeric GS1-128. Text in; a
// status with its explanation, the symbol values, the module pattern and the human-readable line
// out. Nothing here knows how a symbol is drawn.
//
// Text is UTF-8 and positions in messages count characters from 1. Inside processed GS1 text,
// and in any text given to ConvertToCodes, the character U+2020 (Windows-1252 134) stands for
// FNC1.

#include "barcodes/Code128Patterns.h"
#include "barcodes/CodeTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bw {

// CodeStatus of the Code 128 element; only Encoded is drawn. Values 1 to 3 mean what they mean
// for the other barcode elements.
enum class Code128Status : std::int16_t {
    Encoded = 0,
    WrongCheckDigit = 1, // of an SSCC (00) or a GTIN (01, 02) in AI text
    NotADigit = 2,       // in the data of a fixed-length AI
    WrongLength = 3,     // of the data of a fixed-length AI
    NotWellFormed = 4,   // AI text whose brackets or identifiers are wrong; also any empty text
    NotDigitPairs = 5,   // code set C only: a character that is not a digit, or an odd count
    NotEncodable = 6,    // a character that code set B cannot carry
};

struct Code128Symbol {
    Code128Status status = Code128Status::Encoded;
    // What was found, what was expected and where; empty when encoded.
    std::string error;
    // The element empties its Text (statuses 4 and 5). The other failures keep the text, so the
    // user sees what to correct.
    bool emptiesText = false;
    // Start character, data and check character; the stop character lives in `bars` only.
    std::vector<std::uint8_t> codes;
    // 11 modules per value of `codes`, then the 13 of the stop pattern; 1 is a bar. No quiet zones.
    std::vector<std::uint8_t> bars;
    // The code text with one space between neighbouring characters; empty for free-form and
    // numeric GS1-128.
    std::string readableText;

    bool encoded() const { return status == Code128Status::Encoded; }
};

// A two-digit AI prefix after whose data no FNC1 follows, and the length of its element string
// (identifier and data together) that every reader assumes.
struct FixedLengthAi {
    std::string_view prefix;
    std::size_t length;
};

class Gs1Encoder {
public:
    static constexpr char32_t Fnc1Marker = U'\u2020';
    static constexpr std::uint8_t codeC = 99, codeB = 100, fnc1 = 102, startB = 104, startC = 105;

    // Variable-length data (23x, 37) needs its FNC1, so only truly fixed lengths are listed.
    static constexpr std::array<FixedLengthAi, 21> FixedLengthAis{{
        {"00", 20}, {"01", 16}, {"02", 16}, {"03", 16}, {"04", 18}, {"11", 8},  {"12", 8},
        {"13", 8},  {"14", 8},  {"15", 8},  {"16", 8},  {"17", 8},  {"18", 8},  {"19", 8},
        {"20", 4},  {"31", 10}, {"32", 10}, {"33", 10}, {"34", 10}, {"35", 10}, {"36", 10},
    }};

    explicit Gs1Encoder(Code128Patterns patterns) : patterns_(std::move(patterns)) {}

    // Encodes `code` as `type` asks; every CodeTypes value other than ctCODE128C,
    // ctCODE128FreeForm and ctEAN128TNT means GS1-128 from AI text. On a failure only status,
    // error and emptiesText are set.
    Code128Symbol GetEanCode(std::string_view code, CodeTypes type) const;

    // The text an element takes when its code type is set; each encodes without error.
    static std::string_view sampleText(CodeTypes type);

    // Brackets and identifiers only: each "(" opens an identifier of 2 to 4 digits closed by ")";
    // the data between identifiers may be anything but brackets.
    static bool IsValidAiFormat(std::string_view code);

    // AI text without brackets, with an FNC1 marker after every element but the last whose
    // identifier does not start with a prefix of FixedLengthAis.
    static std::string InsertFunc1(std::string_view code);

    // The symbol values of a text: START C when it opens with four digits or more, else START
    // B; then FNC1 when `gs1`; then the text, where a run of four digits or more switches to set
    // C, which takes digits in pairs until fewer than two are left, and everything else goes in
    // set B; then the check character. A character set B lacks sets status NotEncodable and no
    // codes. Never fills bars.
    static Code128Symbol ConvertToCodes(std::string_view code, bool gs1);

    // The number of decimal digits at the start of `t`.
    static std::size_t CountDigits(std::string_view t);

    // Completes the SSCC after every "(00)" and increment token ("(00)[+]" and 17 digits) with
    // its check digit. A run of other than 17 digits is left alone, for GetEanCode to refuse.
    static std::string SSCCCheck(std::string_view t);

    // The GS1 modulo-10 check digit of 17 characters (a non-digit or a missing one counts as 0).
    static std::string SsccCheckDigit(std::string_view d);

    // (c0 + 1 * c1 + 2 * c2 + ... + n * cn) mod 103, c0 the start character.
    static std::uint8_t checkCharacter(std::span<const std::uint8_t> values);

private:
    struct Failure {
        Code128Status status;
        std::string error;
    };

    static std::u32string codePoints(std::string_view text);
    static std::string describe(char32_t c);
    static std::optional<Failure> aiFormatFailure(std::u32string_view code);
    static std::optional<Failure> setBFailure(std::u32string_view code);
    static std::optional<Failure> fixedLengthFailure(std::u32string_view code);
    static std::optional<Failure> digitPairsFailure(std::u32string_view code);

    Code128Patterns patterns_;
};

} // namespace bw
