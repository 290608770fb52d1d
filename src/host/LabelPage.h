#pragma once
// The sheet a label file prints on: the arguments of the engine's page set-up, in the file's
// own unit, and the optional compensation of the printer's mechanical offsets.

#include <cstdint>
#include <optional>
#include <string>

namespace bw::host {

struct LabelPage {
    std::string printer = "PDF";
    std::int16_t across = 1;
    std::int16_t down = 1; // with paper 4, the stock's paper code
    float firstTop = 0;
    float firstLeft = 0;
    float hPitch = 0;
    float vPitch = 0;
    std::int16_t unit = 6;        // 5 inches, 6 millimetres, 7 centimetres
    std::int16_t orientation = 1; // 1 portrait, 2 landscape
    std::int16_t paper = 1;       // 1 A4, 2 Legal, 3 custom, 4 stock, 5 Letter; +16: no copies
    float labelWidth = 0;
    float labelHeight = 0;
};

// Added to the first label's position (user units) and factors on the pitches.
struct LabelCompensation {
    std::int16_t left = 0;
    std::int16_t top = 0;
    float hPitchFactor = 1;
    float vPitchFactor = 1;
};

} // namespace bw::host
