// LabelPrinter: its members by name, for late-bound hosts and smmain. Arguments the engine
// changes (SetPageParameters' paper setting and labels down, CheckCopies' handle) are written
// back to the caller's variables.

#include "printing/LabelPrinter.h"
#include "printing/LateBoundElement.h"

#include <optional>

namespace bw {

namespace {

Object& objectArgument(const Variant& value) {
    Object* object = value.toObject().value();
    if (!object) throw HostError(err::objectRequired, "Object required");
    return *object;
}

LabelForm& formArgument(const Variant& value) {
    auto* form = dynamic_cast<LabelForm*>(&objectArgument(value));
    if (!form) throw HostError(err::typeMismatch, "Type mismatch: a label form was expected");
    return *form;
}

// The element itself when it speaks the engine's contract, else by name through its table.
template <class F>
void withElement(const Variant& value, F&& f) {
    Object& object = objectArgument(value);
    if (auto* element = dynamic_cast<PrintableElement*>(&object)) {
        f(*element);
        return;
    }
    LateBoundElement byName(object);
    f(byName);
}

HDC handle(const Variant& value) {
    return static_cast<HDC>(value.toLong().value());
}

} // namespace

const MemberTable<LabelPrinter>& LabelPrinter::memberTable() {
    static const MemberTable<LabelPrinter> table = [] {
        using V = VariantType;
        using E = LabelPrinter;
        using Args = std::span<Variant>;
        const auto integer = [](const Variant& v) { return v.toInteger().value(); };
        const auto single = [](const Variant& v) { return v.toSingle().value(); };
        const auto text = [](const Variant& v) { return v.toString().value(); };
        MemberTable<E> t("LabelPrinter");

        t.property(
            "SheetsPrinted", V::Long, Variant(std::int32_t{0}),
            [](E& e) { return Variant(e.SheetsPrinted()); },
            [](E& e, const Variant& v) { e.setSheetsPrinted(v.toLong().value()); });

        t.method("SetPageParameters",
                 {"m_pd", "m_la", "m_ld", "m_flt", "m_fll", "m_hs", "m_vs", "m_su", "m_orientation",
                  "m_PaperSetting", "m_lw", "m_lh"},
                 V::Boolean, [=](E& e, Args a) {
                     std::int16_t labelsDown = integer(a[2]);
                     std::int16_t paper = integer(a[9]);
                     const bool found =
                         e.SetPageParameters(text(a[0]), integer(a[1]), labelsDown, single(a[3]),
                                             single(a[4]), single(a[5]), single(a[6]),
                                             integer(a[7]), integer(a[8]), paper, a[10], a[11]);
                     a[2] = Variant(labelsDown);
                     a[9] = Variant(paper);
                     return Variant(found);
                 });
        t.method("SetPrinterCompensate", {"iLE", "iTE", "sWE", "sHE"}, V::Empty, [=](E& e, Args a) {
            return e.SetPrinterCompensate(integer(a[0]), integer(a[1]), single(a[2]), single(a[3]));
        });
        t.method("SetCopies", {"NumCopies"}, V::Boolean,
                 [=](E& e, Args a) { return Variant(e.SetCopies(integer(a[0]))); });
        t.method("oldSetCopies", {"NumCopies"}, V::Boolean,
                 [=](E& e, Args a) { return Variant(e.oldSetCopies(integer(a[0]))); });
        t.method("CheckCopies", {"handle"}, V::Empty, [](E& e, Args a) {
            std::int32_t printer = a[0].toLong().valueOr(0);
            Variant result = e.CheckCopies(printer);
            a[0] = Variant(printer);
            return result;
        });
        t.method("SetPrinter", {}, V::Empty, [](E& e, Args) { return e.SetPrinter(); });
        t.method("SetPaperSize", {"ps"}, V::Empty,
                 [=](E& e, Args a) { return e.SetPaperSize(integer(a[0])); });
        t.method("CheckDriverCompatability", {"lcPrinter", "n"}, V::Integer, [=](E& e, Args a) {
            return Variant(e.CheckDriverCompatability(text(a[0]), integer(a[1])));
        });

        t.method("StartRun", {"s"}, V::Boolean,
                 [=](E& e, Args a) { return Variant(e.StartRun(text(a[0]))); });
        t.method("PrintLabel", {"xlabel", "quan"}, V::Boolean, [=](E& e, Args a) {
            return Variant(e.PrintLabel(formArgument(a[0]), integer(a[1])));
        });
        t.method("PrintMeta", {"theMeta", "quan", "Flashmeta"}, V::Boolean, [=](E& e, Args a) {
            return Variant(e.PrintMeta(handle(a[0]), integer(a[1]), handle(a[2])));
        });
        t.method("PrintControl", {"theControl"}, V::Empty, [](E& e, Args a) {
            withElement(a[0], [&](PrintableElement& element) { e.PrintControl(element); });
            return Variant();
        });
        t.method("AddToMeta", {"theMeta", "theControl"}, V::Empty, [](E& e, Args a) {
            const HDC meta = handle(a[0]);
            withElement(a[1], [&](PrintableElement& element) { e.AddToMeta(meta, element); });
            return Variant();
        });
        t.method("EndMeta", {"theMeta"}, V::Long, [](E& e, Args a) {
            return Variant(static_cast<std::int32_t>(e.EndMeta(handle(a[0]))));
        });
        t.method("DeleteMeta", {"theMeta"}, V::Boolean,
                 [](E& e, Args a) { return Variant(e.DeleteMeta(handle(a[0]))); });
        t.method("EndRun", {}, V::Boolean, [](E& e, Args) { return Variant(e.EndRun()); });
        t.method("KillRun", {}, V::Empty, [](E& e, Args) {
            e.KillRun();
            return Variant();
        });
        t.method("Benddoc", {}, V::Boolean, [](E& e, Args) { return Variant(e.Benddoc()); });
        return t;
    }();
    return table;
}

} // namespace bw
