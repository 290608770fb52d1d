#pragma once
// A region in device units, kept as the set of device pixels it covers: sorted,
// non-overlapping rectangles in horizontal bands, so that combinations are exact.
// The form is canonical (bands coalesced), so two regions are equal when they cover the
// same pixels.

#include "framework/GdiTypes.h"

#include <span>
#include <vector>

namespace bw {

class Region {
public:
    // Coordinates are clamped to ±limit: far beyond any page, and small enough that widths
    // never overflow and cairo's fixed-point coordinates stay exact.
    static constexpr int limit = 1 << 22;
    // Ellipses and polygons are rasterised only within ±rasterLimit, which bounds the
    // memory a hostile shape can take while staying larger than any printable page.
    static constexpr int rasterLimit = 1 << 16;

    Region() = default;
    static Region fromRect(const RECT& r); // normalised when left > right or top > bottom
    // Pixels whose centres lie in the ellipse inscribed in [left, right) × [top, bottom).
    static Region fromEllipse(const RECT& bounds);
    // Pixels whose centres lie inside the closed polygon: ALTERNATE is even-odd, WINDING
    // nonzero.
    static Region fromPolygon(std::span<const POINT> points, int fillMode);

    // Combines a and b with RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or RGN_COPY (a alone); any
    // other mode gives an empty region.
    static Region combine(const Region& a, const Region& b, int mode);

    bool empty() const { return rects_.empty(); }
    RECT box() const;
    // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
    int complexity() const;
    bool contains(int x, int y) const;
    const std::vector<RECT>& rects() const { return rects_; }
    Region offset(int dx, int dy) const;
    long long area() const; // pixels covered

    friend bool operator==(const Region&, const Region&) = default;

private:
    explicit Region(std::vector<RECT> rects) : rects_(std::move(rects)) {}

    std::vector<RECT> rects_; // sorted by top, then left; no two overlap
};

} // namespace bw
