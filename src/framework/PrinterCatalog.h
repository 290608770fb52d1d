#pragma once
// The installed printers, in a fixed order: the built-in PDF printer, the virtual printers of
// the printers file, then the CUPS destinations.

#include "framework/PrinterProfile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class PrinterCatalog {
public:
    // Reads the printers file (BWCTRLS_PRINTERS, else printers.json in the data directory) and
    // asks CUPS for its destinations. A malformed printers file is reported in `problems` and
    // its printers are left out; the built-in PDF printer is always there.
    static PrinterCatalog load();
    // The built-in printer and the printers of one file only (no CUPS), for tests and tools.
    static PrinterCatalog fromFile(const std::filesystem::path& printersFile);

    const std::vector<PrinterProfile>& printers() const { return printers_; }
    // The printer of exactly that device name (letter case counts, as device names do).
    std::optional<PrinterProfile> find(std::string_view name) const;
    const std::vector<std::string>& problems() const { return problems_; }

    // Parses the JSON text of a printers file; throws std::runtime_error naming what is wrong.
    static std::vector<PrinterProfile> parsePrintersFile(std::string_view json);

private:
    std::vector<PrinterProfile> printers_;
    std::vector<std::string> problems_;
    void addFile(const std::filesystem::path& file);
    void addCupsDestinations();
};

} // namespace bw
