#include "barcodes/EanCode128.h"

#include "framework/ChangeRecorder.h"
#include "framework/ClassFactory.h"
#include "framework/Gdi.h"
#include "framework/RecordingEventSink.h"
#include "framework/RecordingHost.h"
#include "framework/TraceLog.h"
#include "support/FileText.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace bw;

namespace {

constexpr std::int16_t GS1 = 0, SET_C = 2, FREE = 3, TNT = 4;

// A trace context mapped to twips at `dpi` with exact extents, and pixels to look at.
class PixelPage {
public:
    PixelPage(int dpi, int widthPixels, int heightPixels)
        : hdc_(gdi::CreateTraceDC(dpi, dpi, widthPixels, heightPixels)) {
        gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(hdc_, 1440, -1440);
        gdi::SetViewportExtEx(hdc_, dpi, -dpi);
        gdi::GetTrace(hdc_)->clear();
    }
    ~PixelPage() { gdi::DeleteDC(hdc_); }
    PixelPage(const PixelPage&) = delete;
    PixelPage& operator=(const PixelPage&) = delete;
    operator HDC() const { return hdc_; }
    const TraceLog& trace() const { return *gdi::GetTrace(hdc_); }

    // Dark runs along row y as [start, end) pairs.
    std::vector<std::pair<int, int>> darkRuns(int y, int width) const {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < width; ++x) {
            const bool dark = test::pixel(hdc_, x, y) == 0;
            if (dark && (runs.empty() || runs.back().second != x)) runs.push_back({x, x + 1});
            if (dark) runs.back().second = x + 1;
        }
        return runs;
    }

private:
    HDC hdc_;
};

// A host whose focus query can fail, which fails a drawing half-way through.
class FocusFailingHost : public test::RecordingHost {
public:
    bool fail = false;
    WindowId focusedWindow() const override {
        if (fail) throw std::runtime_error("focus query failed");
        return RecordingHost::focusedWindow();
    }
};

// An element in a container that records its changes and events; failures go to a log in a
// fresh data directory.
class EanCode128Test : public ::testing::Test {
protected:
    EanCode128Test() {
        host.setDataDirectory(data.withSeparator());
        e.setSite({&changes, &events, nullptr});
        e.setPWidth(2880);
        e.setPHeight(1440);
        changes.clear();
    }
    std::string log() const { return test::fileText(data.path() / "BWERROR.LOG"); }
    std::vector<std::string> eventNames() const {
        std::vector<std::string> names;
        for (const auto& ev : events.events) names.push_back(ev.name);
        return names;
    }
    // Pixels of the design view that are not white, in rows [y0, y1) (all rows by default).
    int inkInDesignView(int y0 = 0, int y1 = -1) {
        e.ReDraw();
        const ElementWindow& w = e.window();
        int ink = 0;
        for (std::uint32_t p :
             test::pixels(w.hdc(), 0, y0, w.widthPixels(), y1 < 0 ? w.heightPixels() : y1))
            ink += p != 0xFFFFFFu;
        return ink;
    }

    test::TempDir data;
    FocusFailingHost host;
    ChangeRecorder changes;
    test::RecordingEventSink events;
    EanCode128 e{host};
};

} // namespace

// The worked example (N = 112 at 600 dpi on 2880 twips) in every orientation, the free-form
// example (N = 145, no box) and the designer's scaling of the same dots.
TEST(Code128Layout, ModulesAreWholeDotsAndTheBoxSpansTheSymbol) {
    struct Case {
        std::int16_t orientation;
        std::size_t values;
        double W, H;
        std::int32_t pw, ph;
        bool freeForm;
        std::int32_t N, dots;
        double m, q;
        std::int32_t left, top, width, height; // the box's print geometry
    } cases[] = {
        // 1200 dots / 112 = 10-dot modules of 24 twips; box 2688 - 528 = 2160 from q = 264.
        /*0*/ {0, 7, 2880, 1440, 2880, 1440, false, 112, 10, 24, 264, 264, 1138, 2160, 287},
        /*1*/ {1, 7, 1440, 2880, 1440, 2880, false, 112, 10, 24, 264, 15, 264, 287, 2160},
        /*2*/ {2, 7, 2880, 1440, 2880, 1440, false, 112, 10, 24, 264, 456, 15, 2160, 287},
        /*3*/ {3, 7, 1440, 2880, 1440, 2880, false, 112, 10, 24, 264, 1138, 456, 287, 2160},
        // AB1234CD: 10 values; 1200 / 145 = 8 dots; the box keeps its place but has no size.
        /*4*/ {0, 10, 2880, 1440, 2880, 1440, true, 145, 8, 19.2, 211, 211, 1138, 0, 0},
        // A control half the print size shows the same dots at half the width.
        /*5*/ {0, 7, 1440, 720, 2880, 1440, false, 112, 10, 12, 132, 132, 562, 1080, 143},
        // No width yet: no modules, and no division by zero.
        /*6*/ {0, 7, 0, 0, 0, 0, false, 112, 0, 0, 0, 0, -16, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        const Code128Layout l = Code128Layout::compute({.areaWidth = c.W,
                                                        .areaHeight = c.H,
                                                        .printWidth = c.pw,
                                                        .printHeight = c.ph,
                                                        .twipsPerDotX = 2.4,
                                                        .twipsPerDotY = 2.4,
                                                        .orientation = c.orientation,
                                                        .symbolValues = c.values,
                                                        .freeForm = c.freeForm});
        EXPECT_EQ(l.modules, c.N);
        EXPECT_EQ(l.moduleDots, c.dots);
        EXPECT_NEAR(l.moduleWidth, c.m, 1e-9);
        EXPECT_EQ(l.quietZone, c.q);
        EXPECT_EQ(l.boxPLeft, c.left);
        EXPECT_EQ(l.boxPTop, c.top);
        EXPECT_EQ(l.boxPWidth, c.width);
        EXPECT_EQ(l.boxPHeight, c.height);
        if (c.freeForm) {
            EXPECT_EQ(l.boxLeft, 0);
        }
    }
}

// The worked example printed at 600 dpi: 10-dot modules after a 110-dot quiet zone, the 90
// modules of "(10)123456" exactly, the line beneath them, and the context as it was.
TEST_F(EanCode128Test, PrintsWholeDotModulesBetweenQuietZones) {
    const PixelPage page(600, 1300, 700);
    e.setPLeft(24); // 10 dots
    const RECT designerBox{e.autoText1().PLeft(), e.autoText1().PTop(), e.autoText1().PWidth(),
                           e.autoText1().PHeight()};
    e.LPrint(page);

    std::vector<std::pair<int, int>> expected;
    const auto& bars = e.bars();
    ASSERT_EQ(bars.size(), 90u);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const int x = 10 + 110 + 10 * static_cast<int>(i);
        if (!bars[i]) continue;
        if (!expected.empty() && expected.back().second == x)
            expected.back().second = x + 10;
        else
            expected.push_back({x, x + 10});
    }
    EXPECT_EQ(page.darkRuns(100, 1300), expected);
    // Bars run to 0.8 of the 600-dot height, behind the box that begins just before.
    const std::vector<TraceCall> fills = page.trace().named("FillRect");
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].args, (std::vector<double>{0, 0, 20, 480}));
    const std::vector<TraceCall> text = page.trace().named("TextOut");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0].text.substr(0, text[0].text.rfind('|')), "( 1 0 ) 1 2 3 4 5 6");

    POINT origin{1, 1};
    SIZE window{};
    gdi::GetWindowOrgEx(page, &origin);
    gdi::GetWindowExtEx(page, &window);
    EXPECT_EQ(origin, (POINT{0, 0}));
    EXPECT_EQ(window, (SIZE{1440, -1440}));
    // The box is back in its designer layout.
    EXPECT_EQ(designerBox, (RECT{e.autoText1().PLeft(), e.autoText1().PTop(),
                                 e.autoText1().PWidth(), e.autoText1().PHeight()}));
    EXPECT_EQ(log(), "");
}

// A print that fails half-way logs the failure and leaves mapping, origin and layout as they were.
TEST_F(EanCode128Test, AFailedPrintLeavesTheContextAsItWas) {
    const PixelPage page(600, 100, 100);
    gdi::SetWindowOrgEx(page, 7, 9);
    const double designerModule = e.layout().moduleWidth;
    host.fail = true;
    e.LPrint(page);
    host.fail = false;
    POINT origin{};
    SIZE window{}, viewport{};
    gdi::GetWindowOrgEx(page, &origin);
    gdi::GetWindowExtEx(page, &window);
    gdi::GetViewportExtEx(page, &viewport);
    EXPECT_EQ(origin, (POINT{7, 9}));
    EXPECT_EQ(window, (SIZE{1440, -1440}));
    EXPECT_EQ(viewport, (SIZE{600, -600}));
    EXPECT_EQ(gdi::GetMapMode(page), MM_ANISOTROPIC);
    EXPECT_EQ(e.layout().moduleWidth, designerModule);
    EXPECT_NE(log().find("EanCode128:LPrintText"), std::string::npos) << log();
}

// In the designer free-form bars run the whole height; the others stop above the line.
TEST_F(EanCode128Test, FreeFormBarsRunTheWholeHeightInTheDesigner) {
    const int lastRow = e.window().heightPixels() - 2;
    EXPECT_EQ(inkInDesignView(lastRow, lastRow + 1), 0);
    e.setCodeType(FREE);
    e.setText("AB1234CD");
    EXPECT_EQ(e.layout().modules, 145);
    EXPECT_EQ(e.autoText1().PWidth(), 0);
    EXPECT_GT(inkInDesignView(lastRow, lastRow + 1), 0);
}

// Every CodeStatus the element can have. Text the encoder refuses stays as entered, so the
// host saves what the user typed; the designer shows the frame only and LPrint prints nothing.
TEST_F(EanCode128Test, EveryCodeStatusKeepsTheTextAndShowsNoSymbol) {
    struct Case {
        std::int16_t type;
        std::string text;
        std::int16_t status;
    } cases[] = {
        /*0*/ {GS1, "(01)09501101530003(10)A1", 0},
        /*1*/ {GS1, "(01)09501101530004", 1}, // wrong GTIN check digit
        /*2*/ {GS1, "(17)26123A", 2},         // letter in a fixed-length AI
        /*3*/ {GS1, "(01)0950110153000", 3},  // 13 digits for a GTIN
        /*4*/ {GS1, "(10", 4},                // not well formed
        /*5*/ {GS1, "", 4},                   // no data
        /*6*/ {SET_C, "123", 5},              // odd count
        /*7*/ {TNT, "12a4", 5},               // not a digit
        /*8*/ {FREE, "Caf\u00E9", 6},         // set B has no é
        /*9*/ {FREE, "Tab\there", 6},         // nor a control character
        /*10*/ {FREE, "Lot 42-b/7", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        e.setCodeType(c.type);
        e.setText(c.text);
        EXPECT_EQ(e.CodeStatus(), c.status) << e.codeError();
        EXPECT_EQ(e.Text(), c.text);
        EXPECT_EQ(inkInDesignView() > 0, c.status == 0);
        const PixelPage page(600, 10, 10);
        e.LPrint(page);
        EXPECT_EQ(page.trace().calls().empty(), c.status != 0);
    }
    EXPECT_EQ(log(), "");
}

// A new code type takes a sample it can encode; the token text is not touched.
TEST_F(EanCode128Test, EachCodeTypeGetsASampleItEncodes) {
    e.setText("(10)[+]7");
    for (std::int16_t type = 0; type <= 5; ++type) {
        SCOPED_TRACE(type);
        e.setCodeType(type);
        EXPECT_EQ(e.Text(), Gs1Encoder::sampleText(static_cast<CodeTypes>(type)));
        EXPECT_EQ(e.CodeStatus(), 0);
    }
    EXPECT_EQ(e.tokenText(), "(10)[+]7");
    EXPECT_TRUE(changes.hasChanged("CodeType"));
}

// The counter examples: tokens and spaces leave the code, counters keep their width, the SSCC
// check digit follows every step, and each step that ran asks once to be saved.
TEST_F(EanCode128Test, CountersAdvanceInTheTokenText) {
    struct Case {
        std::string text;
        std::string before; // the code text when set
        const char* steps;  // L label, I impression, R reset
        std::string tokens; // the token text afterwards
        std::string after;
        std::size_t saves;
    } cases[] = {
        /*0*/ {"(10)[+]0099 (21)A", "(10)0099(21)A", "L", "(10)[+]0100 (21)A", "(10)0100(21)A", 1},
        /*1*/ {"(10)[+]99", "(10)99", "L", "(10)[+]00", "(10)00", 1},
        /*2*/ {"(10)[+0]Zz9", "(10)Zz9", "L", "(10)[+0]Aa0", "(10)Aa0", 1},
        /*3*/
        {"(00)[+]12345678901234567", "(00)123456789012345675", "L", "(00)[+]12345678901234568",
         "(00)123456789012345682", 1},
        /*4*/
        {"(10)[++0]007 (21)[++]007", "(10)007(21)007", "IIIR", "(10)[++0]007 (21)[++]010",
         "(10)007(21)010", 4},
        /*5*/ {"(10)[++]007", "(10)007", "R", "(10)[++]007", "(10)007", 0},
        /*6*/ {"(10)[++]007", "(10)007", "L", "(10)[++]007", "(10)007", 0},
        /*7*/ {"(10)AB 12", "(10)AB 12", "LIR", "(10)AB 12", "(10)AB 12", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        e.setText(c.text);
        EXPECT_EQ(e.Text(), c.before);
        events.events.clear();
        for (const char* s = c.steps; *s; ++s) {
            if (*s == 'L') e.DoLabelIncrement();
            if (*s == 'I') e.DoImpressionIncrement();
            if (*s == 'R') e.DoResetIncr();
        }
        EXPECT_EQ(e.tokenText(), c.tokens);
        EXPECT_EQ(e.Text(), c.after);
        EXPECT_EQ(e.CodeStatus(), 0) << e.codeError();
        EXPECT_EQ(eventNames(), std::vector<std::string>(c.saves, "PlsSaveMe"));
        EXPECT_EQ(e.templateText(), c.text);
    }
    // Without tokens a space is data: set B's value 0.
    e.setText("(10)AB 12");
    EXPECT_NE(std::find(e.codes().begin(), e.codes().end(), 0), e.codes().end());
    EXPECT_EQ(e.InsertIncrement("A[+]z9 x", 5), "A[+]a0 x");
}

// The same token text again changes nothing; once a code type's sample has replaced the code,
// it is taken again.
TEST_F(EanCode128Test, SettingTheTokenTextAgainKeepsItsCounters) {
    e.setText("(10)[+]0099");
    e.DoLabelIncrement();
    changes.clear();
    e.setText("(10)[+]0100");
    EXPECT_FALSE(changes.isDirty());
    EXPECT_EQ(e.templateText(), "(10)[+]0099");
    e.setCodeType(GS1);
    EXPECT_EQ(e.Text(), "(10)1231234");
    e.setText("(10)[+]0100");
    EXPECT_EQ(e.Text(), "(10)0100");
    // A new element clears its default code when the host sets an empty text.
    EanCode128 fresh(host);
    fresh.setText("");
    EXPECT_EQ(fresh.Text(), "");
    EXPECT_EQ(fresh.CodeStatus(), 4);
}

// Keys are written in the element's order and read back; only Text is kept of the counters,
// the stored status is recomputed and SingleLine False survives.
TEST_F(EanCode128Test, SavesAndLoadsItsKeys) {
    e.setText("(10)[+]ABC (21)1");
    e.setBackColor(0xEEEEEE);
    e.setBorderStyle(1);
    e.setOrientation(1);
    e.setTextColor(0x112233);
    e.setLineSpacing(0);
    e.setSingleLine(false);
    e.setJustification(0);
    e.setFont(FontDesc{.name = "Liberation Serif", .size = 9, .bold = true});
    e.setPTop(100);
    e.setPLeft(200);
    e.setCurrentPrinterHdc(12345);
    PropertyBag bag;
    e.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.entries()) keys.push_back(entry.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"BackColor", "BorderStyle", "code", "Orientation",
                                              "TextColor", "linespacing", "SingleLine",
                                              "justification", "AutoRefresh", "Font", "PHeight",
                                              "PWidth", "PTop", "PLeft", "CurrentPrinterHdc"}));
    EXPECT_EQ(*bag.find("code"), Variant("(10)ABC(21)1"));

    bag.set("CodeStatus", std::int16_t{5});
    EanCode128 loaded(host);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Text(), "(10)ABC(21)1");
    EXPECT_EQ(loaded.CodeStatus(), 0);
    EXPECT_FALSE(loaded.HasLabelIncr());
    EXPECT_FALSE(loaded.SingleLine());
    EXPECT_EQ(loaded.LineSpacing(), 0);
    EXPECT_EQ(loaded.Justification(), 0);
    EXPECT_EQ(loaded.orientation(), 1);
    EXPECT_EQ(loaded.autoText1().orientation(), 1);
    EXPECT_EQ(loaded.autoText1().TextColor(), 0x112233);
    EXPECT_EQ(loaded.autoText1().Tag(), "CLEARRECT");
    EXPECT_EQ(loaded.BackColor(), 0xEEEEEE);
    EXPECT_EQ(loaded.Italic(), false);
    EXPECT_EQ(loaded.Bold(), true);
    EXPECT_EQ(loaded.PLeft(), 200);
    EXPECT_EQ(loaded.CurrentPrinterHdc(), 12345);
    EXPECT_TRUE(loaded.AutoRefresh());
    loaded.DoLabelIncrement(); // counters come back only with the token text
    EXPECT_EQ(loaded.Text(), "(10)ABC(21)1");

    // A bag with a malformed code loads with its status and draws its frame without errors.
    PropertyBag broken;
    broken.set("code", "(10");
    broken.set("BorderStyle", std::int16_t{1});
    broken.set("PWidth", 2000);
    broken.set("PHeight", 900);
    EanCode128 bad(host);
    bad.ReadProperties(broken);
    bad.resizeControl(2000, 900);
    EXPECT_EQ(bad.CodeStatus(), 4);
    EXPECT_EQ(bad.Text(), "(10");
    EXPECT_EQ(log(), "");
}

TEST_F(EanCode128Test, SidesAreAtLeast30Twips) {
    e.setPWidth(29);
    e.setPHeight(-5);
    EXPECT_EQ(e.PWidth(), 30);
    EXPECT_EQ(e.PHeight(), 30);
    e.setPWidth(31);
    EXPECT_EQ(e.PWidth(), 31);
}

// The box's mouse events reach the host in element coordinates; double clicks and keys never.
TEST_F(EanCode128Test, RaisesTheBoxsMouseEventsInItsOwnCoordinates) {
    e.autoText1().onMouseDown(1, 0, 10.f, 20.f);
    e.onClick();
    e.onDblClick();
    e.onKeyDown(65, 0);
    ASSERT_EQ(eventNames(), (std::vector<std::string>{"MouseDown", "Click"}));
    const Code128Layout& l = e.layout();
    EXPECT_EQ(events.events[0].args[2], Variant(static_cast<float>(10 + l.boxLeft)));
    EXPECT_EQ(events.events[0].args[3], Variant(static_cast<float>(20 + l.boxTop)));
}

TEST_F(EanCode128Test, PickfontCopiesTheChoiceAndCancelChangesNothing) {
    e.pickfont();
    EXPECT_FALSE(changes.isDirty());
    host.fontDialogAnswers.push_back(
        FontChoice{.font = {.name = "Liberation Serif", .size = 10.5, .bold = true, .italic = true},
                   .color = 0x0000FF});
    e.pickfont();
    ASSERT_EQ(host.fontDialogs.size(), 2u);
    EXPECT_EQ(host.fontDialogs[0].flags, 0x20003);
    EXPECT_EQ(host.fontDialogs[0].preset.font.size, 432);
    EXPECT_EQ(e.FontMaximum(), 10); // 10.5 to even
    EXPECT_EQ(e.TextColor(), 0x0000FF);
    EXPECT_EQ(e.autoText1().TextColor(), 0x0000FF);
    EXPECT_EQ(e.Font().name, "Liberation Serif");
    EXPECT_TRUE(e.Bold());
    EXPECT_TRUE(e.Italic());
    EXPECT_EQ(e.autoText1().Font().name, "Liberation Serif");
    EXPECT_TRUE(e.AutoRefresh());
}

TEST(EanCode128Class, IsCreatableAndReachableByName) {
    test::RecordingHost host;
    const auto object = ClassFactory::create("BWCTRLS.EanCode128", host);
    ASSERT_TRUE(object);
    EXPECT_EQ(object->getProperty("Text"), Variant("(10)123456"));
    object->setProperty("Text", "(10)[+]41");
    EXPECT_EQ(object->getProperty("HasLabelIncr"), Variant(true));
    object->callMethod("DoLabelIncrement", {});
    EXPECT_EQ(object->getProperty("Text"), Variant("(10)42"));
    object->setProperty("CodeStatus", std::int16_t{3});
    EXPECT_EQ(object->getProperty("CodeStatus"), Variant(std::int16_t{0}));
    object->callMethod("ShowAbout", {});
    EXPECT_EQ(host.messageBoxes.size(), 1u);
}
