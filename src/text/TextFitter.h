#pragma once
// The AutoText layout: the largest font height between FontMinimum and FontMaximum at which the
// text fits its area, found by two bisections over whole twips, and the lines at that height.
// Each trial creates the font, selects it into the context and measures the whole text once
// with partial extents. The first search only asks whether the text would fill no more than
// as many full-width lines as the height allows, which bounds the second cheaply; the second
// breaks the lines for real.

#include "framework/GdiTypes.h"
#include "text/AutoTextTypes.h"

#include <string_view>
#include <vector>

namespace bw {

class TextFitter {
public:
    explicit TextFitter(const AutoTextSettings& settings) : settings_(settings) {}

    // Lays `displayText` out in `area`, measured on `hdc`, into `layout`; true when a height
    // was fitted (not for an empty text or area). A failure throws and leaves in `layout` what
    // the steps before it set; the context gets its font back on every path.
    bool reformat(HDC hdc, const RECT& area, std::string_view displayText, TextLayout& layout);

private:
    const AutoTextSettings& settings_;
    std::vector<int> extents_; // partial extents, sized once per layout
};

} // namespace bw
