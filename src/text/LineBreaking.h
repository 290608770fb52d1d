#pragma once
// Line breaking of AutoText on a measured text: the fit test the font search asks at every
// trial height, and the breaking of the text at the chosen one. Positions are 1-based and count
// code points; extents(i) is the cumulative width through character i.
//
// The two walks differ on purpose, as label files were laid out with them: the fit test looks
// for a break as far back as the first character, while the breaking never looks at position 2
// and cuts the text when a word is longer than a line.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The characters a line may break at: LineBreakChars, CR and LF.
class BreakSet {
public:
    explicit BreakSet(std::u32string_view lineBreakChars);
    bool contains(char32_t c) const;

private:
    bool ascii_[128] = {};
    std::u32string others_; // sorted
};

struct MeasuredText {
    std::u32string_view text;
    std::span<const int> extents;
    const BreakSet* breaks = nullptr;
    std::int64_t layoutWidth = 0;
};

// The nearest position at or before `i` whose character may break a line; 0 when none.
std::int64_t findBreakBack(const MeasuredText& m, std::int64_t i);

// Whether the text fits in `maxLines` lines: the number of lines it takes, or nothing.
std::optional<int> fitsOK(const MeasuredText& m, int maxLines, std::int64_t fitCount,
                          int fontHeight);

// The lines of the text (UTF-8). Hard breaks do not count towards `maxLines`; after that many
// soft breaks the rest of the text is the last line. A word longer than a line ends the text
// after the last complete line, followed by one empty entry.
std::vector<std::string> breakLines(const MeasuredText& m, int maxLines);

} // namespace bw
