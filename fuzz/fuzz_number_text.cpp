// Numbers read from and written to label text: the leading-number reader, the strict
// conversion, the runtime's conversions and picture formats never fail on any input.

#include "framework/NumberText.h"
#include "framework/Variant.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is a number's text, the rest a picture format.
    const std::size_t cut = input.find('\n');
    const std::string_view text = input.substr(0, cut);
    const std::string_view pattern = cut == std::string_view::npos ? "0.0" : input.substr(cut + 1);

    const double value = bw::leadingNumber(text);
    bw::formatNumber(value, pattern);
    bw::numberText(value);
    (void)bw::parseNumber(text);
    const bw::Variant v{std::string(text)};
    (void)v.toLong();
    (void)v.toInteger();
    (void)v.toBool();
    (void)v.toSingle();
    return 0;
}
