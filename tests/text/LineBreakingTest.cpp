#include "text/LineBreaking.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace bw;

namespace {

// Every character 10 units wide, so a position's extent is ten times it.
struct Mono {
    std::u32string text;
    std::vector<int> extents;
    BreakSet breaks;
    Mono(std::u32string t, std::u32string breakChars = U" ")
        : text(std::move(t)), breaks(breakChars) {
        for (std::size_t i = 1; i <= text.size(); ++i) extents.push_back(int(i) * 10);
    }
    MeasuredText at(int width) const { return {text, extents, &breaks, width}; }
};

using Lines = std::vector<std::string>;

} // namespace

TEST(LineBreaking, BreaksLinesWithTheirQuirks) {
    struct Case {
        const char* why;
        std::u32string text;
        int width;
        int maxLines;
        Lines lines;
        std::u32string breakChars = U" ";
    } cases[] = {
        {"fits on one line", U"ab cd", 50, 3, {"ab cd"}},
        {"the breaking space is trimmed", U"ab cd ef", 50, 3, {"ab cd", "ef"}},
        {"trailing spaces stay on the last line", U"ab cd  ", 50, 3, {"ab cd  "}},
        {"hard breaks, trimmed", U"ab \r\n cd", 50, 3, {"ab", "cd"}},
        {"a hyphen opens the next line", U"Low-fat", 40, 3, {"Low", "-fat"}, U" -"},
        {"a long word cuts the text after the last complete line",
         U"ab cdefgh ij",
         40,
         5,
         {"ab", ""}},
        // Position 2 is never looked at: a first word with no break goes after one character.
        {"an unbreakable first word", U"abcdefg", 40, 5, {"a", ""}},
        {"the first character sticks out", U"abc", 5, 5, {""}},
        {"beyond the line count, the rest is one line",
         U"aa bb cc dd",
         30,
         2,
         {"aa", "bb", "cc dd"}},
    };
    for (const Case& c : cases) {
        const Mono m(c.text, c.breakChars);
        EXPECT_EQ(breakLines(m.at(c.width), c.maxLines), c.lines) << c.why;
    }
}

TEST(LineBreaking, FitsOKCountsTheLinesOrRefuses) {
    struct Case {
        const char* why;
        std::u32string text;
        int width;
        int maxLines;
        std::optional<int> lines;
        int fitCount = -1; // -1: all characters fit
        int fontHeight = 100;
    } cases[] = {
        {"one line", U"ab cd", 50, 2, 1},
        {"two lines", U"ab cd ef", 50, 2, 2},
        {"one line too many", U"ab cd ef", 50, 1, std::nullopt},
        {"a hard break counts", U"ab\r\ncd", 50, 1, std::nullopt},
        {"hard break within the count", U"ab\r\ncd", 50, 2, 2},
        {"no break before the overflow", U"abcdefg", 40, 5, std::nullopt},
        {"a break at the first character is no break", U" bcdefg", 40, 5, std::nullopt},
        {"same break twice", U"ab cdefgh", 40, 5, std::nullopt},
        {"not every character measured", U"ab cd", 50, 2, std::nullopt, 4},
        {"no font height", U"ab cd", 50, 2, std::nullopt, -1, 0},
    };
    for (const Case& c : cases) {
        const Mono m(c.text);
        const int fit = c.fitCount < 0 ? int(c.text.size()) : c.fitCount;
        EXPECT_EQ(fitsOK(m.at(c.width), c.maxLines, fit, c.fontHeight), c.lines) << c.why;
    }
}

TEST(LineBreaking, LongInputsEndWithoutReadingPastTheExtents) {
    // A text whose extents were cut short, and a CR with nothing after it.
    const Mono m(U"ab cd\r");
    const std::vector<int> few(m.extents.begin(), m.extents.begin() + 2);
    const MeasuredText cut{m.text, few, &m.breaks, 1000};
    EXPECT_NO_THROW(breakLines(cut, 3));
    EXPECT_NO_THROW(fitsOK(cut, 3, 6, 10));

    const Mono word(std::u32string(100'000, U'x'));
    EXPECT_EQ(breakLines(word.at(400), 30), (Lines{"x", ""}));
    EXPECT_EQ(fitsOK(word.at(400), 30, 100'000, 10), std::nullopt);
}
