#include "text/TextFitter.h"

#include "framework/Gdi.h"
#include "support/TwipContext.h"
#include "text/ClearZone.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace bw;

namespace {

using Lines = std::vector<std::string>;

const std::string ingredients =
    "Ingredients: wheat flour, sugar, palm oil, whey powder (milk), salt, raising agents "
    "(sodium bicarbonate), emulsifier (soya lecithin).";

TextLayout fit(HDC hdc, const AutoTextSettings& settings, std::string_view text,
               RECT area = {0, 0, 4000, 1500}) {
    TextLayout layout;
    TextFitter(settings).reformat(hdc, area, text, layout);
    return layout;
}

AutoTextSettings with(std::int16_t o) {
    AutoTextSettings s;
    s.orientation = o;
    return s;
}

} // namespace

// Expected values are the layout of Liberation Sans (the metric twin of Arial) in a 4000 × 1500
// area with the default border: 3940 × 1440 inside it. Checked by eye: every line fits and the
// next word would not.
TEST(TextFitter, FitsRealLabelTextsInEveryOrientation) {
    struct Case {
        std::string text;
        int wideHeight; // Normal and UpSideDown: lines 3940 long
        Lines wide;
        int tallHeight; // down and Up: lines 1440 long
        Lines tall;
    } cases[] = {
        {"Strawberry Jam", 720, {"Strawberry", "Jam"}, 332, {"Strawberry", "Jam"}},
        {"Best before end: see lid",
         720,
         {"Best before", "end: see lid"},
         516,
         {"Best", "before", "end:", "see", "lid"}},
        {"Keep refrigerated\r\nbelow 5°C",
         569,
         {"Keep refrigerated", "below 5°C"},
         298,
         {"Keep", "refrigerated", "below 5°C"}},
        {ingredients,
         288,
         {"Ingredients: wheat flour, sugar,", "palm oil, whey powder (milk), salt,",
          "raising agents (sodium", "bicarbonate), emulsifier (soya", "lecithin)."},
         263,
         {"Ingredients:", "wheat flour,", "sugar, palm", "oil, whey", "powder", "(milk), salt,",
          "raising", "agents", "(sodium", "bicarbonate),", "emulsifier", "(soya", "lecithin)."}},
    };
    const int escapements[] = {0, 2700, 1800, 900};
    const auto trace = test::TwipContext::trace();
    for (const Case& c : cases) {
        for (std::int16_t o = orientations::Normal; o <= orientations::Up; ++o) {
            const bool tall = o == orientations::down || o == orientations::Up;
            const TextLayout layout = fit(trace, with(o), c.text);
            EXPECT_EQ(layout.fittedHeight, tall ? c.tallHeight : c.wideHeight)
                << c.text << " orientation " << o;
            EXPECT_EQ(layout.lines, tall ? c.tall : c.wide) << c.text << " orientation " << o;
            EXPECT_EQ(layout.layoutWidth, tall ? 1440 : 3940);
            EXPECT_EQ(layout.font.lfEscapement, escapements[o]);
        }
    }
}

TEST(TextFitter, DesignViewAndPrinterBreakAlike) {
    const auto trace = test::TwipContext::trace();
    const auto printer = test::TwipContext::printer(600);
    for (const std::string& text : {ingredients, std::string("Strawberry Jam")}) {
        const TextLayout a = fit(trace, {}, text);
        const TextLayout b = fit(printer, {}, text);
        EXPECT_EQ(a.fittedHeight, b.fittedHeight) << text;
        EXPECT_EQ(a.lines, b.lines) << text;
    }
}

TEST(TextFitter, NormalisesTheTextFirst) {
    struct Case {
        const char* why;
        std::string text;
        bool singleLine;
        bool useBestFit;
        Lines lines;
    } cases[] = {
        {"author's break kept", "a\r\nb", false, false, {"a", "b"}},
        {"best fit chooses the breaks", "a\r\nb", false, true, {"a b"}},
        {"single line", "a\r\nb", true, false, {"a b"}},
        {"breaks at the ends dropped", "\r\n\r\na\r\n\n", false, false, {"a"}},
        {"best fit squeezes spaces", "a  \r\n  b", false, true, {"a b"}},
        {"only line breaks", "\r\n\r\n\n", false, false, {""}},
    };
    const auto trace = test::TwipContext::trace();
    for (const Case& c : cases) {
        AutoTextSettings s;
        s.singleLine = c.singleLine;
        s.useBestFit = c.useBestFit;
        EXPECT_EQ(fit(trace, s, c.text).lines, c.lines) << c.why;
    }
}

TEST(TextFitter, SingleLineIsLimitedByTheWidth) {
    const auto trace = test::TwipContext::trace();
    AutoTextSettings s;
    s.singleLine = true;
    const TextLayout layout = fit(trace, s, ingredients);
    EXPECT_EQ(layout.lines, Lines{ingredients});
    EXPECT_EQ(layout.maxLines, 1);
    EXPECT_LT(layout.fittedHeight, 200);
}

TEST(TextFitter, ClearZoneShrinksTheLayout) {
    struct Case {
        const char* clearZone;
        int twips;
    } cases[] = {
        {"10%", 100}, {"150", 150}, {"abc", 0},
        {"%", 0},     {"-5%", 0},   {"-5", 0},
        {"0", 0},     {"", 0},      {"1e400", 1'000'000'000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clearZoneTwips(c.clearZone, 2000), c.twips) << c.clearZone;

    const auto trace = test::TwipContext::trace();
    AutoTextSettings s;
    s.bordered = false;
    s.clearZone = "10%";
    const TextLayout layout = fit(trace, s, "Strawberry Jam", {0, 0, 4000, 2000});
    EXPECT_EQ(layout.clearZone, 100);
    EXPECT_EQ(layout.layoutHeight, 1800);
    EXPECT_EQ(layout.layoutWidth, 4000); // back to the full width after breaking
    s.clearZone = "1e400";
    EXPECT_EQ(fit(trace, s, "Strawberry Jam").lines, Lines{""});
}

TEST(TextFitter, AWordTooLongForTheAreaCutsTheText) {
    const auto trace = test::TwipContext::trace();
    AutoTextSettings s;
    s.fontMinimum = 200;
    const TextLayout layout =
        fit(trace, s, "Contains nuts Pneumonoultramicroscopicsilicovolcanoconiosis here",
            {0, 0, 2000, 600});
    EXPECT_EQ(layout.fittedHeight, 200);
    EXPECT_EQ(layout.lines, (Lines{"Contains nuts", ""}));
}

TEST(TextFitter, HostileInputsEndCleanly) {
    struct Case {
        const char* why;
        std::string text;
        RECT area;
        int fontMinimum = 1;
        int fontMaximum = 8640;
        Lines lines;
    } cases[] = {
        {"empty", "", {0, 0, 4000, 1500}, 1, 8640, {""}},
        {"no area", "abc", {0, 0, 0, 0}, 1, 8640, {""}},
        {"one twip", "abc", {0, 0, 61, 61}, 1, 8640, {"abc"}},
        {"inverted area", "abc", {4000, 1500, 0, 0}, 1, 8640, {""}},
        {"minimum above maximum", "abc", {0, 0, 4000, 1500}, 500, 100, {"abc"}},
        {"a 100,000-character word",
         std::string(100'000, 'w'),
         {0, 0, 4000, 1500},
         1,
         8640,
         {"w", ""}},
    };
    const auto trace = test::TwipContext::trace();
    const HGDIOBJ ownFont = gdi::GetCurrentObject(trace, OBJ_FONT);
    for (const Case& c : cases) {
        AutoTextSettings s;
        s.fontMinimum = c.fontMinimum;
        s.fontMaximum = c.fontMaximum;
        EXPECT_EQ(fit(trace, s, c.text, c.area).lines, c.lines) << c.why;
        EXPECT_EQ(gdi::GetCurrentObject(trace, OBJ_FONT), ownFont) << c.why;
    }
}

TEST(TextFitter, AFaceNameBeyond32CharactersFailsBeforeAnyFontIsMade) {
    const auto trace = test::TwipContext::trace();
    const HGDIOBJ ownFont = gdi::GetCurrentObject(trace, OBJ_FONT);
    AutoTextSettings s;
    s.font.name = std::string(40, 'F');
    TextLayout layout;
    layout.lines = {"old"};
    EXPECT_THROW(TextFitter(s).reformat(trace, {0, 0, 4000, 1500}, "abc", layout),
                 std::length_error);
    EXPECT_EQ(layout.lines, Lines{""});
    EXPECT_EQ(gdi::GetCurrentObject(trace, OBJ_FONT), ownFont);
    s.font.name = std::string(32, 'F');
    EXPECT_NO_THROW(TextFitter(s).reformat(trace, {0, 0, 4000, 1500}, "abc", layout));
}
