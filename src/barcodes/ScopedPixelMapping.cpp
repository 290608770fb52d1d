#include "barcodes/ScopedPixelMapping.h"

#include "framework/Gdi.h"
#include "framework/Rounding.h"

namespace bw {

ScopedPixelMapping::ScopedPixelMapping(HDC hdc, std::int32_t left, std::int32_t top) : hdc_(hdc) {
    mode_ = gdi::GetMapMode(hdc);
    if (mode_ == 0 || !gdi::GetWindowExtEx(hdc, &windowExt_) ||
        !gdi::GetViewportExtEx(hdc, &viewportExt_) || !gdi::GetWindowOrgEx(hdc, &windowOrg_) ||
        !gdi::GetViewportOrgEx(hdc, &viewportOrg_) || windowExt_.cx == 0 || windowExt_.cy == 0)
        return;
    active_ = true;
    scaleX_ = static_cast<double>(viewportExt_.cx) / windowExt_.cx;
    scaleY_ = static_cast<double>(viewportExt_.cy) / windowExt_.cy;
    // Anisotropic keeps the extents of the mode it replaces, so the scales above still hold.
    if (mode_ != MM_ANISOTROPIC) gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(hdc, viewportExt_.cx, viewportExt_.cy);
    gdi::SetWindowOrgEx(hdc, toPixelsX(windowOrg_.x) - toPixelsX(left),
                        toPixelsY(windowOrg_.y) - toPixelsY(top));
}

ScopedPixelMapping::~ScopedPixelMapping() {
    if (!active_) return;
    if (mode_ != MM_ANISOTROPIC) gdi::SetMapMode(hdc_, mode_);
    gdi::SetWindowExtEx(hdc_, windowExt_.cx, windowExt_.cy);
    gdi::SetViewportExtEx(hdc_, viewportExt_.cx, viewportExt_.cy);
    gdi::SetWindowOrgEx(hdc_, windowOrg_.x, windowOrg_.y);
    gdi::SetViewportOrgEx(hdc_, viewportOrg_.x, viewportOrg_.y);
}

int ScopedPixelMapping::toPixelsX(double twips) const {
    return roundToInt(twips * scaleX_);
}

int ScopedPixelMapping::toPixelsY(double twips) const {
    return roundToInt(twips * scaleY_);
}

} // namespace bw
