#include "framework/PrinterProfile.h"

#include <utility>

namespace bw {

PrinterProfile PrinterProfile::builtinPdf() {
    PrinterProfile p;
    p.name = "PDF";
    p.port = "out/labels.pdf";
    p.format = "pdf";
    p.papers = {{DMPAPER_LETTER, {215.9, 279.4}},
                {DMPAPER_LEGAL, {215.9, 355.6}},
                {DMPAPER_A4, {210.0, 297.0}}};
    return p;
}

std::optional<PaperSize> PrinterProfile::paperFor(const DEVMODE& settings) const {
    PaperSize paper;
    if (settings.dmPaperSize == DMPAPER_USER) {
        if (!customSize || settings.dmPaperWidth <= 0 || settings.dmPaperLength <= 0)
            return std::nullopt;
        paper = {settings.dmPaperWidth / 10.0, settings.dmPaperLength / 10.0};
    } else {
        const auto it = papers.find(settings.dmPaperSize);
        if (it == papers.end()) return std::nullopt;
        paper = it->second;
    }
    if (settings.dmOrientation == DMORIENT_LANDSCAPE) std::swap(paper.widthMM, paper.heightMM);
    return paper;
}

} // namespace bw
