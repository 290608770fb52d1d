// ITFCode: its keys in the property bag, read and written in the element's order, each with
// one default.

#include "barcodes/ITFCode.h"

#include <array>

namespace bw {

namespace {

constexpr std::string_view defaultCode = "123456123456";

// "Font" twice, as the element has always written it; the second write keeps the first place.
constexpr std::array<std::string_view, 19> writeOrder{
    "BackColor",     "BorderStyle",       "code",         "Orientation",
    "Font",          "TextColor",         "linespacing",  "SingleLine",
    "justification", "CodeType",          "CodeStatus",   "AutoRefresh",
    "Font",          "PHeight",           "PWidth",       "PTop",
    "PLeft",         "CurrentPrinterHdc", "CheckIncluded"};

} // namespace

// The shared keys are read by the element base. CheckIncluded is read before the code is
// encoded, so a loaded element shows the symbol it was saved with.
void ITFCode::readOwnProperties(const PropertyReader& in) {
    text_ = in.readString("code", std::string(defaultCode));
    readCodeType(in);
    readBoxSettings(in);
    loadTables();
    checkIncluded_ = in.readBool("CheckIncluded", true);
    GetITFCode();
    if (AutoRefresh()) ReDraw();
}

void ITFCode::writeOwnProperties(PropertyBag& bag) const {
    writeInOrder(bag, writeOrder, [&](PropertyBag& b, std::string_view key) {
        if (key == "code") {
            b.write(key, text_, std::string(defaultCode));
            return true;
        }
        // Its default is the number 1, which True (-1) never equals: the key is always there.
        if (key == "CheckIncluded") {
            b.write(key, checkIncluded_, std::int16_t{1});
            return true;
        }
        return false;
    });
}

} // namespace bw
