#include "host/SamplePage.h"

#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "framework/Rounding.h"

#include <array>
#include <cmath>

namespace bw::host {

using namespace bw::gdi;

namespace {

constexpr int twipsPerMM100 = 1440; // twips per inch; 2540 hundredths of a millimetre per inch

int mmToTwips(double mm) {
    return roundToInt(mm * 1440.0 / 25.4);
}

// Maps the printer so one logical unit is one twip with y running down the page.
void mapTwips(HDC hdc) {
    const int w = GetDeviceCaps(hdc, HORZRES);
    const int h = GetDeviceCaps(hdc, VERTRES);
    const int dpiX = GetDeviceCaps(hdc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(hdc, LOGPIXELSY);
    SetMapMode(hdc, MM_TWIPS);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, w * twipsPerMM100 / dpiX, -(h * twipsPerMM100 / dpiY));
    SetViewportExtEx(hdc, w, -h);
}

void drawText(HDC hdc, int x, int y, int height, int weight, std::string_view text) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfFaceName = "Arial";
    const HFONT font = CreateFontIndirect(lf);
    const HGDIOBJ previous = SelectObject(hdc, font);
    TextOut(hdc, x, y, text);
    SelectObject(hdc, previous);
    DeleteObject(font);
}

// A 99.1 × 38.1 mm food label: frame, product name, ingredients, a bar pattern.
void drawLabel(HDC hdc) {
    const int w = mmToTwips(99.1);
    const int h = mmToTwips(38.1);
    const HPEN frame = CreatePen(PS_INSIDEFRAME, 15, RGB(0, 0, 0));
    const HGDIOBJ oldPen = SelectObject(hdc, frame);
    const HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(hdc, 0, 0, w, h);
    SetBkMode(hdc, TRANSPARENT);
    drawText(hdc, 120, 90, 360, 700, "Farmhouse Cheddar");
    const std::array<std::string_view, 3> lines{"Ingredients: pasteurised cow's MILK, salt,",
                                                "starter cultures, vegetarian rennet.",
                                                "Best before: 14 JAN 2027   Lot 0041"};
    int y = 520;
    for (std::string_view line : lines) {
        drawText(hdc, 120, y, 200, 0, line);
        y += 230;
    }
    // Bars of whole twips, as a barcode element lays them out.
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    for (int i = 0; i < 40; ++i) {
        const int x = 3600 + i * 45;
        if ((i * 7) % 3 != 0) FillRect(hdc, RECT{x, 1250, x + 30, 1950}, black);
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(black);
    DeleteObject(frame);
}

} // namespace

std::string writeSamplePage(const std::filesystem::path& output) {
    const PrinterProfile printer = PrinterProfile::builtinPdf();
    DEVMODE settings;
    settings.dmPaperSize = DMPAPER_A4;
    const HDC hdc = CreatePrinterDC(printer, settings);
    if (!hdc) return "the PDF printer could not be opened";
    if (StartDoc(hdc, DOCINFO{"Sample sheet", output.string()}) <= 0) {
        DeleteDC(hdc);
        return "cannot write " + output.string();
    }
    mapTwips(hdc);

    // Record the label once, in twips, with the whole printable area as its frame.
    const int pageW = GetDeviceCaps(hdc, HORZSIZE);
    const int pageH = GetDeviceCaps(hdc, VERTSIZE);
    const RECT frame{0, 0, pageW * 100, pageH * 100};
    const HDC rec = CreateEnhMetaFile(hdc, &frame, "label");
    SetMapMode(rec, MM_TWIPS);
    SetMapMode(rec, MM_ANISOTROPIC);
    SetWindowExtEx(rec, mmToTwips(99.1), mmToTwips(38.1));
    SetViewportExtEx(rec, roundToInt(99.1 / 25.4 * 600), roundToInt(38.1 / 25.4 * 600));
    drawLabel(rec);
    const HENHMETAFILE label = CloseEnhMetaFile(rec);

    // Play it into the 2 × 7 slots of the sheet.
    StartPage(hdc);
    const RECT printable{0, 0, mmToTwips(pageW), mmToTwips(pageH)};
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 2; ++col) {
            const int x = mmToTwips(4.6 + col * 101.6);
            const int y = mmToTwips(15.1 + row * 38.1);
            SetWindowOrgEx(hdc, -x, -y);
            PlayEnhMetaFile(hdc, label, printable);
        }
    }
    SetWindowOrgEx(hdc, 0, 0);
    EndPage(hdc);
    DeleteEnhMetaFile(label);
    const bool ok = EndDoc(hdc) > 0;
    DeleteDC(hdc);
    return ok ? std::string() : "writing " + output.string() + " failed";
}

} // namespace bw::host
