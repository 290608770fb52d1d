#pragma once
// The current printer of the process, as the host runtime's printer object: the printer the
// elements measure on and the print engine prints to. It starts as the built-in PDF printer
// with A4 portrait paper and one copy.

#include "framework/GdiTypes.h"
#include "framework/PrinterProfile.h"

namespace bw {

class CurrentPrinter {
public:
    static CurrentPrinter& instance();

    const PrinterProfile& profile() const { return profile_; }
    const DEVMODE& settings() const { return settings_; }
    // Makes `printer` current with its default settings; the previous context is deleted, so
    // the printer's context handle changes, as it does when the host selects another printer.
    void select(const PrinterProfile& printer);
    // Applies paper, orientation and copies to the printer's context; false when the printer
    // does not take them (the settings then stay as they were).
    bool applySettings(const DEVMODE& settings);
    // The printer's device context, made on first use.
    HDC hdc();

private:
    CurrentPrinter();
    PrinterProfile profile_;
    DEVMODE settings_;
    HDC hdc_ = 0;
};

} // namespace bw
