#pragma once
// Decodes BMP pictures from bytes. Every read is checked against the buffer: a truncated file
// or a header that lies about sizes or offsets gives an error naming what was wrong and where,
// never a read past the end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bw {

// A decoded picture: rows top-down, each pixel 0x00RRGGBB (the layout of a cairo RGB24 surface).
struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct BmpError {
    std::size_t offset = 0; // byte offset in the file where the problem was found
    std::string message;
    std::string toString() const; // "offset 18: ..."
};

struct BmpResult {
    std::optional<BmpPicture> picture; // empty when the bytes are not a picture we can decode
    BmpError error;                    // why, when picture is empty
    explicit operator bool() const { return picture.has_value(); }
};

class BmpReader {
public:
    // cairo image surfaces stop at 32767 pixels a side; 64 Mi pixels is 256 MiB of RGB24.
    static constexpr int maxSide = 32767;
    static constexpr std::int64_t maxPixels = std::int64_t{64} * 1024 * 1024;

    // Headers: core (12 bytes), info (40), and the 52/56/108/124-byte extensions.
    // Depths 1/4/8/16/24/32; uncompressed, RLE8, RLE4 and bit fields (16/32 bits).
    // `pixelLimit` lowers the picture-size cap (callers that decode untrusted bytes in bulk).
    static BmpResult decode(std::span<const std::byte> bytes, std::int64_t pixelLimit = maxPixels);
};

} // namespace bw
