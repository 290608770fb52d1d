#include "barcodes/DotPitch.h"

#include "framework/Gdi.h"
#include "framework/Rounding.h"

#include <cmath>

namespace bw {

namespace {

double ratio(int window, int viewport) {
    if (window == 0 || viewport == 0) return 1;
    return std::abs(static_cast<double>(window) / viewport);
}

} // namespace

DotPitch DotPitch::of(HDC hdc) {
    SIZE window{};
    SIZE viewport{};
    if (!gdi::GetWindowExtEx(hdc, &window) || !gdi::GetViewportExtEx(hdc, &viewport)) return {};
    return DotPitch{ratio(window.cx, viewport.cx), ratio(window.cy, viewport.cy)};
}

int DotPitch::unitDots(std::int32_t printLength, double pitch, int units) {
    if (printLength <= 0 || !(pitch > 0) || units <= 0) return 0;
    const int dots = roundToInt(printLength / pitch);
    return dots > 0 ? dots / units : 0;
}

double DotPitch::unitWidth(std::int32_t printLength, double pitch, int units, double areaLength) {
    const int dots = unitDots(printLength, pitch, units);
    if (dots == 0) return 0;
    return dots * pitch / printLength * areaLength;
}

} // namespace bw
