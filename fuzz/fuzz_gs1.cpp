// The Code 128 encoder on random texts and code types (first byte the type, the rest the text):
// it must never crash, explain every refusal, and every symbol it makes must carry a right
// check character, a consistent module count and, read back value by value, exactly its input.

#include "barcodes/Gs1Encoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Decodes symbol values without the check character; FNC1 reads as the marker.
std::string decode(const std::vector<std::uint8_t>& codes) {
    std::string out;
    bool setC = codes.front() == bw::Gs1Encoder::startC;
    for (std::size_t k = 1; k + 1 < codes.size(); ++k) {
        const std::uint8_t v = codes[k];
        if (v == bw::Gs1Encoder::fnc1)
            out += "\u2020";
        else if (v == bw::Gs1Encoder::codeC && !setC)
            setC = true;
        else if (v == bw::Gs1Encoder::codeB && setC)
            setC = false;
        else if (setC && v < 100)
            out += std::to_string(v / 10) + std::to_string(v % 10);
        else if (!setC && v < 96)
            out += static_cast<char>(v + 32);
        else
            __builtin_trap(); // a value with no meaning in its set
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bw;
    static const Gs1Encoder encoder(Code128Patterns::fromResources());
    static const Code128Patterns patterns = Code128Patterns::fromResources();
    if (size == 0) return 0;
    const auto type = static_cast<CodeTypes>(static_cast<std::int8_t>(data[0]));
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    (void)Gs1Encoder::IsValidAiFormat(text);
    (void)Gs1Encoder::CountDigits(text);
    (void)Gs1Encoder::SsccCheckDigit(text);
    (void)Gs1Encoder::SSCCCheck(text);
    const std::string processed = Gs1Encoder::InsertFunc1(text);
    (void)Gs1Encoder::ConvertToCodes(processed, true);

    const Code128Symbol s = encoder.GetEanCode(text, type);
    if (!s.encoded()) {
        if (s.error.empty() || !s.codes.empty() || !s.bars.empty()) __builtin_trap();
        return 0;
    }
    const std::vector<std::uint8_t>& codes = s.codes;
    if (codes.size() < 2 || !s.error.empty()) __builtin_trap();
    if (codes.back() != Gs1Encoder::checkCharacter(std::span(codes).first(codes.size() - 1)))
        __builtin_trap();
    if (s.bars.size() != 11 * codes.size() + 13 || s.bars != patterns.barsOf(codes))
        __builtin_trap();

    std::string expected;
    switch (type) {
    case CodeTypes::ctCODE128FreeForm:
        expected = text;
        break;
    case CodeTypes::ctCODE128C:
        expected = text;
        break;
    case CodeTypes::ctEAN128TNT:
        expected = "\u2020" + std::string(text);
        break;
    default:
        expected = "\u2020" + processed;
        break;
    }
    if (decode(codes) != expected) __builtin_trap();
    return 0;
}
