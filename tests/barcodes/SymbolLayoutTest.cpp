// The arithmetic of the barcode layouts: whole-dot modules, where the EAN bars and digit boxes
// go, and the ITF widths, quiet zones and bearer bars.

#include "barcodes/BarcodeTestSupport.h"
#include "barcodes/DotPitch.h"
#include "barcodes/EanEncoder.h"
#include "barcodes/EanSymbolLayout.h"
#include "barcodes/ItfEncoder.h"
#include "barcodes/ItfSymbolLayout.h"
#include "framework/ElementEnums.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(DotPitchTest, AUnitIsTheWholeDotsThatFitTheLength) {
    struct Case {
        std::int32_t length;
        double pitch;
        int units;
        int dots;
    } cases[] = {
        /*0*/ {2000, 2.4, 109, 7},  // EAN-13 element at 600 dpi: 833 dots
        /*1*/ {2880, 2.4, 112, 10}, // Code 128 "(10)123456" at 600 dpi: 1200 dots
        /*2*/ {5760, 4.8, 289, 4},  // ITF-14 at 300 dpi: 1200 dots
        /*3*/ {2000, 2.4, 834, 0},  // narrower than one dot per unit
        /*4*/ {0, 2.4, 109, 0},
        /*5*/ {2000, 0, 109, 0},
        /*6*/ {2000, 2.4, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(DotPitch::unitDots(c.length, c.pitch, c.units), c.dots);
        // While printing the unit is exactly its dots in twips; in the designer it is scaled
        // to the control's size.
        EXPECT_DOUBLE_EQ(DotPitch::unitWidth(c.length, c.pitch, c.units, c.length),
                         c.dots * c.pitch);
        if (c.length > 0) {
            EXPECT_DOUBLE_EQ(DotPitch::unitWidth(c.length, c.pitch, c.units, c.length / 2.0),
                             c.dots * c.pitch / 2);
        }
    }
}

TEST(DotPitchTest, ComesFromTheContextsTwipMapping) {
    const test::TwipTrace at600(600), at300(300);
    EXPECT_DOUBLE_EQ(DotPitch::of(at600).x, 2.4);
    EXPECT_DOUBLE_EQ(DotPitch::of(at300).y, 4.8);
    const HDC plain = gdi::CreateTraceDC(); // one unit, one dot
    EXPECT_DOUBLE_EQ(DotPitch::of(plain).x, 1);
    gdi::DeleteDC(plain);
    EXPECT_DOUBLE_EQ(DotPitch::of(0).x, 1);
}

TEST(EanSymbolLayoutTest, BarsAreWholeModulesFromTheEighthModuleOn) {
    const EanEncoder encoder(BarcodeTables::ean());
    const EanEncoding ean13 = encoder.GetEanCode("5012345678900", CodeTypes::ctEAN13);
    // 2000 twips at 600 dpi: 833 dots, 7-dot modules, the first module centred at dot 56.
    const std::vector<RECT> bars =
        EanSymbolLayout::bars(ean13.modules, orientations::Normal, 833, 400, 7);
    ASSERT_FALSE(bars.empty());
    EXPECT_EQ(bars.front(), (RECT{53, 0, 60, 360}));       // the guard: one module, to 0.9 of 400
    EXPECT_EQ(bars.back().right - bars.front().left, 665); // 95 modules
    for (const RECT& r : bars) EXPECT_EQ((r.right - r.left) % 7, 0);

    // Turned, the modules count from the far edge and the bars start a tenth in.
    const std::vector<RECT> turned =
        EanSymbolLayout::bars(ean13.modules, orientations::UpSideDown, 833, 400, 7);
    EXPECT_EQ(turned.front(), (RECT{833 - 60, 40, 833 - 53, 400}));
    const std::vector<RECT> down =
        EanSymbolLayout::bars(ean13.modules, orientations::down, 400, 833, 7);
    EXPECT_EQ(down.front(), (RECT{40, 53, 400, 60}));

    // EAN-8 starts at the same place.
    const EanEncoding ean8 = encoder.GetEanCode("96385074", CodeTypes::ctEAN8);
    const std::vector<RECT> short8 =
        EanSymbolLayout::bars(ean8.modules, orientations::Normal, 600, 400, 7);
    EXPECT_EQ(short8.front().left, 53);
    EXPECT_EQ(short8.back().right - short8.front().left, 67 * 7);

    // An element narrower than the symbol's dots has no bars at all.
    EXPECT_TRUE(EanSymbolLayout::bars(ean13.modules, orientations::Normal, 100, 40, 0).empty());
}

TEST(EanSymbolLayoutTest, DigitBoxesSitUnderTheHalvesAndBesideTheSymbol) {
    // Modules of 10 twips in a 1090 × 500 area (545 × 1090 turned); screen pixels of 15 twips.
    struct Case {
        std::int16_t orientation;
        CodeTypes type;
        std::size_t box;
        BoxPlace place;
    } cases[] = {
        /*0*/ {orientations::Normal, CodeTypes::ctEAN13, 0, {110, 386, 420, 99}},
        /*1*/ {orientations::Normal, CodeTypes::ctEAN13, 2, {15, 386, 60, 99}},
        /*2*/ {orientations::Normal, CodeTypes::ctEAN8, 1, {430, 386, 280, 99}},
        /*3*/ {orientations::down, CodeTypes::ctEAN13, 1, {15, 570, 108, 420}},
        /*4*/ {orientations::UpSideDown, CodeTypes::ctEAN13, 0, {1090 - 530, 15, 420, 99}},
        // 110 modules from the far edge would start beyond it: the box keeps inside.
        /*5*/ {orientations::UpSideDown, CodeTypes::ctEAN13, 3, {0, 15, 60, 99}},
        /*6*/ {orientations::Normal, CodeTypes::ctUPCA, 3, {1090 - 60, 386, 60, 99}},
        /*7*/ {orientations::Up, CodeTypes::ctEAN13, 2, {545 - 108 - 15, 1090 - 60 - 15, 108, 60}},
        /*8*/ {orientations::Up, CodeTypes::ctEAN8, 2, {545 - 108 - 15, 1090 - 70 - 15, 108, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const bool turned =
            c.orientation == orientations::down || c.orientation == orientations::Up;
        const BoxPlace p = EanSymbolLayout::digitBoxes(c.type, c.orientation, turned ? 545 : 1090,
                                                       turned ? 1090 : 500, 10, 15, 15)[c.box];
        EXPECT_DOUBLE_EQ(p.left, c.place.left);
        EXPECT_DOUBLE_EQ(p.top, c.place.top);
        EXPECT_DOUBLE_EQ(p.width, c.place.width);
        EXPECT_DOUBLE_EQ(p.height, c.place.height);
    }
}

TEST(ItfSymbolLayoutTest, FourteenDigitsAt300DpiOn5760Twips) {
    // 289 units; 1200 dots give a unit of 4 dots.
    EXPECT_EQ(ItfSymbolLayout::unitCount(14), 289);
    const ItfWidths w = ItfSymbolLayout::widths(4, 14);
    EXPECT_EQ(w.narrow, 8);
    EXPECT_EQ(w.wide, 20);
    EXPECT_EQ(w.symbol, 964);
    EXPECT_EQ(w.quiet, 96);
    EXPECT_EQ(w.bearer, 16);
    EXPECT_EQ(w.total, 1156);
    EXPECT_EQ(w.data, 896);

    const ItfEncoding code = ItfEncoder(BarcodeTables::itf()).GetITFCode("12345678901231", true);
    const std::vector<RECT> bars =
        ItfSymbolLayout::bars(code.widthFlags, orientations::Normal, 1200, 450, w, 89, 896);
    // Bearer bars along the whole symbol and its quiet zones, 16 dots thick; the second one
    // ends where the digits begin.
    EXPECT_EQ(bars[0], (RECT{0, 0, 1156, 16}));
    EXPECT_EQ(bars[1], (RECT{0, 450 - 89 - 16, 1156, 450 - 89}));
    // The start pattern's narrow bars after the quiet zone; the last bar ends the symbol.
    EXPECT_EQ(bars[2], (RECT{96, 16, 104, 450 - 89 - 16}));
    EXPECT_EQ(bars[3].left, 112);
    EXPECT_EQ(bars.back().right, 96 + 964);

    // Turned upside down, everything mirrors into the far edges.
    const std::vector<RECT> turned =
        ItfSymbolLayout::bars(code.widthFlags, orientations::UpSideDown, 1200, 450, w, 89, 896);
    EXPECT_EQ(turned[0], (RECT{1200 - 1156, 89, 1200, 89 + 16}));
    EXPECT_EQ(turned[2], (RECT{1200 - 104, 89 + 16, 1200 - 96, 450 - 16}));

    // The digits' box lies under the data part.
    const BoxPlace box = ItfSymbolLayout::textBox(orientations::Normal, 1200, 450, w);
    EXPECT_DOUBLE_EQ(box.left, 96 + 32);
    EXPECT_DOUBLE_EQ(box.top, 450 - 89);
    EXPECT_DOUBLE_EQ(box.width, 896);

    // Narrower than its units, the element has no bars.
    EXPECT_TRUE(ItfSymbolLayout::bars(code.widthFlags, orientations::Normal, 200, 450,
                                      ItfSymbolLayout::widths(0, 14), 89, 0)
                    .empty());
}
