// EanCode128: its members by name, for label files, smmain and the print engine.

#include "barcodes/EanCode128.h"
#include "framework/ElementMembers.h"

namespace bw {

const MemberTable<EanCode128>& EanCode128::memberTable() {
    static const MemberTable<EanCode128> table = [] {
        using V = VariantType;
        using E = EanCode128;
        MemberTable<E> t("EanCode128");
        addElementMembers(t, {.enabled = false, .borderStyleDefault = BorderStyles::bsNone});
        addFontRangeMembers(t);

        t.property(
            "Text", V::String, Variant("(10)123456"), [](E& e) { return Variant(e.Text()); },
            [](E& e, const Variant& v) { e.setText(v.toString().value()); });
        t.property(
            "CodeType", V::Integer, Variant(std::int16_t{0}),
            [](E& e) { return Variant(e.CodeType()); },
            [](E& e, const Variant& v) { e.setCodeType(v.toInteger().value()); });
        // Follows from the text; assigning it does nothing.
        t.property(
            "CodeStatus", V::Integer, Variant(std::int16_t{0}),
            [](E& e) { return Variant(e.CodeStatus()); }, [](E&, const Variant&) {});
        addFontMembers(t);
        t.property(
            "LineSpacing", V::Integer, Variant(linespacings::LCentred),
            [](E& e) { return Variant(e.LineSpacing()); },
            [](E& e, const Variant& v) { e.setLineSpacing(v.toInteger().value()); });
        t.property(
            "SingleLine", V::Boolean, Variant(true), [](E& e) { return Variant(e.SingleLine()); },
            [](E& e, const Variant& v) { e.setSingleLine(v.toBool().value()); });
        t.property(
            "Justification", V::Integer, Variant(justifications::JJustified),
            [](E& e) { return Variant(e.Justification()); },
            [](E& e, const Variant& v) { e.setJustification(v.toInteger().value()); });
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
        action("pickfont", &E::pickfont);
        action("ShowAbout", &E::ShowAbout);
        action("Refresh", &E::Refresh);
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
