#pragma once
// What the barcode elements draw with, in device pixels (ScopedPixelMapping): the element's
// frame, and bars as exact rectangles. Bars are filled rather than drawn as wide pen lines:
// a wide pen's round ends reach half its width beyond both ends of the line, over the frame,
// the bearer bars or a neighbouring element, and come out antialiased.

#include "framework/ElementEnums.h"
#include "framework/GdiTypes.h"
#include "framework/UniqueGdiObject.h"

#include <cstdint>

namespace bw {

struct BarcodeFrame {
    bool onPrinter = false; // the designer's focus and selection are never printed
    bool focused = false;
    bool selected = false;
    std::int16_t borderStyle = BorderStyles::bsNone;
    COLORREF textColor = 0;
    COLORREF backColor = RGB(255, 255, 255);

    // One pixel wide: dash-dot (focus and selection), dotted (focus), dashed (selection), else
    // the border: TextColor for bsSingleline, BackColor for bsNone.
    LOGPEN pen() const;
};

class BarcodeCanvas {
public:
    // Bars in `ink`.
    BarcodeCanvas(HDC hdc, COLORREF ink);

    // (0, 0)-(width, height) filled with the frame's BackColor and outlined with its pen; the
    // previous pen and brush are selected back.
    void frame(int width, int height, const BarcodeFrame& how);
    // The pixels [left, right) × [top, bottom); nothing when the rectangle is empty.
    void bar(const RECT& r);

    HDC hdc() const { return hdc_; }

private:
    HDC hdc_;
    UniqueGdiObject ink_;
};

} // namespace bw
