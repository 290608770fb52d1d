#include "barcodes/ItfSymbolLayout.h"

#include "framework/ElementEnums.h"
#include "framework/Rounding.h"

#include <algorithm>

namespace bw {

namespace {

bool alongX(std::int16_t orientation) {
    return orientation != orientations::down && orientation != orientations::Up;
}

bool mirrored(std::int16_t orientation) {
    return orientation == orientations::UpSideDown || orientation == orientations::Up;
}

} // namespace

int ItfSymbolLayout::unitCount(int digits) {
    return roundToInt(1.2 * (16.0 * digits + 17));
}

ItfWidths ItfSymbolLayout::widths(double unit, int digits) {
    ItfWidths w;
    w.wide = roundToInt(5 * unit);
    w.narrow = roundToInt(2 * unit);
    w.bearer = 2 * w.narrow;
    w.data = (3 * w.narrow + 2 * w.wide) * digits;
    w.symbol = w.data + 6 * w.narrow + w.wide;
    w.quiet = roundToInt(0.1 * w.symbol);
    w.total = w.symbol + 2 * w.quiet;
    return w;
}

BoxPlace ItfSymbolLayout::textBox(std::int16_t orientation, double width, double height,
                                  const ItfWidths& w) {
    const double start = w.quiet + 4.0 * w.narrow; // quiet zone and start pattern
    BoxPlace b;
    if (alongX(orientation)) {
        b.width = w.data;
        b.height = std::max(1.0, roundHalfEven(height / 5 - 1));
    } else {
        b.width = std::max(1.0, roundHalfEven(width / 5 - 1));
        b.height = w.data;
    }
    switch (orientation) {
    case orientations::down:
        b.left = 0;
        b.top = start;
        break;
    case orientations::UpSideDown:
        b.left = width - start - b.width;
        b.top = 0;
        break;
    case orientations::Up:
        b.left = width - b.width;
        b.top = height - start - b.height;
        break;
    default: // Normal
        b.left = start;
        b.top = height - b.height;
        break;
    }
    return b;
}

std::vector<RECT> ItfSymbolLayout::bars(std::span<const std::uint8_t> flags,
                                        std::int16_t orientation, int width, int height,
                                        const ItfWidths& w, int boxHeight, int boxWidth) {
    std::vector<RECT> out;
    if (w.narrow <= 0) return out;
    const bool x = alongX(orientation);
    const int length = x ? width : height;
    const int side = x ? height : width;
    const int box = x ? boxHeight : boxWidth;
    // Across the axis, from the edge away from the digits: bearer, bars, bearer, digits.
    // The digits lie at the far side for Normal and Up, at the near side for down and
    // UpSideDown.
    const bool digitsFar =
        orientation != orientations::down && orientation != orientations::UpSideDown;
    const int first = digitsFar ? 0 : box;
    const int last = digitsFar ? side - box : side;
    const auto place = [&](int from, int to, int acrossFrom, int acrossTo) {
        if (mirrored(orientation)) {
            const int f = length - to;
            to = length - from;
            from = f;
        }
        out.push_back(x ? RECT{from, acrossFrom, to, acrossTo}
                        : RECT{acrossFrom, from, acrossTo, to});
    };
    place(0, w.total, first, first + w.bearer);
    place(0, w.total, last - w.bearer, last);
    int p = w.quiet;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const int size = flags[i] ? w.wide : w.narrow;
        if (i % 2 == 0) place(p, p + size, first + w.bearer, last - w.bearer);
        p += size;
    }
    return out;
}

} // namespace bw
