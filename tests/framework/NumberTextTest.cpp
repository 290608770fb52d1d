#include "framework/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace bw;

TEST(NumberText, LeadingNumberReadsAsFarAsANumberGoes) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"  12abc", 12}, {"abc", 0},     {"-3.5e2x", -350},  {"1,5", 1},         {"&H1F", 31},
        {"&h1fz", 31},   {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1},
        {"&O17", 15},    {"&", 0},       {"1 2 3", 123},     {"\t-\n4", -4},     {".5", 0.5},
        {"1.2.3", 1.2},  {"1e", 1},      {"1e+x", 1},        {"2D3", 2000},      {"+7", 7},
        {"--5", 0},      {"", 0},        {"10%", 10},        {"1e-999", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(leadingNumber("1e999"), HUGE_VAL);
}

TEST(NumberText, ParseNumberTakesOneWholeNumberOnly) {
    struct Case {
        const char* text;
        double value;
    } good[] = {{" 12 ", 12}, {"1e3", 1000}, {"-2.5", -2.5}, {"&H1F", 31}, {"1.", 1}, {"+.5", 0.5}};
    for (const Case& c : good) EXPECT_EQ(parseNumber(c.text).value(), c.value) << c.text;

    struct Bad {
        const char* text;
        std::int32_t error;
    } bad[] = {
        {"12abc", err::typeMismatch},   {"", err::typeMismatch},    {".", err::typeMismatch},
        {"1,000", err::typeMismatch},   {"1 2", err::typeMismatch}, {"1e999", err::overflow},
        {"&H1FFFFFFFF", err::overflow},
    };
    for (const Bad& c : bad) {
        const Result<double> r = parseNumber(c.text);
        ASSERT_FALSE(r.ok()) << c.text;
        EXPECT_EQ(r.error().number, c.error) << c.text;
    }
    EXPECT_EQ(parseNumber("12abc").error().description, "Type mismatch: \"12abc\" is not a number");
}

TEST(NumberText, DefaultTextHasFifteenOrSevenSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    } doubles[] = {
        {0, "0"},
        {0.1, "0.1"},
        {-2.5, "-2.5"},
        {1e14, "100000000000000"},
        {1e15, "1E+15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.0 / 3, "0.333333333333333"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {-1.5e-20, "-1.5E-20"},
        {120, "120"},
    };
    for (const Case& c : doubles) EXPECT_EQ(numberText(c.value), c.text) << c.text;
    EXPECT_EQ(numberText(0.1f), "0.1");
    EXPECT_EQ(numberText(1234567.0f), "1234567");
    EXPECT_EQ(numberText(1e7f), "1E+07");
    EXPECT_EQ(numberText(12.3f), "12.3");
}

TEST(NumberText, PictureFormatsRoundHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {243.4, "#######0kcal", "243kcal"},
        {0.2, "#######0kcal", "0kcal"},
        {12.34, "#####0.0g", "12.3g"},
        {0.25, "#####0.0g", "0.3g"},
        {4.1, "(#####0.0g)", "(4.1g)"},
        {-4.1, "(#####0.0g)", "-(4.1g)"},
        {1.005, "0.00", "1.01"}, // rounded from its 15 digits, not from the binary value below
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {999.96, "0.0", "1000.0"},
        {-0.01, "0.0", "0.0"}, // no sign on a zero
        {1234567.891, "#,##0", "1,234,568"},
        {1234.5, "#,##0.00", "1,234.50"},
        {0.5, "#.##", ".5"},
        {5, "#.##", "5."},
        {1.5, "0.0#", "1.5"},
        {1.555, "0.0#", "1.56"},
        {12, "00000", "00012"},
        {1e20, "0", "100000000000000000000"},
        {static_cast<double>(0.15f), "0.0", "0.2"},
        {12, "abc", "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

namespace {

// A currency like sterling: symbol first, two decimals, thousands by comma.
struct Sterling : std::moneypunct<char> {
    char do_decimal_point() const override { return '.'; }
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
    std::string do_curr_symbol() const override { return "£"; }
    std::string do_negative_sign() const override { return "-"; }
    int do_frac_digits() const override { return 2; }
    pattern do_pos_format() const override { return {{symbol, sign, none, value}}; }
    pattern do_neg_format() const override { return {{sign, symbol, none, value}}; }
};

} // namespace

TEST(NumberText, CurrencyFollowsTheLocale) {
    // std::locale owns and deletes the facet.
    const std::locale sterling(std::locale::classic(), new Sterling);
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {1234.5, "£1,234.50"},
        {-2.5, "-£2.50"},
        {0, "£0.00"},
        {-0.001, "£0.00"},
        {0.125, "£0.12"},
        {0.375, "£0.38"}, // halves to even
        {1234567.891, "£1,234,567.89"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatCurrency(c.value, sterling), c.text) << c.value;
    EXPECT_EQ(formatCurrency(2.5, std::locale::classic()), "2"); // "C": no symbol, no decimals
}
