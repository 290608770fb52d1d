#include "barcodes/Code128Layout.h"

#include "barcodes/DotPitch.h"
#include "framework/Orientation.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <limits>

namespace bw {

namespace {

std::int32_t modulesOf(std::size_t symbolValues) {
    const std::size_t n = 11 * (symbolValues + 2) + 13;
    return static_cast<std::int32_t>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

} // namespace

Code128Layout Code128Layout::compute(const Input& in) {
    Code128Layout l;
    l.modules = modulesOf(in.symbolValues);
    const double W = in.areaWidth;
    const double H = in.areaHeight;
    const bool across = !Orientation(in.orientation).swapsAxes();
    // The bars run across the symbol's axis; the box takes a fifth of the other one.
    const std::int32_t printLength = across ? in.printWidth : in.printHeight;
    const double pitch = across ? in.twipsPerDotX : in.twipsPerDotY;
    const double areaLength = across ? W : H;
    l.moduleDots = DotPitch::unitDots(printLength, pitch, l.modules);
    l.moduleWidth = DotPitch::unitWidth(printLength, pitch, l.modules, areaLength);
    const double m = l.moduleWidth;
    const double depth = std::max(1.0, roundHalfEven((across ? H : W) / 5 - 1));
    const double length = roundHalfEven(l.modules * m) - 22 * m;
    l.boxWidth = across ? length : depth;
    l.boxHeight = across ? depth : length;
    l.quietZone = roundHalfEven(11 * m);

    const double q = l.quietZone;
    const double tx = in.screenTwipsX;
    const double ty = in.screenTwipsY;
    switch (in.orientation) {
    case orientations::down:
        l.boxLeft = tx;
        l.boxTop = q;
        break;
    case orientations::UpSideDown:
        l.boxLeft = W - q - l.boxWidth;
        l.boxTop = ty;
        break;
    case orientations::Up:
        l.boxLeft = W - l.boxWidth - tx;
        l.boxTop = H - q - l.boxHeight;
        break;
    default:
        l.boxLeft = q;
        l.boxTop = H - l.boxHeight - ty;
        break;
    }
    l.boxPLeft = roundToInt(l.boxLeft);
    l.boxPTop = roundToInt(l.boxTop);
    if (in.freeForm) l.boxLeft = l.boxTop = l.boxWidth = l.boxHeight = 0;
    l.boxPWidth = roundToInt(l.boxWidth);
    l.boxPHeight = roundToInt(l.boxHeight);
    return l;
}

} // namespace bw
