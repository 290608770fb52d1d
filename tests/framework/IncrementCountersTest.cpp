#include "framework/IncrementCounters.h"

#include <gtest/gtest.h>
#include <string>

using namespace bw;

namespace {
constexpr CounterCarry widen = CounterCarry::Widen;
constexpr CounterCarry drop = CounterCarry::Drop;
} // namespace

TEST(IncrementCounters, CounterTextEndsAtASpaceOrLineBreak) {
    struct Case {
        const char* text;
        const char* counter;
    } cases[] = {
        {"0099 end", "0099"}, {"0099", "0099"},   {" 0099", ""},    {"", ""},
        {"A-9\r\nB", "A-9"},  {"12\nBest", "12"}, {"7\t8", "7\t8"}, // a tab is no end
        {"[+]5 x", "[+]5"},   {"é9 ü", "é9"},
    };
    for (const Case& c : cases) EXPECT_EQ(counterText(c.text), c.counter) << c.text;
}

TEST(IncrementCounters, IncrementCounterCarriesLeftAndWidensOrWraps) {
    struct Case {
        const char* counter;
        std::int64_t pos;
        CounterCarry carry;
        const char* result;
    } cases[] = {
        {"0099", 4, widen, "0100"},
        {"Z", 1, widen, "AA"},
        {"zz9", 3, widen, "aaa0"},
        {"A-9", 3, widen, "A-0"}, // the hyphen takes the carry
        {"99", 2, widen, "100"},
        {"a9Z", 3, widen, "b0A"}, // digits and letters carry into each other
        {"y", 1, widen, "z"},
        {"", 1, widen, ""},
        {"19x", 2, widen, "20x"}, // right of pos stays
        {"12", 3, widen, "12"},   // no character at pos
        {"0", 0, widen, "10"},    // a carry out of the first character
        {"a", 0, widen, "aa"},
        {"9", 0, widen, "9"},
        {"9é", 2, widen, "9é"},   // a non-ASCII character stops the carry
        {"é99", 3, widen, "é00"}, // pos counts code points, not bytes
        {"99", 2, drop, "00"},    // the barcode keeps the width
        {"Z", 1, drop, "A"},
        {"zz", 2, drop, "aa"},
        {"19", 2, drop, "20"},
        {"0", 0, drop, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(incrementCounter(c.counter, c.pos, c.carry), c.result)
            << c.counter << " at " << c.pos;
}

TEST(IncrementCounters, TenThousandNinesWidenWithoutRecursion) {
    const std::string nines(10'000, '9');
    EXPECT_EQ(incrementCounter(nines, 10'000), "1" + std::string(10'000, '0'));
    EXPECT_EQ(insertIncrement("[+]" + nines + " x", 4, drop),
              "[+]" + std::string(10'000, '0') + " x");
}

TEST(IncrementCounters, InsertIncrementAdvancesTheCounterAtACodePoint) {
    struct Case {
        const char* text;
        std::int64_t i;
        const char* result;
    } cases[] = {
        {"Lot [+]0099 end", 8, "Lot [+]0100 end"},
        {"é[+]9 x", 5, "é[+]10 x"}, // "é" is one position though two bytes
        {"[+] 5", 4, "[+] 5"},      // empty counter
        {"[+]", 4, "[+]"},
        {"a9", 2, "a10"}, // the counter begins at i: "a" is outside it
        {"a9", 1, "b0"},
        {"a9", 0, "a9"},
        {"a9", 99, "a9"},
        {"12\r\n9", 1, "13\r\n9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(insertIncrement(c.text, c.i), c.result) << c.text << " at " << c.i;
}

TEST(IncrementCounters, StripRemovesEachTokenUntilNoneIsLeftInOrder) {
    struct Case {
        const char* text;
        const char* stripped;
    } cases[] = {
        {"Lot [+]0099 end", "Lot 0099 end"},
        {"[+]1 [+0]2 [++]3 [++0]4", "1 2 3 4"},
        {"[+[+]]", ""},
        {"[+[+]0]", ""},    // the first pass joins a "[+0]", removed by the second
        {"[+[+0]]", "[+]"}, // the "[+]" is joined after its pass
        {"[++[++0]0]", ""},
        {"[[++]+0]", "[+0]"}, // so is this "[+0]"
        {"[+0[+]]", ""},
        {"[+ ]", "[+ ]"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(stripIncrementTokens(c.text), c.stripped) << c.text;
}

TEST(IncrementCounters, ScanSetsFlagsAndStripsOnlyWhenATokenIsThere) {
    struct Case {
        const char* text;
        bool label;
        bool impression;
        const char* result;
    } cases[] = {
        {"Lot [+]0099", true, false, "Lot 0099"},
        {"[+0]1", true, false, "1"},
        {"[++]1", false, true, "1"},
        {"A [++0]7 [+]1", true, true, "A 7 1"},
        {"[+ 0]", false, false, "[+ 0]"},
        {"[[+]]", true, false, "[]"},
    };
    for (const Case& c : cases) {
        const TokenScan scan = scanIncrementTokens(c.text);
        EXPECT_EQ(scan.hasLabelIncr, c.label) << c.text;
        EXPECT_EQ(scan.hasImpressionIncr, c.impression) << c.text;
        EXPECT_EQ(scan.text, c.result) << c.text;
    }
}

TEST(IncrementCounters, LabelStepAdvancesEveryLabelCounterOnce) {
    struct Case {
        const char* text;
        CounterCarry carry;
        const char* result;
        std::size_t tokens;
    } cases[] = {
        {"Lot [+]0099 end", widen, "Lot [+]0100 end", 1},
        {"[+]Z [+0]zz9", widen, "[+]AA [+0]aaa0", 2},
        {"a[+]9 b[+]A-9", widen, "a[+]10 b[+]A-0", 2},
        {"x[+] y[+]", widen, "x[+] y[+]", 2},              // empty counters
        {"[++]1 [++0]1", widen, "[++]1 [++0]1", 0},        // impression tokens untouched
        {"[+]1[+]9", widen, "[+]1[+]1", 2},                // both reach the shared tail
        {"[+]9[+0]9 [+0]9", widen, "[+]9[+0]1 [+0]10", 3}, // "[+]"'s carry stops at "]"
        {"[+]9 [+]9", widen, "[+]10 [+]10", 2},            // widening shifts the later token
        {"Best [+]0041\r\nbefore", widen, "Best [+]0042\r\nbefore", 1},
        {"(10)[+]99", drop, "(10)[+]00", 1},
        {"(10)[+]0099 (21)A", drop, "(10)[+]0100 (21)A", 1},
        {"é[+]\xff"
         "9 [+]z",
         widen,
         "é[+]\xff"
         "0 [+]aa",
         2}, // invalid UTF-8 stops a carry, kept
        {"no tokens", widen, "no tokens", 0},
    };
    for (const Case& c : cases) {
        const CounterStep step = labelIncrementStep(c.text, c.carry);
        EXPECT_EQ(step.text, c.result) << c.text;
        EXPECT_EQ(step.tokens, c.tokens) << c.text;
    }
    EXPECT_EQ(stripIncrementTokens(labelIncrementStep("Lot [+]0099 end").text), "Lot 0100 end");
}

TEST(IncrementCounters, ImpressionStepAdvancesImpressionCountersOnly) {
    struct Case {
        const char* text;
        const char* result;
    } cases[] = {
        {"[++]8 [++0]9 [+]1", "[++]9 [++0]10 [+]1"},
        {"[++0][++]9", "[++0][++]11"}, // "[++]" widens, then "[++0]" advances the same tail
        {"[+0]5 [++0]5", "[+0]5 [++0]6"},
    };
    for (const Case& c : cases) EXPECT_EQ(impressionIncrementStep(c.text).text, c.result) << c.text;
}

TEST(IncrementCounters, ResetBringsBackResettableCountersOnly) {
    const std::string templateText = "Pack [++]5 [++0]007 [+]1";
    std::string text = templateText;
    for (int n = 0; n < 3; ++n) text = impressionIncrementStep(text).text;
    EXPECT_EQ(text, "Pack [++]8 [++0]010 [+]1");
    const CounterStep reset = resetIncrementStep(text, templateText);
    EXPECT_EQ(reset.text, "Pack [++]8 [++0]007 [+]1");
    EXPECT_EQ(reset.tokens, 1u);
}

TEST(IncrementCounters, ResetPairsTheKthTokensOfTextAndTemplate) {
    struct Case {
        const char* text;
        const char* templateText;
        const char* result;
        std::size_t tokens;
    } cases[] = {
        {"[++0]100 [++0]b", "[++0]99 [++0]a", "[++0]99 [++0]a", 2},
        {"[++0]5 [++0]6", "[++0]1", "[++0]1 [++0]6", 1},      // the template runs out
        {"[++0]5", "x [++0]1 [++0]2", "[++0]1", 1},           // only the k-th counts
        {"[++0]5", "[++0]", "[++0]", 1},                      // an empty reset value
        {"[++0]5\r\nx", "[++0]123\r\ny", "[++0]123\r\nx", 1}, // the text outside stays
        {"[++]5 [+]7", "[++]1 [+]1", "[++]5 [+]7", 0},
        {"[++0]a[++0]9", "[++0]b[++0]1", "[++0]b[++0]1", 2}, // counters that hold tokens
        {"[++0]9", "", "[++0]9", 0},
    };
    for (const Case& c : cases) {
        const CounterStep step = resetIncrementStep(c.text, c.templateText);
        EXPECT_EQ(step.text, c.result) << c.text << " / " << c.templateText;
        EXPECT_EQ(step.tokens, c.tokens) << c.text << " / " << c.templateText;
    }
}
