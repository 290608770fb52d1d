#include "framework/ElementFrame.h"

namespace bw {

LOGPEN ElementFrame::pen() const {
    if (focused) return {selected ? PS_DASHDOT : PS_DOT, 1, textColor};
    if (selected) return {PS_DASH, 1, textColor};
    if (borderStyle == BorderStyles::bsSingleline) return {PS_INSIDEFRAME, borderWidth, textColor};
    return {PS_INSIDEFRAME, 1, backColor};
}

int ElementFrame::inset() const {
    return borderStyle == BorderStyles::bsSingleline ? 2 * borderWidth : 0;
}

} // namespace bw
