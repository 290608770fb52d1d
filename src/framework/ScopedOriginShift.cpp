#include "framework/ScopedOriginShift.h"

#include "framework/Gdi.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace bw {

namespace {

// Both the shift and its undo must be ints, and so must the origin it leads to.
bool fits(std::int64_t origin, std::int64_t delta) {
    constexpr std::int64_t lo = std::numeric_limits<int>::min() + 1;
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return delta >= lo && delta <= hi && origin + delta >= lo && origin + delta <= hi;
}

} // namespace

ScopedOriginShift::ScopedOriginShift(HDC hdc, std::int64_t dx, std::int64_t dy) : hdc_(hdc) {
    POINT origin;
    if (!gdi::GetWindowOrgEx(hdc, &origin)) return;
    if (!fits(origin.x, dx) || !fits(origin.y, dy))
        throw std::overflow_error("Window origin shift by (" + std::to_string(dx) + ", " +
                                  std::to_string(dy) + ") is out of range");
    dx_ = static_cast<int>(dx);
    dy_ = static_cast<int>(dy);
    shifted_ = gdi::OffsetWindowOrgEx(hdc, dx_, dy_);
}

ScopedOriginShift::~ScopedOriginShift() {
    if (shifted_) gdi::OffsetWindowOrgEx(hdc_, -dx_, -dy_);
}

} // namespace bw
