// The EAN/UPC and ITF encoders on any text and code type: no crash, and every symbol they make
// carries a valid check digit, its full module count and readable digits that match it.

#include "barcodes/EanEncoder.h"
#include "barcodes/ItfEncoder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void require(bool ok) {
    if (!ok) __builtin_trap();
}

bool allDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

// Weights 3 and 1 from the digit before the check digit; a valid code sums to a multiple of 10.
bool checkDigitValid(std::string_view code) {
    int sum = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const std::size_t fromRight = code.size() - 1 - i;
        sum += (code[i] - '0') * (fromRight % 2 == 1 ? 3 : 1);
    }
    return sum % 10 == 0;
}

std::string withoutSpaces(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

void checkEan(const bw::EanEncoding& r, std::string_view text, bw::CodeTypes type) {
    using bw::CodeTypes;
    using bw::EanStatus;
    if (!r.hasSymbol()) {
        require(r.status != EanStatus::Encoded && !r.message.empty());
        return;
    }
    const bool ean8 = type == CodeTypes::ctEAN8;
    require(ean8 || type == CodeTypes::ctEAN13 || type == CodeTypes::ctUPCA);
    require(r.status == EanStatus::Encoded || (r.status == EanStatus::WrongCheckDigit && !ean8));
    require(r.code.size() == (ean8 ? 8u : 13u) && allDigits(r.code) && checkDigitValid(r.code));
    require(text.substr(0, r.code.size() - 1) ==
            std::string_view(r.code).substr(0, r.code.size() - 1));
    if (r.status == EanStatus::Encoded) require(text == r.code || text.size() + 1 == r.code.size());
    require(r.modules.size() == (ean8 ? 67u : 95u));
    // Two bars per character and two per guard.
    int bars = 0;
    for (std::size_t i = 0; i < r.modules.size(); ++i) {
        require(r.modules[i] <= 1);
        if (r.modules[i] == 1 && (i == 0 || r.modules[i - 1] == 0)) ++bars;
    }
    require(bars == (ean8 ? 22 : 30));
    require(r.modules[0] == 1 && r.modules[1] == 0 && r.modules[2] == 1 && r.modules.back() == 1);
    const std::string shown = r.leadDigit + withoutSpaces(r.leftDigits) +
                              withoutSpaces(r.rightDigits) + withoutSpaces(r.trailDigit);
    require(shown == (type == CodeTypes::ctUPCA ? r.code.substr(1) : r.code));
}

void checkItf(const bw::ItfEncoding& r, std::string_view text) {
    require(r.hasSymbol() == (r.status == bw::ItfStatus::Encoded));
    if (!r.hasSymbol()) {
        require(!r.message.empty());
        return;
    }
    const std::size_t n = r.code.size();
    require(n % 2 == 0 && allDigits(r.code) && checkDigitValid(r.code));
    require(r.code.find(text) <= 1); // behind at most the leading zero
    require(r.widthFlags.size() == 5 * n + 7);
    for (std::uint8_t f : r.widthFlags) require(f <= 1);
    require(r.widthFlags[0] == 0 && r.widthFlags[3] == 0 && r.widthFlags[5 * n + 4] == 1 &&
            r.widthFlags[5 * n + 6] == 0);
    require(r.readableText == bw::EanEncoder::SpaceOut(r.code));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bw::EanEncoder ean{bw::BarcodeTables::ean()};
    static const bw::ItfEncoder itf{bw::BarcodeTables::itf()};
    if (size == 0) return 0;
    // First byte: code type (-1 to 6) in the low bits, check digit included in the top bit.
    const auto type = static_cast<bw::CodeTypes>((data[0] & 7) - 1);
    const bool checkIncluded = (data[0] & 0x80) != 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    checkEan(ean.GetEanCode(text, type), text, type);
    checkItf(itf.GetITFCode(text, checkIncluded), text);
    return 0;
}
