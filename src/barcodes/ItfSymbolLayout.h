#pragma once
// Where the parts of an ITF-14 symbol go in an element's area: how many width units the
// element spans, the narrow and wide widths, the quiet zones and bearer bars, the box of
// readable digits and the bars. Plain arithmetic in the units of the caller's drawing (twips
// of the area for the box, device pixels for the bars).
//
// A digit takes 16 units (three narrow elements of 2, two wide of 5), start and stop 17, and
// the two quiet zones 20 % more. Along the symbol axis: quiet zone, start, data, stop, quiet
// zone; across it: bearer bar, bars, bearer bar, then the readable digits.

#include "barcodes/EanSymbolLayout.h"
#include "framework/GdiTypes.h"

#include <cstdint>
#include <span>
#include <vector>

namespace bw {

struct ItfWidths {
    int narrow = 0; // 2 units
    int wide = 0;   // 5 units
    int bearer = 0; // 2 narrow
    int data = 0;   // the data part: 3 narrow + 2 wide per digit
    int symbol = 0; // start, data and stop
    int quiet = 0;  // one quiet zone: a tenth of the symbol
    int total = 0;  // symbol and both quiet zones
};

class ItfSymbolLayout {
public:
    // nearest(1.2 × (16 digits + 17)).
    static int unitCount(int digits);
    // The widths for a unit `unit` long (whole dots when printing).
    static ItfWidths widths(double unit, int digits);

    // The box of the readable digits, under the data part beyond the second bearer bar.
    static BoxPlace textBox(std::int16_t orientation, double width, double height,
                            const ItfWidths& w);

    // The two bearer bars, then the bars of `flags` (bar first, 1 = wide), in an area `width`
    // × `height` pixels whose readable digits take `boxHeight` (Normal, UpSideDown) or
    // `boxWidth` (down, Up) pixels. Bars and spaces tile the axis exactly.
    static std::vector<RECT> bars(std::span<const std::uint8_t> flags, std::int16_t orientation,
                                  int width, int height, const ItfWidths& w, int boxHeight,
                                  int boxWidth);
};

} // namespace bw
