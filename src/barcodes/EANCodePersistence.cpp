// EANCode: its keys in the property bag, read and written in the element's order, each with
// one default.

#include "barcodes/EANCode.h"

#include <array>
#include <limits>

namespace bw {

namespace {

constexpr std::string_view defaultCode = "123456123456";

constexpr std::array<std::string_view, 17> writeOrder{
    "BackColor",  "BorderStyle",   "code",     "Orientation", "TextColor",        "linespacing",
    "SingleLine", "justification", "CodeType", "CodeStatus",  "AutoRefresh",      "Font",
    "PHeight",    "PWidth",        "PTop",     "PLeft",       "CurrentPrinterHdc"};

} // namespace

// The shared keys (sizes, colours, border, orientation, AutoRefresh, CurrentPrinterHdc) are
// read by the element base; the code is encoded again, so a stored CodeStatus never counts.
void EANCode::readOwnProperties(const PropertyReader& in) {
    text_ = in.readString("code", std::string(defaultCode));
    const std::int32_t type = in.readLong("CodeType", 0);
    setCodeTypeField(type < std::numeric_limits<std::int16_t>::min() ||
                             type > std::numeric_limits<std::int16_t>::max()
                         ? std::int16_t{0}
                         : static_cast<std::int16_t>(type));
    readBoxSettings(in);
    loadTables();
    GetEanCode();
    if (AutoRefresh()) ReDraw();
}

void EANCode::writeOwnProperties(PropertyBag& bag) const {
    writeInOrder(bag, writeOrder, [&](PropertyBag& b, std::string_view key) {
        if (key != "code") return false;
        b.write(key, text_, std::string(defaultCode));
        return true;
    });
}

} // namespace bw
