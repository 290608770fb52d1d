// EanCode128: the layout, the design view on the element's own window (twips) and the print
// on a printer or recording (device pixels, so that every module is a whole number of dots).

#include "barcodes/EanCode128.h"
#include "barcodes/ScopedPixelMapping.h"
#include "framework/ElementFrame.h"
#include "framework/Gdi.h"
#include "framework/Guarded.h"
#include "framework/Orientation.h"
#include "framework/PrinterMeasuringContext.h"
#include "framework/Rounding.h"
#include "framework/ScopedOriginShift.h"
#include "framework/ScopedSelect.h"

#include <cmath>
#include <cstddef>

namespace bw {

namespace {

COLORREF colourOf(std::int32_t value) {
    return static_cast<COLORREF>(value);
}

// The drawing's area, module and quiet zone, in its own units (twips or pixels).
struct BarFrame {
    double width;
    double height;
    double module;
    int quiet;
    std::int16_t orientation;
};

// Moves the bars' origin past the first quiet zone, along the symbol's axis.
ScopedOriginShift quietZoneShift(HDC hdc, const BarFrame& f) {
    switch (f.orientation) {
    case orientations::down:
        return ScopedOriginShift(hdc, 0, -f.quiet);
    case orientations::UpSideDown:
        return ScopedOriginShift(hdc, f.quiet, 0);
    case orientations::Up:
        return ScopedOriginShift(hdc, 0, f.quiet);
    default:
        return ScopedOriginShift(hdc, -f.quiet, 0);
    }
}

// Background and a one-unit frame.
void drawBackground(HDC hdc, const BarFrame& f, const LOGPEN& pen, std::int32_t backColor) {
    const ScopedSelect brush(hdc, UniqueGdiObject(gdi::CreateSolidBrush(colourOf(backColor))));
    const ScopedSelect penIn(
        hdc, UniqueGdiObject(gdi::CreatePen(pen.lopnStyle, pen.lopnWidth, pen.lopnColor)));
    gdi::Rectangle(hdc, 0, 0, roundToInt(f.width), roundToInt(f.height));
}

// The design view: one line per dark module, centred on nearest(i m), with the pen selected.
// Free-form bars run the whole side; the others stop at 0.8 of it, where the box begins.
void drawModuleLines(HDC hdc, const BarFrame& f, std::span<const std::uint8_t> bars,
                     bool wholeSide) {
    const auto at = [](double v) { return roundToInt(v); };
    const int W = at(f.width);
    const int H = at(f.height);
    const ScopedOriginShift shift = quietZoneShift(hdc, f);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (!bars[i]) continue;
        const int p = at(static_cast<double>(i) * f.module);
        switch (f.orientation) {
        case orientations::down:
            gdi::MoveToEx(hdc, wholeSide ? -W : at(0.2 * f.width), p);
            gdi::LineTo(hdc, W, p);
            break;
        case orientations::UpSideDown:
            gdi::MoveToEx(hdc, W - p, wholeSide ? -H : at(0.2 * f.height));
            gdi::LineTo(hdc, W - p, H);
            break;
        case orientations::Up:
            gdi::MoveToEx(hdc, 0, H - p);
            gdi::LineTo(hdc, wholeSide ? W : at(0.8 * f.width), H - p);
            break;
        default:
            gdi::MoveToEx(hdc, p, 0);
            gdi::LineTo(hdc, p, wholeSide ? H : at(0.8 * f.height));
            break;
        }
    }
}

// The print: each bar (a run of dark modules) is one filled rectangle over its modules' cells,
// module i covering [i m, (i + 1) m) past the quiet zone (from the far edge when upside down or
// up). Whole-pixel rectangles have square ends: nothing reaches past the element or into the box.
void fillBars(HDC hdc, const BarFrame& f, std::span<const std::uint8_t> bars, HBRUSH brush) {
    const auto at = [](double v) { return roundToInt(v); };
    if (at(f.module) <= 0) return; // narrower than its modules: no symbol is better than a smear
    const int W = at(f.width);
    const int H = at(f.height);
    const ScopedOriginShift shift = quietZoneShift(hdc, f);
    for (std::size_t a = 0; a < bars.size(); ++a) {
        if (!bars[a]) continue;
        std::size_t b = a;
        while (b + 1 < bars.size() && bars[b + 1]) ++b;
        const int lo = at(static_cast<double>(a) * f.module);
        const int hi = at(static_cast<double>(b + 1) * f.module);
        RECT r{};
        switch (f.orientation) {
        case orientations::down:
            r = {at(0.2 * f.width), lo, W, hi};
            break;
        case orientations::UpSideDown:
            r = {W - hi, at(0.2 * f.height), W - lo, H};
            break;
        case orientations::Up:
            r = {0, H - hi, at(0.8 * f.width), H - lo};
            break;
        default:
            r = {lo, 0, hi, at(0.8 * f.height)};
            break;
        }
        gdi::FillRect(hdc, r, brush);
        a = b;
    }
}

} // namespace

// ---- Layout ------------------------------------------------------------------------------

double EanCode128::areaWidth() const {
    return printArea_ ? printArea_->width : window().widthTwips();
}

double EanCode128::areaHeight() const {
    return printArea_ ? printArea_->height : window().heightTwips();
}

// While printing, the dots of the context printed on; in the designer, the current printer's.
DotPitch EanCode128::printerPitch() const {
    return printArea_ ? printArea_->pitch : DotPitch::of(PrinterMeasuringContext::prepare());
}

void EanCode128::PrepareLayout(HDC) {
    ReFormat();
}

void EanCode128::ReFormat() {
    guarded(host(), tagFor("ReFormat"), [&] {
        autoText1_.setAutoRefresh(false);
        autoText1_.setText(codeStatus_ == 0 ? readableText_ : std::string());
        const DotPitch pitch = printerPitch();
        layout_ = Code128Layout::compute(
            {.areaWidth = areaWidth(),
             .areaHeight = areaHeight(),
             .printWidth = PWidth(),
             .printHeight = PHeight(),
             .twipsPerDotX = pitch.x,
             .twipsPerDotY = pitch.y,
             .orientation = orientation(),
             .symbolValues = codes_.size(),
             .screenTwipsX = host().twipsPerPixelX(),
             .screenTwipsY = host().twipsPerPixelY(),
             .freeForm = codeType_ == static_cast<std::int16_t>(CodeTypes::ctCODE128FreeForm)});
        autoText1_.setPLeft(layout_.boxPLeft);
        autoText1_.setPTop(layout_.boxPTop);
        autoText1_.setPWidth(layout_.boxPWidth);
        autoText1_.setPHeight(layout_.boxPHeight);
        // The box fits its line now, measured on the printer.
        autoText1_.setAutoRefresh(true);
    });
}

// ---- Design view -------------------------------------------------------------------------

void EanCode128::PrintContent(HDC hdc) {
    PrintText(hdc);
}

void EanCode128::drawFrame(HDC hdc, bool, bool) {
    PrintText(hdc);
}

void EanCode128::PrintText(HDC hdc) {
    guarded(host(), tagFor("PrintText"), [&] {
        const BarFrame f{areaWidth(), areaHeight(), layout_.moduleWidth,
                         roundToInt(layout_.quietZone), orientation()};
        LOGPEN pen = ElementFrame{.focused = hasFocus(),
                                  .selected = IsSelected(),
                                  .borderStyle = BorderStyle(),
                                  .borderWidth = 1,
                                  .textColor = colourOf(TextColor()),
                                  .backColor = colourOf(BackColor())}
                         .pen();
        if (pen.lopnStyle == PS_INSIDEFRAME) pen.lopnStyle = PS_SOLID;
        drawBackground(hdc, f, pen, BackColor());
        if (codeStatus_ != 0) return;
        // A module of one printer dot is far below a screen pixel: a one-unit pen still shows it.
        const DotPitch pitch = printerPitch();
        const double dot = Orientation(orientation()).swapsAxes() ? pitch.y : pitch.x;
        const bool oneDot = std::abs(f.module - dot) <= 1e-9 * dot;
        const ScopedSelect barPen(
            hdc, UniqueGdiObject(gdi::CreatePen(PS_SOLID, oneDot ? 1 : roundToInt(f.module),
                                                colourOf(TextColor()))));
        const bool freeForm = codeType_ == static_cast<std::int16_t>(CodeTypes::ctCODE128FreeForm);
        drawModuleLines(hdc, f, bars_, freeForm);
    });
}

// ---- Print -------------------------------------------------------------------------------

void EanCode128::LPrintText(HDC hdc) {
    guarded(host(), tagFor("LPrintText"), [&] {
        const ScopedPixelMapping pixels(hdc, PLeft(), PTop());
        // The module is converted along the symbol's axis: whole dots of that axis.
        const double scale =
            std::abs(Orientation(orientation()).swapsAxes() ? pixels.scaleY() : pixels.scaleX());
        const double module = layout_.moduleWidth * scale;
        const BarFrame f{double(pixels.toPixelsX(PWidth())), double(pixels.toPixelsY(PHeight())),
                         module, roundToInt(11 * module), orientation()};
        // The selection is not printed; a focused element prints a dotted frame.
        const LOGPEN pen = ElementFrame{.focused = hasFocus(),
                                        .selected = false,
                                        .borderStyle = BorderStyle(),
                                        .borderWidth = 1,
                                        .textColor = colourOf(TextColor()),
                                        .backColor = colourOf(BackColor())}
                               .pen();
        drawBackground(hdc, f, pen, BackColor());
        const UniqueGdiObject brush(gdi::CreateSolidBrush(colourOf(TextColor())));
        fillBars(hdc, f, bars_, brush.get());
    });
}

void EanCode128::LPrint(HDC hdc) {
    bool laidOutForPrint = false;
    guarded(host(), tagFor("LPrint"), [&] {
        if (codeStatus_ != 0) return;
        // The print area holds for this call only, whatever happens in it.
        struct PrintAreaScope {
            std::optional<PrintArea>& area;
            ~PrintAreaScope() { area.reset(); }
        } const scope{printArea_};
        printArea_ = PrintArea{double(PWidth()), double(PHeight()), DotPitch::of(hdc)};
        laidOutForPrint = true;
        ReFormat();
        LPrintText(hdc);
        const ScopedOriginShift shift(hdc, -std::int64_t{PLeft()}, -std::int64_t{PTop()});
        autoText1_.LPrint(hdc);
    });
    // The box goes back to its designer layout.
    if (laidOutForPrint) ReFormat();
}

} // namespace bw
