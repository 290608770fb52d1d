#pragma once
// The engine's page set-up from a label file's sheet: the printer (the file's or the one the
// user names), paper, grid and compensation. A printer that is not installed ends the command
// with the list of those that are.

#include "host/LabelPage.h"
#include "printing/LabelPrinter.h"

#include <optional>
#include <string>

namespace bw::host {

class PageSetUp {
public:
    // Throws CommandError (NoSuchPrinter, Failure).
    static void apply(LabelPrinter& engine, const LabelPage& page,
                      const std::optional<LabelCompensation>& compensation,
                      const std::string& printer);
    // "Installed printers:" and one indented name a line.
    static std::string installedPrinters();
};

} // namespace bw::host
