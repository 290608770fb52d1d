// Printer drivers: opening a printer by its device name, its device-mode record and its
// capabilities, answered from the printer catalog.

#include "framework/CurrentPrinter.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/PrinterCatalog.h"

#include <algorithm>

namespace bw::gdi {

namespace {

class PrinterDriverObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_PRINTER_DRIVER; }
    PrinterProfile printer;
    DEVMODE settings;
};

std::optional<PrinterProfile> installed(std::string_view name) {
    const PrinterProfile& current = CurrentPrinter::instance().profile();
    if (current.name == name) return current;
    return PrinterCatalog::load().find(name);
}

} // namespace

bool OpenPrinter(std::string_view deviceName, Handle* printer) {
    if (!printer) return false;
    *printer = 0;
    const auto profile = installed(deviceName);
    if (!profile) return false;
    auto driver = std::make_shared<PrinterDriverObject>();
    driver->printer = *profile;
    if (CurrentPrinter::instance().profile().name == deviceName) {
        driver->settings = CurrentPrinter::instance().settings();
    } else {
        driver->settings.dmDeviceName = profile->name;
        if (!profile->papers.empty() && !profile->papers.contains(DMPAPER_A4))
            driver->settings.dmPaperSize = profile->papers.begin()->first;
    }
    *printer = HandleTable::instance().add(std::move(driver));
    return true;
}

bool ClosePrinter(Handle printer) {
    if (!HandleTable::instance().get<PrinterDriverObject>(printer)) return false;
    return HandleTable::instance().remove(printer);
}

int DocumentProperties(Handle printer, DEVMODE* out, const DEVMODE* in) {
    const auto driver = HandleTable::instance().get<PrinterDriverObject>(printer);
    if (!driver) return -1;
    if (out) *out = driver->settings;
    if (in) {
        DEVMODE changed = *in;
        changed.dmDeviceName = driver->printer.name;
        if (!driver->printer.paperFor(changed)) return -1; // the driver refuses that paper
        changed.dmCopies = std::clamp(changed.dmCopies, 1, driver->printer.maxCopies);
        driver->settings = changed;
    }
    return 1;
}

int DeviceCapabilities(std::string_view deviceName, std::string_view /*port*/, int capability,
                       std::vector<int>* papers) {
    const auto profile = installed(deviceName);
    if (!profile) return -1;
    switch (capability) {
    case DC_COPIES:
        return profile->maxCopies;
    case DC_PAPERS:
        if (papers) {
            papers->clear();
            for (const auto& [code, size] : profile->papers) papers->push_back(code);
            if (profile->customSize) papers->push_back(DMPAPER_USER);
        }
        return static_cast<int>(profile->papers.size()) + (profile->customSize ? 1 : 0);
    default:
        return 0;
    }
}

} // namespace bw::gdi
