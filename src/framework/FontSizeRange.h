#pragma once
// The font-size limits of a text element (FontMinimum, FontMaximum): held in twips, as the
// layout and the property bag use them, and shown in points by the properties. Reading divides
// by 20 and rounds to the nearest, halves to even, so the 1-twip floor reads as 0 points.
// Setters and loads keep 1 <= minimum <= maximum <= 8640 twips (432 points).

#include <cstdint>

namespace bw {

class FontSizeRange {
public:
    static constexpr std::int32_t twipsPerPoint = 20;
    static constexpr std::int32_t smallestTwips = 1;
    static constexpr std::int32_t largestTwips = 8640;

    static std::int16_t toPoints(std::int32_t twips);
    static constexpr std::int32_t toTwips(std::int16_t points) { return points * twipsPerPoint; }

    std::int16_t minimumPoints() const { return toPoints(minimum_); }
    std::int16_t maximumPoints() const { return toPoints(maximum_); }
    std::int32_t minimumTwips() const { return minimum_; }
    std::int32_t maximumTwips() const { return maximum_; }

    // Raised to 1 twip, lowered to the maximum.
    void setMinimumPoints(std::int16_t points);
    // Lowered to 8640 twips, raised to the minimum.
    void setMaximumPoints(std::int16_t points);
    // Stored twips as loaded, brought back within the limits.
    void load(std::int32_t minimumTwips, std::int32_t maximumTwips);

private:
    std::int32_t minimum_ = smallestTwips;
    std::int32_t maximum_ = largestTwips;
};

} // namespace bw
