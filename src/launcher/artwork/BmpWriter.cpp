#include "BmpWriter.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace stockmark::artwork {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Rows of a bitmap are padded to a multiple of four bytes.
std::uint32_t paddedRowSize(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

std::vector<std::uint8_t> headers(int width, int height, int bitsPerPixel, int paletteSize) {
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + 4 * paletteSize;
    const std::uint32_t imageSize = paddedRowSize(width, bitsPerPixel) * height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLittleEndian(out, pixelOffset + imageSize, 4);
    putLittleEndian(out, 0, 4); // reserved
    putLittleEndian(out, pixelOffset, 4);
    putLittleEndian(out, infoHeaderSize, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(height), 4); // positive: rows bottom-up
    putLittleEndian(out, 1, 2);                                  // planes
    putLittleEndian(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
    putLittleEndian(out, 0, 4); // no compression
    putLittleEndian(out, imageSize, 4);
    putLittleEndian(out, 3780, 4); // 96 dots per inch, in dots per metre
    putLittleEndian(out, 3780, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(paletteSize), 4);
    putLittleEndian(out, 0, 4); // every palette entry matters
    return out;
}

void checkSize(int width, int height, std::size_t count, const char* what) {
    if (width <= 0 || height <= 0 || count != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument(std::string(what) + ": expected " + std::to_string(width) +
                                    " x " + std::to_string(height) + " values, got " +
                                    std::to_string(count));
}

void save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

} // namespace

void BmpWriter::writeTrueColour(const std::filesystem::path& path, int width, int height,
                                std::span<const std::uint32_t> pixels) {
    checkSize(width, height, pixels.size(), "true-colour picture");
    std::vector<std::uint8_t> out = headers(width, height, 24, 0);
    const std::uint32_t rowSize = paddedRowSize(width, 24);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixels[static_cast<std::size_t>(y) * width + x];
            putLittleEndian(out, rgb & 0xFFFFFFu, 3); // stored blue, green, red
        }
        out.resize(rowStart + rowSize, 0);
    }
    save(path, out);
}

void BmpWriter::writeSixteenColour(const std::filesystem::path& path, int width, int height,
                                   const std::array<std::uint32_t, 16>& palette,
                                   std::span<const std::uint8_t> indices) {
    checkSize(width, height, indices.size(), "16-colour picture");
    std::vector<std::uint8_t> out = headers(width, height, 4, 16);
    for (std::uint32_t rgb : palette) putLittleEndian(out, rgb & 0xFFFFFFu, 4);
    const std::uint32_t rowSize = paddedRowSize(width, 4);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < width; x += 2) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const std::uint8_t high = indices[at] & 0x0F;
            const std::uint8_t low = x + 1 < width ? indices[at + 1] & 0x0F : 0;
            out.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
        out.resize(rowStart + rowSize, 0);
    }
    save(path, out);
}

} // namespace stockmark::artwork
