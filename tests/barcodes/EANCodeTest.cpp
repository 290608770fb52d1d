#include "barcodes/EANCode.h"

#include "barcodes/BarcodeTestSupport.h"
#include "framework/ChangeRecorder.h"
#include "framework/ClassFactory.h"
#include "framework/RecordingEventSink.h"
#include "support/FileText.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

using namespace bw;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr auto EAN13 = static_cast<std::int16_t>(CodeTypes::ctEAN13);
constexpr auto EAN8 = static_cast<std::int16_t>(CodeTypes::ctEAN8);
constexpr auto UPCA = static_cast<std::int16_t>(CodeTypes::ctUPCA);

// An element in a container that records its changes and events; failures go to a log in a
// fresh data directory.
class EANCodeTest : public ::testing::Test {
protected:
    EANCodeTest() {
        host.setDataDirectory(data.withSeparator());
        e.setSite({&changes, &events, nullptr});
        e.setPWidth(2880);
        e.setPHeight(1440);
    }
    std::string log() const { return test::fileText(data.path() / "BWERROR.LOG"); }
    // The texts the digit boxes print.
    std::vector<std::string> printedDigits(HDC hdc) {
        std::vector<std::string> out;
        for (const TraceCall& c : gdi::GetTrace(hdc)->named("TextOut"))
            out.push_back(c.text.substr(0, c.text.rfind('|')));
        return out;
    }

    test::TempDir data;
    test::FailingHost host;
    ChangeRecorder changes;
    test::RecordingEventSink events;
    EANCode e{host};
};

} // namespace

TEST_F(EANCodeTest, ANewElementShowsItsSampleInFourClearingBoxes) {
    EXPECT_EQ(e.Text(), "123456123456");
    EXPECT_EQ(e.CodeStatus(), 0);
    EXPECT_EQ(e.encoding().code, "1234561234560");
    EXPECT_EQ(e.BorderStyle(), BorderStyles::bsNone);
    ASSERT_EQ(e.digitBoxCount(), 4u);
    const char* digits[] = {"2 3 4 5 6 1 ", "2 3 4 5 6 0 ", "1", " "};
    for (std::size_t i = 0; i < 4; ++i) {
        const AutoText& box = e.digitBox(i);
        EXPECT_EQ(box.Text(), digits[i]);
        EXPECT_EQ(box.Tag(), "CLEARRECT");
        EXPECT_EQ(box.Justification(), justifications::JJustified);
        EXPECT_EQ(box.LineSpacing(), linespacings::LCentred);
        EXPECT_TRUE(box.SingleLine());
    }
}

TEST_F(EANCodeTest, EveryCodeStatusAndWhatItDrawsAndPrints) {
    struct Case {
        std::int16_t type;
        const char* text;
        std::int16_t status;
        const char* textAfter;
        bool symbol;
    } cases[] = {
        /*0*/ {EAN13, "5012345678900", 0, "5012345678900", true},
        /*1*/ {EAN13, "5012345678901", 1, "5012345678901", true}, // drawn with the right digit
        /*2*/ {EAN8, "96385075", 1, "96385075", false},           // would read as 96385074
        /*3*/ {EAN13, "50123456789A0", 2, "", false},
        /*4*/ {EAN13, "12345", 3, "", false},
        /*5*/ {EAN8, "12345", 3, "12345", false},
        /*6*/ {EAN13, "", 4, "", false},
        /*7*/ {EAN13, "A5012345678900", 4, "", false},
        /*8*/ {2, "1231234", 5, "1231234", false},                // a Code 128 type
        /*9*/ {UPCA, "1036000291452", 6, "1036000291452", false}, // UPC-A starts with 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EANCode code(host);
        code.setPWidth(2880);
        code.setPHeight(1440);
        code.setCodeType(c.type);
        code.setText(c.text);
        EXPECT_EQ(code.CodeStatus(), c.status);
        EXPECT_EQ(code.Text(), c.textAfter);
        EXPECT_EQ(code.hasSymbol(), c.symbol);
        if (c.status == 1 && c.symbol) {
            EXPECT_EQ(code.encoding().code, "5012345678900");
        }

        // The design view: the frame (white, without a border), and bars only with a symbol.
        code.ReDraw();
        const RECT ink = test::inkBox(code.window().hdc(), code.window().widthPixels(),
                                      code.window().heightPixels());
        EXPECT_EQ(ink.right > ink.left, c.symbol);
        // On paper: all of it, or nothing at all.
        const test::TwipTrace page(600);
        code.LPrint(page);
        EXPECT_EQ(page.calls("Rectangle").empty(), !c.symbol);
        EXPECT_EQ(page.calls("FillRect").empty(), !c.symbol);
        EXPECT_EQ(printedDigits(page).empty(), !c.symbol);
    }
}

TEST_F(EANCodeTest, ACodeTypeBringsASampleItEncodes) {
    for (std::int16_t type : {EAN13, EAN8, UPCA}) {
        e.setText("5012345678900");
        e.setCodeType(type);
        EXPECT_EQ(e.Text(), EanEncoder::sampleText(static_cast<CodeTypes>(type)));
        EXPECT_EQ(e.CodeStatus(), 0) << type;
        EXPECT_TRUE(changes.hasChanged("CodeType"));
    }
}

TEST_F(EANCodeTest, At600DpiTwoThousandTwipsGiveSevenDotModules) {
    e.setPWidth(2000);
    e.setPHeight(1000);
    e.setText("5012345678900");
    const test::TwipTrace page(600);
    e.LPrint(page);
    // 833 dots: 7-dot modules, the first centred 56 dots in, 95 modules over 665 dots.
    EXPECT_DOUBLE_EQ(e.ModuleWidth(), 7 * 2.4);
    const std::vector<TraceCall> bars = page.calls("FillRect");
    ASSERT_FALSE(bars.empty());
    EXPECT_EQ(bars.front().args, (std::vector<double>{53, 0, 60, 375}));
    EXPECT_EQ(bars.back().args[2] - bars.front().args[0], 665);
    // The frame in device pixels, then the digits in the boxes' twips.
    EXPECT_EQ(page.calls("Rectangle").front().args, (std::vector<double>{0, 0, 833, 417}));
    // The lead digit has room for a larger font but matches the halves.
    EXPECT_EQ(e.digitBox(2).TextHeight(), e.digitBox(1).TextHeight());
    // EAN-13's trailing box holds a space: it blanks the bars' end and writes nothing.
    EXPECT_THAT(printedDigits(page),
                ::testing::ElementsAre("0 1 2 3 4 5 ", "6 7 8 9 0 0 ", "5", ""));
}

TEST_F(EANCodeTest, PrintsAtItsPlaceAndLeavesTheContextAsItWas) {
    e.setPLeft(1440);
    e.setPTop(720);
    const test::TwipTrace page(600);
    gdi::OffsetWindowOrgEx(page, 30, -60);
    const test::Mapping before = test::Mapping::of(page);
    e.LPrint(page);
    EXPECT_EQ(test::Mapping::of(page), before);
    // Drawn in dots one inch and half an inch in, from the window origin in dots.
    const std::vector<TraceCall> origins = page.calls("SetWindowOrgEx");
    ASSERT_FALSE(origins.empty());
    EXPECT_EQ(origins.front().args, (std::vector<double>{12 - 600, -25 - 300}));
    EXPECT_EQ(e.PLeft(), 1440);
    EXPECT_EQ(e.PWidth(), 2880);
}

TEST_F(EANCodeTest, FailuresAreLoggedAndTheContextComesBack) {
    const test::TwipTrace page(600);
    const test::Mapping before = test::Mapping::of(page);
    host.failFocus = true; // the frame asks for the focus while the context is in pixels
    e.LPrint(page);
    host.failFocus = false;
    EXPECT_EQ(test::Mapping::of(page), before);
    EXPECT_THAT(log(), HasSubstr("Call info: EANCode:LPrintList\r\n"));
    for (const auto& box : host.messageBoxes) EXPECT_NE(box.text, "EANCode:LPRINT:HitError");

    // A failure of LPrint itself shows its message box first.
    gdi::SetWindowOrgEx(page, std::numeric_limits<int>::max() - 10, 0);
    e.setPLeft(-100);
    e.LPrint(page);
    ASSERT_FALSE(host.messageBoxes.empty());
    EXPECT_EQ(host.messageBoxes.back().text, "EANCode:LPRINT:HitError");
    EXPECT_THAT(log(), HasSubstr("Call info: EANCode:LPrint\r\n"));
    POINT origin;
    gdi::GetWindowOrgEx(page, &origin);
    EXPECT_EQ(origin.x, std::numeric_limits<int>::max() - 10);
}

TEST_F(EANCodeTest, Ean8HidesTheTrailBoxAndPrintsThreeBoxes) {
    e.setCodeType(EAN8);
    e.setText("96385074");
    const test::TwipTrace page(600);
    e.LPrint(page);
    EXPECT_FALSE(e.digitBoxShown(3));
    EXPECT_EQ(e.digitBox(2).Text(), "");
    // The lead box prints its empty text; the trail box does not print.
    EXPECT_THAT(printedDigits(page), ::testing::ElementsAre("9 6 3 8 ", "5 0 7 4 ", ""));
}

TEST_F(EANCodeTest, SettingsGoToTheBoxesAsEachPropertySays) {
    e.setPWidth(10);
    EXPECT_EQ(e.PWidth(), 30);
    e.setPHeight(-5);
    EXPECT_EQ(e.PHeight(), 30);

    e.setJustification(justifications::JLeft); // the half-digit boxes only
    EXPECT_EQ(e.digitBox(1).Justification(), justifications::JLeft);
    EXPECT_EQ(e.digitBox(2).Justification(), justifications::JJustified);
    e.setLineSpacing(linespacings::LTop);
    e.setTextColor(0x0000FF);
    e.setOrientation(orientations::Up);
    e.setFontMaximum(9);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e.digitBox(i).LineSpacing(), linespacings::LTop);
        EXPECT_EQ(e.digitBox(i).TextColor(), 0x0000FF);
        EXPECT_EQ(e.digitBox(i).orientation(), orientations::Up);
        EXPECT_EQ(e.digitBox(i).FontMaximum(), 9);
    }
    for (const char* key : {"justification", "linespacing", "TextColor", "Orientation"})
        EXPECT_TRUE(changes.hasChanged(key)) << key;
    EXPECT_FALSE(changes.hasChanged("FontMaximum"));

    e.setPWidth(2880);
    e.setPHeight(1440);
    e.ReDraw();
    EXPECT_EQ(e.Font().size, e.digitBox(0).TextHeight()); // sized as last fitted
}

TEST_F(EANCodeTest, PickfontAppliesTheChoiceAndCancelChangesNothing) {
    changes.clear();
    e.pickfont();
    ASSERT_EQ(host.fontDialogs.size(), 1u);
    EXPECT_EQ(host.fontDialogs[0].flags, 0x20003);
    EXPECT_TRUE(changes.changedKeys().empty());
    EXPECT_EQ(log(), "");

    FontChoice choice;
    choice.font.name = "Courier New";
    choice.font.bold = true;
    choice.font.size = 10.5;
    choice.color = 0x00FF00;
    host.fontDialogAnswers.push_back(choice);
    e.pickfont();
    EXPECT_EQ(e.Font().name, "Courier New");
    EXPECT_TRUE(e.Bold());
    EXPECT_EQ(e.FontMaximum(), 10);
    EXPECT_EQ(e.TextColor(), 0x00FF00);
    EXPECT_EQ(e.digitBox(3).Font().name, "Courier New");
    EXPECT_TRUE(e.AutoRefresh());
}

TEST_F(EANCodeTest, BoxMouseEventsReachTheHostInElementCoordinates) {
    e.ReDraw();
    AutoText& right = e.digitBox(1);
    right.onMouseDown(1, 0, 10.0f, 20.0f);
    e.onDblClick();
    e.onKeyDown(65, 0);
    e.onClick();
    ASSERT_EQ(events.events.size(), 2u);
    EXPECT_EQ(events.events[0].name, "MouseDown");
    EXPECT_EQ(events.events[0].args[2], Variant(10.0f + static_cast<float>(right.PLeft())));
    EXPECT_EQ(events.events[0].args[3], Variant(20.0f + static_cast<float>(right.PTop())));
    EXPECT_EQ(events.events[1].name, "Click");
}

TEST_F(EANCodeTest, SavesInItsOrderAndLoadsBack) {
    e.setCodeType(EAN8);
    e.setText("96385074");
    e.setSingleLine(false);
    e.setBackColor(0xEEEEEE);
    e.setBorderStyle(BorderStyles::bsSingleline);
    e.setOrientation(orientations::down);
    e.setTextColor(0x000080);
    e.setLineSpacing(linespacings::LTop);
    e.setJustification(justifications::JLeft);
    e.setPLeft(100);
    e.setPTop(200);
    e.setFontMaximum(9);
    PropertyBag bag;
    e.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.entries()) keys.push_back(entry.key);
    // CodeStatus is 0, the default, and CurrentPrinterHdc the printer's: neither is stored.
    EXPECT_EQ(keys, (std::vector<std::string>{"BackColor", "BorderStyle", "code", "Orientation",
                                              "TextColor", "linespacing", "SingleLine",
                                              "justification", "CodeType", "AutoRefresh", "Font",
                                              "PHeight", "PWidth", "PTop", "PLeft"}));

    bag.set("CodeStatus", Variant(std::int16_t{3})); // recomputed on load
    EANCode loaded(host);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Text(), "96385074");
    EXPECT_EQ(loaded.CodeType(), EAN8);
    EXPECT_EQ(loaded.CodeStatus(), 0);
    EXPECT_FALSE(loaded.SingleLine());
    EXPECT_FALSE(loaded.digitBox(3).SingleLine());
    EXPECT_EQ(loaded.digitBox(2).Justification(), justifications::JLeft);
    EXPECT_EQ(loaded.digitBox(1).BackColor(), 0xEEEEEE);
    EXPECT_EQ(loaded.digitBox(0).orientation(), orientations::down);
    EXPECT_EQ(loaded.PLeft(), 100);
    EXPECT_NE(loaded.FontMaximum(), 9); // not saved
    EXPECT_TRUE(loaded.AutoRefresh());

    // A bag without the key loads AutoRefresh off, as it is saved with that default.
    EANCode bare(host);
    bare.ReadProperties(PropertyBag{});
    EXPECT_FALSE(bare.AutoRefresh());
    EXPECT_EQ(bare.Text(), "123456123456");
}

TEST_F(EANCodeTest, IsCreatableByName) {
    const auto object = ClassFactory::create("BWCTRLS.EANCode", host);
    ASSERT_TRUE(object);
    object->setProperty("CodeType", Variant(EAN8));
    object->setProperty("Text", Variant("96385074"));
    EXPECT_EQ(object->getProperty("CodeStatus"), Variant(std::int16_t{0}));
    object->setProperty("CodeStatus", Variant(std::int16_t{4})); // does nothing
    EXPECT_EQ(object->getProperty("CodeStatus"), Variant(std::int16_t{0}));
    Variant none;
    object->callMethod("ShowAbout", std::span<Variant>(&none, 0));
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_THAT(host.messageBoxes[0].title, HasSubstr("EANCode"));
}
