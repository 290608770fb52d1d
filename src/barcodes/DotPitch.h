#pragma once
// How many twips one device dot spans on a context, across and down, and the widest unit of
// whole dots that fits a number of units into a length. Barcode modules are whole dots so that
// every bar and space of one width has exactly the same number of dots.

#include "framework/GdiTypes.h"

#include <cstdint>

namespace bw {

struct DotPitch {
    double x = 1; // twips per dot across
    double y = 1; // twips per dot down

    // From the context's mapping, where one logical unit is one twip: window extent over
    // viewport extent. A context whose mapping cannot be read counts one twip as one dot.
    static DotPitch of(HDC hdc);

    // Whole dots per unit when `units` units must fit `printLength` twips:
    // floor(nearest(printLength / pitch) / units); 0 when they do not fit.
    static int unitDots(std::int32_t printLength, double pitch, int units);

    // That unit in the units of an area `areaLength` long that shows `printLength` twips (the
    // print length itself while printing, the control's size in the designer).
    static double unitWidth(std::int32_t printLength, double pitch, int units, double areaLength);
};

} // namespace bw
