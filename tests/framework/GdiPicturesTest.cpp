#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/TraceLog.h"
#include "support/BmpWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace bw {
namespace {

using namespace gdi;

constexpr std::uint32_t W = 0xFFFFFF, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0;

// A 24-bit picture whose rows are given top-down as 0xRRGGBB.
std::vector<std::byte> picture(int width, const std::vector<std::uint32_t>& topDown) {
    test::BmpFile f;
    f.width = width;
    f.height = -static_cast<int>(topDown.size() / width);
    const int stride = (width * 3 + 3) / 4 * 4;
    for (std::size_t row = 0; row < topDown.size() / width; ++row) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = topDown[row * width + x];
            f.pixels.insert(f.pixels.end(),
                            {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
        }
        f.pixels.resize(f.pixels.size() + (stride - width * 3));
    }
    return f.bytes();
}

std::uint32_t pixel(HDC hdc, int x, int y) {
    cairo_surface_t* s = findDC(hdc)->surface();
    cairo_surface_flush(s);
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

// Pixels of a window context in [x0, x1) x [y0, y1), top-down.
std::vector<std::uint32_t> pixels(HDC hdc, int x0, int y0, int x1, int y1) {
    std::vector<std::uint32_t> out;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.push_back(pixel(hdc, x, y));
    return out;
}

// A window to draw on and a memory context holding a 2 x 2 picture: R G over B K.
class GdiPictures : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowDC(12, 10);
        memory = CreateCompatibleDC(window);
        bitmap = LoadImageFromMemory(picture(2, {R, G, B, K}));
        ASSERT_NE(bitmap, 0u);
        ASSERT_NE(SelectObject(memory, bitmap), 0u);
    }
    void TearDown() override {
        DeleteDC(memory);
        DeleteObject(bitmap);
        DeleteDC(window);
    }
    HDC window = 0;
    HDC memory = 0;
    HBITMAP bitmap = 0;
};

TEST_F(GdiPictures, BitBltCopiesExactPixelsBothWays) {
    ASSERT_TRUE(BitBlt(window, 5, 4, 2, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(pixels(window, 4, 3, 8, 7),
              (std::vector<std::uint32_t>{W, W, W, W, W, R, G, W, W, B, K, W, W, W, W, W}));

    // Back into a fresh bitmap, one pixel at a time with the corners swapped.
    const HDC copy = CreateCompatibleDC(window);
    const HBITMAP target = CreateCompatibleBitmap(window, 2, 2);
    SelectObject(copy, target);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            ASSERT_TRUE(BitBlt(copy, 1 - x, 1 - y, 1, 1, window, 5 + x, 4 + y, SRCCOPY));
    EXPECT_EQ(pixels(copy, 0, 0, 2, 2), (std::vector<std::uint32_t>{K, B, G, R}));
    DeleteDC(copy);
    DeleteObject(target);
}

TEST_F(GdiPictures, ColourOnColourDoublingGivesWholeBlocks) {
    EXPECT_EQ(SetStretchBltMode(window, COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(window), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(window, 1, 1, 4, 4, memory, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(pixels(window, 0, 0, 6, 6), (std::vector<std::uint32_t>{W, W, W, W, W, W, //
                                                                      W, R, R, G, G, W, //
                                                                      W, R, R, G, G, W, //
                                                                      W, B, B, K, K, W, //
                                                                      W, B, B, K, K, W, //
                                                                      W, W, W, W, W, W}));
}

TEST_F(GdiPictures, HalftoneBlends) {
    SetStretchBltMode(window, HALFTONE);
    ASSERT_TRUE(StretchBlt(window, 0, 0, 8, 1, memory, 0, 0, 2, 1, SRCCOPY));
    const std::vector<std::uint32_t> row = pixels(window, 0, 0, 8, 1);
    EXPECT_TRUE(
        std::any_of(row.begin(), row.end(), [](std::uint32_t c) { return c != R && c != G; }));
}

TEST_F(GdiPictures, NegativeExtentsMirror) {
    struct Case {
        const char* name;
        int x, y, w, h, sx, sy, sw, sh;
        std::vector<std::uint32_t> expected; // the 2 x 2 at (2, 2)
    } cases[] = {
        {"upright", 2, 2, 2, 2, 0, 0, 2, 2, {R, G, B, K}},
        {"destination width", 4, 2, -2, 2, 0, 0, 2, 2, {G, R, K, B}},
        {"destination height", 2, 4, 2, -2, 0, 0, 2, 2, {B, K, R, G}},
        {"source width", 2, 2, 2, 2, 2, 0, -2, 2, {G, R, K, B}},
        {"both widths", 4, 2, -2, 2, 2, 0, -2, 2, {R, G, B, K}},
        {"both axes", 4, 4, -2, -2, 0, 0, 2, 2, {K, B, G, R}},
    };
    SetStretchBltMode(window, COLORONCOLOR);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(BitBlt(window, 0, 0, 12, 10, 0, 0, 0, WHITENESS));
        ASSERT_TRUE(
            StretchBlt(window, c.x, c.y, c.w, c.h, memory, c.sx, c.sy, c.sw, c.sh, SRCCOPY));
        EXPECT_EQ(pixels(window, 2, 2, 4, 4), c.expected);
        EXPECT_EQ(pixel(window, 1, 2), W);
        EXPECT_EQ(pixel(window, 4, 3), W);
    }
}

TEST_F(GdiPictures, CoordinatesAreLogicalOnEachSide) {
    // Destination in twips (15 per pixel, y down); the source picture's origin moved by one.
    SetMapMode(window, MM_ANISOTROPIC);
    SetWindowExtEx(window, 1440, 1440);
    SetViewportExtEx(window, 96, 96);
    SetWindowOrgEx(memory, -1, 0);
    SetStretchBltMode(window, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(window, 30, 45, 60, 30, memory, -1, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(pixels(window, 1, 3, 7, 5), (std::vector<std::uint32_t>{W, R, R, G, G, W, //
                                                                      W, R, R, G, G, W}));
    EXPECT_EQ(pixel(window, 2, 5), W);
}

TEST_F(GdiPictures, SourceOutsideThePictureLeavesTheDestination) {
    ASSERT_TRUE(BitBlt(window, 0, 0, 4, 4, memory, -1, -1, SRCCOPY));
    EXPECT_EQ(pixels(window, 0, 0, 4, 4), (std::vector<std::uint32_t>{W, W, W, W, //
                                                                      W, R, G, W, //
                                                                      W, B, K, W, //
                                                                      W, W, W, W}));
}

TEST_F(GdiPictures, BlacknessAndWhitenessNeedNoSource) {
    ASSERT_TRUE(BitBlt(window, 1, 1, 2, 1, 0, 0, 0, BLACKNESS));
    EXPECT_EQ(pixels(window, 0, 1, 4, 2), (std::vector<std::uint32_t>{W, K, K, W}));
    ASSERT_TRUE(StretchBlt(window, 1, 1, 1, 1, 0, 0, 0, 0, 0, WHITENESS));
    EXPECT_EQ(pixels(window, 0, 1, 4, 2), (std::vector<std::uint32_t>{W, W, K, W}));
}

TEST_F(GdiPictures, CopyWithinOneSurfaceReadsTheOriginal) {
    ASSERT_TRUE(BitBlt(window, 0, 0, 2, 2, memory, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(window, 1, 0, 2, 2, window, 0, 0, SRCCOPY));
    EXPECT_EQ(pixels(window, 0, 0, 3, 2), (std::vector<std::uint32_t>{R, R, G, B, B, K}));
}

// Labels are recorded first and played into slots; a picture must come out as drawn directly.
TEST_F(GdiPictures, RecordedCopyPlaysBackToTheSamePixels) {
    const auto draw = [&](HDC hdc) {
        SetStretchBltMode(hdc, COLORONCOLOR);
        StretchBlt(hdc, 1, 2, 6, 4, memory, 0, 0, 2, 2, SRCCOPY);
        StretchBlt(hdc, 11, 9, -3, -3, memory, 0, 0, 2, 1, SRCCOPY);
    };
    draw(window);
    const HDC recorder = CreateEnhMetaFile(window, nullptr);
    ASSERT_NE(recorder, 0u);
    draw(recorder);
    const HENHMETAFILE recording = CloseEnhMetaFile(recorder);
    const HDC played = CreateWindowDC(12, 10);
    ASSERT_TRUE(PlayEnhMetaFile(played, recording, RECT{0, 0, 12, 10}));
    EXPECT_EQ(pixels(played, 0, 0, 12, 10), pixels(window, 0, 0, 12, 10));
    DeleteEnhMetaFile(recording);
    DeleteDC(played);
}

TEST_F(GdiPictures, BadHandlesAndBadFilesFail) {
    const HDC deleted = CreateCompatibleDC(window);
    DeleteDC(deleted);
    for (HDC bad : {HDC{0}, HDC{0xDEAD}, deleted, HDC{bitmap}}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(BitBlt(window, 0, 0, 2, 2, bad, 0, 0, SRCCOPY));
        EXPECT_FALSE(StretchBlt(window, 0, 0, 2, 2, bad, 0, 0, 2, 2, SRCCOPY));
        EXPECT_FALSE(BitBlt(bad, 0, 0, 2, 2, memory, 0, 0, SRCCOPY));
        EXPECT_FALSE(StretchBlt(bad, 0, 0, 2, 2, memory, 0, 0, 2, 2, SRCCOPY));
        EXPECT_EQ(CreateCompatibleBitmap(bad, 2, 2), 0u);
        EXPECT_EQ(SetStretchBltMode(bad, COLORONCOLOR), 0);
        EXPECT_EQ(GetStretchBltMode(bad), 0);
    }
    EXPECT_EQ(pixel(window, 0, 0), W);
    EXPECT_EQ(SetStretchBltMode(window, 0), 0);
    EXPECT_EQ(SetStretchBltMode(window, 5), 0);
    EXPECT_EQ(CreateCompatibleBitmap(window, -1, 2), 0u);
    EXPECT_EQ(CreateCompatibleBitmap(window, 40000, 2), 0u);

    EXPECT_EQ(LoadImage(std::filesystem::path(BW_BINARY_DIR) / "no-such-picture.bmp"), 0u);
    std::vector<std::byte> corrupt = picture(2, {R, G, B, K});
    corrupt.resize(corrupt.size() - 8);
    EXPECT_EQ(LoadImageFromMemory(corrupt), 0u);
}

TEST(GdiPicturesFile, LoadImageReadsAFile) {
    const std::filesystem::path file =
        std::filesystem::path(BW_BINARY_DIR) / "GdiPicturesTest-3x1.bmp";
    {
        const std::vector<std::byte> bytes = picture(3, {R, G, B});
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    const HBITMAP loaded = LoadImage(file);
    ASSERT_NE(loaded, 0u);
    SIZE size;
    ASSERT_TRUE(GetObject(loaded, size));
    EXPECT_EQ(size, (SIZE{3, 1}));
    const HDC window = CreateWindowDC(3, 1);
    const HDC memory = CreateCompatibleDC(window);
    SelectObject(memory, loaded);
    BitBlt(window, 0, 0, 3, 1, memory, 0, 0, SRCCOPY);
    EXPECT_EQ(pixels(window, 0, 0, 3, 1), (std::vector<std::uint32_t>{R, G, B}));
    DeleteDC(memory);
    DeleteDC(window);
    DeleteObject(loaded);
    std::filesystem::remove(file);
}

TEST(GdiPicturesTrace, CopiesAreLoggedInLogicalUnits) {
    const HDC trace = CreateTraceDC(1440, 1440);
    const HDC memory = CreateCompatibleDC(trace);
    SetMapMode(trace, MM_TWIPS);
    SetStretchBltMode(trace, COLORONCOLOR);
    BitBlt(trace, 100, -200, 300, 400, memory, 1, 2, SRCCOPY);
    StretchBlt(trace, 10, 20, 30, 40, memory, 0, 0, 1, 1, WHITENESS);
    const TraceLog& log = *GetTrace(trace);
    ASSERT_EQ(log.named("BitBlt").size(), 1u);
    EXPECT_EQ(log.named("BitBlt")[0].args,
              (std::vector<double>{100, -200, 300, 400, 1, 2, double(SRCCOPY)}));
    ASSERT_EQ(log.named("StretchBlt").size(), 1u);
    EXPECT_EQ(log.named("StretchBlt")[0].args,
              (std::vector<double>{10, 20, 30, 40, 0, 0, 1, 1, double(WHITENESS)}));
    EXPECT_EQ(log.named("SetStretchBltMode")[0].args, (std::vector<double>{COLORONCOLOR}));
    DeleteDC(memory);
    DeleteDC(trace);
}

} // namespace
} // namespace bw
