#pragma once
// A PNG file's pixels, to look for ink in regions of a rendered page or preview.

#include <algorithm>
#include <cairo.h>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace bw::test {

class PngPicture {
public:
    explicit PngPicture(const std::filesystem::path& file)
        : surface_(cairo_image_surface_create_from_png(file.c_str())) {
        cairo_surface_flush(surface_);
    }
    ~PngPicture() { cairo_surface_destroy(surface_); }
    PngPicture(const PngPicture&) = delete;
    PngPicture& operator=(const PngPicture&) = delete;

    bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }

    // Whether any pixel in [x0, x1) x [y0, y1) is clearly darker than white.
    bool inkIn(int x0, int y0, int x1, int y1) const {
        const unsigned char* data = cairo_image_surface_get_data(surface_);
        const int stride = cairo_image_surface_get_stride(surface_);
        for (int y = std::max(0, y0); y < std::min(y1, height()); ++y)
            for (int x = std::max(0, x0); x < std::min(x1, width()); ++x) {
                std::uint32_t px;
                std::memcpy(&px, data + y * stride + x * 4, 4);
                const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
                if (r < 160 || g < 160 || b < 160) return true;
            }
        return false;
    }

private:
    cairo_surface_t* surface_;
};

} // namespace bw::test
