#pragma once
// What the barcode element tests share: a host whose focus query can be made to fail (the
// frame asks it while drawing in device pixels), a trace context mapped to twips at a
// printer's resolution, and a snapshot of a context's mapping to see that it comes back.

#include "framework/Gdi.h"
#include "framework/HostError.h"
#include "framework/RecordingHost.h"
#include "framework/TraceLog.h"

#include <string_view>
#include <vector>

namespace bw::test {

class FailingHost : public RecordingHost {
public:
    bool failFocus = false;
    WindowId focusedWindow() const override {
        if (failFocus) throw HostError(5, "focus query failed");
        return RecordingHost::focusedWindow();
    }
};

// A trace context whose logical unit is one twip on a `dpi` device: the drawing calls it logs
// in device pixels are in the printer's dots.
class TwipTrace {
public:
    explicit TwipTrace(int dpi) : hdc_(gdi::CreateTraceDC(dpi, dpi)) {
        gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(hdc_, 1440, 1440);
        gdi::SetViewportExtEx(hdc_, dpi, dpi);
    }
    ~TwipTrace() { gdi::DeleteDC(hdc_); }
    TwipTrace(const TwipTrace&) = delete;
    TwipTrace& operator=(const TwipTrace&) = delete;

    operator HDC() const { return hdc_; }
    std::vector<TraceCall> calls(std::string_view op) const {
        return gdi::GetTrace(hdc_)->named(op);
    }

private:
    HDC hdc_;
};

struct Mapping {
    int mode = 0;
    SIZE windowExt{}, viewportExt{};
    POINT windowOrg{}, viewportOrg{};

    static Mapping of(HDC hdc) {
        Mapping m;
        m.mode = gdi::GetMapMode(hdc);
        gdi::GetWindowExtEx(hdc, &m.windowExt);
        gdi::GetViewportExtEx(hdc, &m.viewportExt);
        gdi::GetWindowOrgEx(hdc, &m.windowOrg);
        gdi::GetViewportOrgEx(hdc, &m.viewportOrg);
        return m;
    }
    bool operator==(const Mapping&) const = default;
};

} // namespace bw::test
