#pragma once
// What an orientation does to an element's content: the escapement its font gets (in both the
// escapement and the orientation field) and whether the layout runs along the element's height
// (down, Up), so that lines are measured against PHeight and stack across PWidth. Values
// that name no orientation behave as Normal.

#include "framework/ElementEnums.h"
#include "framework/GdiTypes.h"

#include <cstdint>

namespace bw {

class Orientation {
public:
    constexpr explicit Orientation(std::int16_t value) : value_(value) {}

    constexpr std::int16_t value() const { return value_; }
    constexpr bool isCurve() const {
        return value_ == orientations::CurveClockWise || value_ == orientations::CurveAntiClockWise;
    }
    constexpr bool swapsAxes() const {
        return value_ == orientations::down || value_ == orientations::Up;
    }
    // Tenths of a degree, counter-clockwise.
    constexpr int escapement() const {
        switch (value_) {
        case orientations::down:
            return 2700;
        case orientations::UpSideDown:
            return 1800;
        case orientations::Up:
            return 900;
        default:
            return 0;
        }
    }
    // The layout's width (along the lines) and height (across them) for an area.
    constexpr SIZE layoutSize(int width, int height) const {
        return swapsAxes() ? SIZE{height, width} : SIZE{width, height};
    }

private:
    std::int16_t value_;
};

} // namespace bw
