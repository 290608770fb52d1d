// Fonts and text: creating fonts, measuring runs and drawing them, alignment, colours and
// justification.
//
// Measurement is linear and unhinted: an extent in logical units is the sum of the glyphs'
// advances in font units times em / unitsPerEm, where em is the font's em height in logical
// units (a positive lfHeight is the cell, winAscent + winDescent). Nothing depends on the
// device, so a layout measured on the design view, a printer or a recording breaks lines
// identically. Partial extents round the running sum at each character, so the last one is
// the run's extent. No kerning, as the classic TextOut does not kern.
//
// Text runs along the escapement (tenths of a degree, counter-clockwise as seen on the page)
// and its glyphs stay upright on the page even when the mapping flips an axis.
//
// Justification set by SetTextJustification applies to every TextOut until it is reset with
// SetTextJustification(hdc, 0, 0), as the classic interface keeps it; measuring ignores it.
//
// Trace entries (op {args} "text"):
//   TextOut {x, y} "<text>|<family> h=<lfHeight> esc=<lfEscapement> w=<weight> i=<0|1> u=<0|1>
//       s=<0|1>" — the text is everything before the last '|', the family is the face the
//       font resolved to, a weight of 0 is logged as 400; x, y are the arguments as passed
//       (TA_UPDATECP draws at the current position instead)
//   GetTextExtentPoint32, GetTextExtentPoint {} "<text>"
//   GetTextExtentExPoint {maxExtent} "<text>"
//   GetTextMetrics {}
//   SetTextJustification {extra, breakCount}
//   SetTextAlign {align}, SetTextColor {colour}, SetBkColor {colour}, SetBkMode {mode}
//   GetTextAlign, GetTextColor, GetBkColor, GetBkMode {}
// Colours are COLORREF values (red in the low byte).

#include "framework/DeviceContext.h"
#include "framework/FontCatalog.h"
#include "framework/FontFace.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/Rounding.h"
#include "framework/StockObjects.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace bw::gdi {

namespace {

constexpr int normalWeight = 400;
constexpr int boldWeight = 600; // and above: the family's bold face
constexpr char32_t breakChar = U' ';
// Beyond these, glyphs are not drawn: FreeType cannot size them and cairo's fixed-point
// coordinates would wrap. No page comes near either.
constexpr double maxDeviceEm = 1e5;
constexpr double minDeviceEm = 1e-3;
constexpr double maxDeviceCoordinate = 4e6;

int weightOf(const LOGFONT& lf) {
    return lf.lfWeight > 0 ? lf.lfWeight : normalWeight;
}

FontObject& selectedFont(DeviceContext& dc) {
    if (!dc.state.font) // a context always has a font; this keeps a broken state harmless
        dc.state.font = std::static_pointer_cast<FontObject>(stockObject(SYSTEM_FONT));
    return *dc.state.font;
}

// The font's face, resolved on first use and kept on the font.
const FontFace* faceOf(FontObject& font) {
    if (!font.face) {
        const LOGFONT& lf = font.logFont;
        font.face =
            FontCatalog::instance().resolve(lf.lfFaceName, weightOf(lf) >= boldWeight, lf.lfItalic);
    }
    return font.face.get();
}

std::string describe(FontObject& font) {
    const LOGFONT& lf = font.logFont;
    const FontFace* face = faceOf(font);
    return (face ? face->family() : lf.lfFaceName) + " h=" + std::to_string(lf.lfHeight) +
           " esc=" + std::to_string(lf.lfEscapement) + " w=" + std::to_string(weightOf(lf)) +
           " i=" + (lf.lfItalic ? "1" : "0") + " u=" + (lf.lfUnderline ? "1" : "0") +
           " s=" + (lf.lfStrikeOut ? "1" : "0");
}

// A font sized for one context, in logical units.
struct FontScale {
    const FontFace* face = nullptr;
    double unitX = 0; // logical units per font unit along the baseline
    double unitY = 0; // logical units per font unit across it
    int ascent = 0;
    int descent = 0;
    int cellHeight() const { return ascent + descent; }
    double emY() const { return unitY * face->metrics().unitsPerEm; }
    double emX() const { return unitX * face->metrics().unitsPerEm; }
};

std::optional<FontScale> scaleFont(const DeviceContext& dc, FontObject& font) {
    FontScale s;
    s.face = faceOf(font);
    if (!s.face) return std::nullopt;
    const FaceMetrics& m = s.face->metrics();
    const LOGFONT& lf = font.logFont;
    double em = 0;
    if (lf.lfHeight > 0)
        em = double(lf.lfHeight) * m.unitsPerEm / m.cellHeight();
    else if (lf.lfHeight < 0)
        em = -double(lf.lfHeight);
    else
        em = dc.facts.dpiY / 6.0 / std::fabs(dc.scaleY()); // 12 points on this context
    if (!std::isfinite(em) || em <= 0) return std::nullopt;
    s.unitY = em / m.unitsPerEm;
    s.unitX = s.unitY;
    // A width asks for that average character width, stretching the glyphs.
    if (lf.lfWidth != 0 && m.avgCharWidth > 0)
        s.unitX = std::fabs(double(lf.lfWidth)) / m.avgCharWidth;
    const int cell = roundToInt(m.cellHeight() * s.unitY);
    s.ascent = std::min(cell, roundToInt(m.winAscent * s.unitY));
    s.descent = cell - s.ascent;
    return s;
}

// Measures a run: the fit count against maxExtent (< 0: no limit), the partial extents and
// the run's extent.
void measureRun(const FontScale& s, std::string_view text, int maxExtent, int* fit,
                std::vector<int>* partialExtents, SIZE* size) {
    const FontFace& face = *s.face;
    std::int64_t units = 0;
    int fitted = 0;
    bool fitting = true;
    if (partialExtents) {
        partialExtents->clear();
        partialExtents->reserve(text.size());
    }
    if (fit || partialExtents) {
        for (std::size_t pos = 0; pos < text.size();) {
            units += face.glyph(utf8::next(text, pos)).advance;
            const int extent = roundToInt(double(units) * s.unitX);
            fitting = fitting && (maxExtent < 0 || extent <= maxExtent);
            fitted += fitting ? 1 : 0;
            if (partialExtents) partialExtents->push_back(extent);
        }
    } else {
        for (std::size_t pos = 0; pos < text.size();)
            units += face.glyph(utf8::next(text, pos)).advance;
    }
    if (fit) *fit = fitted;
    if (size) *size = SIZE{roundToInt(double(units) * s.unitX), s.cellHeight()};
}

bool measure(HDC hdc, std::string_view op, std::string_view text, int maxExtent, int* fit,
             std::vector<int>* partialExtents, SIZE* size) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    if (dc->trace) {
        std::vector<double> args;
        if (op == "GetTextExtentExPoint") args.push_back(maxExtent);
        dc->log(op, std::move(args), std::string(text));
    }
    const auto scale = scaleFont(*dc, selectedFont(*dc));
    if (!scale) return false;
    measureRun(*scale, text, maxExtent, fit, partialExtents, size);
    return true;
}

// Where text goes on the device: the reference point in device units and the device
// displacement of one logical unit along the baseline (`along`) and towards the bottom of
// the glyphs (`down`). Built from the scales' magnitudes, so glyphs stay upright on the page.
struct TextFrame {
    double x = 0, y = 0;
    double alongX = 0, alongY = 0;
    double downX = 0, downY = 0;
    double deviceX(double u, double v) const { return x + alongX * u + downX * v; }
    double deviceY(double u, double v) const { return y + alongY * u + downY * v; }
};

// Cosine and sine of an escapement, exact at the quarter turns so they stay pixel-exact.
void turn(int escapement, double& c, double& s) {
    const int e = ((escapement % 3600) + 3600) % 3600;
    switch (e) {
    case 0:
        c = 1, s = 0;
        return;
    case 900:
        c = 0, s = 1;
        return;
    case 1800:
        c = -1, s = 0;
        return;
    case 2700:
        c = 0, s = -1;
        return;
    default: {
        const double radians = e * std::numbers::pi / 1800.0;
        c = std::cos(radians);
        s = std::sin(radians);
    }
    }
}

TextFrame frameAt(const DeviceContext& dc, POINT reference, int escapement) {
    double c = 1, s = 0;
    turn(escapement, c, s);
    const double sx = std::fabs(dc.scaleX());
    const double sy = std::fabs(dc.scaleY());
    const POINT p = dc.toDevicePixel(reference.x, reference.y);
    // Device y runs down the page, so counter-clockwise turns take the baseline upwards.
    return TextFrame{double(p.x), double(p.y), sx * c, -sy * s, sx * s, sy * c};
}

void setColour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// Fills the box [u0, u1] × [v0, v1] of the text frame, corners on device pixel edges.
void fillBox(cairo_t* cr, const TextFrame& f, double u0, double v0, double u1, double v1) {
    // Clamped so that cairo's fixed-point coordinates never wrap; no page reaches that far.
    const auto snap = [](double d) {
        return std::floor(std::clamp(d, -maxDeviceCoordinate, maxDeviceCoordinate) + 0.5);
    };
    cairo_new_path(cr);
    cairo_move_to(cr, snap(f.deviceX(u0, v0)), snap(f.deviceY(u0, v0)));
    cairo_line_to(cr, snap(f.deviceX(u1, v0)), snap(f.deviceY(u1, v0)));
    cairo_line_to(cr, snap(f.deviceX(u1, v1)), snap(f.deviceY(u1, v1)));
    cairo_line_to(cr, snap(f.deviceX(u0, v1)), snap(f.deviceY(u0, v1)));
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A line along the baseline (underline, strike-out): centre and thickness in font units.
void drawLine(cairo_t* cr, const TextFrame& f, const FontScale& s, double u0, double u1,
              double baseline, int centre, int thickness) {
    double t = thickness * s.unitY;
    const double pixelsPerUnit = std::hypot(f.downX, f.downY);
    if (t * pixelsPerUnit < 1) t = 1 / pixelsPerUnit; // never thinner than a device pixel
    const double v = baseline - centre * s.unitY;
    fillBox(cr, f, u0, v - t / 2, u1, v + t / 2);
}

void drawGlyphs(cairo_t* cr, const TextFrame& f, const FontScale& s,
                const std::vector<cairo_glyph_t>& glyphs) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, f.alongX * s.emX(), f.alongY * s.emX(), f.downX * s.emY(),
                      f.downY * s.emY(), 0, 0);
    const double deviceEm = std::max(std::hypot(m.xx, m.yx), std::hypot(m.xy, m.yy));
    const double det = m.xx * m.yy - m.xy * m.yx;
    // A cairo context in error stays in error: never hand it a size it would reject.
    if (!std::isfinite(det) || det == 0 || deviceEm > maxDeviceEm || deviceEm < minDeviceEm) return;
    cairo_set_font_face(cr, s.face->cairoFace());
    cairo_set_font_matrix(cr, &m);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
}

} // namespace

HFONT CreateFontIndirect(const LOGFONT& font) {
    auto object = std::make_shared<FontObject>();
    object->logFont = font;
    object->logFont.lfFaceName = FontCatalog::recordFaceName(font.lfFaceName);
    faceOf(*object);
    return HandleTable::instance().add(std::move(object));
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC& metrics) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("GetTextMetrics", {});
    FontObject& font = selectedFont(*dc);
    const auto s = scaleFont(*dc, font);
    if (!s) return false;
    const FaceMetrics& m = s->face->metrics();
    metrics = TEXTMETRIC{};
    metrics.tmHeight = s->cellHeight();
    metrics.tmAscent = s->ascent;
    metrics.tmDescent = s->descent;
    metrics.tmInternalLeading = std::max(0, s->cellHeight() - roundToInt(s->emY()));
    metrics.tmExternalLeading = roundToInt(m.externalLeading * s->unitY);
    const int average = m.avgCharWidth > 0 ? m.avgCharWidth : s->face->glyph(U'x').advance;
    metrics.tmAveCharWidth = roundToInt(average * s->unitX);
    metrics.tmMaxCharWidth = roundToInt(m.maxAdvance * s->unitX);
    metrics.tmWeight = weightOf(font.logFont);
    metrics.tmItalic = font.logFont.lfItalic;
    return true;
}

bool GetTextExtentPoint32(HDC hdc, std::string_view text, SIZE* size) {
    return measure(hdc, "GetTextExtentPoint32", text, -1, nullptr, nullptr, size);
}

bool GetTextExtentPoint(HDC hdc, std::string_view text, SIZE* size) {
    return measure(hdc, "GetTextExtentPoint", text, -1, nullptr, nullptr, size);
}

bool GetTextExtentExPoint(HDC hdc, std::string_view text, int maxExtent, int* fit,
                          std::vector<int>* partialExtents, SIZE* size) {
    return measure(hdc, "GetTextExtentExPoint", text, maxExtent, fit, partialExtents, size);
}

bool TextOut(HDC hdc, int x, int y, std::string_view text) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    FontObject& font = selectedFont(*dc);
    if (dc->trace)
        dc->log("TextOut", {double(x), double(y)}, std::string(text) + "|" + describe(font));
    const auto s = scaleFont(*dc, font);
    if (!s) return false;
    const DcState& st = dc->state;

    // Glyph origins along the baseline at the measured cumulative extents, plus the
    // justification's share after each break character.
    const int breaks = st.justifyBreaks > 0 ? st.justifyBreaks : 0;
    const std::int64_t perBreak = breaks ? st.justifyExtra / breaks : 0;
    const std::int64_t remainder = breaks ? st.justifyExtra % breaks : 0;
    std::int64_t added = 0;
    std::int64_t breaksSeen = 0;
    std::int64_t units = 0;
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = utf8::next(text, pos);
        const GlyphAdvance g = s->face->glyph(cp);
        glyphs.push_back(cairo_glyph_t{
            g.index, double(roundToInt(double(units) * s->unitX)) + double(added), 0});
        units += g.advance;
        if (cp == breakChar && breaks) {
            // The remainder goes one unit at a time to the first breaks.
            added += perBreak + (breaksSeen < std::abs(remainder) ? (remainder > 0 ? 1 : -1) : 0);
            ++breaksSeen;
        }
    }
    const double width = double(roundToInt(double(units) * s->unitX)) + double(added);

    const bool updateCP = (st.textAlign & TA_UPDATECP) != 0;
    const POINT reference = updateCP ? st.currentPosition : POINT{x, y};
    double left = 0; // start of the run along the baseline, from the reference point
    if ((st.textAlign & TA_CENTER) == TA_CENTER)
        left = -width / 2;
    else if (st.textAlign & TA_RIGHT)
        left = -width;
    double baseline = s->ascent; // below the reference point, towards the glyphs' bottom
    if ((st.textAlign & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (st.textAlign & TA_BOTTOM)
        baseline = -s->descent;

    const TextFrame frame = frameAt(*dc, reference, font.logFont.lfEscapement);
    cairo_t* cr = dc->cr();
    {
        CairoSaveGuard guard(cr);
        if (st.bkMode == OPAQUE && width != 0) {
            setColour(cr, st.bkColor);
            fillBox(cr, frame, left, baseline - s->ascent, left + width, baseline + s->descent);
        }
        setColour(cr, st.textColor);
        // Glyphs far off any page are left out rather than wrapped by cairo.
        std::size_t kept = 0;
        for (const cairo_glyph_t& g : glyphs) {
            const double gx = frame.deviceX(left + g.x, baseline);
            const double gy = frame.deviceY(left + g.x, baseline);
            if (std::fabs(gx) < maxDeviceCoordinate && std::fabs(gy) < maxDeviceCoordinate)
                glyphs[kept++] = cairo_glyph_t{g.index, gx, gy};
        }
        glyphs.resize(kept);
        if (!glyphs.empty()) drawGlyphs(cr, frame, *s, glyphs);
        const FaceMetrics& m = s->face->metrics();
        if (font.logFont.lfUnderline && width != 0)
            drawLine(cr, frame, *s, left, left + width, baseline, m.underlinePosition,
                     m.underlineThickness);
        if (font.logFont.lfStrikeOut && width != 0)
            drawLine(cr, frame, *s, left, left + width, baseline, m.strikeoutPosition,
                     m.strikeoutThickness);
    }

    if (updateCP && (st.textAlign & TA_CENTER) != TA_CENTER) {
        // The current position moves to the far end of the run, along the baseline.
        const double u = (st.textAlign & TA_RIGHT) ? -width : width;
        double c = 1, sn = 0;
        turn(font.logFont.lfEscapement, c, sn);
        const double dx = u * c * (dc->scaleX() < 0 ? -1 : 1);
        const double dy = -u * sn * (dc->scaleY() < 0 ? -1 : 1);
        dc->state.currentPosition =
            POINT{roundToInt(reference.x + dx), roundToInt(reference.y + dy)};
    }
    return true;
}

bool SetTextJustification(HDC hdc, int extra, int breakCount) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("SetTextJustification", {double(extra), double(breakCount)});
    const bool spread = breakCount > 0;
    dc->state.justifyExtra = spread ? extra : 0;
    dc->state.justifyBreaks = spread ? breakCount : 0;
    return true;
}

unsigned SetTextAlign(HDC hdc, unsigned align) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("SetTextAlign", {double(align)});
    const unsigned previous = dc->state.textAlign;
    dc->state.textAlign = align;
    return previous;
}

unsigned GetTextAlign(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("GetTextAlign", {});
    return dc->state.textAlign;
}

// Colour calls fail with GDI_ERROR, the value the classic interface calls CLR_INVALID.
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("SetTextColor", {double(color)});
    const COLORREF previous = dc->state.textColor;
    dc->state.textColor = color & 0xFFFFFFu;
    return previous;
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("GetTextColor", {});
    return dc->state.textColor;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("SetBkColor", {double(color)});
    const COLORREF previous = dc->state.bkColor;
    dc->state.bkColor = color & 0xFFFFFFu;
    return previous;
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return GDI_ERROR;
    dc->log("GetBkColor", {});
    return dc->state.bkColor;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("SetBkMode", {double(mode)});
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    const int previous = dc->state.bkMode;
    dc->state.bkMode = mode;
    return previous;
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->log("GetBkMode", {});
    return dc->state.bkMode;
}

} // namespace bw::gdi
