#include "printing/PrintDialog.h"

#include "framework/CurrentPrinter.h"

namespace bw {

std::string PrintDialog::ChoosePrinter() {
    host_.printerDialog(dialogTitle, false);
    return DefaultPrinterName();
}

std::int32_t PrintDialog::DefaultPrinterHdc() {
    // Handles travel as Longs through the interface.
    return static_cast<std::int32_t>(CurrentPrinter::instance().hdc());
}

std::string PrintDialog::DefaultPrinterName() {
    return CurrentPrinter::instance().profile().name;
}

const MemberTable<PrintDialog>& PrintDialog::memberTable() {
    static const MemberTable<PrintDialog> table = [] {
        using V = VariantType;
        using E = PrintDialog;
        MemberTable<E> t("PrintDialog");
        t.method("ChoosePrinter", {}, V::String,
                 [](E& e, std::span<Variant>) { return Variant(e.ChoosePrinter()); });
        t.method("DefaultPrinterHdc", {}, V::Long,
                 [](E& e, std::span<Variant>) { return Variant(e.DefaultPrinterHdc()); });
        t.method("DefaultPrinterName", {}, V::String,
                 [](E& e, std::span<Variant>) { return Variant(e.DefaultPrinterName()); });
        return t;
    }();
    return table;
}

} // namespace bw
