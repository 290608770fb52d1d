#include "text/StraightTextPainter.h"

#include "framework/Gdi.h"
#include "framework/RecordingHost.h"
#include "framework/Rounding.h"
#include "framework/TraceLog.h"
#include "text/TextFitter.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace bw;

namespace {

struct Drawn {
    int x = 0;
    int y = 0;
    std::string text;
    std::string font; // the trace's font description
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

// A trace context (one unit is one twip) and the element-free painter's inputs.
class PainterTest : public ::testing::Test {
protected:
    test::RecordingHost host;
    HDC hdc = gdi::CreateTraceDC();
    AutoTextSettings settings;
    TextLayout layout;

    PainterTest() {
        settings.justification = justifications::JLeft;
        settings.lineSpacing = linespacings::LTop;
        layout.font.lfFaceName = "Arial";
        layout.font.lfHeight = 200;
        layout.layoutWidth = 3000;
        layout.layoutHeight = 1000;
    }
    ~PainterTest() override { gdi::DeleteDC(hdc); }

    void paint(std::vector<std::string> lines) {
        layout.lines = std::move(lines);
        gdi::GetTrace(hdc)->clear();
        StraightTextPainter(host, hdc, settings, layout).paint({});
    }

    std::vector<Drawn> drawn() const {
        std::vector<Drawn> out;
        for (const TraceCall& c : gdi::GetTrace(hdc)->named("TextOut")) {
            const auto bar = c.text.rfind('|');
            out.push_back(
                {int(c.args[0]), int(c.args[1]), c.text.substr(0, bar), c.text.substr(bar + 1)});
        }
        return out;
    }
    std::vector<int> ys() const {
        std::vector<int> out;
        for (const Drawn& d : drawn()) out.push_back(d.y);
        return out;
    }
    // TextOut and SetTextJustification in order, as "text@x" and "spread extra/breaks".
    std::vector<std::string> script() const {
        std::vector<std::string> out;
        for (const TraceCall& c : gdi::GetTrace(hdc)->calls()) {
            if (c.op == "SetTextJustification")
                out.push_back("spread " + std::to_string(int(c.args[0])) + "/" +
                              std::to_string(int(c.args[1])));
            if (c.op == "TextOut")
                out.push_back(c.text.substr(0, c.text.rfind('|')) + "@" +
                              std::to_string(int(c.args[0])));
        }
        return out;
    }
    int widthOf(const std::string& text, int weight = 0) const {
        LOGFONT f = layout.font;
        f.lfWeight = weight;
        const HDC probe = gdi::CreateTraceDC();
        const HGDIOBJ font = gdi::CreateFontIndirect(f);
        const HGDIOBJ old = gdi::SelectObject(probe, font);
        SIZE size;
        gdi::GetTextExtentPoint32(probe, text, &size);
        gdi::SelectObject(probe, old);
        gdi::DeleteObject(font);
        gdi::DeleteDC(probe);
        return size.cx;
    }
};

} // namespace

TEST_F(PainterTest, LineSpacingPlacesTheBlockOfLines) {
    struct Case {
        std::int16_t spacing;
        int height;
        int lines;
        std::vector<int> ys;
    } cases[] = {
        {linespacings::LTop, 1000, 3, {1, 201, 401}},
        {linespacings::LBottom, 1000, 3, {400, 600, 800}},
        {linespacings::LCentred, 1000, 3, {200, 400, 600}},
        {linespacings::LCentred, 1001, 3, {200, 400, 600}}, // 200.5, 400.5, 600.5: halves to even
        {linespacings::LJustified, 1000, 3, {1, 401, 801}},
        {linespacings::LJustified, 1000, 1, {1}},
    };
    for (const Case& c : cases) {
        settings.lineSpacing = c.spacing;
        layout.layoutHeight = c.height;
        paint(std::vector<std::string>(std::size_t(c.lines), "x"));
        EXPECT_EQ(ys(), c.ys) << "spacing " << c.spacing << ", height " << c.height;
    }
}

TEST_F(PainterTest, JustificationPlacesEachLine) {
    layout.clearZone = 100;
    const std::vector<std::string> lines = {"ab cd", "ef gh ij", "kl"};
    const int w0 = widthOf(lines[0]), w1 = widthOf(lines[1]), w2 = widthOf(lines[2]);
    const auto at = [](const std::string& s, double x) {
        return s + "@" + std::to_string(int(roundHalfEven(x)));
    };
    const auto spread = [](int extra, int breaks) {
        return "spread " + std::to_string(extra) + "/" + std::to_string(breaks);
    };
    struct Case {
        std::int16_t justification;
        bool singleLine;
        std::vector<std::string> lines;
        std::vector<std::string> script;
    } cases[] = {
        {justifications::JLeft,
         false,
         lines,
         {at("ab cd", 100), at("ef gh ij", 100), at("kl", 100)}},
        {justifications::JRight,
         false,
         lines,
         {at("ab cd", 2900 - w0), at("ef gh ij", 2900 - w1), at("kl", 2900 - w2)}},
        {justifications::JCentred,
         false,
         lines,
         {at("ab cd", (3000 - w0) / 2.0), at("ef gh ij", (3000 - w1) / 2.0),
          at("kl", (3000 - w2) / 2.0)}},
        // Every line but the last spreads to end where the clear zone starts on the right.
        {justifications::JJustified,
         false,
         lines,
         {spread(2800 - w0, 1), at("ab cd", 100), spread(0, 0), spread(2800 - w1, 2),
          at("ef gh ij", 100), spread(0, 0), at("kl", 100)}},
        {justifications::JJustified,
         true,
         {"ab cd"},
         {spread(2800 - w0, 1), at("ab cd", 100), spread(0, 0)}},
        {justifications::JJustified, false, {"ab cd"}, {at("ab cd", 100)}},
    };
    for (const Case& c : cases) {
        settings.justification = c.justification;
        settings.singleLine = c.singleLine;
        paint(c.lines);
        EXPECT_EQ(script(), c.script)
            << "justification " << c.justification << (c.singleLine ? ", single line" : "");
    }
}

TEST_F(PainterTest, OrientationTurnsTheDrawingPosition) {
    struct Case {
        std::int16_t orientation;
        int escapement;
        int x, y;
    } cases[] = {
        {orientations::Normal, 0, 0, 1},
        {orientations::down, 2700, 999, 0},
        {orientations::UpSideDown, 1800, 3000, 999},
        {orientations::Up, 900, 1, 3000},
    };
    for (const Case& c : cases) {
        settings.orientation = c.orientation;
        layout.font.lfEscapement = layout.font.lfOrientation = c.escapement;
        paint({"Jam"});
        ASSERT_EQ(drawn().size(), 1u);
        EXPECT_EQ(drawn()[0].x, c.x) << "orientation " << c.orientation;
        EXPECT_EQ(drawn()[0].y, c.y) << "orientation " << c.orientation;
        EXPECT_NE(drawn()[0].font.find("esc=" + std::to_string(c.escapement)), std::string::npos);
    }
}

TEST_F(PainterTest, UpRunsAlongTheLongSide) {
    settings.orientation = orientations::Up;
    settings.lineSpacing = linespacings::LCentred;
    TextFitter(settings).reformat(hdc, {0, 0, 1000, 3000}, "Strawberry Jam", layout);
    ASSERT_EQ(layout.layoutWidth, 2940);
    gdi::GetTrace(hdc)->clear();
    StraightTextPainter(host, hdc, settings, layout).paint({});
    ASSERT_FALSE(drawn().empty());
    int longest = 0;
    for (const Drawn& d : drawn()) {
        EXPECT_EQ(d.y, 2940); // Y = W - x with x = 0: the line starts at the bottom
        EXPECT_NE(d.font.find("esc=900"), std::string::npos);
        longest = std::max(longest, widthOf(d.text));
    }
    EXPECT_GT(longest, 940); // longer than the short side could hold
    EXPECT_LE(longest, 2940);
}

TEST_F(PainterTest, MarkersSwitchToTheEmphasisFontAcrossLines) {
    settings.marked = true;
    settings.underline = true;
    paint({"with ^milk", "powder", "and^ soy"});
    const std::string normal = "Liberation Sans h=200 esc=0 w=400 i=0 u=0 s=0";
    const std::string strong = "Liberation Sans h=200 esc=0 w=700 i=0 u=1 s=0";
    const std::vector<Drawn> expected = {
        {0, 1, "with ", normal},
        {widthOf("with "), 1, "milk", strong},
        {0, 201, "powder", strong},
        {0, 401, "and", strong},
        {widthOf("and", 700), 401, " soy", normal},
    };
    EXPECT_EQ(drawn(), expected);
}

TEST_F(PainterTest, TheContextIsLeftAsItWasOnEveryPath) {
    const HGDIOBJ font = gdi::GetCurrentObject(hdc, OBJ_FONT);
    gdi::SetTextColor(hdc, RGB(1, 2, 3));
    gdi::SetBkMode(hdc, OPAQUE);
    settings.textColor = RGB(200, 0, 0);
    settings.marked = true;
    const auto unchanged = [&] {
        POINT origin{-1, -1};
        gdi::GetWindowOrgEx(hdc, &origin);
        EXPECT_EQ(origin, (POINT{0, 0}));
        EXPECT_EQ(gdi::GetCurrentObject(hdc, OBJ_FONT), font);
        EXPECT_EQ(gdi::GetTextColor(hdc), RGB(1, 2, 3));
        EXPECT_EQ(gdi::GetBkMode(hdc), OPAQUE);
    };
    layout.lines = {"a ^b", "c"};
    StraightTextPainter(host, hdc, settings, layout).paint([] { return 60; });
    unchanged();
    EXPECT_THROW(StraightTextPainter(host, hdc, settings, layout).paint([]() -> int {
        throw std::runtime_error("frame");
    }),
                 std::runtime_error);
    unchanged();
    // Too small to hold a line: nothing at all is drawn, not even the frame.
    layout.layoutHeight = 1;
    bool framed = false;
    StraightTextPainter(host, hdc, settings, layout).paint([&] { return framed = true, 0; });
    EXPECT_FALSE(framed);
}
