#include "text/ClearZone.h"

#include "framework/NumberText.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

// Far beyond any label, and small enough that twice it still fits an int.
constexpr double largestZone = 1e9;

} // namespace

int clearZoneTwips(std::string_view clearZone, int availableHeight) {
    const double n = leadingNumber(clearZone);
    if (n == 0 || std::isnan(n)) return 0;
    const double zone = clearZone.back() == '%' ? availableHeight / 200.0 * n : n;
    if (!(zone > 0)) return 0;
    return roundToInt(std::min(zone, largestZone));
}

} // namespace bw
