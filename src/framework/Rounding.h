#pragma once
// The one rounding rule of the system: a floating value becomes an integer by rounding to the
// nearest, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Every float-to-integer conversion
// goes through here; one that does not fit is an overflow the caller sees.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace bw {

// Independent of the floating-point environment's rounding mode.
inline double roundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    const double floor = std::floor(v);
    const double rest = v - floor;
    if (rest < 0.5) return floor;
    if (rest > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <class Int>
std::optional<Int> toIntChecked(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<double>(std::numeric_limits<Int>::max())))
        return std::nullopt; // also NaN and infinities
    return static_cast<Int>(r);
}

inline std::optional<std::int32_t> toInt32(double v) {
    return toIntChecked<std::int32_t>(v);
}
inline std::optional<std::int16_t> toInt16(double v) {
    return toIntChecked<std::int16_t>(v);
}

// Rounds by the rule and saturates at the int range (NaN gives 0): for coordinates and sizes,
// where a value out of range is clamped rather than reported.
inline int roundToInt(double v) {
    if (std::isnan(v)) return 0;
    const double r = roundHalfEven(v);
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

} // namespace bw
