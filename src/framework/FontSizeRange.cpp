#include "framework/FontSizeRange.h"

#include "framework/Rounding.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace bw {

std::int16_t FontSizeRange::toPoints(std::int32_t twips) {
    const auto points = toInt16(static_cast<double>(twips) / twipsPerPoint);
    if (!points)
        throw std::overflow_error("Font size of " + std::to_string(twips) +
                                  " twips does not fit in an Integer of points");
    return *points;
}

void FontSizeRange::setMinimumPoints(std::int16_t points) {
    minimum_ = std::min(std::max(toTwips(points), smallestTwips), maximum_);
}

void FontSizeRange::setMaximumPoints(std::int16_t points) {
    maximum_ = std::max(std::min(toTwips(points), largestTwips), minimum_);
}

void FontSizeRange::load(std::int32_t minimumTwips, std::int32_t maximumTwips) {
    minimum_ = std::clamp(minimumTwips, smallestTwips, largestTwips);
    maximum_ = std::clamp(maximumTwips, minimum_, largestTwips);
}

} // namespace bw
