#pragma once
// Writes small BMP files for tests: every header field settable, so a test can also write
// a file whose header lies.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace bw::test {

struct BmpFile {
    std::uint32_t headerSize = 40; // 12, 40, 52, 56, 108, 124 (or anything, to lie)
    std::int32_t width = 2;
    std::int32_t height = 2; // negative: rows top-down
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;        // after a 40-byte header, else inside the header
    std::vector<std::uint32_t> palette;      // 0xRRGGBB; triples for 12-byte headers
    std::vector<std::uint8_t> pixels;        // pixel data exactly as stored
    std::optional<std::uint32_t> dataOffset; // default: right after the palette

    std::vector<std::byte> bytes() const {
        std::vector<std::byte> out;
        const auto put = [&](std::uint64_t v, int n) {
            for (int i = 0; i < n; ++i) out.push_back(static_cast<std::byte>(v >> (8 * i)));
        };
        const bool core = headerSize == 12;
        const std::size_t masksAfterHeader = headerSize == 40 ? masks.size() * 4 : 0;
        const std::size_t headers = 14 + headerSize + masksAfterHeader;
        const std::size_t offset = headers + palette.size() * (core ? 3 : 4);
        put('B', 1);
        put('M', 1);
        put(offset + pixels.size(), 4);
        put(0, 4);
        put(dataOffset.value_or(static_cast<std::uint32_t>(offset)), 4);
        put(headerSize, 4);
        if (core) {
            put(static_cast<std::uint16_t>(width), 2);
            put(static_cast<std::uint16_t>(height), 2);
            put(1, 2);
            put(bpp, 2);
        } else {
            put(static_cast<std::uint32_t>(width), 4);
            put(static_cast<std::uint32_t>(height), 4);
            put(1, 2);
            put(bpp, 2);
            put(compression, 4);
            put(sizeImage, 4);
            put(2835, 4);
            put(2835, 4);
            put(colorsUsed, 4);
            put(0, 4);
            const std::size_t headerEnd = 14 + headerSize;
            for (std::uint32_t m : masks)
                if (headerSize == 40 || out.size() < headerEnd) put(m, 4);
            while (out.size() < headers) put(0, 1);
        }
        for (std::uint32_t c : palette) put(core ? c & 0xFFFFFFu : c, core ? 3 : 4);
        for (std::uint8_t b : pixels) put(b, 1);
        return out;
    }
};

} // namespace bw::test
