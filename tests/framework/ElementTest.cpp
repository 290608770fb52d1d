#include "framework/Element.h"

#include "framework/ChangeRecorder.h"
#include "framework/ControlContainer.h"
#include "framework/CurrentPrinter.h"
#include "framework/FontSizeRange.h"
#include "framework/Gdi.h"
#include "framework/RecordingEventSink.h"
#include "framework/RecordingHost.h"
#include "framework/TestElement.h"
#include "framework/TraceLog.h"
#include "support/FileText.h"
#include "support/Pixels.h"

#include <array>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>

using namespace bw;
using test::TestElement;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// A context deleted at the end of the test.
struct ScopedDC {
    HDC hdc;
    ~ScopedDC() { gdi::DeleteDC(hdc); }
    operator HDC() const { return hdc; }
};

// A trace context in the print engine's mapping: one unit is one twip, y downwards, at `dpi`.
HDC printContext(int dpi = 1440, int widthPixels = 0, int heightPixels = 0) {
    const HDC hdc = gdi::CreateTraceDC(dpi, dpi, widthPixels, heightPixels);
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(hdc, 1440, 1440);
    gdi::SetViewportExtEx(hdc, dpi, dpi);
    gdi::GetTrace(hdc)->clear();
    return hdc;
}

POINT windowOrigin(HDC hdc) {
    POINT origin{-1, -1};
    gdi::GetWindowOrgEx(hdc, &origin);
    return origin;
}

PropertyBag bagOf(const char* json) {
    return PropertyBag::fromJson(nlohmann::json::parse(json)).value();
}

// Every failure goes to a log in a fresh data directory.
class ElementTest : public ::testing::Test {
protected:
    ElementTest() { host.setDataDirectory(data.withSeparator()); }
    std::string log() const { return test::fileText(data.path() / "BWERROR.LOG"); }

    test::TempDir data;
    test::RecordingHost host;
};

} // namespace

TEST_F(ElementTest, LPrintDrawsAtItsPositionAndLeavesTheOriginWhereItWas) {
    TestElement e(host);
    e.setPLeft(1440);
    e.setPTop(720);
    e.setPWidth(720);
    e.setPHeight(360);
    const ScopedDC page{printContext(144, 300, 200)}; // 10 twips per pixel

    e.LPrint(page);

    EXPECT_EQ(windowOrigin(page), (POINT{0, 0}));
    const std::vector<TraceCall> shifts = gdi::GetTrace(page)->named("OffsetWindowOrgEx");
    ASSERT_EQ(shifts.size(), 2u);
    EXPECT_EQ(shifts[0].args, (std::vector<double>{-1440, -720}));
    EXPECT_EQ(shifts[1].args, (std::vector<double>{1440, 720}));
    // One inch from the left, half an inch from the top, drawn in the element's own twips.
    EXPECT_EQ(gdi::GetTrace(page)->named("Rectangle").front().args,
              (std::vector<double>{0, 0, 720, 360}));
    EXPECT_EQ(test::inkBox(page, 300, 200), (RECT{144, 72, 216, 108}));
}

TEST_F(ElementTest, PositionNeverStalesTheLayoutButOrientationDoes) {
    TestElement e(host);
    e.ReDraw();
    ASSERT_EQ(e.layouts.size(), 1u);
    const ScopedDC page{printContext()};

    e.setPLeft(500);
    e.setPTop(300);
    EXPECT_FALSE(e.layoutStale());
    e.LPrint(page);
    EXPECT_EQ(e.layouts.size(), 1u);

    e.setOrientation(orientations::down);
    ASSERT_EQ(e.layouts.size(), 2u);
    e.LPrint(page);
    EXPECT_EQ(e.layouts.size(), 2u);

    // The design view lays out on the default printer's context, measuring in twips.
    const HDC printer = e.layouts.back();
    EXPECT_EQ(printer, CurrentPrinter::instance().hdc());
    EXPECT_EQ(gdi::GetMapMode(printer), MM_ANISOTROPIC);
    std::array<POINT, 1> inch{POINT{1440, 720}};
    gdi::LPtoDP(printer, inch);
    EXPECT_EQ(inch[0], (POINT{gdi::GetDeviceCaps(printer, LOGPIXELSX),
                              gdi::GetDeviceCaps(printer, LOGPIXELSY) / 2}));
}

TEST_F(ElementTest, WithoutAutoRefreshNothingDrawsAndEveryPrintLaysOut) {
    TestElement e(host);
    e.setAutoRefresh(false);
    e.setPWidth(1500);
    e.setPHeight(750);
    e.setOrientation(orientations::Up);
    e.setBackColor(static_cast<std::int32_t>(RGB(255, 0, 0)));
    EXPECT_TRUE(e.layouts.empty());
    EXPECT_TRUE(e.drawings.empty());

    const ScopedDC page{printContext()};
    e.LPrint(page);
    e.LPrint(page);
    EXPECT_EQ(e.layouts, (std::vector<HDC>{page, page}));
    EXPECT_TRUE(e.layoutStale());

    e.setAutoRefresh(true); // redraws at once, and that clears the flag
    EXPECT_EQ(e.layouts.size(), 3u);
    EXPECT_EQ(e.drawings.back(), e.window().hdc());
    EXPECT_FALSE(e.layoutStale());
    e.LPrint(page);
    EXPECT_EQ(e.layouts.size(), 3u);
}

TEST_F(ElementTest, FramePenFollowsFocusSelectionAndBorder) {
    constexpr WindowId elsewhere = 0xFFFFFFF0;
    constexpr std::int16_t single = BorderStyles::bsSingleline;
    enum class Focus { None, Own, Elsewhere };
    struct Case {
        Focus focus;
        bool selected;
        bool forceFocus;
        std::int16_t border;
        bool bold;
        const char* pen; // style/width/colour
        int inset;
    } cases[] = {
        {Focus::Own, true, false, single, false, "pen=3/1/255", 30},       // dash-dot
        {Focus::Own, false, false, single, false, "pen=2/1/255", 30},      // dotted
        {Focus::None, true, true, single, false, "pen=3/1/255", 30},       // forced focus
        {Focus::Elsewhere, true, false, single, false, "pen=1/1/255", 30}, // dashed
        {Focus::Elsewhere, false, false, single, false, "pen=6/15/255", 30},
        {Focus::None, false, false, single, true, "pen=6/20/255", 40},
        {Focus::None, false, false, BorderStyles::bsNone, false, "pen=6/1/16777215", 0},
    };
    TestElement e(host);
    e.setPWidth(1000);
    e.setPHeight(500);
    e.setTextColor(255);
    for (const Case& c : cases) {
        host.focused = c.focus == Focus::Own         ? e.window().id()
                       : c.focus == Focus::Elsewhere ? elsewhere
                                                     : 0;
        e.setIsSelected(c.selected);
        e.setBorderStyle(c.border);
        e.setBold(c.bold);
        const ScopedDC page{printContext()};
        const HGDIOBJ pen = gdi::GetCurrentObject(page, OBJ_PEN);

        e.SetUpArea(page, false, c.forceFocus);

        const std::vector<TraceCall> rects = gdi::GetTrace(page)->named("Rectangle");
        ASSERT_EQ(rects.size(), 1u) << c.pen;
        EXPECT_EQ(rects[0].args, (std::vector<double>{0, 0, 1000, 500})) << c.pen;
        EXPECT_THAT(rects[0].text, StartsWith(std::string(c.pen) + " brush=1/")) << c.pen;
        EXPECT_EQ(gdi::GetCurrentObject(page, OBJ_PEN), pen) << c.pen;
        EXPECT_EQ(e.inset(), c.inset) << c.pen;
    }
}

TEST_F(ElementTest, BackgroundIsPaintedOnPrintOnlyWhenItShows) {
    constexpr std::int32_t white = 0xFFFFFF;
    constexpr std::int32_t red = 0x0000FF;
    struct Case {
        std::int32_t back;
        const char* tag;
        std::int16_t orientation;
        const char* brush;
    } cases[] = {
        {white, "", orientations::Normal, "brush=1/0"}, // white paper needs no paint
        {red, "", orientations::Normal, "brush=0/255"},
        {white, "CLEARRECT", orientations::Normal, "brush=0/16777215"},
        {red, "", orientations::CurveClockWise, "brush=1/0"},
    };
    for (const Case& c : cases) {
        TestElement e(host);
        e.setPWidth(1500);
        e.setPHeight(750);
        e.setBackColor(c.back);
        e.setTag(c.tag);
        e.setOrientation(c.orientation);
        const ScopedDC page{printContext()};
        e.LPrint(page);
        EXPECT_THAT(gdi::GetTrace(page)->named("Rectangle").front().text, HasSubstr(c.brush))
            << c.back << " " << c.tag;

        // The design view always paints it (pixels hold 0xRRGGBB).
        gdi::ResizeWindowDC(e.window().hdc(), 100, 50);
        e.ReDraw();
        EXPECT_EQ(test::pixel(e.window().hdc(), 50, 25), c.back == red ? 0xFF0000u : 0xFFFFFFu)
            << c.back << " " << c.tag;
    }
}

TEST(FontSizeRange, PointsOutsideTwipsInside) {
    FontSizeRange r;
    r.setMaximumPoints(12);
    EXPECT_EQ(r.maximumTwips(), 240);
    EXPECT_EQ(r.maximumPoints(), 12);
    r.setMinimumPoints(0);
    EXPECT_EQ(r.minimumTwips(), 1);
    EXPECT_EQ(r.minimumPoints(), 0);

    r.setMinimumPoints(20); // above the maximum
    EXPECT_EQ(r.minimumTwips(), 240);
    r.setMaximumPoints(500);
    EXPECT_EQ(r.maximumTwips(), 8640);
    r.setMaximumPoints(-3); // below the minimum
    EXPECT_EQ(r.maximumTwips(), 240);

    r.load(0, 9000);
    EXPECT_EQ(r.minimumTwips(), 1);
    EXPECT_EQ(r.maximumTwips(), 8640);
    r.load(300, 100);
    EXPECT_EQ(r.maximumTwips(), 300);

    // Reading rounds halves to even.
    EXPECT_EQ(FontSizeRange::toPoints(30), 2);
    EXPECT_EQ(FontSizeRange::toPoints(50), 2);
    EXPECT_EQ(FontSizeRange::toPoints(70), 4);
}

TEST_F(ElementTest, AutoRefreshLoadsUnderEitherSpelling) {
    struct Case {
        const char* bag;
        bool autoRefresh;
    } cases[] = {
        {R"({"PWidth": 100})", true},
        {R"({"AutoRefresh": false})", false},
        {R"({"Autorefresh": false})", false},
    };
    for (const Case& c : cases) {
        TestElement e(host);
        e.ReadProperties(bagOf(c.bag));
        EXPECT_EQ(e.AutoRefresh(), c.autoRefresh) << c.bag;
    }
    EXPECT_EQ(log(), "");
}

TEST_F(ElementTest, SaveLeavesOutDefaultsAndLoadRestoresWithoutSizing) {
    ChangeRecorder changes;
    TestElement e(host);
    e.setSite({.changes = &changes});
    PropertyBag fresh;
    e.WriteProperties(fresh);
    EXPECT_TRUE(fresh.empty());

    e.setPLeft(100);
    e.setPWidth(3000);
    e.setAutoRefresh(false);
    e.setFontMaximum(12);
    e.setFontMinimum(0);
    EXPECT_EQ(changes.changedKeys(), (std::vector<std::string>{"PLeft", "PWidth", "AutoRefresh"}));
    PropertyBag saved;
    e.WriteProperties(saved);
    EXPECT_EQ(saved.toJson(),
              nlohmann::ordered_json::parse(
                  R"({"PLeft": 100, "PWidth": 3000, "AutoRefresh": false, "FontMaximum": 240})"));

    TestElement loaded(host);
    loaded.ReadProperties(saved);
    EXPECT_EQ(loaded.PLeft(), 100);
    EXPECT_EQ(loaded.PWidth(), 3000);
    EXPECT_FALSE(loaded.AutoRefresh());
    EXPECT_EQ(loaded.FontMaximum(), 12);
    EXPECT_EQ(loaded.fontSizes.minimumTwips(), 1);
    EXPECT_EQ(loaded.area().right, 0); // the load alone leaves the area
    loaded.resizeControl(3000, 500);   // the container's first sizing
    EXPECT_EQ(loaded.area(), (RECT{0, 0, 3000, 500}));
}

TEST_F(ElementTest, WrongTypesConvertOrFallBackAndAreLogged) {
    TestElement e(host);
    e.ReadProperties(bagOf(R"({"PLeft": "abc", "PTop": "720", "PWidth": 12.5,
                               "orientation": 40000, "AutoRefresh": "False",
                               "FontMinimum": 0, "FontMaximum": 9000})"));
    EXPECT_EQ(e.PLeft(), 0);
    EXPECT_EQ(e.PTop(), 720);
    EXPECT_EQ(e.PWidth(), 12); // halves to even
    EXPECT_EQ(e.orientation(), orientations::Normal);
    EXPECT_FALSE(e.AutoRefresh());
    EXPECT_EQ(e.fontSizes.minimumTwips(), 1);
    EXPECT_EQ(e.fontSizes.maximumTwips(), 8640);

    const std::string text = log();
    EXPECT_THAT(text, HasSubstr("\"PLeft\": found \"abc\""));
    EXPECT_THAT(text, HasSubstr("\"orientation\": found 40000"));
    std::size_t entries = 0;
    for (std::size_t at = 0;
         (at = text.find("Call info: TestElement:ReadProperties\r\n", at)) != std::string::npos;
         ++at)
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST_F(ElementTest, AFailingDrawingRestoresOriginAndObjectsAndIsLogged) {
    TestElement e(host);
    e.setPLeft(1440);
    e.setPTop(720);
    e.setPWidth(720);
    e.setPHeight(360);
    e.failDrawing = true;
    const ScopedDC page{printContext()};
    const HGDIOBJ pen = gdi::GetCurrentObject(page, OBJ_PEN);
    const HGDIOBJ brush = gdi::GetCurrentObject(page, OBJ_BRUSH);

    EXPECT_NO_THROW(e.LPrint(page));
    EXPECT_EQ(windowOrigin(page), (POINT{0, 0}));
    EXPECT_EQ(gdi::GetCurrentObject(page, OBJ_PEN), pen);
    EXPECT_EQ(gdi::GetCurrentObject(page, OBJ_BRUSH), brush);
    EXPECT_EQ(gdi::GetObjectType(e.lastPen), 0); // deleted
    EXPECT_THAT(log(), HasSubstr("Description: Division by zero\r\n"
                                 "Call info: TestElement:LPrint\r\n"));

    // A log that cannot be written: the failure reaches the caller, the element stays usable.
    host.setDataDirectory(data.withSeparator() + "missing/");
    EXPECT_THROW(e.LPrint(page), HostError);
    EXPECT_EQ(windowOrigin(page), (POINT{0, 0}));
    EXPECT_EQ(gdi::GetCurrentObject(page, OBJ_PEN), pen);
    e.failDrawing = false;
    gdi::GetTrace(page)->clear();
    EXPECT_NO_THROW(e.LPrint(page));
    EXPECT_EQ(gdi::GetTrace(page)->named("Rectangle").size(), 2u);
}

TEST_F(ElementTest, DesignerResizeAdoptsTheSizeOnlyInDesignMode) {
    TestElement e(host);
    e.resizeControl(3000, 1500);
    EXPECT_EQ(e.PWidth(), 3000);
    EXPECT_EQ(e.PHeight(), 1500);
    EXPECT_EQ(e.area(), (RECT{0, 0, 3000, 1500}));
    EXPECT_FALSE(e.layoutStale()); // redrawn
    SIZE window;
    SIZE viewport;
    gdi::GetWindowExtEx(e.window().hdc(), &window);
    gdi::GetViewportExtEx(e.window().hdc(), &viewport);
    EXPECT_EQ(window, (SIZE{3000, 1500}));
    EXPECT_EQ(viewport, (SIZE{200, 100}));

    e.setDesignmode(false);
    e.resizeControl(600, 300);
    EXPECT_EQ(e.PWidth(), 3000);
    EXPECT_EQ(e.area(), (RECT{0, 0, 3000, 1500}));
    gdi::GetWindowExtEx(e.window().hdc(), &window);
    gdi::GetViewportExtEx(e.window().hdc(), &viewport);
    EXPECT_EQ(window, (SIZE{3000, 1500}));
    EXPECT_EQ(viewport, (SIZE{40, 20}));

    // Setting the print size sizes the control, in twips as set.
    e.setPWidth(1000);
    EXPECT_EQ(e.window().widthTwips(), 1000);
    EXPECT_EQ(e.window().widthPixels(), 67);
}

TEST_F(ElementTest, MoveToFrontAndBackAmongSiblings) {
    auto form = std::make_unique<ControlContainer>();
    TestElement a(host);
    TestElement b(host);
    TestElement c(host);
    for (TestElement* e : {&a, &b, &c}) e->setSite({.container = form.get()});
    const WindowId ia = a.window().id(), ib = b.window().id(), ic = c.window().id();
    EXPECT_EQ(form->zOrder(), (std::vector<WindowId>{ia, ib, ic}));

    a.MoveToFront();
    EXPECT_EQ(form->zOrder(), (std::vector<WindowId>{ib, ic, ia}));
    c.MoveToBack();
    EXPECT_EQ(form->zOrder(), (std::vector<WindowId>{ic, ib, ia}));
    {
        TestElement d(host);
        d.setSite({.container = form.get()});
        d.setSite({.container = form.get()}); // placed again: still once
        EXPECT_EQ(form->zOrder().size(), 4u);
    }
    EXPECT_EQ(form->zOrder(), (std::vector<WindowId>{ic, ib, ia}));

    form.reset(); // the container goes first
    a.MoveToFront();
}

TEST_F(ElementTest, EventsReachTheSinkWithTheirArguments) {
    test::RecordingEventSink sink;
    TestElement e(host);
    e.setSite({.events = &sink});
    e.onMouseDown(1, 2, 10.5f, 20.0f);
    e.onClick();
    e.onKeyDown(65, 0); // not an event of every element
    e.raisePlsSaveMe();

    ASSERT_EQ(sink.events.size(), 3u);
    EXPECT_EQ(sink.events[0].name, "MouseDown");
    EXPECT_EQ(sink.events[0].args,
              (std::vector<Variant>{std::int16_t{1}, std::int16_t{2}, 10.5f, 20.0f}));
    EXPECT_EQ(sink.events[1].name, "Click");
    EXPECT_EQ(sink.events[2].name, "PlsSaveMe");
}

TEST_F(ElementTest, SharedMembersByName) {
    TestElement e(host);
    Object& o = e;
    o.setProperty("pleft", Variant("1440"));
    o.setProperty("FontMaximum", Variant(std::int16_t{12}));
    EXPECT_EQ(e.PLeft(), 1440);
    EXPECT_EQ(o.getProperty("FontMaximum"), Variant(std::int16_t{12}));

    const ScopedDC page{printContext()};
    std::array<Variant, 1> args{static_cast<std::int32_t>(page.hdc)};
    o.callMethod("LPrint", args);
    EXPECT_EQ(e.drawings.back(), page.hdc);
    EXPECT_THROW(o.callMethod("ShowAbout", {}), HostError);
}
