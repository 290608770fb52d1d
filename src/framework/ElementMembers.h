#pragma once
// The shared members of the elements' tables, declared once: each element's memberTable()
// adds them and then its own. Not every element has every shared member; the set says which.
//
//   MemberTable<AutoText> t("AutoText");
//   addElementMembers(t, {.notifyChange = true, .setUpArea = true});
//   addFontRangeMembers(t);

#include "framework/Element.h"
#include "framework/FontDesc.h"
#include "framework/GdiTypes.h"
#include "framework/MemberTable.h"

#include <cstdint>
#include <span>

namespace bw {

struct ElementMemberSet {
    bool isSelected = true;    // all but HMark
    bool zOrder = true;        // MoveToFront, MoveToBack: all but NLineBox and HMark
    bool enabled = true;       // AutoText, NLineBox and the panels
    bool notifyChange = false; // AutoText
    bool setUpArea = false;    // AutoText, NLineBox, USNF and RDI
    std::int16_t borderStyleDefault = BorderStyles::bsSingleline; // the barcodes' is bsNone
};

// A context handle passed as a Long (or anything that converts to one).
inline HDC handleArgument(const Variant& value) {
    return static_cast<HDC>(value.toLong().value());
}

template <class T>
MemberTable<T>& addElementMembers(MemberTable<T>& t, const ElementMemberSet& set = {}) {
    using V = VariantType;
    const auto asLong = [](const Variant& v) { return v.toLong().value(); };
    const auto asInteger = [](const Variant& v) { return v.toInteger().value(); };
    const auto asBool = [](const Variant& v) { return v.toBool().value(); };
    const Variant zero(std::int32_t{0});

    t.property(
        "PLeft", V::Long, zero, [](T& e) { return Variant(e.PLeft()); },
        [=](T& e, const Variant& v) { e.setPLeft(asLong(v)); });
    t.property(
        "PTop", V::Long, zero, [](T& e) { return Variant(e.PTop()); },
        [=](T& e, const Variant& v) { e.setPTop(asLong(v)); });
    t.property(
        "PWidth", V::Long, zero, [](T& e) { return Variant(e.PWidth()); },
        [=](T& e, const Variant& v) { e.setPWidth(asLong(v)); });
    t.property(
        "PHeight", V::Long, zero, [](T& e) { return Variant(e.PHeight()); },
        [=](T& e, const Variant& v) { e.setPHeight(asLong(v)); });
    t.property(
        "orientation", V::Integer, Variant(orientations::Normal),
        [](T& e) { return Variant(e.orientation()); },
        [=](T& e, const Variant& v) { e.setOrientation(asInteger(v)); });
    t.property(
        "designmode", V::Boolean, Variant(true), [](T& e) { return Variant(e.designmode()); },
        [=](T& e, const Variant& v) { e.setDesignmode(asBool(v)); });
    // Its default is the default printer's context of the moment.
    t.property(
        "CurrentPrinterHdc", V::Long, Variant(),
        [](T& e) { return Variant(e.CurrentPrinterHdc()); },
        [=](T& e, const Variant& v) { e.setCurrentPrinterHdc(asLong(v)); });
    t.property(
        "AutoRefresh", V::Boolean, Variant(true), [](T& e) { return Variant(e.AutoRefresh()); },
        [=](T& e, const Variant& v) { e.setAutoRefresh(asBool(v)); });
    t.property(
        "TextColor", V::Long, zero, [](T& e) { return Variant(e.TextColor()); },
        [=](T& e, const Variant& v) { e.setTextColor(asLong(v)); });
    t.property(
        "BackColor", V::Long, Variant(std::int32_t{0xFFFFFF}),
        [](T& e) { return Variant(e.BackColor()); },
        [=](T& e, const Variant& v) { e.setBackColor(asLong(v)); });
    t.property(
        "BorderStyle", V::Integer, Variant(set.borderStyleDefault),
        [](T& e) { return Variant(e.BorderStyle()); },
        [=](T& e, const Variant& v) { e.setBorderStyle(asInteger(v)); });
    if (set.isSelected)
        t.property(
            "IsSelected", V::Boolean, Variant(false), [](T& e) { return Variant(e.IsSelected()); },
            [=](T& e, const Variant& v) { e.setIsSelected(asBool(v)); });
    if (set.enabled)
        t.property(
            "Enabled", V::Boolean, Variant(true), [](T& e) { return Variant(e.Enabled()); },
            [=](T& e, const Variant& v) { e.setEnabled(asBool(v)); });

    t.method("LPrint", {"thehdc"}, V::Empty, [](T& e, std::span<Variant> args) {
        e.LPrint(handleArgument(args[0]));
        return Variant();
    });
    t.method("ReDraw", {}, V::Empty, [](T& e, std::span<Variant>) {
        e.ReDraw();
        return Variant();
    });
    if (set.zOrder) {
        t.method("MoveToFront", {}, V::Empty, [](T& e, std::span<Variant>) {
            e.MoveToFront();
            return Variant();
        });
        t.method("MoveToBack", {}, V::Empty, [](T& e, std::span<Variant>) {
            e.MoveToBack();
            return Variant();
        });
    }
    if (set.notifyChange)
        t.method("NotifyChange", {}, V::Empty, [](T& e, std::span<Variant>) {
            e.NotifyChange();
            return Variant();
        });
    if (set.setUpArea)
        t.method("SetUpArea", {"thehdc", "clear", "lForceFocus"}, V::Empty,
                 [=](T& e, std::span<Variant> args) {
                     e.SetUpArea(handleArgument(args[0]), asBool(args[1]), asBool(args[2]));
                     return Variant();
                 });
    return t;
}

// FontMinimum and FontMaximum in points, for elements that hold a FontSizeRange behind
// FontMinimum()/setFontMinimum() and FontMaximum()/setFontMaximum().
template <class T>
MemberTable<T>& addFontRangeMembers(MemberTable<T>& t) {
    const auto asInteger = [](const Variant& v) { return v.toInteger().value(); };
    t.property(
        "FontMinimum", VariantType::Integer, Variant(std::int16_t{0}),
        [](T& e) { return Variant(e.FontMinimum()); },
        [=](T& e, const Variant& v) { e.setFontMinimum(asInteger(v)); });
    t.property(
        "FontMaximum", VariantType::Integer, Variant(std::int16_t{432}),
        [](T& e) { return Variant(e.FontMaximum()); },
        [=](T& e, const Variant& v) { e.setFontMaximum(asInteger(v)); });
    return t;
}

// Font, Bold and Italic, for elements with Font()/setFont(), Bold()/setBold() and
// Italic()/setItalic().
template <class T>
MemberTable<T>& addFontMembers(MemberTable<T>& t) {
    t.property(
        "Font", VariantType::Font, Variant(FontDesc{}), [](T& e) { return Variant(e.Font()); },
        [](T& e, const Variant& v) { e.setFont(v.toFont().value()); });
    t.property(
        "Bold", VariantType::Boolean, Variant(false), [](T& e) { return Variant(e.Bold()); },
        [](T& e, const Variant& v) { e.setBold(v.toBool().value()); });
    t.property(
        "Italic", VariantType::Boolean, Variant(false), [](T& e) { return Variant(e.Italic()); },
        [](T& e, const Variant& v) { e.setItalic(v.toBool().value()); });
    return t;
}

} // namespace bw
