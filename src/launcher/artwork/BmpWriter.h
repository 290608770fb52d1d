#pragma once
// Writes uncompressed Windows bitmaps: 24-bit true colour and 4-bit, 16-colour indexed pictures.
// These are the two kinds of picture the launcher embeds, and SDL reads both without help.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

namespace stockmark::artwork {

class BmpWriter {
public:
    // `pixels` holds `width` x `height` values 0x00RRGGBB, rows top-down.
    static void writeTrueColour(const std::filesystem::path& path, int width, int height,
                                std::span<const std::uint32_t> pixels);

    // `indices` holds one palette index (0 to 15) per pixel, rows top-down.
    static void writeSixteenColour(const std::filesystem::path& path, int width, int height,
                                   const std::array<std::uint32_t, 16>& palette,
                                   std::span<const std::uint8_t> indices);
};

} // namespace stockmark::artwork
