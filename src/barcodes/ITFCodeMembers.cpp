// ITFCode: its members by name, for label files, smmain and the print engine.

#include "barcodes/BarcodeMembers.h"
#include "barcodes/ITFCode.h"

namespace bw {

const MemberTable<ITFCode>& ITFCode::memberTable() {
    static const MemberTable<ITFCode> table = [] {
        MemberTable<ITFCode> t("ITFCode");
        addBarcodeMembers(t);
        t.property(
            "CheckIncluded", VariantType::Boolean, Variant(true),
            [](ITFCode& e) { return Variant(e.CheckIncluded()); },
            [](ITFCode& e, const Variant& v) { e.setCheckIncluded(v.toBool().value()); });
        return t;
    }();
    return table;
}

} // namespace bw
