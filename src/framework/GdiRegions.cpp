// Regions: creating and combining them, filling them and clipping to them. Regions are in
// device units. FillRgn and SelectClipRgn log the region's bounding box (device units).

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <cmath>

namespace bw::gdi {

namespace {

HRGN addRegion(Region region) {
    auto object = std::make_shared<RegionObject>();
    object->region = std::move(region);
    return HandleTable::instance().add(std::move(object));
}

std::vector<double> boxArgs(const Region& region) {
    const RECT b = region.box();
    return {double(b.left), double(b.top), double(b.right), double(b.bottom)};
}

int toLogical(double v) {
    if (!std::isfinite(v)) return 0;
    return roundToInt(v);
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return addRegion(Region::fromRect(RECT{left, top, right, bottom}));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return addRegion(Region::fromEllipse(RECT{left, top, right, bottom}));
}

HRGN CreatePolygonRgn(std::span<const POINT> points, int fillMode) {
    if (fillMode != ALTERNATE && fillMode != WINDING) return 0;
    return addRegion(Region::fromPolygon(points, fillMode));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    const HandleTable& table = HandleTable::instance();
    const auto out = table.get<RegionObject>(destination);
    const auto a = table.get<RegionObject>(source1);
    const auto b = mode == RGN_COPY ? a : table.get<RegionObject>(source2);
    if (!out || !a || !b || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    out->region = Region::combine(a->region, b->region, mode);
    return out->region.complexity();
}

bool FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    DeviceContext* dc = findDC(hdc);
    const auto rgn = HandleTable::instance().get<RegionObject>(region);
    const auto br = HandleTable::instance().get<BrushObject>(brush);
    if (!dc || !rgn || !br) return false;
    const LOGBRUSH& lb = br->logBrush;
    dc->log("FillRgn", boxArgs(rgn->region),
            "brush=" + std::to_string(lb.lbStyle) + "/" + std::to_string(lb.lbColor));
    if (lb.lbStyle == BS_NULL || rgn->region.empty()) return true;
    cairo_t* cr = dc->cr();
    CairoSaveGuard guard(cr);
    cairo_new_path(cr);
    for (const RECT& r : rgn->region.rects())
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_set_source_rgb(cr, GetRValue(lb.lbColor) / 255.0, GetGValue(lb.lbColor) / 255.0,
                         GetBValue(lb.lbColor) / 255.0);
    cairo_fill(cr);
    return true;
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return RGN_ERROR;
    if (!region) {
        dc->log("SelectClipRgn", {});
        dc->state.clip.reset();
        dc->applyClip();
        return SIMPLEREGION; // the whole surface
    }
    const auto rgn = HandleTable::instance().get<RegionObject>(region);
    if (!rgn) return RGN_ERROR;
    dc->log("SelectClipRgn", boxArgs(rgn->region));
    dc->state.clip = rgn->region;
    dc->applyClip();
    return rgn->region.complexity();
}

int GetClipBox(HDC hdc, RECT* rect) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return RGN_ERROR;
    dc->log("GetClipBox", {});
    RECT box{0, 0, dc->facts.printableWidth, dc->facts.printableHeight};
    int complexity = SIMPLEREGION;
    if (dc->state.clip) {
        box = dc->state.clip->box();
        complexity = dc->state.clip->complexity();
    }
    // Corners are mapped as they are, so a flipped axis gives the flipped order its callers
    // use for rectangles in that mapping.
    if (rect)
        *rect = RECT{toLogical(dc->toLogicalX(box.left)), toLogical(dc->toLogicalY(box.top)),
                     toLogical(dc->toLogicalX(box.right)), toLogical(dc->toLogicalY(box.bottom))};
    return complexity;
}

} // namespace bw::gdi
