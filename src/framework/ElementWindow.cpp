#include "framework/ElementWindow.h"

#include "framework/Gdi.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <atomic>

namespace bw {

namespace {

// Window ids are the window manager's: unique in the process, never 0.
WindowId nextWindowId() {
    static std::atomic<WindowId> last{0};
    return ++last;
}

} // namespace

ElementWindow::ElementWindow(HostServices& host)
    : host_(host), id_(nextWindowId()), hdc_(gdi::CreateWindowDC(0, 0)) {
    gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
}

ElementWindow::~ElementWindow() {
    gdi::DeleteDC(hdc_);
}

int ElementWindow::toPixels(std::int32_t twips, int twipsPerPixel) const {
    if (twips <= 0) return 0;
    const double pixels = static_cast<double>(twips) / std::max(twipsPerPixel, 1);
    return std::min(toInt32(pixels).value_or(maxPixels), maxPixels);
}

void ElementWindow::resize(std::int32_t widthTwips, std::int32_t heightTwips) {
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    const int w = toPixels(widthTwips, host_.twipsPerPixelX());
    const int h = toPixels(heightTwips, host_.twipsPerPixelY());
    if (w == widthPixels_ && h == heightPixels_) return;
    if (gdi::ResizeWindowDC(hdc_, w, h)) {
        widthPixels_ = w;
        heightPixels_ = h;
    }
}

void ElementWindow::setScaling(std::int32_t printWidth, std::int32_t printHeight) {
    if (printWidth <= 0 || printHeight <= 0 || widthPixels_ <= 0 || heightPixels_ <= 0) return;
    gdi::SetWindowExtEx(hdc_, printWidth, printHeight);
    gdi::SetViewportExtEx(hdc_, widthPixels_, heightPixels_);
}

bool ElementWindow::saveAsPng(const std::filesystem::path& file) const {
    return gdi::SaveDCAsPNG(hdc_, file);
}

} // namespace bw
