// EanCode128: its members by name, for label files, smmain and the print engine.

#include "barcodes/BarcodeMembers.h"
#include "barcodes/EanCode128.h"

namespace bw {

const MemberTable<EanCode128>& EanCode128::memberTable() {
    static const MemberTable<EanCode128> table = [] {
        using V = VariantType;
        using E = EanCode128;
        MemberTable<E> t("EanCode128");
        addBarcodeMembers(t, "(10)123456");
        t.property(
            "HasLabelIncr", V::Boolean, Variant(false),
            [](E& e) { return Variant(e.HasLabelIncr()); }, nullptr);
        t.property(
            "HasImpressionIncr", V::Boolean, Variant(false),
            [](E& e) { return Variant(e.HasImpressionIncr()); }, nullptr);

        const auto action = [&t](std::string name, void (E::*f)()) {
            t.method(std::move(name), {}, V::Empty, [f](E& e, std::span<Variant>) {
                (e.*f)();
                return Variant();
            });
        };
        action("DoLabelIncrement", &E::DoLabelIncrement);
        action("DoImpressionIncrement", &E::DoImpressionIncrement);
        action("DoResetIncr", &E::DoResetIncr);
        t.method("InsertIncrement", {"s", "i"}, V::String, [](E& e, std::span<Variant> args) {
            return Variant(
                e.InsertIncrement(args[0].toString().value(), args[1].toInteger().value()));
        });
        return t;
    }();
    return table;
}

} // namespace bw
