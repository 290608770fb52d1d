#include "barcodes/BarcodeCanvas.h"

#include "framework/Gdi.h"
#include "framework/ScopedSelect.h"

namespace bw {

LOGPEN BarcodeFrame::pen() const {
    const COLORREF border = borderStyle == BorderStyles::bsSingleline ? textColor : backColor;
    if (onPrinter) return {PS_INSIDEFRAME, 1, border};
    if (focused) return {selected ? PS_DASHDOT : PS_DOT, 1, textColor};
    if (selected) return {PS_DASH, 1, textColor};
    return {PS_SOLID, 1, border};
}

BarcodeCanvas::BarcodeCanvas(HDC hdc, COLORREF ink) : hdc_(hdc), ink_(gdi::CreateSolidBrush(ink)) {}

void BarcodeCanvas::frame(int width, int height, const BarcodeFrame& how) {
    const LOGPEN pen = how.pen();
    const ScopedSelect brush(hdc_, UniqueGdiObject(gdi::CreateSolidBrush(how.backColor)));
    const ScopedSelect outline(
        hdc_, UniqueGdiObject(gdi::CreatePen(pen.lopnStyle, pen.lopnWidth, pen.lopnColor)));
    gdi::Rectangle(hdc_, 0, 0, width, height);
}

void BarcodeCanvas::bar(const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    gdi::FillRect(hdc_, r, ink_.get());
}

} // namespace bw
