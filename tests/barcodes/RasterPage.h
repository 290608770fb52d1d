#pragma once
// A raster printer page for reading what an element prints: a PNG printer of the given
// resolution, a custom paper just large enough, mapped to twips as page set-up maps it (the
// twips mode, then anisotropic with window extents in twips and viewport extents in pixels),
// with a document and a page open. The page's pixels are read before the page ends; the
// document is aborted, so nothing is written.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "framework/Rounding.h"
#include "support/TempDir.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace bw::test {

class RasterPage {
public:
    // A page `widthTwips` × `heightTwips` (rounded up to tenths of a millimetre).
    RasterPage(int dpi, int widthTwips, int heightTwips) : dpi_(dpi) {
        PrinterProfile profile;
        profile.name = "Raster " + std::to_string(dpi);
        profile.format = "png";
        profile.port = (dir_.path() / "page.png").string();
        profile.dpiX = profile.dpiY = dpi;
        profile.customSize = true;
        DEVMODE paper;
        paper.dmPaperSize = DMPAPER_USER;
        paper.dmPaperWidth = tenthsOfMM(widthTwips);
        paper.dmPaperLength = tenthsOfMM(heightTwips);
        hdc_ = gdi::CreatePrinterDC(profile, paper);
        gdi::StartDoc(hdc_, DOCINFO{"page", profile.port});
        gdi::StartPage(hdc_);
        width_ = gdi::GetDeviceCaps(hdc_, HORZRES);
        height_ = gdi::GetDeviceCaps(hdc_, VERTRES);
        gdi::SetMapMode(hdc_, MM_TWIPS);
        gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(hdc_, roundToInt(width_ * 1440.0 / dpi),
                            -roundToInt(height_ * 1440.0 / dpi));
        gdi::SetViewportExtEx(hdc_, width_, -height_);
    }
    ~RasterPage() {
        gdi::AbortDoc(hdc_);
        gdi::DeleteDC(hdc_);
    }
    RasterPage(const RasterPage&) = delete;
    RasterPage& operator=(const RasterPage&) = delete;

    operator HDC() const { return hdc_; }
    int dpi() const { return dpi_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int toPixels(int twips) const { return roundToInt(twips * dpi_ / 1440.0); }

    // Luminance (0 black, 255 white) of every pixel, row by row.
    std::vector<std::uint8_t> luminance() const {
        cairo_surface_t* s = findDC(hdc_)->surface();
        cairo_surface_flush(s);
        const int w = cairo_image_surface_get_width(s);
        const int h = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint32_t v = 0;
                std::memcpy(&v, data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, 4);
                const unsigned r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
                out[static_cast<std::size_t>(y) * w + x] =
                    static_cast<std::uint8_t>((r + g + b) / 3);
            }
        return out;
    }
    int surfaceWidth() const { return cairo_image_surface_get_width(findDC(hdc_)->surface()); }
    int surfaceHeight() const { return cairo_image_surface_get_height(findDC(hdc_)->surface()); }

private:
    static int tenthsOfMM(int twips) { return (twips * 254 + 1439) / 1440; }

    TempDir dir_;
    int dpi_;
    HDC hdc_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace bw::test
