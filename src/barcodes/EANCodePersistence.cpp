// EANCode: its keys in the property bag, read and written in the element's order, each with
// one default.

#include "barcodes/EANCode.h"

namespace bw {

namespace {

constexpr std::string_view defaultCode = "123456123456";

} // namespace

// The shared keys (sizes, colours, border, orientation, AutoRefresh, CurrentPrinterHdc) are
// read by the element base; the code is encoded again, so a stored CodeStatus never counts.
void EANCode::readOwnProperties(const PropertyReader& in) {
    text_ = in.readString("code", std::string(defaultCode));
    readCodeType(in);
    readBoxSettings(in);
    loadTables();
    GetEanCode();
    if (AutoRefresh()) ReDraw();
}

void EANCode::writeOwnProperties(PropertyBag& bag) const {
    writeInOrder(bag, savedKeyOrder, [&](PropertyBag& b, std::string_view key) {
        if (key != "code") return false;
        b.write(key, text_, std::string(defaultCode));
        return true;
    });
}

} // namespace bw
