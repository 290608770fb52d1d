#pragma once
// Where the parts of an EAN-13, EAN-8 or UPC-A symbol go in an element's area: how many
// modules the element spans, the four boxes of human-readable digits around the bars, and the
// bars. Plain arithmetic in the units of the caller's drawing (twips of the area for the
// boxes, device pixels for the bars), so it is exercised without an element.
//
// Along the symbol the element spans 8 modules before the symbol, the symbol (95 or 67
// modules) and 6 after it; module i is centred 8 + i modules from the start edge. The bars run
// to 0.9 of the area across the symbol; the digit boxes cover them from about 0.8 on, except
// the guard bars.

#include "barcodes/CodeTypes.h"
#include "framework/GdiTypes.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace bw {

struct BoxPlace {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class EanSymbolLayout {
public:
    // 109 for EAN-13 and UPC-A, 81 for EAN-8, 0 for the types EANCode does not draw.
    static int moduleCount(CodeTypes type);

    // The boxes of the left-half digits, the right-half digits, the digit left of the symbol
    // and the one right of it, for modules `m` wide in an area `width` × `height`; `tx`, `ty`
    // the screen's twips per pixel. For EAN-8 the fourth box is placed as for EAN-13 (it is
    // not shown).
    static std::array<BoxPlace, 4> digitBoxes(CodeTypes type, std::int16_t orientation,
                                              double width, double height, double m, int tx,
                                              int ty);

    // The bars of `modules` (95 or 67, 1 = bar) in an area `width` × `height` pixels with
    // modules `m` pixels wide, each run of bars as one rectangle. A bar is at least one pixel;
    // none at all when m is 0 (the element is narrower than the symbol's dots).
    static std::vector<RECT> bars(std::span<const std::uint8_t> modules, std::int16_t orientation,
                                  int width, int height, double m);
};

} // namespace bw
