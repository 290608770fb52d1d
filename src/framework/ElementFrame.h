#pragma once
// The frame an element draws around its area, as a value: the pen follows the focus and the
// designer's selection, the inset follows the border. With neither focus nor selection the
// frame is the border itself: inside-frame, so a wide border stays within the area.
//
//   focus  selected   pen
//   yes    yes        dash-dot, 1, TextColor
//   yes    no         dotted, 1, TextColor
//   no     yes        dashed, 1, TextColor
//   no     no         inside-frame: bsSingleline border width in TextColor, bsNone 1 in BackColor

#include "framework/ElementEnums.h"
#include "framework/GdiTypes.h"

#include <cstdint>

namespace bw {

struct ElementFrame {
    static constexpr int normalBorderWidth = 15; // twips
    static constexpr int boldBorderWidth = 20;

    bool focused = false; // the control has the focus, or the caller forces it
    bool selected = false;
    std::int16_t borderStyle = BorderStyles::bsSingleline;
    int borderWidth = normalBorderWidth;
    COLORREF textColor = 0;
    COLORREF backColor = RGB(255, 255, 255);

    // A bold font draws a heavier border.
    static constexpr int borderWidthFor(bool bold) {
        return bold ? boldBorderWidth : normalBorderWidth;
    }
    LOGPEN pen() const;
    // How far the content keeps off the area's edges.
    int inset() const;
};

} // namespace bw
