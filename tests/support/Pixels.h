#pragma once
// Reading the pixels of a context that draws on an image surface (windows, memory contexts,
// trace contexts with pixels), as 0xRRGGBB values.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace bw::test {

inline std::uint32_t pixel(HDC hdc, int x, int y) {
    cairo_surface_t* s = findDC(hdc)->surface();
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
    std::uint32_t v = 0;
    std::memcpy(&v, row + 4 * x, 4);
    return v & 0xFFFFFFu;
}

// Pixels in [x0, x1) × [y0, y1), row by row.
inline std::vector<std::uint32_t> pixels(HDC hdc, int x0, int y0, int x1, int y1) {
    std::vector<std::uint32_t> out;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.push_back(pixel(hdc, x, y));
    return out;
}

// The smallest rectangle holding every pixel that is not white; empty when there is none.
inline RECT inkBox(HDC hdc, int width, int height) {
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixel(hdc, x, y) != 0xFFFFFFu) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.right > box.left ? box : RECT{};
}

} // namespace bw::test
