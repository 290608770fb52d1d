// AutoText: its members by name, for label files, smmain and the print engine.

#include "framework/ElementMembers.h"
#include "text/AutoText.h"

namespace bw {

const MemberTable<AutoText>& AutoText::memberTable() {
    static const MemberTable<AutoText> table = [] {
        using V = VariantType;
        using E = AutoText;
        MemberTable<E> t("AutoText");
        addElementMembers(t, {.notifyChange = true, .setUpArea = true});
        addFontRangeMembers(t);

        t.property(
            "Text", V::String, Variant(""), [](E& e) { return Variant(e.Text()); },
            [](E& e, const Variant& v) { e.setText(v.toString().value()); });
        addFontMembers(t);
        t.property(
            "TextHeight", V::Integer, Variant(std::int16_t{1}),
            [](E& e) { return Variant(e.TextHeight()); }, nullptr);
        t.property(
            "LineSpacing", V::Integer, Variant(linespacings::LCentred),
            [](E& e) { return Variant(e.LineSpacing()); },
            [](E& e, const Variant& v) { e.setLineSpacing(v.toInteger().value()); });
        t.property(
            "Justification", V::Integer, Variant(justifications::JLeft),
            [](E& e) { return Variant(e.Justification()); },
            [](E& e, const Variant& v) { e.setJustification(v.toInteger().value()); });
        t.property(
            "SingleLine", V::Boolean, Variant(false), [](E& e) { return Variant(e.SingleLine()); },
            [](E& e, const Variant& v) { e.setSingleLine(v.toBool().value()); });
        t.property(
            "UseBestFit", V::Boolean, Variant(false), [](E& e) { return Variant(e.UseBestFit()); },
            [](E& e, const Variant& v) { e.setUseBestFit(v.toBool().value()); });
        t.property(
            "LineBreakChars", V::String, Variant(" "),
            [](E& e) { return Variant(e.LineBreakChars()); },
            [](E& e, const Variant& v) { e.setLineBreakChars(v.toString().value()); });
        t.property(
            "ClearZone", V::String, Variant("0"), [](E& e) { return Variant(e.ClearZone()); },
            [](E& e, const Variant& v) { e.setClearZone(v.toString().value()); });
        t.property(
            "CurrencyFormat", V::Boolean, Variant(false),
            [](E& e) { return Variant(e.CurrencyFormat()); },
            [](E& e, const Variant& v) { e.setCurrencyFormat(v.toBool().value()); });
        t.property(
            "CentreAngle", V::Double, Variant(0.0), [](E& e) { return Variant(e.CentreAngle()); },
            [](E& e, const Variant& v) { e.setCentreAngle(v.toDouble().value()); });
        t.property(
            "MaxArc", V::Integer, Variant(std::int16_t{0}),
            [](E& e) { return Variant(e.MaxArc()); },
            [](E& e, const Variant& v) { e.setMaxArc(v.toInteger().value()); });
        t.property(
            "DisplayImage", V::String, Variant(""), [](E& e) { return Variant(e.DisplayImage()); },
            [](E& e, const Variant& v) { e.setDisplayImage(v.toString().value()); });
        t.property(
            "HasLabelIncr", V::Boolean, Variant(false),
            [](E& e) { return Variant(e.HasLabelIncr()); }, nullptr);
        t.property(
            "HasImpressionIncr", V::Boolean, Variant(false),
            [](E& e) { return Variant(e.HasImpressionIncr()); }, nullptr);
        t.property(
            "DebugIt", V::Boolean, Variant(false), [](E& e) { return Variant(e.DebugIt()); },
            nullptr);

        t.method("pickfont", {}, V::Empty, [](E& e, std::span<Variant>) {
            e.pickfont();
            return Variant();
        });
        t.method("ResizeAction", {}, V::Empty, [](E& e, std::span<Variant>) {
            e.ResizeAction();
            return Variant();
        });
        t.method("InsertIncrement", {"s", "i"}, V::String, [](E& e, std::span<Variant> args) {
            return Variant(
                e.InsertIncrement(args[0].toString().value(), args[1].toInteger().value()));
        });
        t.method("DoLabelIncrement", {}, V::Empty, [](E& e, std::span<Variant>) {
            e.DoLabelIncrement();
            return Variant();
        });
        t.method("DoImpressionIncrement", {}, V::Empty, [](E& e, std::span<Variant>) {
            e.DoImpressionIncrement();
            return Variant();
        });
        t.method("DoResetIncr", {}, V::Empty, [](E& e, std::span<Variant>) {
            e.DoResetIncr();
            return Variant();
        });
        return t;
    }();
    return table;
}

} // namespace bw
