#pragma once
// The members every barcode element has in its table, after the elements' shared ones:
//
//   MemberTable<EANCode> t("EANCode");
//   addBarcodeMembers(t);

#include "barcodes/BarcodeElement.h"
#include "framework/ElementMembers.h"

#include <string>
#include <string_view>

namespace bw {

template <class T>
MemberTable<T>& addBarcodeMembers(MemberTable<T>& t, std::string_view textDefault = "") {
    using V = VariantType;
    addElementMembers(t, {.enabled = false, .borderStyleDefault = BorderStyles::bsNone});
    addFontRangeMembers(t);

    t.property(
        "Text", V::String, Variant(textDefault), [](T& e) { return Variant(e.Text()); },
        [](T& e, const Variant& v) { e.setText(v.toString().value()); });
    t.property(
        "CodeType", V::Integer, Variant(std::int16_t{0}),
        [](T& e) { return Variant(e.CodeType()); },
        [](T& e, const Variant& v) { e.setCodeType(v.toInteger().value()); });
    // Assigning it does nothing: the encoding sets it.
    t.property(
        "CodeStatus", V::Integer, Variant(std::int16_t{0}),
        [](T& e) { return Variant(e.CodeStatus()); }, [](T&, const Variant&) {});
    addFontMembers(t);
    t.property(
        "LineSpacing", V::Integer, Variant(linespacings::LCentred),
        [](T& e) { return Variant(e.LineSpacing()); },
        [](T& e, const Variant& v) { e.setLineSpacing(v.toInteger().value()); });
    t.property(
        "SingleLine", V::Boolean, Variant(true), [](T& e) { return Variant(e.SingleLine()); },
        [](T& e, const Variant& v) { e.setSingleLine(v.toBool().value()); });
    t.property(
        "Justification", V::Integer, Variant(justifications::JJustified),
        [](T& e) { return Variant(e.Justification()); },
        [](T& e, const Variant& v) { e.setJustification(v.toInteger().value()); });

    t.method("Refresh", {}, V::Empty, [](T& e, std::span<Variant>) {
        e.Refresh();
        return Variant();
    });
    t.method("pickfont", {}, V::Empty, [](T& e, std::span<Variant>) {
        e.pickfont();
        return Variant();
    });
    t.method("ShowAbout", {}, V::Empty, [](T& e, std::span<Variant>) {
        e.ShowAbout();
        return Variant();
    });
    return t;
}

} // namespace bw
