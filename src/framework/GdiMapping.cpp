// Mapping modes, extents and origins: how logical units become device units.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/Rounding.h"

#include <cmath>
#include <limits>

namespace bw::gdi {

namespace {

bool scalable(const DeviceContext& dc) {
    return dc.state.mapMode == MM_ISOTROPIC || dc.state.mapMode == MM_ANISOTROPIC;
}

template <class T>
void put(T* out, const T& value) {
    if (out) *out = value;
}

} // namespace

int SetMapMode(HDC hdc, int mode) {
    DeviceContext* dc = findDC(hdc);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    dc->log("SetMapMode", {double(mode)});
    const int previous = dc->state.mapMode;
    dc->applyMapMode(mode);
    return previous;
}

int GetMapMode(HDC hdc) {
    const DeviceContext* dc = findDC(hdc);
    return dc ? dc->state.mapMode : 0;
}

bool SetWindowExtEx(HDC hdc, int x, int y, SIZE* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("SetWindowExtEx", {double(x), double(y)});
    put(previous, dc->state.windowExt);
    if (!scalable(*dc)) return true; // fixed modes ignore extents
    if (x == 0 || y == 0) return false;
    dc->state.windowExt = {x, y};
    return true;
}

bool SetViewportExtEx(HDC hdc, int x, int y, SIZE* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("SetViewportExtEx", {double(x), double(y)});
    put(previous, dc->state.viewportExt);
    if (!scalable(*dc)) return true;
    if (x == 0 || y == 0) return false;
    dc->state.viewportExt = {x, y};
    return true;
}

bool SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("SetWindowOrgEx", {double(x), double(y)});
    put(previous, dc->state.windowOrg);
    dc->state.windowOrg = {x, y};
    return true;
}

bool SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("SetViewportOrgEx", {double(x), double(y)});
    put(previous, dc->state.viewportOrg);
    dc->state.viewportOrg = {x, y};
    return true;
}

bool OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("OffsetWindowOrgEx", {double(dx), double(dy)});
    put(previous, dc->state.windowOrg);
    // Shifts add up exactly and undo exactly: integer arithmetic, no rounding.
    dc->state.windowOrg.x += dx;
    dc->state.windowOrg.y += dy;
    return true;
}

bool OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    dc->log("OffsetViewportOrgEx", {double(dx), double(dy)});
    put(previous, dc->state.viewportOrg);
    dc->state.viewportOrg.x += dx;
    dc->state.viewportOrg.y += dy;
    return true;
}

bool GetWindowExtEx(HDC hdc, SIZE* extent) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc || !extent) return false;
    *extent = dc->state.windowExt;
    return true;
}

bool GetViewportExtEx(HDC hdc, SIZE* extent) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc || !extent) return false;
    *extent = dc->state.viewportExt;
    return true;
}

bool GetWindowOrgEx(HDC hdc, POINT* origin) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc || !origin) return false;
    *origin = dc->state.windowOrg;
    return true;
}

bool GetViewportOrgEx(HDC hdc, POINT* origin) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc || !origin) return false;
    *origin = dc->state.viewportOrg;
    return true;
}

bool LPtoDP(HDC hdc, std::span<POINT> points) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    for (POINT& p : points) p = {roundToInt(dc->toDeviceX(p.x)), roundToInt(dc->toDeviceY(p.y))};
    return true;
}

bool DPtoLP(HDC hdc, std::span<POINT> points) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    for (POINT& p : points) p = {roundToInt(dc->toLogicalX(p.x)), roundToInt(dc->toLogicalY(p.y))};
    return true;
}

} // namespace bw::gdi
