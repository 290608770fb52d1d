// Lines, rectangles, ellipses, polygons and paths, drawn with the selected pen and brush.
//
// Trace: each call logs its name and its logical arguments as given:
//   MoveToEx {x,y}, LineTo {x,y}, Rectangle/Ellipse {l,t,r,b}, Polygon {x0,y0,x1,y1,...},
//   ArcTo {l,t,r,b,xr1,yr1,xr2,yr2}, FillRect {l,t,r,b}, SetArcDirection {direction},
//   SetPolyFillMode {mode}, and the path calls and GetArcDirection with none.
// Calls that draw with the selected objects (LineTo, Rectangle, Ellipse, Polygon, ArcTo,
// FillPath, StrokePath, StrokeAndFillPath) carry them in the text as
//   "pen=<style>/<width>/<colour> brush=<style>/<colour>"
// with the pen's logical width and colours as decimal COLORREFs; FillRect carries only the
// brush it is given: "brush=<style>/<colour>".
//
// Geometry is in device pixels (logical points rounded to the nearest pixel). Width-1 lines
// cover the pixels from the start up to, not including, the end. Wider pens are centred on
// the line and have round caps and joins, as pens made by CreatePen do, so a wide line
// reaches half its width beyond both end points. An inside-frame pen keeps a rectangle's or
// an ellipse's whole outline within its bounds; on lines it draws like a solid pen.
// Dashed and dotted styles apply to one-pixel pens only; wider styled pens draw solid; the
// pattern starts afresh with every call. Rectangle and Ellipse fill [left, right) × [top,
// bottom) with the brush, with or without a pen, and the outline is drawn over the fill.
// A path keeps whole-pixel coordinates: a rectangle figure fills [left, right) × [top, bottom),
// and StrokePath centres the pen on the pixels its points name.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace bw::gdi {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

double clampDevice(double v) {
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, double(-Region::limit), double(Region::limit));
}

// The device pixel of a logical point, kept within the range cairo draws exactly.
POINT devicePixel(const DeviceContext& dc, double x, double y) {
    return POINT{roundToInt(clampDevice(dc.toDeviceX(x))),
                 roundToInt(clampDevice(dc.toDeviceY(y)))};
}

int logicalInt(double v) {
    if (!std::isfinite(v)) return 0;
    return roundToInt(v);
}

RECT deviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
    const POINT a = devicePixel(dc, left, top);
    const POINT b = devicePixel(dc, right, bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The selected pen in device terms.
struct Pen {
    int style = PS_SOLID;
    int width = 1; // device pixels
    COLORREF color = 0;
    bool visible() const { return style != PS_NULL; }
};

Pen devicePen(const DeviceContext& dc) {
    Pen pen;
    if (!dc.state.pen) return pen;
    const LOGPEN& lp = dc.state.pen->logPen;
    pen.style = lp.lopnStyle;
    pen.color = lp.lopnColor;
    const double w = std::abs(double(lp.lopnWidth) * dc.scaleX());
    pen.width = std::isfinite(w) ? std::clamp(roundToInt(w), 1, 1 << 20) : 1;
    return pen;
}

bool brushFills(const DeviceContext& dc) {
    return dc.state.brush && dc.state.brush->logBrush.lbStyle != BS_NULL;
}

std::string describeBrush(const LOGBRUSH& b) {
    return "brush=" + std::to_string(b.lbStyle) + "/" + std::to_string(b.lbColor);
}

std::string describeObjects(const DeviceContext& dc) {
    const LOGPEN pen = dc.state.pen ? dc.state.pen->logPen : LOGPEN{};
    const LOGBRUSH brush = dc.state.brush ? dc.state.brush->logBrush : LOGBRUSH{BS_NULL, 0};
    return "pen=" + std::to_string(pen.lopnStyle) + "/" + std::to_string(pen.lopnWidth) + "/" +
           std::to_string(pen.lopnColor) + " " + describeBrush(brush);
}

void setColor(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// Offset from a pixel's corner to where a stroke of this width is centred, so that it covers
// whole pixels: the pixel centre for odd widths, its corner for even ones.
double gridOffset(int width) {
    return width % 2 ? 0.5 : 0.0;
}

// Sets width, caps, joins, dashes and colour for stroking. dashScale stretches the dash
// pattern so that it counts pixel steps along a slanted line rather than its length.
void applyPen(cairo_t* cr, const Pen& pen, double dashScale = 1) {
    setColor(cr, pen.color);
    cairo_set_line_width(cr, pen.width);
    if (pen.width > 1) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        return;
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    std::vector<double> dashes;
    switch (pen.style) {
    case PS_DASH:
        dashes = {18, 6};
        break;
    case PS_DOT:
        dashes = {3, 3};
        break;
    case PS_DASHDOT:
        dashes = {9, 6, 3, 6};
        break;
    case PS_DASHDOTDOT:
        dashes = {9, 3, 3, 3, 3, 3};
        break;
    default:
        break;
    }
    for (double& d : dashes) d *= dashScale;
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

void fillWith(cairo_t* cr, COLORREF color) {
    setColor(cr, color);
    cairo_fill(cr);
}

// An ellipse figure; cairo cannot scale by zero, so callers pass positive radii.
void addEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, bool counterClockwise) {
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    // Device y runs downwards, so a decreasing angle turns counter-clockwise on the page.
    if (counterClockwise)
        cairo_arc_negative(cr, 0, 0, 1, 0, -twoPi);
    else
        cairo_arc(cr, 0, 0, 1, 0, twoPi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

bool counterClockwise(const DeviceContext& dc) {
    return dc.state.arcDirection == AD_COUNTERCLOCKWISE;
}

// ---- Paths ----------------------------------------------------------------------------

// Adds to the path under construction. The path lives in dc.path between calls, so drawing
// that other calls do on the cairo context in between cannot disturb it.
template <class Build>
void extendPath(DeviceContext& dc, Build build) {
    cairo_t* cr = dc.cr();
    cairo_new_path(cr);
    if (dc.path && dc.path->status == CAIRO_STATUS_SUCCESS) cairo_append_path(cr, dc.path);
    build(cr);
    cairo_path_t* updated = cairo_copy_path(cr);
    cairo_new_path(cr);
    if (dc.path) cairo_path_destroy(dc.path);
    dc.path = updated;
}

// Starts a new figure at p unless the open figure already ends there.
void continueFigureAt(cairo_t* cr, POINT p) {
    double x = 0, y = 0;
    if (cairo_has_current_point(cr)) cairo_get_current_point(cr, &x, &y);
    if (!cairo_has_current_point(cr) || x != p.x || y != p.y) cairo_move_to(cr, p.x, p.y);
}

void addRectangleFigure(cairo_t* cr, const RECT& r, bool ccw) {
    cairo_move_to(cr, r.left, r.top);
    if (ccw) {
        cairo_line_to(cr, r.left, r.bottom);
        cairo_line_to(cr, r.right, r.bottom);
        cairo_line_to(cr, r.right, r.top);
    } else {
        cairo_line_to(cr, r.right, r.top);
        cairo_line_to(cr, r.right, r.bottom);
        cairo_line_to(cr, r.left, r.bottom);
    }
    cairo_close_path(cr);
}

void addPolygonFigure(cairo_t* cr, std::span<const POINT> pts, double offset) {
    cairo_move_to(cr, pts[0].x + offset, pts[0].y + offset);
    for (const POINT& p : pts.subspan(1)) cairo_line_to(cr, p.x + offset, p.y + offset);
    cairo_close_path(cr);
}

// Fills, strokes or both, the finished path, then discards it.
bool drawPath(HDC hdc, const char* name, bool fill, bool stroke) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log(name, {}, describeObjects(*dc));
    if (!dc->pathReady) return false;
    cairo_t* cr = dc->cr();
    if (dc->path && dc->path->status == CAIRO_STATUS_SUCCESS) {
        CairoSaveGuard guard(cr);
        if (fill && brushFills(*dc)) {
            cairo_new_path(cr);
            cairo_append_path(cr, dc->path);
            cairo_set_fill_rule(cr, dc->state.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING
                                                                      : CAIRO_FILL_RULE_EVEN_ODD);
            fillWith(cr, dc->state.brush->logBrush.lbColor);
        }
        const Pen pen = devicePen(*dc);
        if (stroke && pen.visible()) {
            cairo_new_path(cr);
            cairo_translate(cr, gridOffset(pen.width), gridOffset(pen.width));
            cairo_append_path(cr, dc->path);
            applyPen(cr, pen);
            cairo_stroke(cr);
        }
        cairo_new_path(cr);
    }
    dc->clearPath();
    return true;
}

// ---- Arcs -----------------------------------------------------------------------------

// An elliptical arc in device units: the ellipse's centre and radii, the parameter angles of
// its ends, and the signed sweep (positive turns clockwise on the page).
struct Arc {
    double cx, cy, rx, ry;
    double start, sweep;
    double pointX(double t) const { return cx + rx * std::cos(t); }
    double pointY(double t) const { return cy + ry * std::sin(t); }
};

std::optional<Arc> deviceArc(const DeviceContext& dc, int l, int t, int r, int b, int xr1, int yr1,
                             int xr2, int yr2) {
    const RECT box = deviceRect(dc, l, t, r, b);
    Arc arc{};
    arc.cx = (double(box.left) + box.right) / 2;
    arc.cy = (double(box.top) + box.bottom) / 2;
    arc.rx = (double(box.right) - box.left) / 2;
    arc.ry = (double(box.bottom) - box.top) / 2;
    if (arc.rx <= 0 || arc.ry <= 0) return std::nullopt;
    // The point of the ellipse on the ray from the centre through a radial point.
    const auto angleOf = [&](int x, int y) {
        const POINT p = devicePixel(dc, x, y);
        return std::atan2((p.y - arc.cy) / arc.ry, (p.x - arc.cx) / arc.rx);
    };
    arc.start = angleOf(xr1, yr1);
    const double end = angleOf(xr2, yr2);
    // Equal radials make a whole ellipse.
    double sweep = counterClockwise(dc) ? arc.start - end : end - arc.start;
    while (sweep <= 0) sweep += twoPi;
    arc.sweep = counterClockwise(dc) ? -sweep : sweep;
    return arc;
}

void addArc(cairo_t* cr, const Arc& arc) {
    cairo_save(cr);
    cairo_translate(cr, arc.cx, arc.cy);
    cairo_scale(cr, arc.rx, arc.ry);
    if (arc.sweep < 0)
        cairo_arc_negative(cr, 0, 0, 1, arc.start, arc.start + arc.sweep);
    else
        cairo_arc(cr, 0, 0, 1, arc.start, arc.start + arc.sweep);
    cairo_restore(cr);
}

// ---- Outlines -------------------------------------------------------------------------

// A wide line is the union of its body and a disc at each end (round caps). It is filled as
// one outline rather than stroked: the same pixels, but recordings of barcodes made of such
// lines play back far faster, since nothing has to be stroked again on every play.
void fillWideLine(cairo_t* cr, POINT from, POINT to, const Pen& pen) {
    const double o = gridOffset(pen.width);
    const double x0 = from.x + o, y0 = from.y + o, x1 = to.x + o, y1 = to.y + o;
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double r = pen.width / 2.0;
    const double nx = -(y1 - y0) / length * r, ny = (x1 - x0) / length * r;
    cairo_move_to(cr, x0 + nx, y0 + ny);
    cairo_line_to(cr, x1 + nx, y1 + ny);
    cairo_line_to(cr, x1 - nx, y1 - ny);
    cairo_line_to(cr, x0 - nx, y0 - ny);
    cairo_close_path(cr);
    // The discs turn the same way as the body, so the winding rule unites them.
    const bool bodyPositive = (x1 - x0) * ny - (y1 - y0) * nx > 0;
    for (const auto& [cx, cy] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
        cairo_new_sub_path(cr);
        if (bodyPositive)
            cairo_arc_negative(cr, cx, cy, r, 0, -twoPi);
        else
            cairo_arc(cr, cx, cy, r, 0, twoPi);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, pen.color);
    cairo_fill(cr);
}

void strokeLine(DeviceContext& dc, POINT from, POINT to) {
    const Pen pen = devicePen(dc);
    if (!pen.visible() || from == to) return;
    cairo_t* cr = dc.cr();
    CairoSaveGuard guard(cr);
    cairo_new_path(cr);
    if (pen.width == 1) {
        // Pixel centre to pixel centre, moved back half a step along the major axis so that
        // butt ends cover the first pixel and stop short of the last.
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double steps = std::max(std::abs(dx), std::abs(dy));
        const double bx = 0.5 - 0.5 * dx / steps, by = 0.5 - 0.5 * dy / steps;
        cairo_move_to(cr, from.x + bx, from.y + by);
        cairo_line_to(cr, to.x + bx, to.y + by);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        applyPen(cr, pen, std::hypot(dx, dy) / steps);
        cairo_stroke(cr);
    } else {
        fillWideLine(cr, from, to, pen);
    }
}

// The centre line of a figure's outline along one axis, from the figure's pixel bounds
// [lo, hi): through the outermost pixels, or, for an inside-frame pen, half a width inside.
struct Centre {
    double lo, hi;
};
Centre outlineCentre(int lo, int hi, const Pen& pen) {
    if (pen.style == PS_INSIDEFRAME) return {lo + pen.width / 2.0, hi - pen.width / 2.0};
    const double o = gridOffset(pen.width);
    return {lo + o, hi - 1 + o};
}

void drawRectangle(DeviceContext& dc, const RECT& r) {
    if (r.left == r.right || r.top == r.bottom) return;
    cairo_t* cr = dc.cr();
    CairoSaveGuard guard(cr);
    if (brushFills(dc)) {
        cairo_new_path(cr);
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        fillWith(cr, dc.state.brush->logBrush.lbColor);
    }
    const Pen pen = devicePen(dc);
    if (!pen.visible()) return;
    const Centre x = outlineCentre(r.left, r.right, pen);
    const Centre y = outlineCentre(r.top, r.bottom, pen);
    cairo_new_path(cr);
    if (x.hi - x.lo <= 0 || y.hi - y.lo <= 0) {
        // The outline covers the whole figure.
        const double h = pen.width / 2.0;
        if (pen.style == PS_INSIDEFRAME)
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        else
            cairo_rectangle(cr, x.lo - h, y.lo - h, x.hi - x.lo + pen.width,
                            y.hi - y.lo + pen.width);
        fillWith(cr, pen.color);
        return;
    }
    cairo_rectangle(cr, x.lo, y.lo, x.hi - x.lo, y.hi - y.lo);
    applyPen(cr, pen);
    cairo_stroke(cr);
}

void drawEllipse(DeviceContext& dc, const RECT& r) {
    if (r.left == r.right || r.top == r.bottom) return;
    cairo_t* cr = dc.cr();
    CairoSaveGuard guard(cr);
    const double cx = (double(r.left) + r.right) / 2, cy = (double(r.top) + r.bottom) / 2;
    const double rx = (double(r.right) - r.left) / 2, ry = (double(r.bottom) - r.top) / 2;
    if (brushFills(dc)) {
        cairo_new_path(cr);
        addEllipse(cr, cx, cy, rx, ry, false);
        fillWith(cr, dc.state.brush->logBrush.lbColor);
    }
    const Pen pen = devicePen(dc);
    if (!pen.visible()) return;
    const Centre x = outlineCentre(r.left, r.right, pen);
    const Centre y = outlineCentre(r.top, r.bottom, pen);
    cairo_new_path(cr);
    if (x.hi - x.lo <= 0 || y.hi - y.lo <= 0) {
        // The outline covers the whole figure.
        const double h = pen.style == PS_INSIDEFRAME ? 0 : pen.width / 2.0;
        addEllipse(cr, (x.lo + x.hi) / 2, (y.lo + y.hi) / 2, std::max(rx, (x.hi - x.lo) / 2 + h),
                   std::max(ry, (y.hi - y.lo) / 2 + h), false);
        fillWith(cr, pen.color);
        return;
    }
    addEllipse(cr, (x.lo + x.hi) / 2, (y.lo + y.hi) / 2, (x.hi - x.lo) / 2, (y.hi - y.lo) / 2,
               false);
    applyPen(cr, pen);
    cairo_stroke(cr);
}

void drawPolygon(DeviceContext& dc, std::span<const POINT> pts) {
    cairo_t* cr = dc.cr();
    CairoSaveGuard guard(cr);
    if (brushFills(dc) && pts.size() >= 3) {
        cairo_new_path(cr);
        addPolygonFigure(cr, pts, 0);
        cairo_set_fill_rule(cr, dc.state.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING
                                                                 : CAIRO_FILL_RULE_EVEN_ODD);
        fillWith(cr, dc.state.brush->logBrush.lbColor);
    }
    const Pen pen = devicePen(dc);
    if (!pen.visible()) return;
    cairo_new_path(cr);
    addPolygonFigure(cr, pts, gridOffset(pen.width));
    applyPen(cr, pen);
    cairo_stroke(cr);
}

} // namespace

bool MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("MoveToEx", {double(x), double(y)});
    if (previous) *previous = dc->state.currentPosition;
    dc->state.currentPosition = POINT{x, y};
    if (dc->pathOpen) {
        const POINT p = devicePixel(*dc, x, y);
        extendPath(*dc, [&](cairo_t* cr) { cairo_move_to(cr, p.x, p.y); });
    }
    return true;
}

bool LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("LineTo", {double(x), double(y)}, describeObjects(*dc));
    const POINT from = devicePixel(*dc, dc->state.currentPosition.x, dc->state.currentPosition.y);
    const POINT to = devicePixel(*dc, x, y);
    dc->state.currentPosition = POINT{x, y};
    if (dc->pathOpen)
        extendPath(*dc, [&](cairo_t* cr) {
            continueFigureAt(cr, from);
            cairo_line_to(cr, to.x, to.y);
        });
    else
        strokeLine(*dc, from, to);
    return true;
}

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("Rectangle", {double(left), double(top), double(right), double(bottom)},
            describeObjects(*dc));
    const RECT r = deviceRect(*dc, left, top, right, bottom);
    if (dc->pathOpen)
        extendPath(*dc, [&](cairo_t* cr) { addRectangleFigure(cr, r, counterClockwise(*dc)); });
    else
        drawRectangle(*dc, r);
    return true;
}

bool Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("Ellipse", {double(left), double(top), double(right), double(bottom)},
            describeObjects(*dc));
    const RECT r = deviceRect(*dc, left, top, right, bottom);
    if (!dc->pathOpen) {
        drawEllipse(*dc, r);
        return true;
    }
    if (r.left == r.right || r.top == r.bottom) return true;
    extendPath(*dc, [&](cairo_t* cr) {
        addEllipse(cr, (double(r.left) + r.right) / 2, (double(r.top) + r.bottom) / 2,
                   (double(r.right) - r.left) / 2, (double(r.bottom) - r.top) / 2,
                   counterClockwise(*dc));
    });
    return true;
}

bool Polygon(HDC hdc, std::span<const POINT> points) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    std::vector<double> args;
    args.reserve(points.size() * 2);
    for (const POINT& p : points) {
        args.push_back(p.x);
        args.push_back(p.y);
    }
    dc->log("Polygon", std::move(args), describeObjects(*dc));
    if (points.size() < 2) return false;
    std::vector<POINT> pts;
    pts.reserve(points.size());
    for (const POINT& p : points) pts.push_back(devicePixel(*dc, p.x, p.y));
    if (dc->pathOpen)
        extendPath(*dc, [&](cairo_t* cr) { addPolygonFigure(cr, pts, 0); });
    else
        drawPolygon(*dc, pts);
    return true;
}

bool FillRect(HDC hdc, const RECT& rect, HBRUSH brush) {
    DeviceContext* dc = findDC(hdc);
    const auto br = HandleTable::instance().get<BrushObject>(brush);
    if (!dc || !br) return false;
    dc->log("FillRect",
            {double(rect.left), double(rect.top), double(rect.right), double(rect.bottom)},
            describeBrush(br->logBrush));
    const RECT r = deviceRect(*dc, rect.left, rect.top, rect.right, rect.bottom);
    if (br->logBrush.lbStyle == BS_NULL || r.left == r.right || r.top == r.bottom) return true;
    cairo_t* cr = dc->cr();
    CairoSaveGuard guard(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    fillWith(cr, br->logBrush.lbColor);
    return true;
}

bool BeginPath(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("BeginPath", {});
    dc->clearPath(); // a path begun again starts afresh
    dc->pathOpen = true;
    return true;
}

bool EndPath(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("EndPath", {});
    if (!dc->pathOpen) return false;
    dc->pathOpen = false;
    dc->pathReady = true;
    return true;
}

bool AbortPath(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("AbortPath", {});
    dc->clearPath();
    return true;
}

bool CloseFigure(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("CloseFigure", {});
    if (!dc->pathOpen) return false;
    extendPath(*dc, [](cairo_t* cr) {
        if (cairo_has_current_point(cr)) cairo_close_path(cr);
    });
    return true;
}

bool ArcTo(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("ArcTo",
            {double(left), double(top), double(right), double(bottom), double(xr1), double(yr1),
             double(xr2), double(yr2)},
            describeObjects(*dc));
    const auto arc = deviceArc(*dc, left, top, right, bottom, xr1, yr1, xr2, yr2);
    if (!arc) return false;
    const POINT from = devicePixel(*dc, dc->state.currentPosition.x, dc->state.currentPosition.y);
    const double endAngle = arc->start + arc->sweep;
    dc->state.currentPosition = POINT{logicalInt(dc->toLogicalX(arc->pointX(endAngle))),
                                      logicalInt(dc->toLogicalY(arc->pointY(endAngle)))};
    const auto build = [&](cairo_t* cr) {
        continueFigureAt(cr, from);
        cairo_line_to(cr, arc->pointX(arc->start), arc->pointY(arc->start));
        addArc(cr, *arc);
    };
    if (dc->pathOpen) {
        extendPath(*dc, build);
        return true;
    }
    const Pen pen = devicePen(*dc);
    if (!pen.visible()) return true;
    cairo_t* cr = dc->cr();
    CairoSaveGuard guard(cr);
    cairo_new_path(cr);
    cairo_translate(cr, gridOffset(pen.width), gridOffset(pen.width));
    build(cr);
    applyPen(cr, pen);
    cairo_stroke(cr);
    return true;
}

int SetArcDirection(HDC hdc, int direction) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("SetArcDirection", {double(direction)});
    if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE) return 0;
    return std::exchange(dc->state.arcDirection, direction);
}

int GetArcDirection(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("GetArcDirection", {});
    return dc->state.arcDirection;
}

int SetPolyFillMode(HDC hdc, int mode) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("SetPolyFillMode", {double(mode)});
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return std::exchange(dc->state.polyFillMode, mode);
}

bool FillPath(HDC hdc) {
    return drawPath(hdc, "FillPath", true, false);
}
bool StrokePath(HDC hdc) {
    return drawPath(hdc, "StrokePath", false, true);
}
bool StrokeAndFillPath(HDC hdc) {
    return drawPath(hdc, "StrokeAndFillPath", true, true);
}

} // namespace bw::gdi
