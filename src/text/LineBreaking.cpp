#include "text/LineBreaking.h"

#include "framework/Utf8.h"

#include <algorithm>

namespace bw {

namespace {

constexpr char32_t cr = U'\r';
constexpr char32_t space = U' ';

std::int64_t lengthOf(std::u32string_view t) {
    return static_cast<std::int64_t>(t.size());
}

// Extent through character i; 0 before the first, the last one past the end.
std::int64_t extentAt(const MeasuredText& m, std::int64_t i) {
    const auto n = static_cast<std::int64_t>(m.extents.size());
    if (i < 1 || n == 0) return 0;
    return m.extents[static_cast<std::size_t>(std::min(i, n) - 1)];
}

char32_t charAt(const MeasuredText& m, std::int64_t i) {
    return m.text[static_cast<std::size_t>(i - 1)];
}

// Characters first … last as UTF-8, with spaces trimmed as asked.
std::string slice(const MeasuredText& m, std::int64_t first, std::int64_t last, bool trimLeft,
                  bool trimRight) {
    first = std::max<std::int64_t>(first, 1);
    last = std::min(last, lengthOf(m.text));
    while (trimLeft && first <= last && charAt(m, first) == space) ++first;
    while (trimRight && last >= first && charAt(m, last) == space) --last;
    std::string out;
    for (std::int64_t i = first; i <= last; ++i) utf8::append(out, charAt(m, i));
    return out;
}

} // namespace

BreakSet::BreakSet(std::u32string_view lineBreakChars) {
    for (char32_t c : lineBreakChars) {
        if (c < 128)
            ascii_[c] = true;
        else
            others_ += c;
    }
    ascii_[static_cast<unsigned char>('\r')] = ascii_[static_cast<unsigned char>('\n')] = true;
    std::sort(others_.begin(), others_.end());
}

bool BreakSet::contains(char32_t c) const {
    if (c < 128) return ascii_[c];
    return std::binary_search(others_.begin(), others_.end(), c);
}

std::int64_t findBreakBack(const MeasuredText& m, std::int64_t i) {
    for (i = std::min(i, lengthOf(m.text)); i >= 1; --i)
        if (m.breaks->contains(charAt(m, i))) return i;
    return 0;
}

std::optional<int> fitsOK(const MeasuredText& m, int maxLines, std::int64_t fitCount,
                          int fontHeight) {
    const std::int64_t length = lengthOf(m.text);
    if (fitCount < length || fontHeight == 0) return std::nullopt;
    int lines = 0;
    std::int64_t base = 0;
    std::int64_t lastBreak = 0;
    for (std::int64_t i = 1; i <= length; ++i) {
        if (charAt(m, i) == cr) {
            if (++lines == maxLines) return std::nullopt;
            ++i; // the LF
            lastBreak = i + 1;
            base = extentAt(m, i);
        } else if (charAt(m, i) != space && extentAt(m, i) > m.layoutWidth + base) {
            if (++lines == maxLines) return std::nullopt;
            // Every break found lies at or after the previous one, so the walk always ends.
            i = findBreakBack(m, i - 1);
            if (i == lastBreak || i == 1) return std::nullopt;
            lastBreak = i;
            base = extentAt(m, i - 1);
        }
    }
    return lines + 1;
}

std::vector<std::string> breakLines(const MeasuredText& m, int maxLines) {
    const std::int64_t length = lengthOf(m.text);
    // The last entry is the line being filled; a layout cut short leaves it empty.
    std::vector<std::string> lines(1);
    std::int64_t lineStart = 1;
    std::int64_t base = 0;
    int softBreaks = 0;
    for (std::int64_t i = 1; i <= length;) {
        if (charAt(m, i) == cr) {
            lines.back() = slice(m, lineStart, i - 1, true, true);
            lines.emplace_back();
            lineStart = i + 2;
            base = extentAt(m, i + 1);
            i += 2;
        } else if (charAt(m, i) != space && extentAt(m, i) > m.layoutWidth + base) {
            if (i == 1) return lines;
            std::int64_t j = i - 1;
            while (j >= 3 && !m.breaks->contains(charAt(m, j))) --j;
            const std::int64_t end = j - 1;
            if (end < lineStart) return lines;
            base = extentAt(m, end);
            lines.back() = slice(m, lineStart, end, true, true);
            lines.emplace_back();
            lineStart = j; // the break character opens the next line
            if (++softBreaks == maxLines) break;
            i = j + 1;
        } else {
            ++i;
        }
    }
    lines.back() = slice(m, lineStart, length, true, false);
    return lines;
}

} // namespace bw
