// EANCode: the layout of the digit boxes around a symbol of whole-dot modules.

#include "barcodes/EANCode.h"
#include "barcodes/EanSymbolLayout.h"
#include "barcodes/ScopedPixelMapping.h"
#include "framework/Orientation.h"

#include <algorithm>

namespace bw {

void EANCode::layOut(const DotPitch& pitch) {
    holdBoxes();
    const int tx = host().twipsPerPixelX();
    const int ty = host().twipsPerPixelY();
    const EanEncoding& e = encoding_;
    const bool texts = e.hasSymbol();
    box(0).setText(texts ? e.leftDigits : std::string());
    box(1).setText(texts ? e.rightDigits : std::string());
    box(2).setText(texts ? e.leadDigit : std::string());
    box(3).setText(texts ? e.trailDigit : std::string());

    const double W = AreaWidth();
    const double H = AreaHeight();
    // A type EANCode does not draw keeps the layout it had.
    if (const int modules = EanSymbolLayout::moduleCount(type())) {
        moduleWidth_ = Orientation(orientation()).swapsAxes()
                           ? DotPitch::unitWidth(PHeight(), pitch.y, modules, H)
                           : DotPitch::unitWidth(PWidth(), pitch.x, modules, W);
        const auto places =
            EanSymbolLayout::digitBoxes(type(), orientation(), W, H, moduleWidth_, tx, ty);
        for (std::size_t i = 0; i < places.size(); ++i) digitPlace(i).place(places[i]);
    }

    // The half-digit boxes fit their digits; the single digits, which have room for a larger
    // font, are held to the size the right half fitted, so that all digits match.
    box(0).setAutoRefresh(true);
    box(1).setAutoRefresh(true);
    const std::int16_t fitted = std::min(box(1).FontMaximum(), box(1).TextHeight());
    for (std::size_t i : {std::size_t{2}, std::size_t{3}}) {
        box(i).setFontMinimum(box(1).FontMinimum());
        box(i).setFontMaximum(fitted);
        box(i).setAutoRefresh(true);
    }
}

void EANCode::paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width, int height,
                    const BarcodeFrame& frame) {
    canvas.frame(width, height, frame);
    if (!encoding_.hasSymbol()) return;
    const bool alongY = Orientation(orientation()).swapsAxes();
    const double m = moduleWidth_ * (alongY ? pixels.scaleY() : pixels.scaleX());
    for (const RECT& bar :
         EanSymbolLayout::bars(encoding_.modules, orientation(), width, height, m))
        canvas.bar(bar);
}

} // namespace bw
