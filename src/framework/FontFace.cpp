#include "framework/FontFace.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace bw {

namespace {

// One library for the process, never released: cairo may keep font faces (and with them
// our FreeType faces) in its caches until the process ends.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

const cairo_user_data_key_t ftFaceKey{};

FaceMetrics readMetrics(FT_Face face) {
    FaceMetrics m;
    m.unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const bool hasOs2 = os2 && os2->version != 0xFFFFu;
    if (hasOs2 && os2->usWinAscent + os2->usWinDescent > 0) {
        m.winAscent = os2->usWinAscent;
        m.winDescent = os2->usWinDescent;
    } else {
        m.winAscent = face->ascender;
        m.winDescent = -face->descender;
    }
    if (m.cellHeight() <= 0) { // a broken font still gets a usable cell
        m.winAscent = m.unitsPerEm * 4 / 5;
        m.winDescent = m.unitsPerEm / 5;
    }
    if (hhea) {
        // The classic external leading: the line gap less what the win cell already adds.
        const int hheaHeight = hhea->Ascender - hhea->Descender;
        m.externalLeading = std::max(0, hhea->Line_Gap - (m.cellHeight() - hheaHeight));
    }
    m.avgCharWidth = hasOs2 ? os2->xAvgCharWidth : 0;
    m.maxAdvance = face->max_advance_width;
    // FreeType gives the underline's centre already.
    m.underlineThickness =
        face->underline_thickness > 0 ? face->underline_thickness : std::max(1, m.unitsPerEm / 20);
    m.underlinePosition =
        face->underline_thickness > 0 ? face->underline_position : -m.unitsPerEm / 10;
    if (hasOs2 && os2->yStrikeoutSize > 0) {
        // The table gives the top of the stroke.
        m.strikeoutThickness = os2->yStrikeoutSize;
        m.strikeoutPosition = os2->yStrikeoutPosition - os2->yStrikeoutSize / 2;
    } else {
        m.strikeoutThickness = m.underlineThickness;
        m.strikeoutPosition = m.unitsPerEm * 3 / 10;
    }
    return m;
}

} // namespace

void FontFace::FtFaceDeleter::operator()(FT_FaceRec_* face) const noexcept {
    FT_Done_Face(face);
}

std::shared_ptr<const FontFace> FontFace::open(const std::string& file, int index,
                                               Synthesis synthesis) {
    FT_Library lib = library();
    if (!lib || index < 0) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(lib, file.c_str(), index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto result = std::make_shared<FontFace>(Private{}, face, file, synthesis);
    if (!result->cairoFace()) return nullptr;
    return result;
}

FontFace::FontFace(Private, FT_FaceRec_* face, std::string file, Synthesis synthesis)
    : ft_(face), file_(std::move(file)), synthesis_(synthesis), metrics_(readMetrics(face)),
      flat_(flatSize) {
    family_ = face->family_name ? face->family_name : "";
    style_ = face->style_name ? face->style_name : "";
    cairo_.reset(cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING));
    // The cairo face holds its own reference to the FreeType face, released with it.
    FT_Reference_Face(face);
    const cairo_status_t status = cairo_font_face_set_user_data(
        cairo_.get(), &ftFaceKey, face, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    if (status != CAIRO_STATUS_SUCCESS) {
        FT_Done_Face(face);
        cairo_.reset();
        return;
    }
    unsigned flags = 0;
    if (synthesis.bold) flags |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (synthesis.oblique) flags |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (flags) cairo_ft_font_face_set_synthesize(cairo_.get(), flags);
}

FontFace::~FontFace() = default;

GlyphAdvance FontFace::lookUp(char32_t codePoint) const {
    if (codePoint >= flatSize) {
        const auto it = others_.find(codePoint);
        if (it != others_.end()) return it->second;
    }
    FT_Face face = ft_.get();
    GlyphAdvance g;
    g.index = FT_Get_Char_Index(face, codePoint);
    // Font units, untouched by any size or transform cairo may have set on the shared face.
    FT_Fixed advance = 0;
    if (FT_Get_Advance(face, g.index, FT_LOAD_NO_SCALE | FT_LOAD_IGNORE_TRANSFORM, &advance) != 0)
        advance = 0;
    g.advance = static_cast<std::int32_t>(std::clamp<FT_Fixed>(advance, 0, 0xFFFF));
    if (codePoint < flatSize)
        flat_[codePoint] = g;
    else
        others_.emplace(codePoint, g);
    return g;
}

} // namespace bw
