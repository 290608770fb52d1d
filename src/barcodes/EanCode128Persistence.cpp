// EanCode128: its keys in the property bag, read and written in the element's order, each with
// one default.

#include "barcodes/EanCode128.h"

namespace bw {

namespace {

constexpr std::string_view defaultCode = "(10)123456";

} // namespace

// The shared keys are read by the element base. "code" is taken as the code text itself, so
// counters stay off until the host sets the token text again; the code is encoded again, so a
// stored CodeStatus never counts.
void EanCode128::readOwnProperties(const PropertyReader& in) {
    text_ = in.readString("code", std::string(defaultCode));
    tokenText_.clear();
    templateText_.clear();
    hasLabelIncr_ = hasImpressionIncr_ = hasSSCC_ = false;
    readCodeType(in);
    readBoxSettings(in);
    loadTables();
    GetEanCode();
    if (AutoRefresh()) RequestRedraw();
}

void EanCode128::writeOwnProperties(PropertyBag& bag) const {
    writeInOrder(bag, savedKeyOrder, [&](PropertyBag& b, std::string_view key) {
        if (key != "code") return false;
        b.write(key, text_, std::string(defaultCode));
        return true;
    });
}

} // namespace bw
