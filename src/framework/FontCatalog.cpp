#include "framework/FontCatalog.h"

#include "framework/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>

namespace bw {

namespace {

constexpr std::size_t maxFaceNameLength = 31; // the record's 32 characters less the terminator
constexpr const char* defaultFace = "Arial";  // what an empty face name asks for

struct PatternDeleter {
    void operator()(FcPattern* p) const noexcept { FcPatternDestroy(p); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const noexcept { FcFontSetDestroy(s); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string stringOf(FcPattern* p, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, object, 0, &value) != FcResultMatch || !value) return {};
    return reinterpret_cast<const char*>(value);
}

bool boolOf(FcPattern* p, const char* object) {
    FcBool value = FcFalse;
    return FcPatternGetBool(p, object, 0, &value) == FcResultMatch && value;
}

int intOf(FcPattern* p, const char* object, int fallback) {
    int value = fallback;
    return FcPatternGetInteger(p, object, 0, &value) == FcResultMatch ? value : fallback;
}

bool debugging() {
    return std::getenv("BWCTRLS_DEBUG") != nullptr;
}

} // namespace

void FontCatalog::ConfigDeleter::operator()(_FcConfig* config) const noexcept {
    FcConfigDestroy(config);
}

FontCatalog& FontCatalog::instance() {
    static FontCatalog catalog;
    return catalog;
}

FontCatalog::FontCatalog() : config_(FcInitLoadConfigAndFonts()) {}

FontCatalog::~FontCatalog() = default;

std::string FontCatalog::recordFaceName(std::string_view name) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t n = 0; n < maxFaceNameLength && pos < name.size(); ++n) {
        const char32_t cp = utf8::next(name, pos);
        if (cp == 0) break; // the record ends at a terminator
        utf8::append(out, cp);
    }
    return out;
}

std::shared_ptr<const FontFace> FontCatalog::resolve(std::string_view faceName, bool bold,
                                                     bool italic) {
    std::string family = recordFaceName(faceName);
    if (family.empty()) family = defaultFace;
    auto key = std::make_tuple(asciiLower(family), bold, italic);
    const auto it = byRequest_.find(key);
    if (it != byRequest_.end()) return it->second;
    auto face = match(family, bold, italic);
    byRequest_.emplace(std::move(key), face); // a failure is remembered too
    return face;
}

std::shared_ptr<const FontFace> FontCatalog::match(const std::string& family, bool bold,
                                                   bool italic) {
    if (!config_) return nullptr;
    Pattern pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    // The best match first; later ones stand in when a file cannot be opened.
    FcResult result = FcResultNoMatch;
    const FontSet candidates(FcFontSort(config_.get(), pattern.get(), FcTrue, nullptr, &result));
    if (!candidates) return nullptr;
    for (int i = 0; i < candidates->nfont; ++i) {
        const Pattern font(FcFontRenderPrepare(config_.get(), pattern.get(), candidates->fonts[i]));
        if (!font) continue;
        const std::string file = stringOf(font.get(), FC_FILE);
        if (file.empty()) continue;
        FontFace::Synthesis synthesis;
        synthesis.bold = boolOf(font.get(), FC_EMBOLDEN);
        synthesis.oblique = italic && intOf(font.get(), FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
        auto face = openFile(file, intOf(font.get(), FC_INDEX, 0), synthesis);
        if (!face) continue;
        if (debugging()) {
            const bool substituted = asciiLower(face->family()) != asciiLower(family);
            std::fprintf(stderr, "bwctrls: font \"%s\"%s%s -> \"%s\" %s (%s)%s%s\n", family.c_str(),
                         bold ? " bold" : "", italic ? " italic" : "", face->family().c_str(),
                         face->style().c_str(), file.c_str(), substituted ? ", substituted" : "",
                         synthesis.bold || synthesis.oblique ? ", synthesised style" : "");
        }
        return face;
    }
    if (debugging())
        std::fprintf(stderr, "bwctrls: font \"%s\": no scalable font can be loaded\n",
                     family.c_str());
    return nullptr;
}

std::shared_ptr<const FontFace> FontCatalog::openFile(const std::string& file, int index,
                                                      FontFace::Synthesis synthesis) {
    auto key = std::make_tuple(file, index, synthesis.bold, synthesis.oblique);
    const auto it = byFile_.find(key);
    if (it != byFile_.end()) return it->second;
    auto face = FontFace::open(file, index, synthesis);
    if (face) byFile_.emplace(std::move(key), face);
    return face;
}

} // namespace bw
