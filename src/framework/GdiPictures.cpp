// Pictures: loading BMP files into bitmaps, compatible bitmaps, pixel copies and stretch copies.

#include "framework/BmpReader.h"
#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <optional>
#include <tuple>
#include <utility>

namespace bw::gdi {

namespace {

// Larger files cannot hold a picture within the reader's pixel cap.
constexpr std::uintmax_t maxFileBytes = std::uintmax_t{512} * 1024 * 1024;

// A black picture of the given size, or null when cairo cannot make one that big.
std::shared_ptr<BitmapObject> makeBitmap(int width, int height) {
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->surface = std::move(surface);
    bitmap->width = width;
    bitmap->height = height;
    return bitmap;
}

void copyPixels(const BmpPicture& picture, cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface));
    const auto rowBytes = static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(data + static_cast<std::size_t>(y) * stride,
                    &picture.pixels[static_cast<std::size_t>(y) * picture.width], rowBytes);
    cairo_surface_mark_dirty(surface);
}

struct DeviceRect {
    double x0, y0, x1, y1; // corners in device units; x1 < x0 or y1 < y0 means mirrored
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
};

// A rectangle given as origin and extents in a context's logical units, as device corners.
// A negative extent runs back from the origin, so the corners keep their order for mirroring.
DeviceRect toDevice(const DeviceContext& dc, int x, int y, int w, int h) {
    const POINT a = dc.toDevicePixel(x, y);
    const POINT b = dc.toDevicePixel(static_cast<double>(x) + w, static_cast<double>(y) + h);
    return {double(a.x), double(a.y), double(b.x), double(b.y)};
}

void fillDevice(DeviceContext& dc, const DeviceRect& r, double shade) {
    cairo_t* cr = dc.cr();
    CairoSaveGuard guard(cr);
    cairo_set_source_rgb(cr, shade, shade, shade);
    cairo_rectangle(cr, std::min(r.x0, r.x1), std::min(r.y0, r.y1), std::abs(r.width()),
                    std::abs(r.height()));
    cairo_fill(cr);
}

// The source surface's own extent in the source's device units, when it has one.
std::optional<DeviceRect> sourceBounds(const DeviceContext& src) {
    cairo_surface_t* s = src.surface();
    if (cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE) return std::nullopt;
    cairo_matrix_t toDeviceUnits = src.baseMatrix();
    if (cairo_matrix_invert(&toDeviceUnits) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    double x0 = 0, y0 = 0;
    double x1 = cairo_image_surface_get_width(s), y1 = cairo_image_surface_get_height(s);
    cairo_matrix_transform_point(&toDeviceUnits, &x0, &y0);
    cairo_matrix_transform_point(&toDeviceUnits, &x1, &y1);
    return DeviceRect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// The part of the destination interval [d0, d1) (either order) whose source image under the
// linear map d0 -> s0, d1 -> s1 falls inside [lo, hi), rounded to whole device pixels.
std::pair<double, double> visibleSpan(double d0, double d1, double s0, double s1, double lo,
                                      double hi) {
    const double scale = (d1 - d0) / (s1 - s0);
    double a = d0 + (lo - s0) * scale;
    double b = d0 + (hi - s0) * scale;
    if (a > b) std::swap(a, b);
    const double left = std::max(std::min(d0, d1), roundHalfEven(a));
    const double right = std::min(std::max(d0, d1), roundHalfEven(b));
    return {left, std::max(left, right)};
}

// Maps the source rectangle onto the destination rectangle, corner to corner. Colour on colour
// (and the black-on-white / white-on-black modes, which colour pictures treat alike) takes
// the nearest source pixel, so whole rows and columns repeat or drop; halftone blends.
bool copyPicture(DeviceContext& dst, const DeviceRect& d, DeviceContext& src, const DeviceRect& s) {
    if (d.width() == 0 || d.height() == 0 || s.width() == 0 || s.height() == 0) return true;
    cairo_surface_t* source = src.surface();
    const cairo_surface_type_t type = cairo_surface_get_type(source);
    if (type != CAIRO_SURFACE_TYPE_IMAGE && type != CAIRO_SURFACE_TYPE_RECORDING) return false;

    // Copying a surface onto itself reads from a snapshot, so overlapping areas stay intact.
    CairoSurface snapshot;
    if (source == dst.surface()) {
        if (type != CAIRO_SURFACE_TYPE_IMAGE) return false;
        cairo_surface_flush(source);
        snapshot.reset(cairo_surface_create_similar_image(
            source, cairo_image_surface_get_format(source), cairo_image_surface_get_width(source),
            cairo_image_surface_get_height(source)));
        CairoContext c(cairo_create(snapshot.get()));
        cairo_set_source_surface(c.get(), source, 0, 0);
        cairo_set_operator(c.get(), CAIRO_OPERATOR_SOURCE);
        cairo_paint(c.get());
        source = snapshot.get();
    }

    DeviceRect area{std::min(d.x0, d.x1), std::min(d.y0, d.y1), std::max(d.x0, d.x1),
                    std::max(d.y0, d.y1)};
    if (const auto bounds = sourceBounds(src)) {
        // Destination pixels whose source lies outside the picture are left alone.
        std::tie(area.x0, area.x1) = visibleSpan(d.x0, d.x1, s.x0, s.x1, bounds->x0, bounds->x1);
        std::tie(area.y0, area.y1) = visibleSpan(d.y0, d.y1, s.y0, s.y1, bounds->y0, bounds->y1);
        if (area.width() <= 0 || area.height() <= 0) return true;
    }

    // Destination device units -> source device units -> source surface units.
    cairo_matrix_t map;
    const double sx = s.width() / d.width();
    const double sy = s.height() / d.height();
    cairo_matrix_init(&map, sx, 0, 0, sy, s.x0 - d.x0 * sx, s.y0 - d.y0 * sy);
    cairo_matrix_t toSource;
    cairo_matrix_multiply(&toSource, &map, &src.baseMatrix());

    CairoPattern pattern(cairo_pattern_create_for_surface(source));
    cairo_pattern_set_matrix(pattern.get(), &toSource);
    const bool blend = dst.state.stretchMode == HALFTONE;
    cairo_pattern_set_filter(pattern.get(), blend ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    // Sampling at a picture's edge repeats the edge instead of fading to nothing.
    if (type == CAIRO_SURFACE_TYPE_IMAGE) cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);

    cairo_t* cr = dst.cr();
    CairoSaveGuard guard(cr);
    cairo_set_source(cr, pattern.get());
    cairo_rectangle(cr, area.x0, area.y0, area.width(), area.height());
    cairo_fill(cr);
    return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

// BLACKNESS and WHITENESS ignore the source; every other operation copies it (SRCCOPY).
bool blit(DeviceContext& dst, const DeviceRect& d, HDC source, int sx, int sy, int sw, int sh,
          std::uint32_t rop) {
    if (rop == BLACKNESS || rop == WHITENESS) {
        fillDevice(dst, d, rop == WHITENESS ? 1.0 : 0.0);
        return true;
    }
    DeviceContext* src = findDC(source);
    if (!src) return false;
    return copyPicture(dst, d, *src, toDevice(*src, sx, sy, sw, sh));
}

} // namespace

HBITMAP LoadImage(const std::filesystem::path& file) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > maxFileBytes) return 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    std::vector<std::byte> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return 0;
    return LoadImageFromMemory(bytes);
}

HBITMAP LoadImageFromMemory(std::span<const std::byte> bytes) {
    const BmpResult decoded = BmpReader::decode(bytes);
    if (!decoded) return 0;
    auto bitmap = makeBitmap(decoded.picture->width, decoded.picture->height);
    if (!bitmap) return 0;
    copyPixels(*decoded.picture, bitmap->surface.get());
    return HandleTable::instance().add(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("CreateCompatibleBitmap", {double(width), double(height)});
    if (width < 0 || height < 0 || width > BmpReader::maxSide || height > BmpReader::maxSide ||
        std::int64_t{width} * height > BmpReader::maxPixels)
        return 0;
    // An empty size gives a 1 x 1 picture, as the platform does.
    if (width == 0 || height == 0) width = height = 1;
    auto bitmap = makeBitmap(width, height);
    return bitmap ? HandleTable::instance().add(std::move(bitmap)) : 0;
}

bool BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
            std::uint32_t rop) {
    DeviceContext* dst = findDC(destination);
    if (!dst) return false;
    dst->log("BitBlt", {double(x), double(y), double(width), double(height), double(sx), double(sy),
                        double(rop)});
    // The source rectangle has the destination's extents in the source's logical units.
    return blit(*dst, toDevice(*dst, x, y, width, height), source, sx, sy, width, height, rop);
}

bool StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
                int sw, int sh, std::uint32_t rop) {
    DeviceContext* dst = findDC(destination);
    if (!dst) return false;
    dst->log("StretchBlt", {double(x), double(y), double(width), double(height), double(sx),
                            double(sy), double(sw), double(sh), double(rop)});
    return blit(*dst, toDevice(*dst, x, y, width, height), source, sx, sy, sw, sh, rop);
}

int SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = findDC(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    dc->log("SetStretchBltMode", {double(mode)});
    return std::exchange(dc->state.stretchMode, mode);
}

int GetStretchBltMode(HDC hdc) {
    const DeviceContext* dc = findDC(hdc);
    return dc ? dc->state.stretchMode : 0;
}

} // namespace bw::gdi
