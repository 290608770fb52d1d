#include "framework/DeviceContext.h"
#include "framework/FontCatalog.h"
#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "framework/TraceLog.h"
#include "support/TwipContext.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bw;
using namespace bw::gdi;

namespace {

LOGFONT arial(int height, int escapement = 0) {
    LOGFONT f;
    f.lfHeight = height;
    f.lfEscapement = f.lfOrientation = escapement;
    f.lfFaceName = "Arial";
    return f;
}

// Creates and selects a font for one scope, then selects the previous one back and deletes it.
class ScopedFont {
public:
    ScopedFont(HDC hdc, const LOGFONT& font)
        : hdc_(hdc), font_(CreateFontIndirect(font)), previous_(SelectObject(hdc, font_)) {}
    ~ScopedFont() {
        SelectObject(hdc_, previous_);
        DeleteObject(font_);
    }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;
    HFONT handle() const { return font_; }

private:
    HDC hdc_;
    HFONT font_;
    HGDIOBJ previous_;
};

struct Extents {
    int fit = -1;
    std::vector<int> partial;
    SIZE size;
    friend bool operator==(const Extents&, const Extents&) = default;
};

Extents measure(HDC hdc, std::string_view text, int maxExtent = -1) {
    Extents e;
    EXPECT_TRUE(GetTextExtentExPoint(hdc, text, maxExtent, &e.fit, &e.partial, &e.size));
    return e;
}

// Pixels of a window context: the bounding box of everything that is not white.
struct Ink {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN}; // right and bottom inclusive
    bool empty() const { return box.left > box.right; }
};

std::uint32_t pixel(HDC hdc, int x, int y) {
    cairo_surface_t* s = findDC(hdc)->surface();
    cairo_surface_flush(s);
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

Ink inkOf(HDC hdc) {
    cairo_surface_t* s = findDC(hdc)->surface();
    Ink ink;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x)
            if (pixel(hdc, x, y) != 0xFFFFFFu) {
                ink.box.left = std::min(ink.box.left, x);
                ink.box.top = std::min(ink.box.top, y);
                ink.box.right = std::max(ink.box.right, x);
                ink.box.bottom = std::max(ink.box.bottom, y);
            }
    return ink;
}

// First inked column of each run of inked columns in one row band.
std::vector<int> inkedColumnStarts(HDC hdc, int top, int bottom) {
    std::vector<int> starts;
    bool previous = false;
    for (int x = 0; x < cairo_image_surface_get_width(findDC(hdc)->surface()); ++x) {
        bool inked = false;
        for (int y = top; y < bottom && !inked; ++y) inked = (pixel(hdc, x, y) & 0xFF) < 128;
        if (inked && !previous) starts.push_back(x);
        previous = inked;
    }
    return starts;
}

const std::string sentence = "Ingredients: wheat flour, sugar, palm oil, whey powder (milk), "
                             "salt, raising agents, crème fraîche 12 %, µg, °C.";

} // namespace

TEST(GdiText, FacesResolveByNameAndSubstituteUnknownOnes) {
    const auto arialFace = FontCatalog::instance().resolve("Arial", false, false);
    ASSERT_TRUE(arialFace);
    EXPECT_EQ(arialFace->family(), "Liberation Sans");
    const auto boldItalic = FontCatalog::instance().resolve("arial", true, true);
    ASSERT_TRUE(boldItalic);
    EXPECT_EQ(boldItalic->family(), "Liberation Sans");
    EXPECT_EQ(boldItalic->style(), "Bold Italic");
    EXPECT_TRUE(FontCatalog::instance().resolve("No Such Face At All", false, false));
    EXPECT_TRUE(FontCatalog::instance().resolve("", false, false));

    // A face that does not exist, one too long for the record, one with bytes that are not
    // UTF-8: each still measures and draws.
    const HDC hdc = CreateTraceDC();
    for (std::string face : {std::string("No Such Face At All"), std::string(40, 'Q'),
                             std::string("Ari\xC3\x28l\xFF")}) {
        LOGFONT f = arial(240);
        f.lfFaceName = face;
        ScopedFont font(hdc, f);
        SIZE size;
        EXPECT_TRUE(GetTextExtentPoint32(hdc, "abc", &size)) << face;
        EXPECT_GT(size.cx, 0) << face;
        EXPECT_TRUE(TextOut(hdc, 0, 0, "abc")) << face;
    }
    DeleteDC(hdc);
}

TEST(GdiText, GetObjectReturnsTheRecordWithTheFaceNameTruncated) {
    LOGFONT f = arial(-333, 900);
    f.lfWeight = 700;
    f.lfItalic = f.lfUnderline = f.lfStrikeOut = true;
    f.lfCharSet = 2;
    const HFONT font = CreateFontIndirect(f);
    LOGFONT back;
    ASSERT_TRUE(GetObject(font, back));
    EXPECT_EQ(back, f);
    DeleteObject(font);
    EXPECT_FALSE(GetObject(font, back));

    struct Case {
        std::string face, stored;
    } cases[] = {
        {std::string(40, 'x'), std::string(31, 'x')},
        // 31 characters, not 31 bytes: a two-byte character is never cut in half
        {[] {
             std::string s;
             for (int i = 0; i < 40; ++i) s += "\xC3\xA9";
             return s;
         }(),
         [] {
             std::string s;
             for (int i = 0; i < 31; ++i) s += "\xC3\xA9";
             return s;
         }()},
        {std::string("Ari\xFF"), std::string("Ari\xEF\xBF\xBD")},
    };
    for (const Case& c : cases) {
        f.lfFaceName = c.face;
        const HFONT h = CreateFontIndirect(f);
        ASSERT_TRUE(GetObject(h, back));
        EXPECT_EQ(back.lfFaceName, c.stored);
        DeleteObject(h);
    }
}

TEST(GdiText, ExtentsAreTheFontUnitsScaledLinearly) {
    const HDC hdc = CreateTraceDC();
    {
        // At an em of 2048 units (Liberation Sans' units per em) extents are the advances:
        // W 1933, a 1139, i 455, space 569, the same as Arial's.
        ScopedFont font(hdc, arial(-2048));
        const Extents e = measure(hdc, "Wai ");
        EXPECT_EQ(e.partial, (std::vector<int>{1933, 3072, 3527, 4096}));
        EXPECT_EQ(e.size, (SIZE{4096, 2288})); // cell = win ascent 1854 + descent 434
    }
    {
        ScopedFont font(hdc, arial(2288)); // the same em asked for by its cell
        EXPECT_EQ(measure(hdc, "Wai ").size, (SIZE{4096, 2288}));
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(hdc, tm));
        EXPECT_EQ(tm.tmHeight, 2288);
        EXPECT_EQ(tm.tmAscent, 1854);
        EXPECT_EQ(tm.tmDescent, 434);
        EXPECT_EQ(tm.tmInternalLeading, 240);
    }
    for (int height : {97, 180, 240, 333}) {
        ScopedFont font(hdc, arial(height));
        const Extents e = measure(hdc, sentence);
        {
            ScopedFont twice(hdc, arial(2 * height));
            EXPECT_NEAR(measure(hdc, sentence).size.cx, 2 * e.size.cx, 1) << height;
        }
        ASSERT_EQ(e.partial.size(), 112u) << "characters, not bytes";
        EXPECT_EQ(e.size.cy, height);
        EXPECT_EQ(e.partial.back(), e.size.cx);
        EXPECT_TRUE(std::is_sorted(e.partial.begin(), e.partial.end()));
        // Each partial extent is the rounded extent of its prefix, not a sum of rounded
        // advances.
        std::size_t pos = 0;
        for (std::size_t i = 0; i < e.partial.size(); ++i) {
            do ++pos;
            while (pos < sentence.size() && (sentence[pos] & 0xC0) == 0x80);
            SIZE prefix;
            ASSERT_TRUE(GetTextExtentPoint32(hdc, sentence.substr(0, pos), &prefix));
            ASSERT_EQ(prefix.cx, e.partial[i]) << height << " at " << i;
        }
    }
    DeleteDC(hdc);
}

TEST(GdiText, EveryContextGivesTheSameIntegersInTwips) {
    // A 1440-dpi trace in its own units, printers at 600 and 203 dpi mapped to twips through
    // negative extents, a window in MM_TWIPS (y up).
    const HDC trace = CreateTraceDC(1440, 1440);
    const HDC window = CreateWindowDC(100, 100);
    SetMapMode(window, MM_TWIPS);
    const std::array<HDC, 4> contexts{trace, test::createTwipPrinterDC(600),
                                      test::createTwipPrinterDC(203), window};
    for (int height : {-200, 137, 240, 333, 1000}) {
        std::vector<Extents> results;
        std::vector<int> cells;
        for (HDC hdc : contexts) {
            ScopedFont font(hdc, arial(height));
            results.push_back(measure(hdc, sentence, 3000));
            TEXTMETRIC tm;
            ASSERT_TRUE(GetTextMetrics(hdc, tm));
            cells.push_back(tm.tmHeight);
        }
        for (std::size_t i = 1; i < results.size(); ++i) {
            EXPECT_EQ(results[i], results[0]) << "context " << i << " height " << height;
            EXPECT_EQ(cells[i], cells[0]) << "context " << i << " height " << height;
        }
    }
    {
        // Height 0 is 12 points on whatever context it is used on.
        ScopedFont font(contexts[1], arial(0));
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(contexts[1], tm));
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 240);
    }
    for (HDC hdc : contexts) DeleteDC(hdc);
}

TEST(GdiText, FitCountStopsAtTheFirstCharacterPastTheMaximum) {
    const HDC hdc = CreateTraceDC();
    ScopedFont font(hdc, arial(240));
    const Extents all = measure(hdc, sentence);
    const int k = 40;
    EXPECT_EQ(measure(hdc, sentence, all.partial[k]).fit, k + 1);
    EXPECT_EQ(measure(hdc, sentence, all.partial[k] - 1).fit, k);
    EXPECT_EQ(measure(hdc, sentence, 0).fit, 0);
    EXPECT_EQ(measure(hdc, sentence, -1).fit, 112);
    // Partial extents and the size always cover the whole run.
    EXPECT_EQ(measure(hdc, sentence, 0).partial, all.partial);
    EXPECT_EQ(measure(hdc, sentence, 0).size, all.size);

    // No 16-bit limit: a 200,000-twip maximum over a run several times as long.
    std::string longRun;
    while (longRun.size() < 8000) longRun += sentence;
    const Extents e = measure(hdc, longRun, 200000);
    ASSERT_GT(e.size.cx, 400000);
    ASSERT_GT(e.fit, 0);
    EXPECT_LE(e.partial[e.fit - 1], 200000);
    EXPECT_GT(e.partial[e.fit], 200000);
    DeleteDC(hdc);
}

TEST(GdiText, InvalidUtf8CountsEachBadByteAndEmptyRunsAreZero) {
    const HDC hdc = CreateTraceDC();
    ScopedFont font(hdc, arial(240));
    SIZE replacement;
    ASSERT_TRUE(GetTextExtentPoint32(hdc, "\xEF\xBF\xBD", &replacement)); // U+FFFD itself
    struct Case {
        std::string text;
        std::size_t characters;
    } cases[] = {
        {"", 0},
        {"\xC3\xA9", 1},         // é
        {"\xFF\xFE", 2},         // bytes that never start a character
        {"a\xE2\x82", 3},        // a truncated sequence: each byte on its own
        {"\xC0\xAF", 2},         // an overlong slash
        {"\xED\xA0\x80", 3},     // a surrogate
        {"\xF4\x90\x80\x80", 4}, // beyond U+10FFFF
        {"\xF0\x9F\x8D\x8E", 1}, // a character outside the flat cache
        {std::string("a\0b", 3), 3},
    };
    for (const Case& c : cases) {
        const Extents e = measure(hdc, c.text, 100);
        EXPECT_EQ(e.partial.size(), c.characters) << c.text;
        EXPECT_EQ(e.size.cy, 240) << c.text;
        if (c.characters == 0) {
            EXPECT_EQ(e.size.cx, 0);
        }
        EXPECT_TRUE(TextOut(hdc, 0, 0, c.text));
    }
    SIZE bad;
    ASSERT_TRUE(GetTextExtentPoint32(hdc, "\xFF", &bad));
    EXPECT_EQ(bad, replacement);
    DeleteDC(hdc);
}

TEST(GdiText, UnknownHandlesFailAndBadValuesAreRejected) {
    const HDC bogus = 0x7777777;
    SIZE size;
    TEXTMETRIC tm;
    int fit = 0;
    EXPECT_FALSE(GetTextExtentPoint32(bogus, "a", &size));
    EXPECT_FALSE(GetTextExtentPoint(bogus, "a", &size));
    EXPECT_FALSE(GetTextExtentExPoint(bogus, "a", 10, &fit, nullptr, &size));
    EXPECT_FALSE(GetTextMetrics(bogus, tm));
    EXPECT_FALSE(TextOut(bogus, 0, 0, "a"));
    EXPECT_FALSE(SetTextJustification(bogus, 1, 1));
    EXPECT_EQ(SetTextAlign(bogus, TA_BOTTOM), GDI_ERROR);
    EXPECT_EQ(SetTextColor(bogus, 0), GDI_ERROR);
    EXPECT_EQ(SetBkColor(bogus, 0), GDI_ERROR);
    EXPECT_EQ(SetBkMode(bogus, TRANSPARENT), 0);
    // A font handle is not a context.
    const HFONT font = CreateFontIndirect(arial(240));
    EXPECT_FALSE(TextOut(font, 0, 0, "a"));
    DeleteObject(font);

    const HDC hdc = CreateTraceDC();
    EXPECT_EQ(SetBkMode(hdc, 7), 0);
    EXPECT_EQ(GetBkMode(hdc), OPAQUE);
    EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(hdc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3));
    EXPECT_EQ(SetTextAlign(hdc, TA_BOTTOM | TA_RIGHT), TA_TOP | TA_LEFT);
    EXPECT_EQ(GetTextAlign(hdc), TA_BOTTOM | TA_RIGHT);
    // Heights no page has: measured without overflow, drawn as nothing.
    for (int height : {INT_MIN, INT_MAX, -1, 1}) {
        ScopedFont huge(hdc, arial(height));
        EXPECT_TRUE(GetTextExtentPoint32(hdc, sentence, &size)) << height;
        EXPECT_GE(size.cx, 0) << height;
        EXPECT_TRUE(TextOut(hdc, INT_MAX, INT_MIN, sentence)) << height;
    }
    DeleteDC(hdc);
}

TEST(GdiText, TraceLogsTextWithItsFontAndTheStateCalls) {
    const HDC hdc = CreateTraceDC();
    LOGFONT f = arial(240, 900);
    f.lfWeight = 700;
    ScopedFont font(hdc, f);
    SetTextAlign(hdc, TA_BOTTOM);
    SetTextJustification(hdc, 30, 2);
    SetTextColor(hdc, RGB(255, 0, 0));
    SetBkMode(hdc, TRANSPARENT);
    GetTrace(hdc)->clear();
    TextOut(hdc, 100, -200, "a|b c");
    SetTextJustification(hdc, 0, 0);
    const auto& calls = GetTrace(hdc)->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "TextOut");
    EXPECT_EQ(calls[0].args, (std::vector<double>{100, -200}));
    EXPECT_EQ(calls[0].text, "a|b c|Liberation Sans h=240 esc=900 w=700 i=0 u=0 s=0");
    EXPECT_EQ(calls[1].toString(), "SetTextJustification(0,0)");
    DeleteDC(hdc);
}

// The cell's top-left lands on the reference point in every escapement and every mapping:
// the ink lies in the cell turned about that point, and its baseline edge is where the
// ascent puts it. Glyphs stay upright on the page when the mapping flips an axis.
TEST(GdiText, CellTopLeftIsTheReferencePointInEveryEscapement) {
    struct Mapping {
        const char* name;
        int mode;
        SIZE window, viewport;
        int height; // 40 pixels in logical units
    } mappings[] = {
        {"pixels", MM_TEXT, {1, 1}, {1, 1}, 40},
        {"twips, y up", MM_TWIPS, {1, 1}, {1, 1}, 600},
        {"both axes flipped", MM_ANISOTROPIC, {1440, 1440}, {-96, -96}, 600},
    };
    for (const Mapping& m : mappings) {
        for (int escapement : {0, 900, 1800, 2700}) {
            const HDC hdc = CreateWindowDC(300, 300);
            SetMapMode(hdc, m.mode);
            if (m.mode == MM_ANISOTROPIC) {
                SetWindowExtEx(hdc, m.window.cx, m.window.cy);
                SetViewportExtEx(hdc, m.viewport.cx, m.viewport.cy);
            }
            // The logical point that lands on device pixel (150, 150).
            std::array<POINT, 1> p{POINT{150, 150}};
            DPtoLP(hdc, p);
            ScopedFont font(hdc, arial(m.height, escapement));
            SetBkMode(hdc, TRANSPARENT);
            ASSERT_TRUE(TextOut(hdc, p[0].x, p[0].y, "HHHH"));
            const Ink ink = inkOf(hdc);
            ASSERT_FALSE(ink.empty()) << m.name << " " << escapement;

            const int cell = 40, ascent = 32, length = 4 * 26; // 4 × 1479 units at em 35.8
            RECT expected{}; // the turned cell, right and bottom inclusive
            int baselineEdge = 0, actualEdge = 0;
            switch (escapement) {
            case 0:
                expected = {150, 150, 150 + length, 150 + cell};
                baselineEdge = 150 + ascent, actualEdge = ink.box.bottom + 1;
                break;
            case 900:
                expected = {150, 150 - length, 150 + cell, 150};
                baselineEdge = 150 + ascent, actualEdge = ink.box.right + 1;
                break;
            case 1800:
                expected = {150 - length, 150 - cell, 150, 150};
                baselineEdge = 150 - ascent, actualEdge = ink.box.top;
                break;
            default:
                expected = {150 - cell, 150, 150, 150 + length};
                baselineEdge = 150 - ascent, actualEdge = ink.box.left;
                break;
            }
            const auto where = std::string(m.name) + " " + std::to_string(escapement);
            EXPECT_GE(ink.box.left, expected.left - 1) << where;
            EXPECT_GE(ink.box.top, expected.top - 1) << where;
            EXPECT_LE(ink.box.right, expected.right + 1) << where;
            EXPECT_LE(ink.box.bottom, expected.bottom + 1) << where;
            EXPECT_NEAR(actualEdge, baselineEdge, 1) << where;
            DeleteDC(hdc);
        }
    }
}

TEST(GdiText, AlignmentMovesTheCellAroundTheReferencePoint) {
    struct Case {
        unsigned align;
        int baseline; // where the baseline lands relative to y
        int left;     // where the run starts relative to x
    } cases[] = {
        {TA_TOP | TA_LEFT, 32, 0},    {TA_BASELINE | TA_LEFT, 0, 0},
        {TA_BOTTOM | TA_LEFT, -8, 0}, {TA_TOP | TA_RIGHT, 32, -1}, // -1: minus the run's extent
        {TA_TOP | TA_CENTER, 32, -2},                              // -2: minus half of it
    };
    for (const Case& c : cases) {
        const HDC hdc = CreateWindowDC(300, 200);
        ScopedFont font(hdc, arial(40));
        SIZE size;
        GetTextExtentPoint32(hdc, "HH", &size);
        SetTextAlign(hdc, c.align);
        SetBkColor(hdc, RGB(255, 0, 0)); // the opaque cell shows where the text went
        TextOut(hdc, 150, 100, "HH");
        const int left = c.left == -1 ? 150 - size.cx : c.left == -2 ? 150 - size.cx / 2 : 150;
        const int top = 100 + c.baseline - 32;
        const Ink ink = inkOf(hdc);
        EXPECT_EQ(ink.box, (RECT{left, top, left + size.cx - 1, top + 40 - 1})) << c.align;
        DeleteDC(hdc);
    }
}

TEST(GdiText, OpaqueModeFillsTheCellAndTransparentLeavesIt) {
    const HDC hdc = CreateWindowDC(200, 100);
    ScopedFont font(hdc, arial(40));
    SIZE size;
    GetTextExtentPoint32(hdc, "  ", &size); // spaces: only the background shows
    SetBkColor(hdc, RGB(0, 0, 255));
    TextOut(hdc, 10, 20, "  ");
    EXPECT_EQ(inkOf(hdc).box, (RECT{10, 20, 10 + size.cx - 1, 20 + 40 - 1}));
    EXPECT_EQ(pixel(hdc, 10, 20), 0x0000FFu); // cairo's ARGB: blue in the low byte

    const HDC clear = CreateWindowDC(200, 100);
    ScopedFont font2(clear, arial(40));
    SetBkMode(clear, TRANSPARENT);
    TextOut(clear, 10, 20, "  ");
    EXPECT_TRUE(inkOf(clear).empty());
    DeleteDC(hdc);
    DeleteDC(clear);
}

TEST(GdiText, UnderlineAndStrikeOutRunAlongTheBaseline) {
    struct Case {
        bool underline;
        int top, bottom; // rows the line may take, relative to the baseline
    } cases[] = {{true, 1, 8}, {false, -16, -1}};
    for (const Case& c : cases) {
        const HDC hdc = CreateWindowDC(200, 100);
        LOGFONT f = arial(40);
        (c.underline ? f.lfUnderline : f.lfStrikeOut) = true;
        ScopedFont font(hdc, f);
        SetBkMode(hdc, TRANSPARENT);
        SIZE size;
        GetTextExtentPoint32(hdc, "    ", &size);
        TextOut(hdc, 10, 20, "    ");
        const Ink ink = inkOf(hdc);
        const int baseline = 20 + 32;
        EXPECT_EQ(ink.box.left, 10);
        EXPECT_EQ(ink.box.right, 10 + size.cx - 1);
        EXPECT_GE(ink.box.top, baseline + c.top) << c.underline;
        EXPECT_LE(ink.box.bottom, baseline + c.bottom) << c.underline;
        DeleteDC(hdc);
    }
}

TEST(GdiText, JustificationSpreadsExtraOverTheBreaksUntilReset) {
    const HDC hdc = CreateWindowDC(400, 100);
    ScopedFont font(hdc, arial(40));
    SetBkMode(hdc, TRANSPARENT);
    const std::string text = "l l l";
    const auto draw = [&] {
        ResizeWindowDC(hdc, 400, 100);
        TextOut(hdc, 10, 10, text);
        return inkedColumnStarts(hdc, 10, 50);
    };
    const std::vector<int> plain = draw();
    ASSERT_EQ(plain.size(), 3u);
    SIZE before, after;
    GetTextExtentPoint32(hdc, text, &before);

    // 5 over 2 breaks: 3 after the first, 2 after the second.
    SetTextJustification(hdc, 5, 2);
    GetTextExtentPoint32(hdc, text, &after);
    EXPECT_EQ(after, before); // measuring ignores it
    const std::vector<int> spread = draw();
    EXPECT_EQ(spread, (std::vector<int>{plain[0], plain[1] + 3, plain[2] + 5}));
    EXPECT_EQ(draw(), spread); // still in force for the next output
    SetTextJustification(hdc, -4, 2);
    EXPECT_EQ(draw(), (std::vector<int>{plain[0], plain[1] - 2, plain[2] - 4}));
    SetTextJustification(hdc, 0, 0);
    EXPECT_EQ(draw(), plain);
    DeleteDC(hdc);
}

TEST(GdiText, UpdateCpDrawsAtAndAdvancesTheCurrentPosition) {
    const HDC hdc = CreateTraceDC();
    ScopedFont font(hdc, arial(240));
    SIZE abc;
    GetTextExtentPoint32(hdc, "abc", &abc);
    SetTextAlign(hdc, TA_UPDATECP);
    MoveToEx(hdc, 100, 50);
    TextOut(hdc, 9999, 9999, "abc");
    POINT cp;
    MoveToEx(hdc, 0, 0, &cp);
    EXPECT_EQ(cp, (POINT{100 + abc.cx, 50}));

    SetTextAlign(hdc, TA_UPDATECP | TA_RIGHT);
    MoveToEx(hdc, 1000, 50);
    TextOut(hdc, 0, 0, "abc");
    MoveToEx(hdc, 0, 0, &cp);
    EXPECT_EQ(cp, (POINT{1000 - abc.cx, 50}));
    DeleteDC(hdc);
}
