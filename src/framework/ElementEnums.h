#pragma once
// The enumerations every element shares. Their values are part of the interface and of stored
// label files; elements hold them as the Integers the host sets.

#include <cstdint>

namespace bw {

// orientations; AutoText's ExtendedOrientations add the two curves.
namespace orientations {
inline constexpr std::int16_t Normal = 0;
inline constexpr std::int16_t down = 1;
inline constexpr std::int16_t UpSideDown = 2;
inline constexpr std::int16_t Up = 3;
inline constexpr std::int16_t CurveClockWise = 4;
inline constexpr std::int16_t CurveAntiClockWise = 5;
} // namespace orientations

namespace justifications {
inline constexpr std::int16_t JLeft = 0;
inline constexpr std::int16_t JRight = 1;
inline constexpr std::int16_t JCentred = 2;
inline constexpr std::int16_t JJustified = 3;
} // namespace justifications

namespace linespacings {
inline constexpr std::int16_t LTop = 0;
inline constexpr std::int16_t LBottom = 1;
inline constexpr std::int16_t LCentred = 2;
inline constexpr std::int16_t LJustified = 3;
} // namespace linespacings

namespace BorderStyles {
inline constexpr std::int16_t bsNone = 0;
inline constexpr std::int16_t bsSingleline = 1;
} // namespace BorderStyles

} // namespace bw
