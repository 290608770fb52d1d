#pragma once
// The settings an AutoText lays out and draws its straight text with, and the layout state that
// passes from the layout to the drawing. Plain values, so the layout and the drawing can be
// exercised on any context without an element around them.

#include "framework/ElementEnums.h"
#include "framework/FontDesc.h"
#include "framework/GdiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bw {

struct AutoTextSettings {
    FontDesc font;
    std::string lineBreakChars = " ";
    std::string clearZone = "0";
    int fontMinimum = 1;                             // twips
    int fontMaximum = 8640;                          // twips
    std::int16_t orientation = orientations::Normal; // ExtendedOrientations
    std::int16_t justification = justifications::JLeft;
    std::int16_t lineSpacing = linespacings::LCentred;
    bool singleLine = false;
    bool useBestFit = false;
    bool bordered = true; // BorderStyle bsSingleline
    int borderWidth = 15; // twips
    COLORREF textColor = 0;
    bool marked = false;    // the text holds "^" markers
    bool underline = false; // marked segments are underlined
};

struct TextLayout {
    int availableWidth = 0; // the area less the border
    int availableHeight = 0;
    int layoutWidth = 0;  // along the text
    int layoutHeight = 0; // across the lines
    int clearZone = 0;
    int maxLines = 0;
    LOGFONT font;         // the fitted font's description
    int fittedHeight = 0; // twips
    // Never empty. A layout cut short ends with one empty entry.
    std::vector<std::string> lines{std::string()};
};

} // namespace bw
