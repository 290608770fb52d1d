#pragma once
// The EAN-13, EAN-8 and UPC-A encoder: digits in; status, completed code, module pattern and the
// human-readable digit groups out. It knows nothing of drawing; the EANCode element lays the
// result out. UPC-A is made as the EAN-13 symbol of its number with a leading 0.

#include "barcodes/BarcodeTables.h"
#include "barcodes/CodeTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// CodeStatus of EANCode. 0 and 1 carry a symbol, except 1 for EAN-8.
enum class EanStatus : std::int16_t {
    Encoded = 0,
    // The text's own check digit is wrong. EAN-13 and UPC-A: the symbol carries the right one.
    // EAN-8: no symbol, since printing one would read as a number other than the one typed.
    WrongCheckDigit = 1,
    NotADigit = 2,   // a character is not a decimal digit
    WrongLength = 3, // too few or too many digits for the code type
    ZeroValue = 4,   // the text reads as the number 0 (empty, all zeros, starts with a letter)
    CodeTypeNotServed = 5,  // a Code 128 type: this encoder makes no symbol for it
    UpcaNotLeadingZero = 6, // UPC-A whose EAN-13 form does not start with 0
};

struct EanEncoding {
    EanStatus status = EanStatus::Encoded;
    std::string message; // what was found and what was expected; empty when encoded
    // The element empties its Text: statuses 2 and 4, and 3 except for EAN-8.
    bool emptiesText = false;

    // Present only with a symbol (status 0, or 1 for EAN-13 and UPC-A).
    std::string code;                  // the 13 or 8 digits with the computed check digit
    std::vector<std::uint8_t> modules; // 95 (EAN-13, UPC-A) or 67 (EAN-8) modules, 1 = bar
    std::string leadDigit;             // left of the symbol; empty for EAN-8
    std::string leftDigits;            // under the left half, each digit followed by a space
    std::string rightDigits;           // under the right half, likewise
    std::string trailDigit;            // right of the symbol: UPC-A's check digit, " " for
                                       // EAN-13, empty for EAN-8

    bool hasSymbol() const { return !modules.empty(); }
};

class EanEncoder {
public:
    explicit EanEncoder(const EanTables& tables) : tables_(tables) {}

    EanEncoding GetEanCode(std::string_view text, CodeTypes type) const;

    // `s` with a space after every character: "1234" -> "1 2 3 4 ".
    static std::string SpaceOut(std::string_view s);

    // The digits an element takes when its code type is set; those of EAN-13, EAN-8 and UPC-A
    // encode without error.
    static std::string_view sampleText(CodeTypes type);

private:
    void fillEan13(EanEncoding& out, int lead, const int (&d)[12]) const;
    void fillEan8(EanEncoding& out, const int (&d)[8]) const;

    EanTables tables_;
};

} // namespace bw
