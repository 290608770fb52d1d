#include "framework/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace bw;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double in, out;
    } cases[] = {
        {2.5, 2},       {3.5, 4},
        {-2.5, -2},     {-3.5, -4},
        {0.5, 0},       {1.5, 2},
        {-0.5, -0},     {2.4999, 2},
        {2.5001, 3},    {-2.5001, -3},
        {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0}, // beyond 2^52: already whole
    };
    for (const Case& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(Rounding, CheckedConversionsRefuseWhatDoesNotFitAfterRounding) {
    EXPECT_EQ(toInt16(32766.5), 32766);
    EXPECT_EQ(toInt16(-32768.5), -32768); // rounds to the even -32768, which fits
    EXPECT_EQ(toInt16(32767.5), std::nullopt);
    EXPECT_EQ(toInt16(40000), std::nullopt);
    EXPECT_EQ(toInt32(2147483646.5), 2147483646);
    EXPECT_EQ(toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(toInt32(-2147483648.5), -2147483648);
    EXPECT_EQ(toInt32(std::nan("")), std::nullopt);
    EXPECT_EQ(toInt32(HUGE_VAL), std::nullopt);
}
