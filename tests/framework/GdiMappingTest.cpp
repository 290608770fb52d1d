#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "support/TwipContext.h"

#include <array>
#include <gtest/gtest.h>

using namespace bw;
using namespace bw::gdi;

namespace {

POINT toDevice(HDC hdc, int x, int y) {
    std::array<POINT, 1> p{POINT{x, y}};
    EXPECT_TRUE(LPtoDP(hdc, p));
    return p[0];
}

} // namespace

TEST(GdiMapping, TwipMappingRunsDownwardsAtEveryResolution) {
    for (int dpi : {203, 300, 600}) {
        const HDC hdc = test::createTwipPrinterDC(dpi);
        EXPECT_EQ(toDevice(hdc, 1440, 720), (POINT{dpi, (dpi + 1) / 2}))
            << dpi; // 101.5 rounds to 102
        EXPECT_EQ(toDevice(hdc, 0, 0), (POINT{0, 0}));
        DeleteDC(hdc);
    }
}

TEST(GdiMapping, FixedModesSetTheirOwnExtents) {
    const HDC hdc = CreateTraceDC(600, 600);
    SetMapMode(hdc, MM_TWIPS);
    EXPECT_EQ(toDevice(hdc, 1440, 1440), (POINT{600, -600})); // y grows upwards
    EXPECT_TRUE(SetWindowExtEx(hdc, 5, 5));                   // ignored in a fixed mode
    EXPECT_EQ(toDevice(hdc, 1440, 0), (POINT{600, 0}));
    SetMapMode(hdc, MM_ANISOTROPIC); // keeps the twip extents until they are set
    EXPECT_EQ(toDevice(hdc, 1440, 1440), (POINT{600, -600}));
    SetMapMode(hdc, MM_TEXT);
    EXPECT_EQ(toDevice(hdc, 7, 9), (POINT{7, 9}));
    DeleteDC(hdc);
}

TEST(GdiMapping, AnisotropicExtentsScaleAndNegativeExtentsFlip) {
    struct Case {
        SIZE window, viewport;
        POINT logical, device;
    };
    const Case cases[] = {
        {{3000, 1000}, {200, 100}, {1500, 500}, {100, 50}}, // different scales per axis
        {{100, 100}, {-50, 50}, {20, 20}, {-10, 10}},       // x flipped
        {{100, -100}, {50, 50}, {20, 20}, {10, -10}},       // y flipped by the window
        {{-100, -100}, {-50, -50}, {20, 20}, {10, 10}},     // both signs negative: no flip
    };
    for (const Case& c : cases) {
        const HDC hdc = CreateTraceDC();
        SetMapMode(hdc, MM_ANISOTROPIC);
        ASSERT_TRUE(SetWindowExtEx(hdc, c.window.cx, c.window.cy));
        ASSERT_TRUE(SetViewportExtEx(hdc, c.viewport.cx, c.viewport.cy));
        EXPECT_EQ(toDevice(hdc, c.logical.x, c.logical.y), c.device);
        std::array<POINT, 1> back{c.device};
        DPtoLP(hdc, back);
        EXPECT_EQ(back[0], c.logical);
        DeleteDC(hdc);
    }
}

TEST(GdiMapping, ZeroExtentsAreRefused) {
    const HDC hdc = CreateTraceDC();
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, 10, 20);
    EXPECT_FALSE(SetWindowExtEx(hdc, 0, 5));
    EXPECT_FALSE(SetViewportExtEx(hdc, 5, 0));
    SIZE ext;
    GetWindowExtEx(hdc, &ext);
    EXPECT_EQ(ext, (SIZE{10, 20}));
    DeleteDC(hdc);
}

TEST(GdiMapping, OriginShiftsAddUpAndUndoExactly) {
    const HDC hdc = test::createTwipPrinterDC(600);
    const int shifts[][2] = {{-1440, -720}, {-7, -3}, {-100001, 99999}};
    for (const auto& s : shifts) OffsetWindowOrgEx(hdc, s[0], s[1]);
    POINT org;
    GetWindowOrgEx(hdc, &org);
    EXPECT_EQ(org, (POINT{-1440 - 7 - 100001, -720 - 3 + 99999}));
    // The shifted origin draws (0,0) where the shifts say.
    EXPECT_EQ(toDevice(hdc, -1440 - 7 - 100001, 0).x, 0);
    for (const auto& s : shifts) OffsetWindowOrgEx(hdc, -s[0], -s[1]);
    GetWindowOrgEx(hdc, &org);
    EXPECT_EQ(org, (POINT{0, 0}));
    DeleteDC(hdc);
}

TEST(GdiMapping, SavedStateComesBack) {
    const HDC hdc = test::createTwipPrinterDC(300);
    const int saved = SaveDC(hdc);
    SetMapMode(hdc, MM_TEXT);
    OffsetWindowOrgEx(hdc, 50, 50);
    ASSERT_TRUE(RestoreDC(hdc, saved));
    EXPECT_EQ(GetMapMode(hdc), MM_ANISOTROPIC);
    EXPECT_EQ(toDevice(hdc, 1440, 1440), (POINT{300, 300}));
    EXPECT_FALSE(RestoreDC(hdc, saved)); // popped already
    DeleteDC(hdc);
}

TEST(GdiMapping, PrinterFactsFollowPaperOrientationAndOffset) {
    PrinterProfile printer = PrinterProfile::builtinPdf();
    printer.dpiX = printer.dpiY = 300;
    printer.offsetX = 25;
    printer.offsetY = 30;
    DEVMODE settings;
    settings.dmPaperSize = DMPAPER_A4;
    const HDC portrait = CreatePrinterDC(printer, settings);
    EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALWIDTH), 2480);
    EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALHEIGHT), 3508);
    EXPECT_EQ(GetDeviceCaps(portrait, HORZRES), 2480 - 50);
    EXPECT_EQ(GetDeviceCaps(portrait, VERTRES), 3508 - 60);
    EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALOFFSETX), 25);
    EXPECT_EQ(GetDeviceCaps(portrait, LOGPIXELSY), 300);
    settings.dmOrientation = DMORIENT_LANDSCAPE;
    ASSERT_TRUE(ResetDC(portrait, settings));
    EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALWIDTH), 3508);
    EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALOFFSETX), 30);
    settings.dmPaperSize = 4242; // a paper the printer does not take
    EXPECT_FALSE(ResetDC(portrait, settings));
    DeleteDC(portrait);
}

TEST(GdiMapping, UnknownHandlesFailWithoutHarm) {
    const HDC gone = CreateTraceDC();
    DeleteDC(gone);
    for (HDC hdc : {HDC{0}, gone, HDC{0xDEADBEEF}, GetStockObject(WHITE_BRUSH)}) {
        EXPECT_EQ(SetMapMode(hdc, MM_TWIPS), 0);
        EXPECT_FALSE(OffsetWindowOrgEx(hdc, 1, 1));
        EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 0);
        std::array<POINT, 1> p{};
        EXPECT_FALSE(LPtoDP(hdc, p));
        EXPECT_EQ(SaveDC(hdc), 0);
    }
}
