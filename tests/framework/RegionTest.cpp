#include "framework/Region.h"

#include <array>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

using namespace bw;

namespace {

bool inMode(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND:
        return a && b;
    case RGN_OR:
        return a || b;
    case RGN_XOR:
        return a != b;
    case RGN_DIFF:
        return a && !b;
    default:
        return a;
    }
}

// Checks every pixel of a window against the pixel-set meaning of the combination.
void expectPixelwise(const Region& a, const Region& b, int mode, const Region& result) {
    for (int y = -2; y < 42; ++y)
        for (int x = -2; x < 42; ++x)
            ASSERT_EQ(result.contains(x, y), inMode(mode, a.contains(x, y), b.contains(x, y)))
                << "mode " << mode << " at " << x << "," << y;
}

Region unionOf(std::span<const RECT> rects) {
    Region r;
    for (const RECT& rect : rects) r = Region::combine(r, Region::fromRect(rect), RGN_OR);
    return r;
}

} // namespace

TEST(Region, CombinesTwoOverlappingRectanglesExactly) {
    const Region a = Region::fromRect({0, 0, 10, 10});
    const Region b = Region::fromRect({5, 5, 15, 15});
    struct Case {
        int mode;
        long long area;
        int complexity;
    };
    const Case cases[] = {
        {RGN_AND, 25, SIMPLEREGION},   // the 5 × 5 overlap
        {RGN_OR, 175, COMPLEXREGION},  // 100 + 100 - 25
        {RGN_XOR, 150, COMPLEXREGION}, // the union less the overlap
        {RGN_DIFF, 75, COMPLEXREGION}, // an L shape
        {RGN_COPY, 100, SIMPLEREGION}, // a alone
    };
    for (const Case& c : cases) {
        const Region r = Region::combine(a, b, c.mode);
        EXPECT_EQ(r.area(), c.area) << c.mode;
        EXPECT_EQ(r.complexity(), c.complexity) << c.mode;
        expectPixelwise(a, b, c.mode, r);
    }
    EXPECT_EQ(Region::combine(a, b, RGN_OR).box(), (RECT{0, 0, 15, 15}));
    EXPECT_TRUE(Region::combine(a, b, 99).empty());
}

TEST(Region, CombinationsOfRandomShapesMatchPixelSets) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(0, 40);
    const auto randomShape = [&] {
        std::array<RECT, 4> rects;
        for (RECT& r : rects) r = {coord(random), coord(random), coord(random), coord(random)};
        return unionOf(rects);
    };
    for (int round = 0; round < 40; ++round) {
        const Region a = randomShape(), b = randomShape();
        for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) {
            const Region r = Region::combine(a, b, mode);
            expectPixelwise(a, b, mode, r);
            // Canonical form: the same pixels give the same rectangles whatever the route.
            const Region again = Region::combine(Region::combine(r, a, RGN_OR),
                                                 Region::combine(a, r, RGN_DIFF), RGN_XOR);
            EXPECT_EQ(again, r);
        }
    }
}

TEST(Region, TouchingPiecesCoalesceIntoOneRectangle) {
    const RECT halves[][2] = {
        {{0, 0, 5, 10}, {5, 0, 10, 10}}, // side by side
        {{0, 0, 10, 4}, {0, 4, 10, 10}}, // one above the other
        {{0, 0, 10, 10}, {2, 2, 8, 8}},  // one inside the other
    };
    for (const auto& pair : halves) {
        const Region r = unionOf(pair);
        EXPECT_EQ(r, Region::fromRect({0, 0, 10, 10}));
        EXPECT_EQ(r.complexity(), SIMPLEREGION);
    }
    const Region a = Region::fromRect({0, 0, 10, 10});
    EXPECT_EQ(Region::combine(a, a, RGN_DIFF).complexity(), NULLREGION);
    EXPECT_EQ(Region::fromRect({10, 10, 0, 0}), a); // normalised
}

TEST(Region, EllipseCoversPixelCentresInsideItsBox) {
    const Region e = Region::fromEllipse({0, 0, 100, 60});
    EXPECT_EQ(e.box(), (RECT{0, 0, 100, 60}));
    EXPECT_NEAR(double(e.area()), std::numbers::pi * 50 * 30, 0.01 * std::numbers::pi * 50 * 30);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            EXPECT_EQ(e.contains(x, y), e.contains(99 - x, y)) << x << "," << y;
            EXPECT_EQ(e.contains(x, y), e.contains(x, 59 - y)) << x << "," << y;
        }
    EXPECT_TRUE(e.contains(50, 30));
    EXPECT_FALSE(e.contains(0, 0));
    EXPECT_FALSE(e.contains(99, 59));
    EXPECT_TRUE(Region::fromEllipse({5, 5, 5, 50}).empty());
}

TEST(Region, PolygonFillRules) {
    // An outer and an inner square traced the same way round: the inner one has winding 2.
    const POINT twice[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0},
                           {5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}};
    const Region alternate = Region::fromPolygon(twice, ALTERNATE);
    const Region winding = Region::fromPolygon(twice, WINDING);
    EXPECT_EQ(alternate.area(), 300);
    EXPECT_FALSE(alternate.contains(10, 10));
    EXPECT_EQ(winding, Region::fromRect({0, 0, 20, 20}));

    // Pixels whose centres lie strictly left of the diagonal x + y = 10: 9 + 8 + ... + 1.
    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_EQ(Region::fromPolygon(triangle, ALTERNATE).area(), 45);
}

TEST(Region, BadInputGivesEmptyOrClampedRegions) {
    EXPECT_TRUE(Region::fromPolygon({}, ALTERNATE).empty());
    const POINT one[] = {{3, 4}};
    EXPECT_TRUE(Region::fromPolygon(one, WINDING).empty());
    const POINT line[] = {{0, 0}, {10, 10}};
    EXPECT_TRUE(Region::fromPolygon(line, WINDING).empty());

    const Region huge = Region::fromRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_EQ(huge.box(), (RECT{-Region::limit, -Region::limit, Region::limit, Region::limit}));
    EXPECT_EQ(huge.complexity(), SIMPLEREGION);
    EXPECT_TRUE(huge.offset(INT_MAX, INT_MIN).empty()); // pushed wholly past the limit
    EXPECT_FALSE(Region::fromEllipse({INT_MIN, INT_MIN, INT_MAX, INT_MAX}).empty());
    const POINT wild[] = {{INT_MIN, 0}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
    EXPECT_FALSE(Region::fromPolygon(wild, WINDING).empty());

    const Region a = Region::fromRect({0, 0, 10, 10});
    EXPECT_EQ(a.offset(5, -5), Region::fromRect({5, -5, 15, 5}));
}
