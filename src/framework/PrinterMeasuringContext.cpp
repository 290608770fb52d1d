#include "framework/PrinterMeasuringContext.h"

#include "framework/Gdi.h"
#include "framework/Rounding.h"

#include <optional>

namespace bw {

namespace {

struct Extents {
    SIZE window;
    SIZE viewport;
};

std::optional<Extents> measuringExtents(HDC hdc) {
    const int dpiX = gdi::GetDeviceCaps(hdc, LOGPIXELSX);
    const int dpiY = gdi::GetDeviceCaps(hdc, LOGPIXELSY);
    const int width = gdi::GetDeviceCaps(hdc, HORZRES);
    const int height = gdi::GetDeviceCaps(hdc, VERTRES);
    if (dpiX <= 0 || dpiY <= 0 || width <= 0 || height <= 0) return std::nullopt;
    const auto twipsW = toInt32(width * 1440.0 / dpiX);
    const auto twipsH = toInt32(height * 1440.0 / dpiY);
    if (!twipsW || !twipsH) return std::nullopt;
    return Extents{{*twipsW, -*twipsH}, {width, -height}};
}

bool inForce(HDC hdc, const Extents& wanted) {
    SIZE window;
    SIZE viewport;
    return gdi::GetMapMode(hdc) == MM_ANISOTROPIC && gdi::GetWindowExtEx(hdc, &window) &&
           gdi::GetViewportExtEx(hdc, &viewport) && window == wanted.window &&
           viewport == wanted.viewport;
}

} // namespace

HDC PrinterMeasuringContext::prepare(CurrentPrinter& printer) {
    const HDC hdc = printer.hdc();
    if (hdc) applyMapping(hdc);
    return hdc;
}

bool PrinterMeasuringContext::applyMapping(HDC hdc) {
    const std::optional<Extents> wanted = measuringExtents(hdc);
    if (!wanted) return false;
    if (inForce(hdc, *wanted)) return true;
    gdi::SetMapMode(hdc, MM_TWIPS);
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    return gdi::SetWindowExtEx(hdc, wanted->window.cx, wanted->window.cy) &&
           gdi::SetViewportExtEx(hdc, wanted->viewport.cx, wanted->viewport.cy);
}

} // namespace bw
