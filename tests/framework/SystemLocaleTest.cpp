#include "framework/SystemLocale.h"

#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(SystemLocale, GeneralDateIsShortDateSpaceLongTime) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(formatGeneralDate(t, std::locale::classic()), "03/05/24 14:05:09");
}

TEST(SystemLocale, AMissingLocaleFallsBackToC) {
    const test::ScopedEnv all("LC_ALL", "xx_XX.NOT-INSTALLED");
    EXPECT_EQ(systemLocale().name(), "C");
}
