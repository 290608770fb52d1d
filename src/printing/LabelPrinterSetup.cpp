// LabelPrinter: page set-up. The printer is chosen and configured, its context mapped so that
// one logical unit is one twip, and the label description converted into twip geometry.

#include "framework/CaseFold.h"
#include "framework/Gdi.h"
#include "framework/Guarded.h"
#include "framework/PrinterCatalog.h"
#include "framework/ScopedSelect.h"
#include "printing/DeviceMapping.h"
#include "printing/LabelPrinter.h"
#include "printing/LabelPrinterDetail.h"

#include <cmath>
#include <vector>

namespace bw {

using detail::failPrinter;
using detail::wholeTwips;

namespace {

// The factors are the system's own: the millimetre factor is a single-precision constant,
// not 1440 / 25.4, and every stored length depends on it.
float twipsPerUnit(std::int32_t unit) {
    constexpr float millimetre = 56.69286f;
    switch (unit) {
    case 5:
        return 1440.0f;
    case 6:
        return millimetre;
    case 7:
        return 10 * millimetre;
    default:
        return 0.0f;
    }
}

// The printer's own conversion of a length in `unit` to twips (its scale modes).
double printerTwips(double value, std::int32_t unit, int dpi, bool horizontal) {
    switch (unit) {
    case 1:
        return value;
    case 2:
        return value * 20;
    case 3:
        if (dpi <= 0) failPrinter("no resolution");
        return value * 1440 / dpi;
    case 4:
        return value * (horizontal ? 120 : 240);
    case 5:
        return value * 1440;
    case 6:
        return value * 1440 / 25.4;
    case 7:
        return value * 14400 / 25.4;
    case 8:
        return value * 1440 / 2540;
    default:
        throw HostError(err::invalidProcedureCall, "Invalid procedure call or argument");
    }
}

int tenthsOfMillimetre(std::int32_t twips) {
    return roundToInt(twips * 254.0 / 1440.0);
}

// Steps whose failure leaves the printer as it was and lets set-up go on.
template <class F>
void ignoringFailure(F&& step) {
    try {
        step();
    } catch (...) {
    }
}

constexpr float landscapeLegalShift = 3326.0f;

} // namespace

bool LabelPrinter::SetPageParameters(const std::string& m_pd, std::int16_t m_la, std::int16_t& m_ld,
                                     float m_flt, float m_fll, float m_hs, float m_vs,
                                     std::int16_t m_su, std::int16_t m_orientation,
                                     std::int16_t& m_PaperSetting, const Variant& m_lw,
                                     const Variant& m_lh) {
    flash_.FlashMode = false;
    bool copiesAllowed = true;
    if (m_PaperSetting > 16) {
        m_PaperSetting = static_cast<std::int16_t>(m_PaperSetting - 16);
        copiesAllowed = false;
    }

    std::optional<PrinterProfile> found;
    try {
        found = PrinterCatalog::load().find(m_pd);
    } catch (...) {
        reportFailure(host_, "LabelPrinter:Set Page Parameters");
        throw HostError(untrappedError, "Untrapped Error", "BW:LabelPrinter:SetPageParameters");
    }
    if (!found) {
        host_.messageBox("Invalid Printer Name: " + m_pd, msgbox::okOnly);
        return false;
    }
    // The same printer keeps its context, so a document open on it is not lost.
    if (printer_.profile().name != found->name) printer_.select(*found);

    PageGeometry& g = geometry_;
    ignoringFailure([&] {
        const PrinterProfile& p = printer_.profile();
        g.MaxCopies = gdi::DeviceCapabilities(p.name, p.port, DC_COPIES);
    });
    g.DriverCopies = copiesAllowed && g.MaxCopies > 0;
    ignoringFailure([&] {
        DEVMODE single = printer_.settings();
        single.dmCopies = 1;
        printer_.applySettings(single);
    });
    if (const auto perSheet = toInt16(double(m_la) * m_ld)) {
        g.LabelsPerSheet = *perSheet;
    } else {
        // A sheet too large to count cannot be repeated by the driver either.
        g.LabelsPerSheet = 0;
        g.DriverCopies = false;
    }

    ignoringFailure([&] {
        if (m_PaperSetting == 3)
            setCustomPaper(m_vs, m_hs, m_lw, m_lh, m_su);
        else
            setPaper(m_PaperSetting, m_ld);
    });
    ignoringFailure([&] {
        if (m_orientation != DMORIENT_PORTRAIT && m_orientation != DMORIENT_LANDSCAPE) return;
        DEVMODE turned = printer_.settings();
        turned.dmOrientation = m_orientation;
        printer_.applySettings(turned);
    });

    mapPrinterContext();

    page_ = PageParameters{m_la,
                           m_ld,
                           m_flt,
                           m_fll,
                           m_hs,
                           m_vs,
                           m_su,
                           m_lw.toSingle().value(),
                           m_lh.toSingle().value()};
    ReCalcTwipsPage();
    return true;
}

void LabelPrinter::setPaper(std::int16_t setting, std::int16_t& m_ld) {
    DEVMODE s = printer_.settings();
    switch (setting) {
    case 1:
        s.dmPaperSize = DMPAPER_A4;
        break;
    case 2:
        s.dmPaperSize = DMPAPER_LEGAL;
        break;
    case 4:
        // Pre-defined stock: the caller's labels-down carries the paper code, one label a sheet.
        s.dmPaperSize = m_ld;
        printer_.applySettings(s);
        m_ld = 1;
        geometry_.LabelsPerSheet = 1;
        return;
    case 5:
        s.dmPaperSize = DMPAPER_LETTER;
        break;
    default:
        return;
    }
    printer_.applySettings(s);
}

void LabelPrinter::setCustomPaper(float m_vs, float m_hs, const Variant& m_lw, const Variant& m_lh,
                                  std::int16_t m_su) {
    const HDC hdc = printer_.hdc();
    const float height = m_vs > 0 ? m_vs : m_lh.toSingle().value();
    const auto heightTwips =
        static_cast<float>(printerTwips(height, m_su, gdi::GetDeviceCaps(hdc, LOGPIXELSY), false));
    const float width = m_hs > 0 ? m_hs : m_lw.toSingle().value();
    const auto widthTwips =
        static_cast<float>(printerTwips(width, m_su, gdi::GetDeviceCaps(hdc, LOGPIXELSX), true));

    DEVMODE s = printer_.settings();
    s.dmPaperSize = DMPAPER_USER;
    s.dmPaperLength = tenthsOfMillimetre(wholeTwips(heightTwips));
    s.dmPaperWidth = tenthsOfMillimetre(wholeTwips(widthTwips));
    printer_.applySettings(s);

    // The height as the driver now holds it (unturned, as it was set).
    DEVMODE unturned = printer_.settings();
    unturned.dmOrientation = DMORIENT_PORTRAIT;
    const auto paper = printer_.profile().paperFor(unturned);
    const double heightRead = paper ? paper->heightMM * 1440 / 25.4 : 0;
    if (std::abs(heightTwips - heightRead) > heightRead / 100)
        host_.messageBox("Printer driver did not accept height settings\r\n"
                         "Use Printer Calibration to set Printer to use pre-defined labels",
                         msgbox::okOnly);
}

void LabelPrinter::mapPrinterContext() {
    const HDC hdc = printer_.hdc();
    if (!hdc) failPrinter(printer_.profile().name + " has no device context");
    const int dpiX = gdi::GetDeviceCaps(hdc, LOGPIXELSX);
    const int dpiY = gdi::GetDeviceCaps(hdc, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) failPrinter(printer_.profile().name + " has no resolution");
    PageGeometry& g = geometry_;
    g.PageWidthDevice = gdi::GetDeviceCaps(hdc, HORZRES);
    g.PageHeightDevice = gdi::GetDeviceCaps(hdc, VERTRES);
    g.PageWidthTwips = wholeTwips(g.PageWidthDevice * 1440.0 / dpiX);
    g.PageHeightTwips = wholeTwips(g.PageHeightDevice * 1440.0 / dpiY);
    g.PageWidthMM = gdi::GetDeviceCaps(hdc, HORZSIZE);
    g.PageHeightMM = gdi::GetDeviceCaps(hdc, VERTSIZE);
    gdi::SetMapMode(hdc, MM_TWIPS);
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    // Both y extents negative: y grows downwards from the printable area's top-left corner.
    if (!gdi::SetWindowExtEx(hdc, g.PageWidthTwips, -g.PageHeightTwips) ||
        !gdi::SetViewportExtEx(hdc, g.PageWidthDevice, -g.PageHeightDevice))
        failPrinter("the printable area of " + printer_.profile().name + " is empty");
}

void LabelPrinter::ReCalcTwipsPage() {
    guarded(host_, "LabelPrinter:ReCalcTwipsPage", [&] {
        run_.offsetApplied = false;
        PageGeometry& g = geometry_;
        g.LabelsAcross = page_.la;
        g.LabelsDown = page_.ld;
        const float f = twipsPerUnit(page_.su);
        g.FirstTop = f * page_.flt;
        g.FirstLeft = f * page_.fll;
        const DEVMODE& s = printer_.settings();
        if (s.dmOrientation == DMORIENT_LANDSCAPE && s.dmPaperSize == DMPAPER_LEGAL)
            g.FirstLeft += landscapeLegalShift;
        g.PitchX = f * page_.hs;
        g.PitchY = f * page_.vs;
        g.LabelWidth = f * page_.lw;
        g.LabelHeight = f * page_.lh;

        const HDC hdc = printer_.hdc();
        const std::int32_t width = wholeTwips(g.LabelWidth);
        const std::int32_t height = wholeTwips(g.LabelHeight);
        g.LabelWidthDevice = wholeTwips(width * double(gdi::GetDeviceCaps(hdc, LOGPIXELSX)) / 1440);
        g.LabelHeightDevice =
            wholeTwips(height * double(gdi::GetDeviceCaps(hdc, LOGPIXELSY)) / 1440);
        g.recordingWindow = RECT{0, 0, width, height};
        g.recordingViewport = RECT{0, 0, g.LabelWidthDevice, g.LabelHeightDevice};

        // Compensation moves the first label and stretches the pitch, never the label.
        g.FirstTop += compensation_.iTE * f;
        g.FirstLeft += compensation_.iLE * f;
        g.PitchX = compensation_.sWE * g.PitchX;
        g.PitchY = compensation_.sHE * g.PitchY;
    });
}

Variant LabelPrinter::SetPrinterCompensate(std::int16_t iLE, std::int16_t iTE, float sWE,
                                           float sHE) {
    compensation_ = Compensation{iLE, iTE, sWE, sHE};
    ReCalcTwipsPage();
    return {};
}

bool LabelPrinter::SetCopies(std::int16_t NumCopies) {
    guarded(host_, "LabelPrinter:SetCopies", [&] {
        if (printer_.settings().dmCopies == NumCopies) return;
        const HDC hdc = printer_.hdc();
        const DeviceMapping kept = DeviceMapping::read(hdc);
        DEVMODE s = printer_.settings();
        s.dmCopies = NumCopies;
        const bool taken = printer_.applySettings(s);
        kept.apply(hdc);
        if (!taken) failPrinter("the driver did not take " + std::to_string(NumCopies) + " copies");
    });
    return false;
}

Variant LabelPrinter::CheckCopies(std::int32_t& handle) {
    guarded(host_, "LabelPrinter:Check copies", [&] {
        Handle driver = 0;
        const bool opened = gdi::OpenPrinter(printer_.profile().name, &driver);
        handle = static_cast<std::int32_t>(driver);
        if (!opened) return;
        struct Closer {
            Handle h;
            ~Closer() { gdi::ClosePrinter(h); }
        } const closer{driver};
        DEVMODE record;
        if (gdi::DocumentProperties(driver, &record, nullptr) <= 0)
            failPrinter("the driver gave no settings");
        host_.messageBox("copy count is: " + std::to_string(record.dmCopies), msgbox::okOnly);
    });
    return {};
}

Variant LabelPrinter::SetPrinter() {
    host_.printerDialog({}, false);
    return {};
}

Variant LabelPrinter::SetPaperSize(std::int16_t ps) {
    calibrationPaperSize_ = ps;
    return {};
}

std::int16_t LabelPrinter::CheckDriverCompatability(const std::string& lcPrinter, std::int16_t n) {
    constexpr std::int16_t notSelected = -2;
    if (n != 1) return notSelected;
    const PrinterCatalog catalog = PrinterCatalog::load();
    const PrinterProfile* match = nullptr;
    for (const PrinterProfile& p : catalog.printers())
        if (iequals(p.name, lcPrinter)) {
            match = &p;
            break;
        }
    if (!match) return notSelected;
    if (printer_.profile().name != match->name) printer_.select(*match);

    const HDC hdc = printer_.hdc();
    LOGFONT font;
    if (!gdi::GetObject(gdi::GetCurrentObject(hdc, OBJ_FONT), font))
        failPrinter("no font is selected on " + match->name);
    font.lfFaceName = "Arial";
    font.lfWidth = 0;
    font.lfWeight = 0;
    // The first digit's width at two heights: a driver that scales fonts gives two widths.
    const auto firstExtent = [&](int height, int maxExtent) {
        font.lfHeight = height;
        const ScopedSelect selected(hdc, UniqueGdiObject(gdi::CreateFontIndirect(font)));
        std::vector<int> partial;
        int fit = 0;
        if (!selected.selected() ||
            !gdi::GetTextExtentExPoint(hdc, "0 1 2 3 4 5 6 7 8 9", maxExtent, &fit, &partial,
                                       nullptr) ||
            partial.empty())
            failPrinter("text cannot be measured on " + match->name);
        return partial.front();
    };
    const int large = firstExtent(400, 3000);
    const int small = firstExtent(200, 1500);
    return large == small ? 2 : 1;
}

} // namespace bw
