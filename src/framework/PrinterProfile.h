#pragma once
// What the system knows of one installed printer: how it is reached, its resolution, the
// printable area's offset, the copies its driver can make and the papers it takes.

#include "framework/GdiTypes.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace bw {

struct PaperSize {
    double widthMM = 0;
    double heightMM = 0;
};

struct PrinterProfile {
    std::string name;
    std::string port;           // the output file of pdf and png printers
    std::string format = "pdf"; // "pdf", "png", or "cups" (rendered to PDF, then submitted)
    int dpiX = 600;
    int dpiY = 600;
    int offsetX = 0; // physical offset of the printable area, device units
    int offsetY = 0;
    int maxCopies = 999;
    bool customSize = true;
    bool scalesFonts = true;
    std::map<int, PaperSize> papers; // by paper code

    // The built-in PDF printer: 600 dpi, no offset, A4, Letter, Legal and custom sizes.
    static PrinterProfile builtinPdf();
    // The paper the settings ask for in the orientation they ask for; none when the printer
    // does not take that paper.
    std::optional<PaperSize> paperFor(const DEVMODE& settings) const;
};

constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_LEGAL = 5;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_USER = 256;

} // namespace bw
