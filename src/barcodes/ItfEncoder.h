#pragma once
// The ITF-14 encoder: Interleaved 2 of 5 of an even number of digits whose last one is the GS1
// modulo-10 check digit. Digits in; status, completed code, bar and space widths and the
// readable text out. The ITFCode element draws the widths with its two pens.

#include "barcodes/BarcodeTables.h"
#include "barcodes/CodeTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// CodeStatus of ITFCode. Only 0 carries a symbol.
enum class ItfStatus : std::int16_t {
    Encoded = 0,
    // The text's own check digit is wrong (check digit included); no symbol, since printing one
    // would read as a number other than the one typed.
    WrongCheckDigit = 1,
    NotADigit = 2, // a character is not a decimal digit
    TooLong = 3,   // more digits than the symbol takes
    ZeroValue = 4, // the text reads as the number 0 (empty, all zeros, starts with a letter)
};

struct ItfEncoding {
    ItfStatus status = ItfStatus::Encoded;
    std::string message;      // what was found and what was expected; empty when encoded
    bool emptiesText = false; // the element empties its Text: statuses 2 and 4

    // Present only with a symbol (status 0).
    std::string code; // the completed digits: leading zero if needed, check digit last
    // Bars and spaces from left to right, bar first, 1 = wide, 0 = narrow: the start pattern
    // (4 narrow), 5 per digit, the stop pattern (wide, narrow, narrow); 5 n + 7 entries.
    std::vector<std::uint8_t> widthFlags;
    std::string readableText; // the completed code with a space after every digit

    int digitCount() const { return static_cast<int>(code.size()); }
    bool hasSymbol() const { return !widthFlags.empty(); }
};

class ItfEncoder {
public:
    static constexpr std::size_t maxDigits = 255; // of the text as typed

    explicit ItfEncoder(const ItfTables& tables) : tables_(tables) {}

    // checkIncluded: the text ends with its check digit, which is verified; otherwise the check
    // digit is computed and appended.
    ItfEncoding GetITFCode(std::string_view text, bool checkIncluded) const;

    // The digits an element takes when its code type is set; they encode without error with
    // the given checkIncluded (and give the same symbol either way).
    static std::string sampleText(CodeTypes type, bool checkIncluded);

private:
    ItfTables tables_;
};

} // namespace bw
