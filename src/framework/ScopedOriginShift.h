#pragma once
// Shifts a context's window origin for a scope (OffsetWindowOrgEx) and shifts it back by
// exactly as much when the scope ends, on every path, exceptions included. The shift undone is
// the one made, whatever the caller's geometry says by then. A shift that would carry the
// origin out of the 32-bit range raises an overflow instead of wrapping.
//
//   const ScopedOriginShift shift(hdc, -std::int64_t{left}, -std::int64_t{top});

#include "framework/GdiTypes.h"

#include <cstdint>

namespace bw {

class ScopedOriginShift {
public:
    ScopedOriginShift(HDC hdc, std::int64_t dx, std::int64_t dy);
    ~ScopedOriginShift();

    ScopedOriginShift(const ScopedOriginShift&) = delete;
    ScopedOriginShift& operator=(const ScopedOriginShift&) = delete;

    // False when the context was not valid; nothing is undone then.
    bool shifted() const { return shifted_; }

private:
    HDC hdc_;
    int dx_ = 0;
    int dy_ = 0;
    bool shifted_ = false;
};

} // namespace bw
