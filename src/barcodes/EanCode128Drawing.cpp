// EanCode128: the layout of the box beneath the symbol, and frame and bars in device pixels,
// in the designer as on the printer.

#include "barcodes/EanCode128.h"
#include "barcodes/ScopedPixelMapping.h"
#include "framework/Orientation.h"
#include "framework/Rounding.h"
#include "framework/ScopedOriginShift.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace bw {

namespace {

// The area, module and quiet zone in device pixels.
struct BarFrame {
    int width;
    int height;
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

// Each bar (a run of dark modules) is one rectangle over its modules' cells, module i covering
// [i m, (i + 1) m) past the quiet zone (from the far edge when upside down or up). On the
// printer m is a whole number of dots; in the designer a module may be narrower than a screen
// pixel, and a bar is then one pixel wide, so that the symbol still shows. The bars stop at 0.8
// of the side, where the box begins; free-form bars in the designer run the whole side.
void fillBars(BarcodeCanvas& canvas, const BarFrame& f, std::span<const std::uint8_t> bars,
              bool wholeSide) {
    if (!(f.module > 0)) return; // narrower than its modules: no symbol is better than a smear
    const auto at = [](double v) { return roundToInt(v); };
    const int W = f.width;
    const int H = f.height;
    const int across = wholeSide ? 0 : at(0.2 * (f.orientation == orientations::down ? W : H));
    const ScopedOriginShift shift = quietZoneShift(canvas.hdc(), f);
    for (std::size_t a = 0; a < bars.size(); ++a) {
        if (!bars[a]) continue;
        std::size_t b = a;
        while (b + 1 < bars.size() && bars[b + 1]) ++b;
        const int lo = at(static_cast<double>(a) * f.module);
        const int hi = std::max(lo + 1, at(static_cast<double>(b + 1) * f.module));
        switch (f.orientation) {
        case orientations::down:
            canvas.bar({across, lo, W, hi});
            break;
        case orientations::UpSideDown:
            canvas.bar({W - hi, across, W - lo, H});
            break;
        case orientations::Up:
            canvas.bar({0, H - hi, wholeSide ? W : at(0.8 * W), H - lo});
            break;
        default:
            canvas.bar({lo, 0, hi, wholeSide ? H : at(0.8 * H)});
            break;
        }
        a = b;
    }
}

} // namespace

void EanCode128::layOut(const DotPitch& pitch) {
    holdBoxes();
    AutoText& box = autoText1();
    box.setText(hasSymbol() ? readableText_ : std::string());
    layout_ = Code128Layout::compute({.areaWidth = double(AreaWidth()),
                                      .areaHeight = double(AreaHeight()),
                                      .printWidth = PWidth(),
                                      .printHeight = PHeight(),
                                      .twipsPerDotX = pitch.x,
                                      .twipsPerDotY = pitch.y,
                                      .orientation = orientation(),
                                      .symbolValues = codes_.size(),
                                      .screenTwipsX = host().twipsPerPixelX(),
                                      .screenTwipsY = host().twipsPerPixelY(),
                                      .freeForm = freeForm()});
    box.setPLeft(layout_.boxPLeft);
    box.setPTop(layout_.boxPTop);
    box.setPWidth(layout_.boxPWidth);
    box.setPHeight(layout_.boxPHeight);
    // The box fits its line now, measured on the printer.
    box.setAutoRefresh(true);
}

void EanCode128::paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width,
                       int height, const BarcodeFrame& frame) {
    canvas.frame(width, height, frame);
    if (!hasSymbol()) return;
    // The module along the symbol's axis, in that axis's pixels.
    const double scale =
        std::abs(Orientation(orientation()).swapsAxes() ? pixels.scaleY() : pixels.scaleX());
    const double module = layout_.moduleWidth * scale;
    const BarFrame f{width, height, module, roundToInt(11 * module), orientation()};
    fillBars(canvas, f, bars_, freeForm() && !frame.onPrinter);
}

} // namespace bw
