#include "barcodes/EanSymbolLayout.h"

#include "framework/ElementEnums.h"
#include "framework/Rounding.h"

#include <algorithm>

namespace bw {

namespace {

double nearest(double v) {
    return roundHalfEven(v);
}

bool isEan8(CodeTypes type) {
    return type == CodeTypes::ctEAN8;
}

// An interval along one axis, [from, to).
struct Span {
    int from;
    int to;
};

// Module i of the symbol is centred here: the 8-module lead is one shift of the whole symbol
// (EAN-13, UPC-A), or one module plus the module's place counted from 7 (EAN-8).
int moduleCentre(std::size_t i, bool ean8, double m) {
    if (ean8) return roundToInt(nearest(m) + nearest((static_cast<double>(i) + 7) * m));
    return roundToInt(nearest(8 * m) + nearest(static_cast<double>(i) * m));
}

RECT across(Span along, Span over, bool alongX) {
    return alongX ? RECT{along.from, over.from, along.to, over.to}
                  : RECT{over.from, along.from, over.to, along.to};
}

} // namespace

int EanSymbolLayout::moduleCount(CodeTypes type) {
    switch (type) {
    case CodeTypes::ctEAN13:
    case CodeTypes::ctUPCA:
        return 109;
    case CodeTypes::ctEAN8:
        return 81;
    default:
        return 0;
    }
}

std::array<BoxPlace, 4> EanSymbolLayout::digitBoxes(CodeTypes type, std::int16_t orientation,
                                                    double width, double height, double m, int tx,
                                                    int ty) {
    const bool ean8 = isEan8(type);
    const double half = (ean8 ? 28 : 42) * m; // a half's digits along the symbol
    const double single = 6 * m;
    std::array<BoxPlace, 4> b;
    const bool upright = orientation != orientations::down && orientation != orientations::Up;
    if (upright) {
        const double h = std::max(1.0, nearest(height / 5 - 1));
        b[0] = b[1] = {0, 0, half, h};
        b[2] = b[3] = {0, 0, single, h};
    } else {
        const double w = std::max(1.0, nearest(width / 5 - 1));
        b[0] = b[1] = {0, 0, w, half};
        b[2] = b[3] = {0, 0, w, single};
    }
    const double W = width, H = height;
    switch (orientation) {
    // The trailing digit's box would end 111 modules from the start edge, beyond the 109 the
    // element spans when few dots are left over; it keeps inside the area, still clear of the
    // symbol (which ends at 102.5 modules).
    case orientations::down:
        for (BoxPlace& p : b) p.left = tx;
        b[0].top = 11 * m;
        b[1].top = (ean8 ? 43 : 57) * m;
        b[2].top = ty;
        b[3].top = std::min(105 * m, H - single);
        break;
    case orientations::UpSideDown:
        for (BoxPlace& p : b) p.top = ty;
        b[0].left = W - (ean8 ? 39 : 53) * m;
        b[1].left = W - (ean8 ? 71 : 99) * m;
        b[2].left = W - 7 * m - tx;
        b[3].left = std::max(W - 110 * m, 0.0);
        break;
    case orientations::Up:
        for (BoxPlace& p : b) p.left = W - b[0].width - tx;
        b[0].top = H - (ean8 ? 39 : 53) * m;
        b[1].top = H - (ean8 ? 71 : 99) * m;
        b[2].top = ean8 ? H - 7 * m - tx : H - b[2].height - tx;
        b[3].top = std::max(H - 110 * m, 0.0);
        break;
    default: // Normal
        for (BoxPlace& p : b) p.top = H - b[0].height - ty;
        b[0].left = 11 * m;
        b[1].left = (ean8 ? 43 : 57) * m;
        b[2].left = ean8 ? 1 : tx;
        b[3].left = std::min(105 * m, W - single);
        break;
    }
    return b;
}

std::vector<RECT> EanSymbolLayout::bars(std::span<const std::uint8_t> modules,
                                        std::int16_t orientation, int width, int height, double m) {
    std::vector<RECT> out;
    if (!(m > 0)) return out;
    const bool ean8 = modules.size() < 95;
    const int w = std::max(1, roundToInt(m));
    const int before = w / 2; // pixels of a bar before its centre line
    const bool alongX = orientation != orientations::down && orientation != orientations::Up;
    const int length = alongX ? width : height;
    const int side = alongX ? height : width;
    // Across the symbol the bars run from the edge beyond the symbol's top to 0.9 of the side:
    // from 0 (Normal, Up) or from 0.1 (down, UpSideDown) to the far edge.
    const bool fromStart = orientation == orientations::Normal || orientation == orientations::Up ||
                           orientation < 0 || orientation > orientations::Up;
    const Span over =
        fromStart ? Span{0, roundToInt(0.9 * side)} : Span{roundToInt(0.1 * side), side};
    // Mirrored orientations count modules from the far edge.
    const bool mirrored =
        orientation == orientations::UpSideDown || orientation == orientations::Up;
    for (std::size_t i = 0; i < modules.size();) {
        if (!modules[i]) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < modules.size() && modules[last + 1]) ++last;
        Span along{moduleCentre(i, ean8, m) - before, moduleCentre(last, ean8, m) - before + w};
        if (mirrored) along = {length - along.to, length - along.from};
        out.push_back(across(along, over, alongX));
        i = last + 1;
    }
    return out;
}

} // namespace bw
