#include "framework/ElementWindow.h"

#include "framework/CairoPtr.h"
#include "framework/Gdi.h"
#include "framework/RecordingHost.h"
#include "framework/TestElement.h"
#include "support/TempDir.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace bw;

namespace {

// A pixel of a PNG picture as 0xRRGGBB.
std::uint32_t pngPixel(cairo_surface_t* png, int x, int y) {
    const unsigned char* row = cairo_image_surface_get_data(png) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(png);
    std::uint32_t v = 0;
    std::memcpy(&v, row + 4 * x, 4);
    return v & 0xFFFFFFu;
}

} // namespace

TEST(ElementWindow, KeepsTheSizeInTwipsAndTheSurfaceInWholePixels) {
    test::RecordingHost host;
    ElementWindow a(host);
    ElementWindow b(host);
    EXPECT_NE(a.id(), 0u);
    EXPECT_NE(a.id(), b.id());
    EXPECT_EQ(gdi::GetMapMode(a.hdc()), MM_ANISOTROPIC);

    struct Case {
        std::int32_t w, h;
        int pixelsW, pixelsH;
    } cases[] = {
        {1500, 750, 100, 50},
        {1000, 22, 67, 1}, // nearest whole pixels
        {-30, 0, 0, 0},
        {2'000'000'000, 15, ElementWindow::maxPixels, 1},
    };
    for (const Case& c : cases) {
        a.resize(c.w, c.h);
        EXPECT_EQ(a.widthTwips(), c.w);
        EXPECT_EQ(a.heightTwips(), c.h);
        EXPECT_EQ(a.widthPixels(), c.pixelsW) << c.w;
        EXPECT_EQ(a.heightPixels(), c.pixelsH) << c.h;
        EXPECT_EQ(gdi::GetDeviceCaps(a.hdc(), HORZRES), c.pixelsW);
    }
}

TEST(ElementWindow, DesignViewSavedAsPngShowsTheFrameAtTheControlSize) {
    test::RecordingHost host;
    test::TempDir dir;
    host.setDataDirectory(dir.withSeparator());
    test::TestElement e(host);
    e.setBackColor(0x0000FF); // red, so the white picture background cannot pass for it
    e.setPWidth(1500);
    e.setPHeight(750);
    const auto file = dir.path() / "view.png";
    ASSERT_TRUE(e.window().saveAsPng(file));

    const CairoSurface png(cairo_image_surface_create_from_png(file.c_str()));
    ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(png.get()), 100);
    ASSERT_EQ(cairo_image_surface_get_height(png.get()), 50);
    // A one-pixel black frame (15 twips) on every edge, the background inside it.
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(pngPixel(png.get(), x, 0), 0u) << x;
        EXPECT_EQ(pngPixel(png.get(), x, 49), 0u) << x;
    }
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(pngPixel(png.get(), 0, y), 0u) << y;
        EXPECT_EQ(pngPixel(png.get(), 99, y), 0u) << y;
    }
    EXPECT_EQ(pngPixel(png.get(), 1, 25), 0xFF0000u);
    EXPECT_EQ(pngPixel(png.get(), 50, 25), 0xFF0000u);
}
