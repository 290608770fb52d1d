#include "barcodes/ITFCode.h"

#include "barcodes/BarcodeTestSupport.h"
#include "framework/ChangeRecorder.h"
#include "framework/ClassFactory.h"
#include "framework/RecordingEventSink.h"
#include "support/FileText.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

using namespace bw;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

class ITFCodeTest : public ::testing::Test {
protected:
    ITFCodeTest() {
        host.setDataDirectory(data.withSeparator());
        e.setSite({&changes, &events, nullptr});
        e.setPWidth(5760);
        e.setPHeight(2160);
    }
    std::string log() const { return test::fileText(data.path() / "BWERROR.LOG"); }

    test::TempDir data;
    test::FailingHost host;
    ChangeRecorder changes;
    test::RecordingEventSink events;
    ITFCode e{host};
};

} // namespace

TEST_F(ITFCodeTest, ANewElementShowsItsSampleWithTheCheckDigitItCarries) {
    EXPECT_TRUE(e.CheckIncluded());
    EXPECT_EQ(e.Text(), "1234561234560");
    EXPECT_EQ(e.CodeStatus(), 0);
    EXPECT_EQ(e.ReadableText(), "0 1 2 3 4 5 6 1 2 3 4 5 6 0 ");
    EXPECT_EQ(e.digitBox(0).Text(), e.ReadableText());
    EXPECT_EQ(e.digitBox(0).Tag(), "CLEARRECT");
}

TEST_F(ITFCodeTest, EveryCodeStatusAndWhatItPrints) {
    struct Case {
        bool checkIncluded;
        std::string text;
        std::int16_t status;
        std::string textAfter;
    } cases[] = {
        /*0*/ {true, "12345678901231", 0, "12345678901231"},
        /*1*/ {false, "1234567890123", 0, "1234567890123"},  // Text keeps what was typed
        /*2*/ {true, "12345678901232", 1, "12345678901232"}, // would read as ...1231
        /*3*/ {true, "1234567", 1, "1234567"},               // 01234567: check digit 5
        /*4*/ {true, "12A4", 2, ""},
        /*5*/ {true, std::string(256, '1'), 3, std::string(256, '1')}, // too long
        /*6*/ {true, "0000", 4, ""},
        /*7*/ {true, "", 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        e.setCheckIncluded(c.checkIncluded);
        e.setText(c.text);
        EXPECT_EQ(e.CodeStatus(), c.status);
        EXPECT_EQ(e.Text(), c.textAfter);
        const test::TwipTrace page(300);
        e.LPrint(page);
        EXPECT_EQ(page.calls("FillRect").empty(), c.status != 0);
        EXPECT_EQ(page.calls("Rectangle").empty(), c.status != 0);
    }
    e.setCheckIncluded(false);
    e.setText("1234567890123");
    EXPECT_EQ(e.encoding().code, "12345678901231");
}

TEST_F(ITFCodeTest, CheckIncludedCountsWhenItChangesAndWhenLoaded) {
    e.setText("12345678901231");
    EXPECT_EQ(e.DigitCount(), 14);
    e.setCheckIncluded(false); // the last digit is data now, and a check digit follows
    EXPECT_EQ(e.CodeStatus(), 0);
    EXPECT_EQ(e.DigitCount(), 16);
    EXPECT_TRUE(changes.hasChanged("CheckIncluded"));

    for (bool included : {true, false}) {
        PropertyBag bag;
        bag.set("code", Variant("12345678901231"));
        bag.set("CheckIncluded", Variant(included));
        ITFCode loaded(host);
        loaded.ReadProperties(bag);
        EXPECT_EQ(loaded.CheckIncluded(), included);
        EXPECT_EQ(loaded.DigitCount(), included ? 14 : 16);
    }
}

TEST_F(ITFCodeTest, ACodeTypeBringsASampleThatEncodes) {
    for (bool included : {true, false})
        for (std::int16_t type : {std::int16_t{0}, std::int16_t{1}, std::int16_t{5}}) {
            e.setCheckIncluded(included);
            e.setCodeType(type);
            EXPECT_EQ(e.CodeType(), type);
            EXPECT_EQ(e.CodeStatus(), 0) << type << " " << included;
        }
}

TEST_F(ITFCodeTest, At300DpiFiftySevenSixtyTwipsGiveAFourDotUnit) {
    e.setText("12345678901231");
    const test::TwipTrace page(300);
    e.LPrint(page);
    EXPECT_DOUBLE_EQ(e.UnitWidth(), 4 * 4.8);
    // 1200 dots: narrow 8, wide 20, a symbol of 964 dots after a quiet zone of 96, bearer bars
    // 16 dots thick along 1156.
    const std::vector<TraceCall> bars = page.calls("FillRect");
    ASSERT_GT(bars.size(), 3u);
    EXPECT_EQ(bars[0].args[2] - bars[0].args[0], 1156);
    EXPECT_EQ(bars[0].args[3] - bars[0].args[1], 16);
    EXPECT_EQ(bars[2].args[0], 96);
    EXPECT_EQ(bars[2].args[2] - bars[2].args[0], 8);
    EXPECT_EQ(bars.back().args[2], 96 + 964);
}

TEST_F(ITFCodeTest, FailuresAreLoggedWithoutAMessageBoxAndTheContextComesBack) {
    const test::TwipTrace page(300);
    const test::Mapping before = test::Mapping::of(page);
    host.failFocus = true;
    e.LPrint(page);
    host.failFocus = false;
    EXPECT_EQ(test::Mapping::of(page), before);
    EXPECT_THAT(log(), HasSubstr("Call info: ITFCode:LPrintText\r\n"));

    gdi::SetWindowOrgEx(page, std::numeric_limits<int>::max() - 10, 0);
    e.setPLeft(-100);
    host.messageBoxes.clear();
    e.LPrint(page);
    EXPECT_THAT(log(), HasSubstr("Call info: ITFCode:LPrint\r\n"));
    for (const auto& box : host.messageBoxes) EXPECT_THAT(box.text, Not(HasSubstr("ITFCode")));
}

TEST_F(ITFCodeTest, SavesInItsOrderWithCheckIncludedAlwaysThere) {
    e.setText("15400141288763");
    e.setBorderStyle(BorderStyles::bsSingleline);
    e.setOrientation(orientations::Up);
    e.setTextColor(0x000080);
    FontDesc font;
    font.name = "Courier New";
    e.setFont(font);
    PropertyBag bag;
    e.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.entries()) keys.push_back(entry.key);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"BorderStyle", "code", "Orientation", "Font", "TextColor",
                                        "AutoRefresh", "PHeight", "PWidth", "CheckIncluded"}));
    EXPECT_EQ(*bag.find("CheckIncluded"), Variant(true));

    ITFCode loaded(host);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Text(), "15400141288763");
    EXPECT_EQ(loaded.CodeStatus(), 0);
    EXPECT_EQ(loaded.BorderStyle(), BorderStyles::bsSingleline);
    EXPECT_EQ(loaded.PWidth(), 5760);
    EXPECT_EQ(loaded.digitBox(0).Font().name, "Courier New");
    EXPECT_EQ(loaded.digitBox(0).orientation(), orientations::Up);
}

TEST_F(ITFCodeTest, IsCreatableByName) {
    const auto object = ClassFactory::create("bwctrls.itfcode", host);
    ASSERT_TRUE(object);
    object->setProperty("CheckIncluded", Variant(false));
    object->setProperty("Text", Variant("1234567890123"));
    EXPECT_EQ(object->getProperty("CodeStatus"), Variant(std::int16_t{0}));
}
