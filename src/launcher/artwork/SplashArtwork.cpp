#include "SplashArtwork.h"

#include <cairo.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace stockmark::artwork {

namespace {

struct SurfaceRelease {
    void operator()(cairo_surface_t* s) const noexcept { cairo_surface_destroy(s); }
};
struct ContextRelease {
    void operator()(cairo_t* c) const noexcept { cairo_destroy(c); }
};
struct PatternRelease {
    void operator()(cairo_pattern_t* p) const noexcept { cairo_pattern_destroy(p); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using Context = std::unique_ptr<cairo_t, ContextRelease>;
using Pattern = std::unique_ptr<cairo_pattern_t, PatternRelease>;

constexpr const char* fontFace = "Liberation Sans";

void setColour(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    constexpr double quarter = 1.5707963267948966;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -quarter, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, quarter);
    cairo_arc(cr, x + r, y + h - r, r, quarter, 2 * quarter);
    cairo_arc(cr, x + r, y + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void text(cairo_t* cr, std::string_view utf8, double x, double baseline, double size, bool bold,
          std::uint32_t rgb) {
    cairo_select_font_face(cr, fontFace, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    setColour(cr, rgb);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, std::string(utf8).c_str());
}

void centredText(cairo_t* cr, std::string_view utf8, double centreX, double baseline, double size,
                 std::uint32_t rgb) {
    cairo_select_font_face(cr, fontFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    const std::string s(utf8);
    cairo_text_extents(cr, s.c_str(), &extents);
    setColour(cr, rgb);
    cairo_move_to(cr, centreX - extents.x_advance / 2, baseline);
    cairo_show_text(cr, s.c_str());
}

// EAN-13 modules of a 13-digit code, '1' for a bar: the left half takes its parity pattern from
// the first digit, the right half is the complement of the odd-parity set.
std::string ean13Modules(std::string_view digits) {
    static constexpr const char* odd[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                            "0110001", "0101111", "0111011", "0110111", "0001011"};
    static constexpr const char* even[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                             "0111001", "0000101", "0010001", "0001001", "0010111"};
    static constexpr const char* parity[10] = {"OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                               "OEEOOE", "OEEEOE", "OEOEEO", "OEOEOE", "OEEOEO"};
    const auto digit = [&](std::size_t i) { return digits[i] - '0'; };
    std::string modules = "101";
    for (std::size_t i = 1; i <= 6; ++i)
        modules += parity[digit(0)][i - 1] == 'O' ? odd[digit(i)] : even[digit(i)];
    modules += "01010";
    for (std::size_t i = 7; i <= 12; ++i)
        for (const char* m = odd[digit(i)]; *m; ++m) modules += *m == '0' ? '1' : '0';
    modules += "101";
    return modules;
}

bool isGuardModule(std::size_t m) {
    return m < 3 || (m >= 45 && m < 50) || m >= 92;
}

// An EAN-13 symbol with its human-readable digits; (x, y) is the top-left of the bars.
void barcode(cairo_t* cr, std::string_view digits, double x, double y, double module,
             double barHeight) {
    const std::string modules = ean13Modules(digits);
    const double guardExtra = 7;
    setColour(cr, 0x111111);
    for (std::size_t m = 0; m < modules.size(); ++m) {
        if (modules[m] != '1') continue;
        cairo_rectangle(cr, x + static_cast<double>(m) * module, y, module,
                        barHeight + (isGuardModule(m) ? guardExtra : 0));
    }
    cairo_fill(cr);
    const double baseline = y + barHeight + guardExtra + 5;
    const double size = 12;
    centredText(cr, digits.substr(0, 1), x - 4 * module, baseline, size, 0x111111);
    // Each digit is centred over its seven modules; the halves start after the guards.
    for (std::size_t i = 0; i < 6; ++i) {
        const double offset = 7.0 * static_cast<double>(i) + 3.5;
        centredText(cr, digits.substr(1 + i, 1), x + (3 + offset) * module, baseline, size,
                    0x111111);
        centredText(cr, digits.substr(7 + i, 1), x + (50 + offset) * module, baseline, size,
                    0x111111);
    }
}

constexpr std::uint32_t deepTeal = 0x0E4D5A;
constexpr std::uint32_t darkTeal = 0x072C34;
constexpr std::uint32_t amber = 0xF2A541;

Pattern backgroundPattern() {
    Pattern p(
        cairo_pattern_create_linear(0, 0, SplashArtwork::splashWidth, SplashArtwork::splashHeight));
    cairo_pattern_add_color_stop_rgb(p.get(), 0, ((deepTeal >> 16) & 0xFF) / 255.0,
                                     ((deepTeal >> 8) & 0xFF) / 255.0, (deepTeal & 0xFF) / 255.0);
    cairo_pattern_add_color_stop_rgb(p.get(), 1, ((darkTeal >> 16) & 0xFF) / 255.0,
                                     ((darkTeal >> 8) & 0xFF) / 255.0, (darkTeal & 0xFF) / 255.0);
    return p;
}

void drawProductName(cairo_t* cr) {
    text(cr, "Stockmark", 38, 142, 54, true, 0xFFFFFF);
    setColour(cr, amber);
    cairo_rectangle(cr, 41, 161, 56, 4);
    cairo_fill(cr);
    text(cr, "Food labels, designed and printed.", 40, 198, 18, false, 0xCFE5E8);
    text(cr, "Text \u00B7 Barcodes \u00B7 Nutrition panels \u00B7 Print runs", 40, 284, 12.5, false,
         0x86B3BB);
}

// A white food label with a tag hole, a product band, a small nutrition table and a barcode.
void drawLabel(cairo_t* cr, cairo_pattern_t* background) {
    const double x = 344, y = 56, w = 222, h = 202, r = 10;

    // A soft shadow: a few widening translucent outlines under the card.
    for (int i = 6; i >= 1; --i) {
        roundedRectangle(cr, x + 4 - i, y + 7 - i, w + 2 * i, h + 2 * i, r + i);
        setColour(cr, 0x000000, 0.05);
        cairo_fill(cr);
    }
    roundedRectangle(cr, x, y, w, h, r);
    setColour(cr, 0xFFFFFF);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    setColour(cr, amber);
    cairo_rectangle(cr, x, y, w, 40);
    cairo_fill(cr);
    cairo_restore(cr);

    // The hole shows the background through the card.
    cairo_arc(cr, x + 22, y + 20, 6.5, 0, 6.283185307179586);
    cairo_set_source(cr, background);
    cairo_fill(cr);
    text(cr, "Oat & Honey Granola", x + 40, y + 26, 15, true, 0x3B2A06);

    // Nutrition lines: a label bar on the left, a value bar on the right.
    setColour(cr, 0xD5DCDE);
    cairo_rectangle(cr, x + 18, y + 52, w - 36, 1.5);
    cairo_fill(cr);
    const double nameWidths[3] = {74, 58, 66};
    const double valueWidths[3] = {30, 24, 28};
    for (int i = 0; i < 3; ++i) {
        const double rowY = y + 61 + 13 * i;
        setColour(cr, 0xB9C5C8);
        roundedRectangle(cr, x + 18, rowY, nameWidths[i], 6, 3);
        cairo_fill(cr);
        setColour(cr, 0x8FA1A5);
        roundedRectangle(cr, x + w - 18 - valueWidths[i], rowY, valueWidths[i], 6, 3);
        cairo_fill(cr);
    }

    barcode(cr, "5012345678900", x + 20, y + 110, 2, 60);
}

std::vector<std::uint32_t> pixelsOf(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) pixels.push_back(row[x] & 0xFFFFFFu);
    }
    return pixels;
}

// Icon palette indices.
constexpr std::uint8_t black = 0, teal = 6, grey = 8, yellow = 11, white = 15;

struct IconLayout {
    int labelLeft, labelTop, labelRight, labelBottom; // white card, inclusive
    int bandBottom;                                   // last row of the yellow band
    int barsLeft, barsTop, barsBottom, guardBottom;   // the barcode
    const char* bars;                                 // '1' for a bar column
};

constexpr IconLayout layoutFor32 = {4, 5, 26, 26, 8, 7, 11, 21, 23, "10110011011001101"};
constexpr IconLayout layoutFor16 = {2, 2, 13, 13, 3, 4, 6, 10, 11, "10110101"};

} // namespace

std::vector<std::uint32_t> SplashArtwork::splash() {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, splashWidth, splashHeight));
    Context context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    const Pattern background = backgroundPattern();
    cairo_set_source(cr, background.get());
    cairo_paint(cr);
    drawProductName(cr);
    drawLabel(cr, background.get());
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("drawing the splash failed: ") +
                                 cairo_status_to_string(cairo_status(cr)));
    return pixelsOf(surface.get());
}

std::vector<std::uint8_t> SplashArtwork::icon(int size) {
    if (size != 32 && size != 16)
        throw std::invalid_argument("icon size " + std::to_string(size) + ", expected 32 or 16");
    const IconLayout& l = size == 32 ? layoutFor32 : layoutFor16;
    std::vector<std::uint8_t> px(static_cast<std::size_t>(size) * size, teal);
    const auto set = [&](int x, int y, std::uint8_t c) {
        px[static_cast<std::size_t>(y) * size + x] = c;
    };
    for (int y = l.labelTop; y <= l.labelBottom; ++y)
        for (int x = l.labelLeft; x <= l.labelRight; ++x)
            set(x, y, y <= l.bandBottom ? yellow : white);
    // Shadow one pixel right of and below the card.
    for (int y = l.labelTop + 1; y <= l.labelBottom + 1; ++y) set(l.labelRight + 1, y, grey);
    for (int x = l.labelLeft + 1; x <= l.labelRight + 1; ++x) set(x, l.labelBottom + 1, grey);
    const std::string_view bars = l.bars;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] != '1') continue;
        const bool guard = i < 3 || i + 3 >= bars.size();
        for (int y = l.barsTop; y <= (guard ? l.guardBottom : l.barsBottom); ++y)
            set(l.barsLeft + static_cast<int>(i), y, black);
    }
    if (size == 32) // the tag hole shows the background through the band
        for (int y = 6; y <= 7; ++y)
            for (int x = 6; x <= 7; ++x) set(x, y, teal);
    return px;
}

} // namespace stockmark::artwork
