#include "text/AutoText.h"

#include "framework/ChangeRecorder.h"
#include "framework/ClassFactory.h"
#include "framework/HostError.h"
#include "framework/RecordingEventSink.h"
#include "framework/RecordingHost.h"
#include "framework/TraceLog.h"
#include "support/FileText.h"
#include "support/TempDir.h"
#include "support/TwipContext.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <locale>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using namespace bw;
using ::testing::HasSubstr;

namespace {

using Lines = std::vector<std::string>;

const std::string ingredients =
    "Ingredients: wheat flour, sugar, palm oil, whey powder (milk), salt, raising agents "
    "(sodium bicarbonate), emulsifier (soya lecithin).";

// Symbol first, two decimals, thousands by comma.
struct Sterling : std::moneypunct<char> {
    char do_decimal_point() const override { return '.'; }
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
    std::string do_curr_symbol() const override { return "£"; }
    int do_frac_digits() const override { return 2; }
    pattern do_pos_format() const override { return {{symbol, sign, none, value}}; }
};

// An element in a container that records its changes and events; failures go to a log in a
// fresh data directory.
class AutoTextTest : public ::testing::Test {
protected:
    AutoTextTest() {
        host.setDataDirectory(data.withSeparator());
        e.setSite({&changes, &events, nullptr});
        e.setPWidth(4000);
        e.setPHeight(1500);
    }
    std::string log() const { return test::fileText(data.path() / "BWERROR.LOG"); }
    std::vector<std::string> eventNames() const {
        std::vector<std::string> names;
        for (const auto& ev : events.events) names.push_back(ev.name);
        return names;
    }
    // The texts the element draws on a trace context.
    std::vector<std::string> printed() {
        const auto page = test::TwipContext::trace();
        e.LPrint(page);
        std::vector<std::string> out;
        for (const TraceCall& c : gdi::GetTrace(page)->named("TextOut"))
            out.push_back(c.text.substr(0, c.text.rfind('|')));
        return out;
    }

    test::TempDir data;
    test::RecordingHost host;
    ChangeRecorder changes;
    test::RecordingEventSink events;
    AutoText e{host};
};

} // namespace

TEST_F(AutoTextTest, LabelCounterAdvancesAndAsksToBeSaved) {
    e.setText("Lot [+]0099 end");
    EXPECT_TRUE(e.HasLabelIncr());
    EXPECT_FALSE(e.HasImpressionIncr());
    EXPECT_EQ(e.displayText(), "Lot 0099 end");
    e.DoLabelIncrement();
    EXPECT_EQ(e.Text(), "Lot [+]0100 end");
    EXPECT_EQ(e.displayText(), "Lot 0100 end");
    EXPECT_EQ(e.templateText(), "Lot [+]0099 end");
    EXPECT_EQ(eventNames(), std::vector<std::string>{"PlsSaveMe"});
    EXPECT_EQ(printed(), Lines{"Lot 0100 end"});
}

TEST_F(AutoTextTest, ImpressionCountersAdvanceAndResettableOnesGoBack) {
    e.setText("[++0]007 [++]007");
    for (int k = 0; k < 3; ++k) e.DoImpressionIncrement();
    EXPECT_EQ(e.Text(), "[++0]010 [++]010");
    e.DoLabelIncrement(); // no label token: nothing
    e.DoResetIncr();
    EXPECT_EQ(e.Text(), "[++0]007 [++]010");
    EXPECT_EQ(e.displayText(), "007 010");
    EXPECT_EQ(eventNames(), std::vector<std::string>(4, "PlsSaveMe"));
}

TEST_F(AutoTextTest, WithoutATokenCountersDoNothing) {
    e.setText("Lot 0041");
    e.DoLabelIncrement();
    e.DoImpressionIncrement();
    e.DoResetIncr();
    EXPECT_EQ(e.Text(), "Lot 0041");
    EXPECT_TRUE(events.events.empty());
    // 10,000 nines widen by one character.
    e.setText("[+]" + std::string(10'000, '9'));
    e.DoLabelIncrement();
    EXPECT_EQ(e.displayText(), "1" + std::string(10'000, '0'));
}

TEST_F(AutoTextTest, CurrencyFormatShowsTokensAndFormatsNumbers) {
    host.hostLocale = std::locale(std::locale::classic(), new Sterling);
    e.setText("Lot [+]1");
    e.setCurrencyFormat(true);
    e.setText("Lot [++]2");
    EXPECT_TRUE(e.HasLabelIncr()); // not scanned: the flags stay
    EXPECT_FALSE(e.HasImpressionIncr());
    EXPECT_EQ(printed(), Lines{"Lot [++]2"});

    e.setText("1234.5");
    EXPECT_EQ(e.Text(), "£1,234.50");
    EXPECT_EQ(e.displayText(), "£1,234.50");
    EXPECT_EQ(e.templateText(), "1234.5");
    e.setText(" 12");
    EXPECT_EQ(e.Text(), " 12"); // the first character is no number
}

TEST_F(AutoTextTest, PrefixesAndMarkersChooseHowTextIsDrawn) {
    e.setText("UNDERLINEContains ^milk^ and soy");
    EXPECT_EQ(e.Text(), "Contains ^milk^ and soy");
    const auto page = test::TwipContext::trace();
    e.LPrint(page);
    const std::vector<TraceCall> drawn = gdi::GetTrace(page)->named("TextOut");
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_THAT(drawn[1].text, HasSubstr("milk|"));
    EXPECT_THAT(drawn[1].text, HasSubstr("w=700 i=0 u=1"));
    EXPECT_THAT(drawn[2].text, HasSubstr("w=400 i=0 u=0"));

    e.setDisplayImage("HEALTHMARK");
    e.setText("UK 1234 EC");
    EXPECT_EQ(e.DisplayImage(), "HEALTHMARK"); // the health mark keeps its oval
    e.setText("!-!*DATA");
    EXPECT_EQ(e.Text(), "DATA");
    EXPECT_EQ(e.contentKind(), ATType::A_PDF417);
    e.setText("debug");
    EXPECT_EQ(e.contentKind(), ATType::A_PDF417); // only DisplayImage ends it
    EXPECT_TRUE(e.DebugIt());
    e.setDisplayImage("");
    EXPECT_EQ(e.contentKind(), ATType::A_Text);
}

TEST_F(AutoTextTest, DesignViewAndPrintersBreakAlike) {
    e.setText(ingredients); // AutoRefresh: laid out on the default printer, as the designer shows
    const TextLayout design = e.layout();
    ASSERT_GT(design.lines.size(), 1u);
    e.setAutoRefresh(false);
    for (int dpi : {600, 203}) {
        e.NotifyChange();
        e.LPrint(test::TwipContext::printer(dpi));
        EXPECT_EQ(e.layout().lines, design.lines) << dpi << " dpi";
        EXPECT_EQ(e.layout().fittedHeight, design.fittedHeight) << dpi << " dpi";
    }
    EXPECT_EQ(e.TextHeight(), 14); // 288 twips
    EXPECT_DOUBLE_EQ(e.Font().size, 14.4);
}

TEST_F(AutoTextTest, TextHeightOfATinyFitReadsOnePoint) {
    e.setBorderStyle(BorderStyles::bsNone);
    e.setPHeight(10);
    e.setText("a");
    EXPECT_EQ(e.layout().fittedHeight, 10);
    EXPECT_EQ(e.TextHeight(), 1);
}

TEST_F(AutoTextTest, PropertiesPersistUnderTheirKeysWithOneDefault) {
    e.setText("Lot [+]0041");
    e.setJustification(justifications::JLeft);
    e.setLineBreakChars(" -");
    e.setClearZone("10%");
    e.setFontMaximum(24);
    PropertyBag bag;
    e.WriteProperties(bag);
    EXPECT_EQ(bag.read("text", Variant()), Variant("Lot 0041"));
    EXPECT_EQ(bag.read("justification", Variant()), Variant(justifications::JLeft));
    EXPECT_EQ(bag.read("FontMaximum", Variant()), Variant(std::int32_t{480}));
    EXPECT_TRUE(bag.read("UseBestFit", Variant()).isEmpty()); // equal to its default

    AutoText loaded(host);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.displayText(), "Lot 0041");
    EXPECT_EQ(loaded.Text(), "");
    EXPECT_FALSE(loaded.HasLabelIncr());
    EXPECT_EQ(loaded.LineBreakChars(), " -");
    EXPECT_EQ(loaded.ClearZone(), "10%");
    EXPECT_EQ(loaded.FontMaximum(), 24);

    AutoText fresh(host);
    fresh.ReadProperties(
        PropertyBag::fromJson(nlohmann::json::parse(R"({"FontMinimum": 2000, "FontMaximum": 100})"))
            .value());
    EXPECT_EQ(fresh.displayText(), "AutoText");
    EXPECT_EQ(fresh.Justification(), justifications::JCentred); // the load default
    EXPECT_EQ(fresh.FontMinimum(), 100);
    EXPECT_EQ(fresh.FontMaximum(), 100);
}

TEST_F(AutoTextTest, HostileInputsAreSurvived) {
    const auto page = test::TwipContext::trace();
    const auto survives = [&](const char* why) {
        e.ReDraw();
        e.LPrint(page);
        EXPECT_FALSE(e.layout().lines.empty()) << why;
    };
    e.setText(std::string(100'000, 'w'));
    survives("a 100,000-character word");
    e.setText("\r\n\r\n");
    survives("only line breaks");
    e.setText(ingredients);
    for (const char* zone : {"abc", "%", "-5%", "1e308%"}) {
        e.setClearZone(zone);
        survives(zone);
    }
    e.setClearZone("0");
    e.setPWidth(1);
    e.setPHeight(0);
    survives("no area");

    e.setPWidth(4000);
    e.setPHeight(1500);
    FontDesc font = e.Font();
    font.name = std::string(40, 'F');
    e.setFont(font);
    survives("a 40-character face name");
    EXPECT_THAT(log(), HasSubstr("AutoText:Reformat"));
    EXPECT_EQ(e.layout().lines, Lines{""});
}

TEST_F(AutoTextTest, PickfontTakesTheDialogsChoice) {
    e.setTextColor(RGB(1, 2, 3));
    host.fontDialogAnswers.push_back(std::nullopt);
    e.pickfont();
    ASSERT_EQ(host.fontDialogs.size(), 1u);
    EXPECT_EQ(host.fontDialogs[0].flags, 0x20003);
    EXPECT_EQ(host.fontDialogs[0].preset.font.size, 432);
    EXPECT_EQ(host.fontDialogs[0].preset.color, std::int32_t(RGB(1, 2, 3)));
    EXPECT_EQ(e.Font().name, "Arial"); // cancelled: nothing changes

    FontChoice choice;
    choice.font = FontDesc{"Courier New", 10.5, true, true};
    choice.color = RGB(0, 0, 255);
    host.fontDialogAnswers.push_back(choice);
    e.pickfont();
    EXPECT_EQ(e.Font().name, "Courier New");
    EXPECT_TRUE(e.Bold());
    EXPECT_TRUE(e.Italic());
    EXPECT_EQ(e.TextColor(), std::int32_t(RGB(0, 0, 255)));
    EXPECT_EQ(e.FontMaximum(), 10); // 10.5 to the even neighbour
    EXPECT_TRUE(e.AutoRefresh());
    EXPECT_EQ(e.borderWidth(), 20);
}

TEST_F(AutoTextTest, MembersAreReachableByName) {
    const auto object = ClassFactory::create("BWCTRLS.AutoText", host);
    ASSERT_TRUE(object);
    object->setProperty("Text", Variant("Lot [+]A9"));
    object->callMethod("DoLabelIncrement", {});
    EXPECT_EQ(object->getProperty("Text"), Variant("Lot [+]B0"));
    EXPECT_EQ(object->getProperty("HasLabelIncr"), Variant(true));
    std::vector<Variant> args{Variant("x 19"), Variant(std::int16_t{3})};
    EXPECT_EQ(object->callMethod("InsertIncrement", args), Variant("x 20"));
    object->setProperty("FontMaximum", Variant(std::int16_t{12}));
    EXPECT_EQ(object->getProperty("FontMaximum"), Variant(std::int16_t{12}));
    try {
        object->setProperty("TextHeight", Variant(std::int16_t{3}));
        ADD_FAILURE() << "TextHeight is read-only";
    } catch (const HostError& error) {
        EXPECT_EQ(error.number(), 383);
    }
}
