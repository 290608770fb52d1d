#pragma once
// Where a Code 128 symbol and its human-readable box go in an element's area. The symbol spans
// N = 11 (k + 2) + 13 modules for k symbol values: its own 11k + 13 and a quiet zone of 11 on
// each side. A module is a whole number of printer dots, so every bar and space of one width
// has the same number of dots; the dots left over go to the far side. The box spans the symbol
// between the quiet zones and takes the last fifth of the area across the bars. Arithmetic only.

#include "framework/ElementEnums.h"

#include <cstddef>
#include <cstdint>

namespace bw {

struct Code128Layout {
    struct Input {
        double areaWidth = 0; // W: the area laid out, in the units of the drawing
        double areaHeight = 0;
        std::int32_t printWidth = 0; // PWidth, PHeight: twips
        std::int32_t printHeight = 0;
        double twipsPerDotX = 1; // of the printer whose dots the modules are made of
        double twipsPerDotY = 1;
        std::int16_t orientation = orientations::Normal;
        std::size_t symbolValues = 0; // k: start, data and check characters
        int screenTwipsX = 15; // the screen's twips per pixel: the box keeps one off the edge
        int screenTwipsY = 15;
        bool freeForm = false; // free-form Code 128 shows no human-readable line
    };

    std::int32_t modules = 0; // N
    std::int32_t moduleDots = 0;
    double moduleWidth = 0; // m, in the units of the drawing
    double quietZone = 0;   // q = nearest(11 m)
    // The box's control rectangle (all zero for free-form).
    double boxLeft = 0;
    double boxTop = 0;
    double boxWidth = 0;
    double boxHeight = 0;
    // Its print geometry in whole twips; free-form keeps the position it would have had.
    std::int32_t boxPLeft = 0;
    std::int32_t boxPTop = 0;
    std::int32_t boxPWidth = 0;
    std::int32_t boxPHeight = 0;

    static Code128Layout compute(const Input& in);
};

} // namespace bw
