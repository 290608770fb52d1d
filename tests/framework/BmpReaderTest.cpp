#include "framework/BmpReader.h"

#include "support/BmpWriter.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace bw {
namespace {

using test::BmpFile;

constexpr std::uint32_t K = 0x000000, W = 0xFFFFFF, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;
constexpr std::uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

// Test pictures are 3 wide (every row needs padding) unless a case says otherwise.
BmpFile file(std::uint16_t bpp, std::vector<std::uint8_t> pixels,
             std::vector<std::uint32_t> palette = {}) {
    BmpFile f;
    f.width = 3;
    f.height = 2;
    f.bpp = bpp;
    f.colorsUsed = static_cast<std::uint32_t>(palette.size());
    f.palette = std::move(palette);
    f.pixels = std::move(pixels);
    return f;
}

BmpFile with(BmpFile f, auto change) {
    change(f);
    return f;
}

struct DecodeCase {
    const char* name;
    BmpFile file;
    std::vector<std::uint32_t> expected; // top-down
};

TEST(BmpReader, DecodesEachDepthAndCompressionToKnownPixels) {
    const std::vector<std::uint32_t> rgb = {W, R, G, B};
    const BmpFile rle8 = with(file(8, {}, rgb), [](BmpFile& f) {
        f.width = 5;
        f.height = 3;
        f.compression = BI_RLE8;
        f.pixels = {2, 1,             // R R
                    0, 3, 2, 3, 1, 0, // literal G B R, padded
                    0, 0,             // end of row
                    0, 2, 2, 1,       // skip 2 across, 1 down
                    1, 3,             // B
                    0, 1};            // end of picture
    });
    const BmpFile rle4 = with(file(4, {}, rgb), [](BmpFile& f) {
        f.width = 5;
        f.compression = BI_RLE4;
        // R G, literal B G R, end of row; B W B W B, end of picture
        f.pixels = {2, 0x12, 0, 3, 0x32, 0x10, 0, 0, 5, 0x30, 0, 1};
    });
    const DecodeCase cases[] = {
        // bottom row first in the file, each row padded to 4 bytes
        {"1 bit", file(1, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {K, W}), {K, W, K, W, K, W}},
        {"4 bits, short palette",
         file(4, {0x12, 0x30, 0, 0, 0x01, 0x23, 0, 0}, rgb),
         {W, R, G, R, G, B}},
        {"4 bits, index past a short palette is black",
         file(4, {0x1F, 0x30, 0, 0, 0x01, 0x23, 0, 0}, rgb),
         {W, R, G, R, K, B}},
        {"8 bits", file(8, {3, 2, 1, 0, 0, 1, 2, 0}, rgb), {W, R, G, B, G, R}},
        {"16 bits 5-5-5",
         file(16, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0, 0xFF, 0x7F, 0, 0, 0x10, 0x42, 0, 0}),
         {W, K, 0x848484, R, G, B}},
        {"16 bits 5-6-5 bit fields",
         with(file(16, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}),
              [](BmpFile& f) {
                  f.compression = BI_BITFIELDS;
                  f.masks = {0xF800, 0x07E0, 0x001F};
              }),
         {W, K, K, R, G, B}},
        {"24 bits",
         file(24,
              {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 3, 0, 0, 0}),
         {W, K, 0x030201, R, G, B}},
        {"32 bits",
         file(32,
              {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9, 1, 2, 3, 0, 0, 0, 0, 0, 255, 255, 255, 0}),
         {0x030201, K, W, R, G, B}},
        {"32 bits, bit fields in R G B X order",
         with(file(32, {255, 0, 0, 0, 0, 255, 0, 0, 0,   0,   255, 0,
                        1,   2, 3, 0, 0, 0,   0, 0, 255, 255, 255, 0}),
              [](BmpFile& f) {
                  f.compression = BI_BITFIELDS;
                  f.masks = {0x0000FF, 0x00FF00, 0xFF0000};
              }),
         {0x010203, K, W, R, G, B}},
        {"core header, 1 bit, palette of triples",
         with(file(1, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {R, B}),
              [](BmpFile& f) { f.headerSize = 12; }),
         {R, B, R, B, R, B}},
        {"core header, 24 bits",
         with(file(24, {0,   0,   255, 0, 255, 0, 255, 0, 0, 0, 0, 0,
                        255, 255, 255, 0, 0,   0, 1,   2, 3, 0, 0, 0}),
              [](BmpFile& f) { f.headerSize = 12; }),
         {W, K, 0x030201, R, G, B}},
        {"V4 header, 8 bits",
         with(file(8, {3, 2, 1, 0, 0, 1, 2, 0}, rgb), [](BmpFile& f) { f.headerSize = 108; }),
         {W, R, G, B, G, R}},
        {"V5 header, 16 bits with the masks inside the header",
         with(file(16, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}),
              [](BmpFile& f) {
                  f.headerSize = 124;
                  f.compression = BI_BITFIELDS;
                  f.masks = {0xF800, 0x07E0, 0x001F, 0};
              }),
         {W, K, K, R, G, B}},
        {"top-down rows",
         with(file(8, {3, 2, 1, 0, 0, 1, 2, 0}, rgb), [](BmpFile& f) { f.height = -2; }),
         {B, G, R, W, R, G}},
        {"last row without its padding",
         file(24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 3}),
         {W, K, 0x030201, R, G, B}},
        // skipped pixels keep palette entry 0
        {"RLE8 runs, literal, skip", rle8, {W, W, B, W, W, W, W, W, W, W, R, R, G, B, R}},
        {"RLE4 runs and literal", rle4, {B, W, B, W, B, R, G, B, G, R}},
        {"RLE8 without the end mark after the last row",
         with(rle8, [](BmpFile& f) { f.pixels = {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0}; }),
         {B, B, B, B, B, G, G, G, G, G, R, R, R, R, R}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BmpResult result = BmpReader::decode(c.file.bytes());
        ASSERT_TRUE(result) << result.error.toString();
        EXPECT_EQ(result.picture->width, c.file.width);
        EXPECT_EQ(result.picture->height, std::abs(c.file.height));
        EXPECT_EQ(result.picture->pixels, c.expected);
    }
}

struct CorruptCase {
    const char* name;
    std::vector<std::byte> bytes;
    std::size_t offset; // where the error must be reported
};

std::vector<std::byte> cut(std::vector<std::byte> bytes, std::size_t size) {
    bytes.resize(std::min(size, bytes.size()));
    return bytes;
}

std::vector<std::byte> patch(std::vector<std::byte> bytes, std::size_t at, char value) {
    bytes.at(at) = static_cast<std::byte>(value);
    return bytes;
}

TEST(BmpReader, CorruptInputIsAnErrorAtTheRightOffset) {
    const std::vector<std::uint32_t> rgb = {W, R, G, B};
    const BmpFile good = file(24, std::vector<std::uint8_t>(24, 7));
    const BmpFile rle = with(file(8, {}, rgb), [](BmpFile& f) { f.compression = BI_RLE8; });
    const std::size_t rleData = 14 + 40 + 16;
    const auto rleWith = [&](std::vector<std::uint8_t> data) {
        return with(rle, [&](BmpFile& f) { f.pixels = std::move(data); }).bytes();
    };
    const auto bytes = [](BmpFile f, auto change) { return with(std::move(f), change).bytes(); };
    const CorruptCase cases[] = {
        {"empty file", {}, 0},
        {"not BM", patch(good.bytes(), 1, 'X'), 0},
        {"truncated file header", cut(good.bytes(), 12), 10},
        {"truncated info header", cut(good.bytes(), 30), 14},
        {"unknown header size", bytes(good, [](BmpFile& f) { f.headerSize = 64; }), 14},
        {"truncated pixels", cut(good.bytes(), 54 + 20), 54},
        {"data offset past the end", bytes(good, [](BmpFile& f) { f.dataOffset = 1000; }), 10},
        {"data offset inside the header", bytes(good, [](BmpFile& f) { f.dataOffset = 20; }), 10},
        {"zero width", bytes(good, [](BmpFile& f) { f.width = 0; }), 18},
        {"negative width", bytes(good, [](BmpFile& f) { f.width = -3; }), 18},
        {"zero height", bytes(good, [](BmpFile& f) { f.height = 0; }), 22},
        {"most negative height", bytes(good, [](BmpFile& f) { f.height = INT32_MIN; }), 22},
        {"width too large", bytes(good, [](BmpFile& f) { f.width = 40000; }), 18},
        {"width x height past the pixel cap",
         bytes(good, [](BmpFile& f) { f.width = f.height = 30000; }), 18},
        {"width x height x bytes past the data",
         bytes(good, [](BmpFile& f) { f.width = f.height = 8000; }), 54},
        {"unsupported depth", bytes(good, [](BmpFile& f) { f.bpp = 2; }), 28},
        {"palette count above the depth",
         bytes(file(1, std::vector<std::uint8_t>(8), {K, W}), [](BmpFile& f) { f.colorsUsed = 3; }),
         46},
        {"palette count above 256",
         bytes(file(8, std::vector<std::uint8_t>(8), rgb), [](BmpFile& f) { f.colorsUsed = 300; }),
         46},
        {"palette longer than the file",
         bytes(file(8, {1, 2}, rgb), [](BmpFile& f) { f.colorsUsed = 0; }), 54},
        {"embedded PNG", bytes(good, [](BmpFile& f) { f.compression = 5; }), 30},
        {"unknown compression", bytes(good, [](BmpFile& f) { f.compression = 9; }), 30},
        {"RLE8 on a 24-bit picture", bytes(good, [](BmpFile& f) { f.compression = BI_RLE8; }), 28},
        {"bit fields on 8 bits",
         bytes(file(8, std::vector<std::uint8_t>(8), rgb),
               [](BmpFile& f) { f.compression = BI_BITFIELDS; }),
         28},
        {"mask not one run of bits",
         bytes(file(16, std::vector<std::uint8_t>(16)),
               [](BmpFile& f) {
                   f.compression = BI_BITFIELDS;
                   f.masks = {0xF00F, 0x07E0, 0x001F};
               }),
         54},
        {"masks cut short",
         cut(bytes(file(16, {}),
                   [](BmpFile& f) {
                       f.compression = BI_BITFIELDS;
                       f.masks = {0xF800, 0x07E0, 0x001F};
                   }),
             56),
         54},
        {"RLE run past the row", rleWith({4, 1, 0, 1}), rleData},
        {"RLE literal past the row", rleWith({2, 1, 0, 3, 1, 1, 1, 0, 0, 1}), rleData + 2},
        {"RLE skip out of the picture", rleWith({0, 2, 1, 5, 0, 1}), rleData},
        {"RLE skip past the row's end", rleWith({0, 2, 4, 0, 0, 1}), rleData},
        {"RLE run below the last row", rleWith({0, 0, 0, 0, 1, 1, 0, 1}), rleData + 4},
        {"RLE end of row below the last row", rleWith({0, 0, 0, 0, 0, 0, 0, 1}), rleData + 4},
        {"RLE data ends with rows left", rleWith({3, 1, 0, 0}), rleData + 4},
        {"RLE literal cut short", rleWith({0, 3, 1}), rleData},
        {"RLE image size lies short",
         bytes(rle,
               [](BmpFile& f) {
                   f.pixels = {3, 1, 0, 0, 3, 1, 0, 1};
                   f.sizeImage = 4;
               }),
         rleData + 4},
    };
    for (const CorruptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BmpResult result = BmpReader::decode(c.bytes);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error.offset, c.offset) << result.error.toString();
        EXPECT_FALSE(result.error.message.empty());
    }
}

// Cutting a file anywhere gives an error, or (when only padding or the end mark was cut)
// the same picture; it never reads past the cut.
TEST(BmpReader, EveryTruncationIsAnErrorOrTheSamePicture) {
    const std::vector<std::uint32_t> rgb = {W, R, G, B};
    const BmpFile files[] = {
        file(1, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}, {K, W}),
        file(24,
             {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 3, 0, 0, 0}),
        with(file(8, {}, rgb),
             [](BmpFile& f) {
                 f.compression = BI_RLE8;
                 f.pixels = {2, 1, 1, 2, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
             }),
        with(file(4, {}, rgb),
             [](BmpFile& f) {
                 f.compression = BI_RLE4;
                 f.pixels = {3, 0x12, 0, 0, 0, 3, 0x12, 0x30, 0, 1};
             }),
    };
    for (const BmpFile& f : files) {
        const std::vector<std::byte> whole = f.bytes();
        const BmpResult full = BmpReader::decode(whole);
        ASSERT_TRUE(full) << full.error.toString();
        for (std::size_t n = 0; n < whole.size(); ++n) {
            // A copy of exactly n bytes, so ASan sees any read past the cut.
            const std::vector<std::byte> part(whole.begin(),
                                              whole.begin() + static_cast<std::ptrdiff_t>(n));
            const BmpResult result = BmpReader::decode(part);
            if (result) {
                EXPECT_EQ(result.picture->pixels, full.picture->pixels) << "cut at " << n;
            }
        }
    }
}

TEST(BmpReader, PixelLimitIsHonoured) {
    const BmpFile f = file(24, std::vector<std::uint8_t>(24));
    EXPECT_TRUE(BmpReader::decode(f.bytes(), 6));
    EXPECT_FALSE(BmpReader::decode(f.bytes(), 5));
}

} // namespace
} // namespace bw
