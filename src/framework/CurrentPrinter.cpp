#include "framework/CurrentPrinter.h"

#include "framework/Gdi.h"

namespace bw {

namespace {

DEVMODE defaultSettings(const PrinterProfile& printer) {
    DEVMODE s;
    s.dmDeviceName = printer.name;
    s.dmPaperSize = printer.papers.contains(DMPAPER_A4) || printer.papers.empty()
                        ? DMPAPER_A4
                        : printer.papers.begin()->first;
    return s;
}

} // namespace

CurrentPrinter& CurrentPrinter::instance() {
    static CurrentPrinter printer;
    return printer;
}

CurrentPrinter::CurrentPrinter()
    : profile_(PrinterProfile::builtinPdf()), settings_(defaultSettings(profile_)) {}

void CurrentPrinter::select(const PrinterProfile& printer) {
    if (hdc_) gdi::DeleteDC(hdc_);
    hdc_ = 0;
    profile_ = printer;
    settings_ = defaultSettings(printer);
}

bool CurrentPrinter::applySettings(const DEVMODE& settings) {
    DEVMODE s = settings;
    s.dmDeviceName = profile_.name;
    if (!profile_.paperFor(s)) return false;
    if (hdc_ && !gdi::ResetDC(hdc_, s)) return false;
    settings_ = s;
    return true;
}

HDC CurrentPrinter::hdc() {
    if (!hdc_) hdc_ = gdi::CreatePrinterDC(profile_, settings_);
    return hdc_;
}

} // namespace bw
