// ITFCode: the layout of the digit box under a symbol of whole-dot width units, and the
// drawing of bearer bars and bars.

#include "barcodes/ITFCode.h"
#include "barcodes/ScopedPixelMapping.h"
#include "framework/Orientation.h"

namespace bw {

void ITFCode::layOut(const DotPitch& pitch) {
    holdBoxes();
    AutoText& digits = box(0);
    digits.setText(encoding_.hasSymbol() ? encoding_.readableText : std::string());
    const double W = AreaWidth();
    const double H = AreaHeight();
    const int n = encoding_.digitCount();
    const int units = ItfSymbolLayout::unitCount(n);
    unitWidth_ = Orientation(orientation()).swapsAxes()
                     ? DotPitch::unitWidth(PHeight(), pitch.y, units, H)
                     : DotPitch::unitWidth(PWidth(), pitch.x, units, W);
    widths_ = ItfSymbolLayout::widths(unitWidth_, n);
    digitPlace(0).place(ItfSymbolLayout::textBox(orientation(), W, H, widths_));
    digits.setAutoRefresh(true);
}

// The widths come again from the unit in pixels, which is a whole number of dots on the
// printer, rather than from the widths rounded in twips.
void ITFCode::paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width, int height,
                    const BarcodeFrame& frame) {
    canvas.frame(width, height, frame);
    if (!encoding_.hasSymbol()) return;
    const bool alongY = Orientation(orientation()).swapsAxes();
    const double unit = unitWidth_ * (alongY ? pixels.scaleY() : pixels.scaleX());
    const ItfWidths w = ItfSymbolLayout::widths(unit, encoding_.digitCount());
    const AutoText& digits = box(0);
    const int boxHeight = pixels.toPixelsY(digits.PHeight());
    const int boxWidth = pixels.toPixelsX(digits.PWidth());
    for (const RECT& bar : ItfSymbolLayout::bars(encoding_.widthFlags, orientation(), width, height,
                                                 w, boxHeight, boxWidth))
        canvas.bar(bar);
}

} // namespace bw
