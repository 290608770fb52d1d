#include "host/PageSetUp.h"

#include "framework/PrinterCatalog.h"
#include "host/CommandError.h"

namespace bw::host {

std::string PageSetUp::installedPrinters() {
    std::string text = "installed printers:";
    const PrinterCatalog catalog = PrinterCatalog::load();
    for (const PrinterProfile& p : catalog.printers()) text += "\n  " + p.name;
    return text;
}

void PageSetUp::apply(LabelPrinter& engine, const LabelPage& page,
                      const std::optional<LabelCompensation>& compensation,
                      const std::string& printer) {
    // The engine may rewrite these two for its caller; the file keeps what it says.
    std::int16_t down = page.down;
    std::int16_t paper = page.paper;
    bool found = false;
    try {
        found =
            engine.SetPageParameters(printer, page.across, down, page.firstTop, page.firstLeft,
                                     page.hPitch, page.vPitch, page.unit, page.orientation, paper,
                                     Variant(page.labelWidth), Variant(page.labelHeight));
        if (found && compensation)
            engine.SetPrinterCompensate(compensation->left, compensation->top,
                                        compensation->hPitchFactor, compensation->vPitchFactor);
    } catch (const std::exception& e) {
        throw CommandError(ExitCode::Failure,
                           "the page could not be set up on \"" + printer + "\": " + e.what());
    }
    if (!found)
        throw CommandError(ExitCode::NoSuchPrinter,
                           "no printer is named \"" + printer + "\"; " + installedPrinters());
}

} // namespace bw::host
