// EANCode: its members by name, for label files, smmain and the print engine.

#include "barcodes/BarcodeMembers.h"
#include "barcodes/EANCode.h"

namespace bw {

const MemberTable<EANCode>& EANCode::memberTable() {
    static const MemberTable<EANCode> table = [] {
        MemberTable<EANCode> t("EANCode");
        addBarcodeMembers(t);
        return t;
    }();
    return table;
}

} // namespace bw
