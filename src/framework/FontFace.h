#pragma once
// One resolved font face: the FreeType face its metrics come from, the cairo face that draws
// its glyphs, and a cache of glyph indices and unhinted advances in font units. Text is
// measured from this cache alone, so measuring never shapes, hints or rasterises.

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace bw {

// Metrics of a face in font units. The cell is the OS/2 win ascent + descent, as the classic
// interface sizes TrueType fonts; line positions are the centres of the strokes, above the
// baseline (negative below).
struct FaceMetrics {
    int unitsPerEm = 2048;
    int winAscent = 0;
    int winDescent = 0;
    int externalLeading = 0;
    int avgCharWidth = 0;
    int maxAdvance = 0;
    int underlinePosition = 0;
    int underlineThickness = 0;
    int strikeoutPosition = 0;
    int strikeoutThickness = 0;
    int cellHeight() const { return winAscent + winDescent; }
};

struct GlyphAdvance {
    std::uint32_t index = 0;
    std::int32_t advance = -1; // font units; -1 = not looked up yet
};

class FontFace {
    struct Private {};

public:
    // What a face should add to its outlines when the family lacks the requested style.
    struct Synthesis {
        bool bold = false;
        bool oblique = false;
    };

    // Opens face `index` of a font file; null when it cannot be read or is not scalable.
    static std::shared_ptr<const FontFace> open(const std::string& file, int index,
                                                Synthesis synthesis);

    FontFace(Private, FT_FaceRec_* face, std::string file, Synthesis synthesis);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& family() const { return family_; }
    const std::string& style() const { return style_; }
    const std::string& file() const { return file_; }
    const FaceMetrics& metrics() const { return metrics_; }
    Synthesis synthesis() const { return synthesis_; }
    // Shares the FreeType face: it stays alive while cairo holds the font face.
    cairo_font_face_t* cairoFace() const { return cairo_.get(); }

    // Glyph index and advance of a code point; a missing character gives the face's
    // default glyph (index 0).
    GlyphAdvance glyph(char32_t codePoint) const {
        if (codePoint < flatSize) {
            const GlyphAdvance g = flat_[codePoint];
            if (g.advance >= 0) return g;
        }
        return lookUp(codePoint);
    }

private:
    // Code points below this are cached in a flat table: Latin, Greek, Cyrillic, symbols.
    static constexpr char32_t flatSize = 0x3000;

    GlyphAdvance lookUp(char32_t codePoint) const;

    struct FtFaceDeleter {
        void operator()(FT_FaceRec_* face) const noexcept;
    };
    struct CairoFaceDeleter {
        void operator()(cairo_font_face_t* face) const noexcept { cairo_font_face_destroy(face); }
    };

    std::unique_ptr<FT_FaceRec_, FtFaceDeleter> ft_;
    std::unique_ptr<cairo_font_face_t, CairoFaceDeleter> cairo_; // released before ft_
    std::string file_;
    std::string family_;
    std::string style_;
    Synthesis synthesis_;
    FaceMetrics metrics_;
    // A lazily filled cache: the face is shared and const to its users.
    mutable std::vector<GlyphAdvance> flat_;
    mutable std::unordered_map<char32_t, GlyphAdvance> others_;
};

} // namespace bw
