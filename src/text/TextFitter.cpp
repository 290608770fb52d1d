#include "text/TextFitter.h"

#include "framework/Gdi.h"
#include "framework/Orientation.h"
#include "framework/Rounding.h"
#include "framework/UniqueGdiObject.h"
#include "framework/Utf8.h"
#include "text/CleanText.h"
#include "text/ClearZone.h"
#include "text/LineBreaking.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace bw {

namespace {

constexpr int largestLineCount = 32767; // a 16-bit count in stored layouts
constexpr int largestFont = 8640;       // twips (432 points)
constexpr std::size_t longestFaceName = 32;

int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

std::u32string decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) out += utf8::next(s, pos);
    return out;
}

// The fitted font: selected in place of the context's own font and replaced at every trial.
// On leaving, the context gets its own font back and the fitted one is deleted.
class FittedFont {
public:
    explicit FittedFont(HDC hdc) : hdc_(hdc) {}
    // The fitted font is deleted after the context's own is back.
    ~FittedFont() {
        if (previous_) gdi::SelectObject(hdc_, previous_);
    }
    FittedFont(const FittedFont&) = delete;
    FittedFont& operator=(const FittedFont&) = delete;

    // Creates the font `description` describes, selects it, deletes the one it replaces and
    // reads the description back.
    void change(LOGFONT& description) {
        UniqueGdiObject next(gdi::CreateFontIndirect(description));
        if (!next) throw std::runtime_error("the fitted font could not be created");
        const HGDIOBJ replaced = gdi::SelectObject(hdc_, next.get());
        if (!replaced) throw std::runtime_error("the fitted font could not be selected");
        if (!previous_) previous_ = replaced;
        font_ = std::move(next);
        gdi::GetObject(font_.get(), description);
    }

private:
    UniqueGdiObject font_; // first, so that it goes last
    HDC hdc_;
    HGDIOBJ previous_ = 0;
};

// The font search of one layout.
class Search {
public:
    Search(HDC hdc, const AutoTextSettings& settings, std::string_view text,
           std::vector<int>& extents, TextLayout& layout)
        : hdc_(hdc), settings_(settings), text_(text), extents_(extents), layout_(layout),
          font_(hdc) {}

    // Sets the trial height and recomputes the line count it allows.
    void changeFont(int height) {
        layout_.font.lfHeight = height;
        font_.change(layout_.font);
        const int h = layout_.font.lfHeight;
        if (h >= 1 && !settings_.singleLine)
            layout_.maxLines = static_cast<int>(
                std::min<std::int64_t>(layout_.layoutHeight / h, largestLineCount));
    }

    // The whole text against as many full-width lines as the height allows.
    void measure() {
        const std::int64_t maxExtent =
            std::max<std::int64_t>(0, std::int64_t(layout_.maxLines) * layout_.layoutWidth);
        fit_ = 0;
        if (!gdi::GetTextExtentExPoint(hdc_, text_, clampToInt(maxExtent), &fit_, &extents_,
                                       nullptr)) {
            fit_ = 0;
            extents_.clear();
        }
    }

    int fit() const { return fit_; }

private:
    HDC hdc_;
    const AutoTextSettings& settings_;
    std::string_view text_;
    std::vector<int>& extents_;
    TextLayout& layout_;
    FittedFont font_;
    int fit_ = 0;
};

int nearestMiddle(int lo, int hi) {
    return roundToInt((double(hi) + double(lo)) / 2);
}

} // namespace

bool TextFitter::reformat(HDC hdc, const RECT& area, std::string_view displayText,
                          TextLayout& layout) {
    const AutoTextSettings& s = settings_;
    const Orientation orientation(s.orientation);
    std::int64_t availableWidth = std::int64_t(area.right) - area.left;
    std::int64_t availableHeight = std::int64_t(area.bottom) - area.top;
    if (s.bordered) {
        availableWidth -= 4 * std::int64_t(s.borderWidth);
        availableHeight -= 4 * std::int64_t(s.borderWidth);
    }
    layout.availableWidth = clampToInt(availableWidth);
    layout.availableHeight = clampToInt(availableHeight);

    const BreakSet breaks(decode(s.lineBreakChars));
    const std::string text = cleanText(
        displayText, {.flattenBreaks = s.singleLine || s.useBestFit || orientation.isCurve(),
                      .squeezeSpaces = s.useBestFit});

    const bool sideways = orientation.swapsAxes();
    const std::int64_t along = sideways ? availableHeight : availableWidth;
    const std::int64_t across = sideways ? availableWidth : availableHeight;
    layout.clearZone = clearZoneTwips(s.clearZone, layout.availableHeight);
    layout.layoutWidth = clampToInt(along - 2 * std::int64_t(layout.clearZone));
    layout.layoutHeight = clampToInt(across - 2 * std::int64_t(layout.clearZone));

    layout.lines.assign(1, std::string());
    if (text.empty() || layout.layoutHeight < 1 || layout.layoutWidth < 1) return false;
    layout.maxLines = s.singleLine ? 1 : 0;

    // The description starts from the context's font, so what the font does not set
    // (underline, strike-out, precisions, quality, pitch) is the context's.
    const HGDIOBJ current = gdi::GetCurrentObject(hdc, OBJ_FONT);
    LOGFONT description;
    if (!current || !gdi::GetObject(current, description))
        throw std::runtime_error("the context has no font to start the layout from");
    if (utf8::countCodePoints(s.font.name) > longestFaceName)
        throw std::length_error("the face name \"" + s.font.name + "\" is longer than " +
                                std::to_string(longestFaceName) + " characters");
    description.lfItalic = s.font.italic;
    description.lfWeight = s.font.bold ? 700 : 0;
    description.lfWidth = 0;
    description.lfFaceName = s.font.name;
    description.lfCharSet = static_cast<std::uint8_t>(s.font.charset & 0xFF);
    description.lfEscapement = description.lfOrientation = orientation.escapement();
    layout.font = description;

    const std::u32string codePoints = decode(text);
    const auto length = static_cast<std::int64_t>(codePoints.size());
    extents_.reserve(codePoints.size());
    const int fontMinimum = std::max(1, s.fontMinimum);
    const int fontMaximum = std::min(s.fontMaximum, largestFont);
    // Built at each use: the extents move as they are measured again.
    const auto measured = [&] {
        return MeasuredText{codePoints, extents_, &breaks, layout.layoutWidth};
    };
    int fit = 0;
    {
        Search search(hdc, s, text, extents_, layout);

        // First pass: would the text fill no more than the lines this height allows?
        int hi = std::min(layout.layoutHeight, fontMaximum);
        int lo = fontMinimum - 1;
        int best1 = fontMinimum - 1;
        while (lo < hi) {
            const int h = nearestMiddle(lo, hi);
            search.changeFont(h);
            search.measure();
            if (search.fit() >= length) {
                best1 = h;
                lo = h + 1;
            } else {
                hi = h - 1;
            }
        }

        // Second pass: does it fit with its real line breaks?
        hi = best1;
        lo = fontMinimum;
        int best = fontMinimum;
        while (lo <= hi) {
            const int h = nearestMiddle(lo, hi);
            search.changeFont(h);
            if (h < fontMinimum) {
                lo = h + 1;
                continue;
            }
            search.measure();
            if (const auto lines =
                    fitsOK(measured(), layout.maxLines, search.fit(), layout.font.lfHeight)) {
                layout.maxLines = *lines;
                best = h;
                lo = h + 1;
            } else {
                hi = h - 1;
            }
        }

        layout.fittedHeight = best;
        search.changeFont(best);
        search.measure();
        fit = search.fit();
    }
    if (fit == 0) return true;
    layout.lines = breakLines(measured(), layout.maxLines);
    layout.layoutWidth = clampToInt(along);
    return true;
}

} // namespace bw
