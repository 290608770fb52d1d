#pragma once
// Draws laid-out AutoText lines in one of the four straight orientations: the block of lines
// placed by LineSpacing, each line placed by Justification, "^" markers switching between the
// fitted font and its emphasis. Fonts, colours, background mode and window origin are the
// context's own again on every path out.

#include "framework/GdiTypes.h"
#include "framework/HostServices.h"
#include "text/AutoTextTypes.h"

#include <functional>
#include <string_view>

namespace bw {

class StraightTextPainter {
public:
    StraightTextPainter(HostServices& host, HDC hdc, const AutoTextSettings& settings,
                        const TextLayout& layout)
        : host_(host), hdc_(hdc), settings_(settings), layout_(layout) {}

    // `drawFrame` draws the frame and background and answers the content's inset.
    void paint(const std::function<int()>& drawFrame);

private:
    // Start of a line of width `lineWidth` along the text.
    double lineOffset(int lineWidth) const;
    void printLines();
    // A line of width `spreadWidth` is stretched when the text is justified.
    static constexpr int noSpread = -1;
    void printLine(std::string_view line, double x, double y, int spreadWidth);
    void printMarkedLine(std::string_view line, double x, double y);
    int widthOf(std::string_view text) const;

    HostServices& host_;
    HDC hdc_;
    const AutoTextSettings& settings_;
    const TextLayout& layout_;
    HFONT normal_ = 0;
    HFONT emphasis_ = 0;
    bool emphasised_ = false; // markers toggle the font across lines, as the author wrote them
};

} // namespace bw
