#include "framework/DeviceContext.h"
#include "framework/Gdi.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace bw;
using namespace bw::gdi;

namespace {

constexpr std::uint32_t white = 0xFFFFFF;
constexpr std::uint32_t black = 0x000000;
constexpr std::uint32_t red = 0xFF0000; // as the surface stores it: 0xRRGGBB

// A 64 × 64 white window; the pens and brushes it makes are deleted with it.
class ShapePixels : public ::testing::Test {
protected:
    static constexpr int size = 64;
    HDC hdc = CreateWindowDC(size, size);
    std::vector<HGDIOBJ> made;

    void TearDown() override {
        DeleteDC(hdc);
        for (HGDIOBJ h : made) DeleteObject(h);
    }

    void usePen(int style, int width, COLORREF color = RGB(0, 0, 0)) {
        made.push_back(CreatePen(style, width, color));
        SelectObject(hdc, made.back());
    }
    void useBrush(COLORREF color) {
        made.push_back(CreateSolidBrush(color));
        SelectObject(hdc, made.back());
    }

    std::uint32_t pixel(int x, int y) const {
        cairo_surface_t* s = findDC(hdc)->surface();
        cairo_surface_flush(s);
        const unsigned char* row =
            cairo_image_surface_get_data(s) +
            static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
        std::uint32_t v = 0;
        std::memcpy(&v, row + 4 * x, 4);
        return v & 0xFFFFFF;
    }
    bool ink(int x, int y) const { return pixel(x, y) != white; }
    int inkCount(RECT r = {0, 0, size, size}) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += ink(x, y);
        return n;
    }
    // Smallest rectangle holding every non-white pixel; empty when there is none.
    RECT inkBox() const {
        RECT box{size, size, 0, 0};
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (ink(x, y))
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.left < box.right ? box : RECT{};
    }
    std::vector<int> inkColumnsOfRow(int y) const {
        std::vector<int> xs;
        for (int x = 0; x < size; ++x)
            if (ink(x, y)) xs.push_back(x);
        return xs;
    }
    std::vector<int> inkRowsOfColumn(int x) const {
        std::vector<int> ys;
        for (int y = 0; y < size; ++y)
            if (ink(x, y)) ys.push_back(y);
        return ys;
    }
};

std::vector<int> range(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

} // namespace

TEST_F(ShapePixels, WidePensAreCentredOnTheLine) {
    struct Case {
        int width, unitsPerPixel;
        int lo, hi; // pixels covered across the line, relative to the line's own pixel
    };
    const Case cases[] = {
        {1, 1, 0, 0},  {3, 1, -1, 1},   {4, 1, -2, 1},
        {5, 1, -2, 2}, {30, 10, -1, 1}, // logical width scaled to the device: 3 pixels
    };
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        SetMapMode(hdc, MM_ANISOTROPIC);
        SetWindowExtEx(hdc, c.unitsPerPixel, c.unitsPerPixel);
        SetViewportExtEx(hdc, 1, 1);
        usePen(PS_SOLID, c.width);
        const int u = c.unitsPerPixel;
        MoveToEx(hdc, 30 * u, 10 * u); // down column 30
        LineTo(hdc, 30 * u, 50 * u);
        MoveToEx(hdc, 5 * u, 58 * u); // along row 58
        LineTo(hdc, 20 * u, 58 * u);
        EXPECT_EQ(inkColumnsOfRow(30), range(30 + c.lo, 30 + c.hi)) << c.width;
        EXPECT_EQ(inkRowsOfColumn(12), range(58 + c.lo, 58 + c.hi)) << c.width;
    }
}

TEST_F(ShapePixels, LineToStopsShortOfItsEndPoint) {
    struct Case {
        POINT from, to;
        RECT box; // the pixels drawn
    };
    const Case cases[] = {
        {{10, 10}, {20, 10}, {10, 10, 20, 11}}, // rightwards
        {{20, 10}, {10, 10}, {11, 10, 21, 11}}, // leftwards
        {{10, 10}, {10, 20}, {10, 10, 11, 20}}, // down
        {{10, 20}, {10, 10}, {10, 11, 11, 21}}, // up
        {{10, 10}, {20, 20}, {10, 10, 20, 20}}, // diagonal
        {{10, 10}, {10, 10}, {}},               // zero length: nothing
    };
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        MoveToEx(hdc, c.from.x, c.from.y);
        LineTo(hdc, c.to.x, c.to.y);
        EXPECT_EQ(inkBox(), c.box) << c.to.x << "," << c.to.y;
        POINT at;
        MoveToEx(hdc, 0, 0, &at);
        EXPECT_EQ(at, c.to);
    }
    EXPECT_EQ(inkCount(), 0);
    MoveToEx(hdc, 10, 10);
    LineTo(hdc, 20, 20);
    EXPECT_EQ(inkCount(), 10); // one pixel per step of the diagonal
}

TEST_F(ShapePixels, RectangleOutlineExcludesRightAndBottomEdges) {
    useBrush(RGB(255, 0, 0));
    const HGDIOBJ redBrush = made.back();
    struct Case {
        HGDIOBJ brush;
        std::uint32_t inside;
    };
    const Case cases[] = {{GetStockObject(HOLLOW_BRUSH), white},
                          {GetStockObject(BLACK_BRUSH), black},
                          {redBrush, red}};
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        SelectObject(hdc, c.brush);
        Rectangle(hdc, 40, 50, 10, 20); // given the wrong way round
        EXPECT_EQ(inkBox(), (RECT{10, 20, 40, 50}));
        EXPECT_EQ(pixel(10, 35), black);
        EXPECT_EQ(pixel(39, 35), black);
        EXPECT_EQ(pixel(25, 49), black);
        EXPECT_EQ(pixel(25, 35), c.inside);
    }
    SelectObject(hdc, GetStockObject(NULL_PEN));
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
    Rectangle(hdc, 10, 20, 40, 50);
    EXPECT_EQ(inkCount(), 30 * 30); // no pen: the fill alone covers [left, right)
}

TEST_F(ShapePixels, InsideFramePenStaysInsideTheFigure) {
    usePen(PS_INSIDEFRAME, 5);
    Rectangle(hdc, 10, 10, 40, 40);
    EXPECT_EQ(inkBox(), (RECT{10, 10, 40, 40}));
    EXPECT_EQ(inkColumnsOfRow(25), (std::vector<int>{10, 11, 12, 13, 14, 35, 36, 37, 38, 39}));

    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
    Ellipse(hdc, 10, 10, 40, 40);
    EXPECT_EQ(inkBox(), (RECT{10, 10, 40, 40}));
    EXPECT_TRUE(ink(12, 25));
    EXPECT_FALSE(ink(16, 25));

    // A solid pen of the same width is centred on the outline instead.
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
    usePen(PS_SOLID, 5);
    Rectangle(hdc, 10, 10, 40, 40);
    EXPECT_EQ(inkBox(), (RECT{8, 8, 42, 42}));
}

TEST_F(ShapePixels, StyledPensLeaveGapsOnlyWhenOnePixelWide) {
    struct Case {
        int style, width;
        int inked; // of the 60 pixels a line from x = 0 to 60 covers
    };
    const Case cases[] = {
        {PS_SOLID, 1, 60},      {PS_DASH, 1, 48}, // 18 on, 6 off
        {PS_DOT, 1, 30},                          // 3 on, 3 off
        {PS_DASHDOT, 1, 33},                      // 9, 6, 3, 6
        {PS_DASHDOTDOT, 1, 39},                   // 9, 3, 3, 3, 3, 3
        {PS_DASH, 3, 60},                         // wide styled pens draw solid
    };
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        usePen(c.style, c.width);
        MoveToEx(hdc, 0, 10);
        LineTo(hdc, 60, 10);
        EXPECT_EQ(inkCount({0, 10, 60, 11}), c.inked) << c.style;
    }
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
    SelectObject(hdc, GetStockObject(NULL_PEN));
    MoveToEx(hdc, 0, 10);
    LineTo(hdc, 60, 10);
    Ellipse(hdc, 5, 5, 30, 30);
    EXPECT_EQ(inkCount(), 0);
}

TEST_F(ShapePixels, ClipRegionLimitsDrawing) {
    const HRGN a = CreateRectRgn(10, 10, 20, 20);
    EXPECT_EQ(SelectClipRgn(hdc, a), SIMPLEREGION);
    DeleteObject(a); // the context keeps its own copy
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(inkBox(), (RECT{10, 10, 20, 20}));
    EXPECT_EQ(inkCount(), 100);

    RECT box;
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 10, 20, 20}));
    SetMapMode(hdc, MM_ANISOTROPIC); // the box comes back in logical units
    SetWindowExtEx(hdc, 2, 2);
    SetViewportExtEx(hdc, 1, 1);
    GetClipBox(hdc, &box);
    EXPECT_EQ(box, (RECT{20, 20, 40, 40}));

    EXPECT_EQ(SelectClipRgn(hdc, 0), SIMPLEREGION);
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 2 * size, 2 * size}));
    FillRect(hdc, RECT{0, 0, 2 * size, 2 * size}, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(inkCount(), size * size);
}

TEST_F(ShapePixels, EllipticRegionFillsLessThanItsBox) {
    const HRGN e = CreateEllipticRgn(10, 20, 50, 40);
    const HRGN box = CreateRectRgn(10, 20, 50, 40);
    const HRGN corners = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(corners, box, e, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(FillRgn(hdc, e, GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(inkBox(), (RECT{10, 20, 50, 40}));
    EXPECT_FALSE(ink(10, 20));
    EXPECT_FALSE(ink(49, 39));

    // The corners are exactly the box's pixels the ellipse left white.
    EXPECT_EQ(SelectClipRgn(hdc, corners), COMPLEXREGION);
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(BLACK_BRUSH));
    SelectClipRgn(hdc, 0);
    EXPECT_EQ(inkCount(), 40 * 20);
    EXPECT_EQ(inkBox(), (RECT{10, 20, 50, 40}));
    for (HRGN h : {e, box, corners}) DeleteObject(h);
}

TEST_F(ShapePixels, ArcDirectionChoosesTheWayRound) {
    // From the east point to the north point of a circle centred at (30, 30).
    struct Case {
        int direction;
        bool upperRight, lowerRight, lowerLeft;
    };
    const Case cases[] = {{AD_COUNTERCLOCKWISE, true, false, false},
                          {AD_CLOCKWISE, false, true, true}};
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        SetArcDirection(hdc, c.direction);
        EXPECT_EQ(GetArcDirection(hdc), c.direction);
        MoveToEx(hdc, 50, 30);
        EXPECT_TRUE(ArcTo(hdc, 10, 10, 50, 50, 60, 30, 30, 0));
        EXPECT_EQ(inkCount({31, 0, size, 29}) > 0, c.upperRight) << c.direction;
        EXPECT_EQ(inkCount({31, 31, size, size}) > 0, c.lowerRight) << c.direction;
        EXPECT_EQ(inkCount({0, 31, 29, size}) > 0, c.lowerLeft) << c.direction;
        POINT at;
        MoveToEx(hdc, 0, 0, &at);
        EXPECT_EQ(at, (POINT{30, 10})); // the arc's end point
    }
    EXPECT_EQ(SetArcDirection(hdc, 7), 0);
}

TEST_F(ShapePixels, FillPathFollowsThePolyFillMode) {
    // An outer and an inner square traced the same way round, so the inner one winds twice.
    const POINT figure[] = {{0, 0},   {40, 0},  {40, 40}, {0, 40},  {0, 0},
                            {10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}};
    struct Case {
        int mode;
        int inked;
    };
    for (const Case& c : {Case{ALTERNATE, 1600 - 400}, Case{WINDING, 1600}}) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        SelectObject(hdc, GetStockObject(BLACK_BRUSH));
        SetPolyFillMode(hdc, c.mode);
        BeginPath(hdc);
        MoveToEx(hdc, figure[0].x, figure[0].y);
        for (const POINT& p : std::span(figure).subspan(1)) {
            LineTo(hdc, p.x, p.y);
            FillRect(hdc, RECT{50, 50, 60, 60}, GetStockObject(WHITE_BRUSH)); // unrelated drawing
        }
        CloseFigure(hdc);
        EXPECT_EQ(inkCount(), 0); // nothing drawn while collecting
        EndPath(hdc);
        EXPECT_TRUE(FillPath(hdc));
        EXPECT_EQ(inkCount(), c.inked) << c.mode;
        EXPECT_FALSE(FillPath(hdc)); // the path was used up
    }
}

TEST_F(ShapePixels, PathOperationsFillStrokeOrBoth) {
    struct Case {
        bool (*draw)(HDC);
        int inked;
    };
    const Case cases[] = {
        {FillPath, 100},          // [10, 20) × [10, 20)
        {StrokePath, 40},         // a one-pixel ring through pixels 10 and 20
        {StrokeAndFillPath, 121}, // both
    };
    SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    for (const Case& c : cases) {
        FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
        BeginPath(hdc);
        Rectangle(hdc, 10, 10, 20, 20);
        EndPath(hdc);
        EXPECT_TRUE(c.draw(hdc));
        EXPECT_EQ(inkCount(), c.inked);
    }
    BeginPath(hdc);
    Ellipse(hdc, 10, 10, 20, 20);
    EXPECT_FALSE(FillPath(hdc)); // still open
    EXPECT_TRUE(AbortPath(hdc));
    EXPECT_FALSE(EndPath(hdc));
}

TEST(GdiShapes, TraceRecordsLogicalArgumentsAndObjects) {
    const HDC hdc = CreateTraceDC(600, 600);
    SetMapMode(hdc, MM_TWIPS);
    const HPEN pen = CreatePen(PS_DASH, 15, RGB(1, 2, 3));
    SelectObject(hdc, pen);
    SelectObject(hdc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(hdc, 100, -200, 1540, -1640);
    MoveToEx(hdc, 1, 2);
    LineTo(hdc, 3, 4);
    const TraceLog& trace = *GetTrace(hdc);
    const auto rect = trace.named("Rectangle");
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].args, (std::vector<double>{100, -200, 1540, -1640}));
    EXPECT_EQ(rect[0].text, "pen=1/15/197121 brush=1/0");
    EXPECT_EQ(trace.named("LineTo").at(0).args, (std::vector<double>{3, 4}));
    EXPECT_EQ(trace.named("MoveToEx").at(0).args, (std::vector<double>{1, 2}));
    DeleteDC(hdc);
    DeleteObject(pen);
}

TEST(GdiShapes, UnknownHandlesFail) {
    const HDC dead = CreateWindowDC(8, 8);
    DeleteDC(dead);
    const HRGN rgn = CreateRectRgn(0, 0, 4, 4);
    const HBRUSH brush = GetStockObject(BLACK_BRUSH);
    for (HDC bad : {HDC(0), HDC(12345), dead, HDC(brush), HDC(rgn)}) {
        EXPECT_FALSE(MoveToEx(bad, 1, 1));
        EXPECT_FALSE(LineTo(bad, 1, 1));
        EXPECT_FALSE(Rectangle(bad, 0, 0, 4, 4));
        EXPECT_FALSE(Ellipse(bad, 0, 0, 4, 4));
        const POINT pts[] = {{0, 0}, {4, 0}, {0, 4}};
        EXPECT_FALSE(Polygon(bad, pts));
        EXPECT_FALSE(FillRect(bad, RECT{0, 0, 4, 4}, brush));
        EXPECT_FALSE(BeginPath(bad) || EndPath(bad) || AbortPath(bad) || CloseFigure(bad));
        EXPECT_FALSE(FillPath(bad) || StrokePath(bad) || StrokeAndFillPath(bad));
        EXPECT_FALSE(ArcTo(bad, 0, 0, 4, 4, 4, 2, 2, 0));
        EXPECT_EQ(SetArcDirection(bad, AD_CLOCKWISE) | GetArcDirection(bad), 0);
        EXPECT_EQ(SetPolyFillMode(bad, WINDING), 0);
        EXPECT_FALSE(FillRgn(bad, rgn, brush));
        EXPECT_EQ(SelectClipRgn(bad, rgn), RGN_ERROR);
        RECT box;
        EXPECT_EQ(GetClipBox(bad, &box), RGN_ERROR);
    }
    const HDC hdc = CreateWindowDC(8, 8);
    EXPECT_FALSE(FillRect(hdc, RECT{0, 0, 4, 4}, rgn)); // a region is not a brush
    EXPECT_FALSE(FillRgn(hdc, brush, brush));
    EXPECT_EQ(SelectClipRgn(hdc, 777), RGN_ERROR);
    EXPECT_EQ(CombineRgn(rgn, rgn, 777, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(777, rgn, rgn, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(rgn, rgn, rgn, 0), RGN_ERROR);
    EXPECT_EQ(CombineRgn(rgn, rgn, 0, RGN_COPY), SIMPLEREGION); // the second is not used
    EXPECT_EQ(CreatePolygonRgn({}, 3), 0u);
    DeleteDC(hdc);
    DeleteObject(rgn);
}

TEST_F(ShapePixels, WildCoordinatesNeitherCrashNorBreakLaterDrawing) {
    useBrush(RGB(255, 0, 0));
    const POINT one[] = {{5, 5}};
    EXPECT_FALSE(Polygon(hdc, {}));
    EXPECT_FALSE(Polygon(hdc, one));
    const POINT wild[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    EXPECT_TRUE(Polygon(hdc, wild));
    EXPECT_FALSE(ArcTo(hdc, 5, 5, 5, 40, 0, 0, 1, 1)); // no ellipse to follow
    usePen(PS_SOLID, INT_MAX);
    MoveToEx(hdc, INT_MIN, INT_MIN);
    LineTo(hdc, INT_MAX, INT_MAX);
    Ellipse(hdc, INT_MIN, 0, INT_MAX, 1);
    ArcTo(hdc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, 1, 1);
    SetViewportExtEx(hdc, INT_MAX, INT_MAX);
    Rectangle(hdc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    BeginPath(hdc);
    Rectangle(hdc, -3, -3, 3, 3);
    ArcTo(hdc, -5, -5, 5, 5, 1, 1, 1, 1);
    EndPath(hdc);
    StrokeAndFillPath(hdc);

    // Clamped, not wrapped: a huge rectangle still covers the whole surface.
    FillRect(hdc, RECT{0, 0, 1, 1}, GetStockObject(WHITE_BRUSH)); // the whole surface here
    SelectObject(hdc, GetStockObject(NULL_PEN));
    Rectangle(hdc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(pixel(0, 0), red);
    EXPECT_EQ(pixel(size - 1, size - 1), red);

    // The context still draws normally afterwards.
    SetMapMode(hdc, MM_TEXT);
    FillRect(hdc, RECT{0, 0, size, size}, GetStockObject(WHITE_BRUSH));
    SelectObject(hdc, GetStockObject(BLACK_PEN));
    Rectangle(hdc, 10, 10, 20, 20);
    EXPECT_EQ(inkBox(), (RECT{10, 10, 20, 20}));
}
