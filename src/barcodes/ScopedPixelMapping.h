#pragma once
// Switches a twip context to drawing in device pixels for a scope, so that bars land on whole
// dots: the window extents become the viewport extents (one logical unit per pixel), the
// window origin is converted to pixels and shifted by the element's position. The mapping
// mode, extents and origins come back when the scope ends, on every path.
//
//   const ScopedPixelMapping pixels(hdc, PLeft(), PTop());
//   const int width = pixels.toPixelsX(PWidth());

#include "framework/GdiTypes.h"

#include <cstdint>

namespace bw {

class ScopedPixelMapping {
public:
    // `left` and `top`: where the drawing's (0, 0) goes, in the context's twips.
    ScopedPixelMapping(HDC hdc, std::int32_t left, std::int32_t top);
    ~ScopedPixelMapping();

    ScopedPixelMapping(const ScopedPixelMapping&) = delete;
    ScopedPixelMapping& operator=(const ScopedPixelMapping&) = delete;

    // False when the context's mapping could not be read; nothing is changed or restored then.
    bool active() const { return active_; }
    // Pixels per twip of the mapping in force before the scope.
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;

private:
    HDC hdc_;
    bool active_ = false;
    int mode_ = 0;
    SIZE windowExt_{1, 1};
    SIZE viewportExt_{1, 1};
    POINT windowOrg_{0, 0};
    POINT viewportOrg_{0, 0};
    double scaleX_ = 1;
    double scaleY_ = 1;
};

} // namespace bw
