#include "framework/BmpReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

namespace bw {

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_JPEG = 4;
constexpr std::uint32_t BI_PNG = 5;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;

// Thrown inside the decoder only; decode() turns it into a BmpError.
struct Failure {
    std::size_t offset;
    std::string message;
};

[[noreturn]] void fail(std::size_t offset, std::string message) {
    throw Failure{offset, std::move(message)};
}

std::string str(std::int64_t v) {
    return std::to_string(v);
}

// A colour channel given by a bit mask, scaled to 8 bits.
class Channel {
public:
    Channel() = default;
    Channel(std::uint32_t mask, std::size_t maskOffset, std::string_view name) : mask_(mask) {
        if (mask == 0) return;
        shift_ = std::countr_zero(mask);
        const std::uint32_t bits = mask >> shift_;
        if ((bits & (bits + 1)) != 0)
            fail(maskOffset, std::string(name) + " mask " + str(mask) + " is not one run of bits");
        max_ = bits;
    }
    std::uint32_t operator()(std::uint32_t v) const {
        if (max_ == 0) return 0;
        const std::uint64_t x = (v & mask_) >> shift_;
        return static_cast<std::uint32_t>((x * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    std::uint32_t max_ = 0;
};

struct Masks {
    Channel r, g, b;
    std::uint32_t operator()(std::uint32_t v) const { return r(v) << 16 | g(v) << 8 | b(v); }
};

class Decoder {
public:
    Decoder(std::span<const std::byte> bytes, std::int64_t pixelLimit)
        : bytes_(bytes), pixelLimit_(pixelLimit) {}

    BmpPicture run() {
        readHeaders();
        BmpPicture picture;
        picture.width = static_cast<int>(width_);
        picture.height = static_cast<int>(height_);
        if (compression_ == BI_RLE8 || compression_ == BI_RLE4) {
            // Pixels an RLE stream skips keep the first palette colour.
            picture.pixels.assign(static_cast<std::size_t>(width_ * height_), palette_[0]);
            decodeRle(picture);
        } else {
            checkUncompressedSize();
            picture.pixels.resize(static_cast<std::size_t>(width_ * height_));
            decodeRows(picture);
        }
        return picture;
    }

private:
    // ---- Checked little-endian reads ------------------------------------------------------
    bool has(std::size_t offset, std::size_t n) const {
        return offset <= bytes_.size() && n <= bytes_.size() - offset;
    }
    void need(std::size_t offset, std::size_t n, std::string_view what) const {
        if (!has(offset, n))
            fail(offset, std::string(what) + " needs " + str(static_cast<std::int64_t>(n)) +
                             " bytes, the file ends at " +
                             str(static_cast<std::int64_t>(bytes_.size())));
    }
    unsigned byte(std::size_t i) const { return std::to_integer<unsigned>(bytes_[i]); }
    std::uint32_t u16(std::size_t offset, std::string_view what) const {
        need(offset, 2, what);
        return byte(offset) | byte(offset + 1) << 8;
    }
    std::uint32_t u32(std::size_t offset, std::string_view what) const {
        need(offset, 4, what);
        return byte(offset) | byte(offset + 1) << 8 | byte(offset + 2) << 16 |
               static_cast<std::uint32_t>(byte(offset + 3)) << 24;
    }
    std::int64_t i32(std::size_t offset, std::string_view what) const {
        return static_cast<std::int32_t>(u32(offset, what));
    }

    // ---- Headers --------------------------------------------------------------------------
    void readHeaders() {
        if (u16(0, "signature") != 0x4D42) fail(0, "signature is not \"BM\"");
        dataOffset_ = u32(10, "pixel data offset");
        headerSize_ = u32(fileHeaderSize, "header size");
        const bool core = headerSize_ == 12;
        if (!core && headerSize_ != 40 && headerSize_ != 52 && headerSize_ != 56 &&
            headerSize_ != 108 && headerSize_ != 124)
            fail(fileHeaderSize,
                 "header size " + str(headerSize_) + ", expected 12, 40, 52, 56, 108 or 124");
        need(fileHeaderSize, headerSize_, "header");

        std::uint32_t colorsUsed = 0;
        if (core) {
            width_ = u16(18, "width");
            height_ = u16(20, "height");
            bpp_ = u16(24, "bits per pixel");
        } else {
            width_ = i32(18, "width");
            const std::int64_t h = i32(22, "height");
            topDown_ = h < 0;
            height_ = h < 0 ? -h : h;
            bpp_ = u16(28, "bits per pixel");
            compression_ = u32(30, "compression");
            colorsUsed = u32(46, "colours used");
        }
        checkDimensions(core);
        std::size_t paletteOffset = fileHeaderSize + headerSize_;
        readMasks(paletteOffset);
        if (bpp_ <= 8) readPalette(paletteOffset, core, colorsUsed);

        const std::size_t headersEnd = fileHeaderSize + headerSize_;
        if (dataOffset_ < headersEnd)
            fail(10, "pixel data offset " + str(dataOffset_) + " lies inside the headers (end at " +
                         str(static_cast<std::int64_t>(headersEnd)) + ")");
        if (dataOffset_ >= bytes_.size())
            fail(10, "pixel data offset " + str(dataOffset_) + " is past the end of the file (" +
                         str(static_cast<std::int64_t>(bytes_.size())) + " bytes)");
    }

    void checkDimensions(bool core) {
        const std::size_t widthAt = 18;
        const std::size_t heightAt = core ? 20 : 22;
        if (width_ < 1 || width_ > BmpReader::maxSide)
            fail(widthAt, "width " + str(width_) + ", expected 1 to " + str(BmpReader::maxSide));
        if (height_ < 1 || height_ > BmpReader::maxSide)
            fail(heightAt, "height " + str(height_) + ", expected 1 to " + str(BmpReader::maxSide));
        if (width_ * height_ > pixelLimit_)
            fail(widthAt, str(width_) + " x " + str(height_) + " pixels, expected at most " +
                              str(pixelLimit_));

        const std::size_t bppAt = core ? 24 : 28;
        const std::size_t compressionAt = 30;
        switch (compression_) {
        case BI_RGB:
            if (bpp_ != 1 && bpp_ != 4 && bpp_ != 8 && bpp_ != 16 && bpp_ != 24 && bpp_ != 32)
                fail(bppAt, str(bpp_) + " bits per pixel, expected 1, 4, 8, 16, 24 or 32");
            if (core && bpp_ != 1 && bpp_ != 4 && bpp_ != 8 && bpp_ != 24)
                fail(bppAt, str(bpp_) + " bits per pixel, expected 1, 4, 8 or 24");
            break;
        case BI_RLE8:
        case BI_RLE4: {
            const std::uint32_t expected = compression_ == BI_RLE8 ? 8 : 4;
            if (bpp_ != expected)
                fail(bppAt, "RLE" + str(expected) + " with " + str(bpp_) +
                                " bits per pixel, expected " + str(expected));
            break;
        }
        case BI_BITFIELDS:
        case BI_ALPHABITFIELDS:
            if (bpp_ != 16 && bpp_ != 32)
                fail(bppAt, "bit fields with " + str(bpp_) + " bits per pixel, expected 16 or 32");
            break;
        case BI_JPEG:
        case BI_PNG:
            fail(compressionAt,
                 "compression " + str(compression_) + " (embedded JPEG or PNG) is not supported");
        default:
            fail(compressionAt, "compression " + str(compression_) +
                                    ", expected 0 (none), 1 (RLE8), 2 (RLE4) or 3 (bit fields)");
        }
    }

    // Colour masks of 16/32-bit pictures. An info header without room for them is followed by
    // them, ahead of any palette; the longer headers hold them at the same offset.
    void readMasks(std::size_t& paletteOffset) {
        if (compression_ == BI_BITFIELDS || compression_ == BI_ALPHABITFIELDS) {
            const std::size_t at = fileHeaderSize + infoHeaderSize;
            masks_.r = Channel(u32(at, "red mask"), at, "red");
            masks_.g = Channel(u32(at + 4, "green mask"), at + 4, "green");
            masks_.b = Channel(u32(at + 8, "blue mask"), at + 8, "blue");
            if (headerSize_ == infoHeaderSize)
                paletteOffset += compression_ == BI_ALPHABITFIELDS ? 16 : 12;
        } else if (bpp_ == 16) {
            masks_ = {Channel(0x7C00, 0, "red"), Channel(0x03E0, 0, "green"),
                      Channel(0x001F, 0, "blue")};
        } else if (bpp_ == 32) {
            masks_ = {Channel(0xFF0000, 0, "red"), Channel(0xFF00, 0, "green"),
                      Channel(0xFF, 0, "blue")};
        }
    }

    void readPalette(std::size_t offset, bool core, std::uint32_t colorsUsed) {
        const std::uint32_t full = 1u << bpp_;
        if (colorsUsed > full)
            fail(46, "palette of " + str(colorsUsed) + " colours, expected at most " + str(full) +
                         " for " + str(bpp_) + " bits per pixel");
        const std::uint32_t count = core || colorsUsed == 0 ? full : colorsUsed;
        const std::size_t entrySize = core ? 3 : 4;
        need(offset, count * entrySize, "palette of " + str(count) + " colours");
        // Indices past a short palette read black.
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = offset + i * entrySize;
            palette_[i] = byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
        }
    }

    // ---- Uncompressed rows ----------------------------------------------------------------
    std::int64_t stride() const { return (width_ * bpp_ + 31) / 32 * 4; }

    void checkUncompressedSize() const {
        // The last row may come without its padding.
        const std::int64_t needed = stride() * (height_ - 1) + (width_ * bpp_ + 7) / 8;
        const std::int64_t available = static_cast<std::int64_t>(bytes_.size() - dataOffset_);
        if (needed > available)
            fail(dataOffset_, str(width_) + " x " + str(height_) + " pixels need " + str(needed) +
                                  " bytes of pixel data, the file has " + str(available));
    }

    void decodeRows(BmpPicture& picture) const {
        const auto w = static_cast<std::size_t>(width_);
        for (std::int64_t fileRow = 0; fileRow < height_; ++fileRow) {
            const std::size_t src = dataOffset_ + static_cast<std::size_t>(fileRow * stride());
            std::uint32_t* dst = &picture.pixels[static_cast<std::size_t>(rowOf(fileRow)) * w];
            decodeRow(src, dst, w);
        }
    }

    void decodeRow(std::size_t src, std::uint32_t* dst, std::size_t w) const {
        switch (bpp_) {
        case 1:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = palette_[byte(src + x / 8) >> (7 - x % 8) & 1];
            break;
        case 4:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = palette_[byte(src + x / 2) >> (x % 2 ? 0 : 4) & 15];
            break;
        case 8:
            for (std::size_t x = 0; x < w; ++x) dst[x] = palette_[byte(src + x)];
            break;
        case 16:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = masks_(byte(src + 2 * x) | byte(src + 2 * x + 1) << 8);
            break;
        case 24:
            for (std::size_t x = 0; x < w; ++x) {
                const std::size_t p = src + 3 * x;
                dst[x] = byte(p + 2) << 16 | byte(p + 1) << 8 | byte(p);
            }
            break;
        default: // 32
            for (std::size_t x = 0; x < w; ++x) {
                const std::size_t p = src + 4 * x;
                dst[x] = masks_(byte(p) | byte(p + 1) << 8 | byte(p + 2) << 16 |
                                static_cast<std::uint32_t>(byte(p + 3)) << 24);
            }
            break;
        }
    }

    std::int64_t rowOf(std::int64_t fileRow) const {
        return topDown_ ? fileRow : height_ - 1 - fileRow;
    }

    // ---- Run-length encoded pixels --------------------------------------------------------
    // Pairs (count, index) repeat an index; (0, 0) ends a row, (0, 1) the picture, (0, 2, dx,
    // dy) skips pixels, (0, n) is followed by n literal indices padded to a 16-bit boundary.
    // Nibbles alternate high, low in RLE4 runs.
    void decodeRle(BmpPicture& picture) const {
        const bool rle4 = compression_ == BI_RLE4;
        std::size_t end = bytes_.size();
        if (sizeImage() != 0 && sizeImage() < end - dataOffset_) end = dataOffset_ + sizeImage();
        std::size_t p = dataOffset_;
        std::int64_t x = 0;
        std::int64_t row = 0;
        const auto needData = [&](std::size_t at, std::size_t n) {
            if (n > end - p)
                fail(at, "RLE data ends in row " + str(row) + " before the end-of-picture mark");
        };
        const auto put = [&](std::int64_t at, std::uint32_t colour) {
            picture.pixels[static_cast<std::size_t>(rowOf(row) * width_ + at)] = colour;
        };
        const auto checkRun = [&](std::size_t at, std::int64_t n) {
            if (row >= height_) fail(at, "RLE run of " + str(n) + " pixels below the last row");
            if (x + n > width_)
                fail(at, "RLE run of " + str(n) + " pixels at column " + str(x) + " of row " +
                             str(row) + " passes the row's end (width " + str(width_) + ")");
        };
        for (;;) {
            // Every row done: the end mark may be left out.
            if (p == end && row >= height_) return;
            const std::size_t at = p;
            needData(at, 2);
            const unsigned count = byte(p);
            const unsigned value = byte(p + 1);
            p += 2;
            if (count > 0) {
                checkRun(at, count);
                for (unsigned i = 0; i < count; ++i) {
                    const unsigned index = !rle4 ? value : i % 2 ? value & 15 : value >> 4;
                    put(x + i, palette_[index]);
                }
                x += count;
            } else if (value == 0) {
                if (row >= height_) fail(at, "RLE end of row below the last row");
                x = 0;
                ++row;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                needData(at, 2);
                x += byte(p);
                row += byte(p + 1);
                p += 2;
                if (x > width_ || row > height_)
                    fail(at, "RLE skip to column " + str(x) + " of row " + str(row) +
                                 " leaves the " + str(width_) + " x " + str(height_) + " picture");
            } else {
                const std::size_t literalBytes = rle4 ? (value + 1) / 2 : value;
                needData(at, literalBytes);
                checkRun(at, value);
                for (unsigned i = 0; i < value; ++i) {
                    const unsigned b = byte(p + (rle4 ? i / 2 : i));
                    const unsigned index = !rle4 ? b : i % 2 ? b & 15 : b >> 4;
                    put(x + i, palette_[index]);
                }
                x += value;
                // The padding byte may be missing at the very end of the data.
                p += std::min(literalBytes + literalBytes % 2, end - p);
            }
        }
    }

    std::uint32_t sizeImage() const { return headerSize_ == 12 ? 0 : u32(34, "image size"); }

    std::span<const std::byte> bytes_;
    std::int64_t pixelLimit_;
    std::uint32_t headerSize_ = 0;
    std::uint32_t dataOffset_ = 0;
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    bool topDown_ = false;
    std::uint32_t bpp_ = 0;
    std::uint32_t compression_ = BI_RGB;
    Masks masks_;
    std::array<std::uint32_t, 256> palette_{};
};

} // namespace

std::string BmpError::toString() const {
    return "offset " + std::to_string(offset) + ": " + message;
}

BmpResult BmpReader::decode(std::span<const std::byte> bytes, std::int64_t pixelLimit) {
    BmpResult result;
    try {
        result.picture = Decoder(bytes, std::min(pixelLimit, maxPixels)).run();
    } catch (const Failure& f) {
        result.error = BmpError{f.offset, f.message};
    }
    return result;
}

} // namespace bw
