#pragma once
// A context's mapping mode and extents, read before an operation that may reset them (a page
// start or end, a new copy count) and put back afterwards. The window origin is not part of
// it: slots set their own.

#include "framework/Gdi.h"

namespace bw {

struct DeviceMapping {
    int mode = MM_TEXT;
    SIZE window{1, 1};
    SIZE viewport{1, 1};

    static DeviceMapping read(HDC hdc) {
        DeviceMapping m;
        m.mode = gdi::GetMapMode(hdc);
        gdi::GetWindowExtEx(hdc, &m.window);
        gdi::GetViewportExtEx(hdc, &m.viewport);
        return m;
    }

    void apply(HDC hdc) const {
        gdi::SetMapMode(hdc, mode);
        gdi::SetWindowExtEx(hdc, window.cx, window.cy);
        gdi::SetViewportExtEx(hdc, viewport.cx, viewport.cy);
    }
};

} // namespace bw
