#include "launcher/SplashGeometry.h"

#include <gtest/gtest.h>

using stockmark::ScreenArea;
using stockmark::SplashGeometry;

TEST(SplashGeometry, CentresThePictureWithTruncatingDivision) {
    struct Case {
        ScreenArea screen;
        int x, y;
    };
    const Case cases[] = {
        /* 0 */ {{0, 0, 1024, 768}, 212, 225},
        /* 1 odd margins round toward zero */ {{0, 0, 1025, 769}, 212, 226},
        /* 2 smaller than the picture: negative, not clamped */ {{0, 0, 500, 300}, -50, -8},
        /* 3 -1 / 2 truncates to 0, not -1 */ {{0, 0, 599, 316}, 0, 0},
        /* 4 no screen at all */ {{0, 0, 0, 0}, -300, -158},
        /* 5 a primary screen that does not start at the origin */
        {{1920, 0, 1280, 1024}, 2260, 353},
    };
    for (const Case& c : cases) {
        const SplashGeometry g = SplashGeometry::centredOn(c.screen);
        EXPECT_EQ(g.x(), c.x) << c.screen.width << " x " << c.screen.height;
        EXPECT_EQ(g.y(), c.y) << c.screen.width << " x " << c.screen.height;
    }
}

TEST(SplashGeometry, TellsThePictureFromTheBorder) {
    struct Case {
        int x, y;
        bool onPicture;
    };
    const Case cases[] = {
        {0, 0, false},     {1, 1, true},    {600, 317, true}, {601, 160, false},
        {300, 318, false}, {300, 0, false}, {0, 160, false},  {-1, 5, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplashGeometry::onPicture(c.x, c.y), c.onPicture) << c.x << ", " << c.y;
}
