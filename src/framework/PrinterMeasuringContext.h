#pragma once
// The default printer's context prepared for measuring text in twips: the twips mapping, then
// the anisotropic one with window extent (printable width, -printable height) in twips and
// viewport extent (printable width, -printable height) in pixels. Both y signs are negative, so
// y grows downwards and one logical unit is one twip. Layouts for the design view are measured
// here, so the designer breaks lines where the print will. Every element shares the context
// and its mapping, as they share the printer.

#include "framework/CurrentPrinter.h"
#include "framework/GdiTypes.h"

namespace bw {

class PrinterMeasuringContext {
public:
    // The printer's context with the mapping in force; it is applied again when a page start
    // or another user has changed it, and after the printer has changed. 0 when the printer
    // has no context.
    static HDC prepare(CurrentPrinter& printer = CurrentPrinter::instance());

    // Puts any printer context in the measuring mapping; false when its facts are missing.
    static bool applyMapping(HDC hdc);
};

} // namespace bw
