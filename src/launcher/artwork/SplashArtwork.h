#pragma once
// Draws the launcher's artwork: the splash picture (the product name beside a food label that
// carries a barcode) and the program icon in its two sizes.

#include <array>
#include <cstdint>
#include <vector>

namespace stockmark::artwork {

class SplashArtwork {
public:
    static constexpr int splashWidth = 600;
    static constexpr int splashHeight = 317;

    // The standard 16-colour palette that the icon is drawn in, as 0x00RRGGBB.
    static constexpr std::array<std::uint32_t, 16> iconPalette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

    // The splash picture: 0x00RRGGBB values, rows top-down.
    static std::vector<std::uint32_t> splash();

    // The icon, `size` x `size` pixels (32 or 16) as indices into `iconPalette`, rows top-down.
    static std::vector<std::uint8_t> icon(int size);
};

} // namespace stockmark::artwork
