#pragma once
// Resolves a logical font's face name, weight and slant to a FontFace through fontconfig.
// Faces are cached by request and by file, so a layout that creates a font per trial height
// asks fontconfig once per family and style.

#include "framework/FontFace.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

struct _FcConfig;

namespace bw {

class FontCatalog {
public:
    static FontCatalog& instance();

    // The face for a face name; a name no installed font has is substituted by fontconfig.
    // Null only when no scalable font can be loaded at all.
    std::shared_ptr<const FontFace> resolve(std::string_view faceName, bool bold, bool italic);

    // A face name as a logical-font record holds it: at most 31 characters, valid UTF-8.
    static std::string recordFaceName(std::string_view name);

    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;

private:
    FontCatalog();
    ~FontCatalog();

    std::shared_ptr<const FontFace> match(const std::string& family, bool bold, bool italic);
    std::shared_ptr<const FontFace> openFile(const std::string& file, int index,
                                             FontFace::Synthesis synthesis);

    struct ConfigDeleter {
        void operator()(_FcConfig* config) const noexcept;
    };
    std::unique_ptr<_FcConfig, ConfigDeleter> config_;
    std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const FontFace>> byRequest_;
    std::map<std::tuple<std::string, int, bool, bool>, std::shared_ptr<const FontFace>> byFile_;
};

} // namespace bw
