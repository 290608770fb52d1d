#pragma once
// Contexts whose logical unit is one twip, y downwards, deleted with the test.

#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"

namespace bw::test {

// A printer page mapped as page set-up maps it: one logical unit per twip, y down through
// negative extents. The caller deletes it.
inline HDC createTwipPrinterDC(int dpi) {
    PrinterProfile profile = PrinterProfile::builtinPdf();
    profile.dpiX = profile.dpiY = dpi;
    const HDC hdc = gdi::CreatePrinterDC(profile, DEVMODE{});
    const int w = gdi::GetDeviceCaps(hdc, HORZRES);
    const int h = gdi::GetDeviceCaps(hdc, VERTRES);
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(hdc, w * 1440 / dpi, -(h * 1440 / dpi));
    gdi::SetViewportExtEx(hdc, w, -h);
    return hdc;
}

class TwipContext {
public:
    // A trace context (1440 dpi, no mapping needed).
    static TwipContext trace() { return TwipContext(gdi::CreateTraceDC()); }
    // A printer page mapped as page set-up maps it: twips through negative extents.
    static TwipContext printer(int dpi) { return TwipContext(createTwipPrinterDC(dpi)); }

    ~TwipContext() { gdi::DeleteDC(hdc_); }
    TwipContext(TwipContext&& other) noexcept : hdc_(other.hdc_) { other.hdc_ = 0; }
    TwipContext(const TwipContext&) = delete;
    TwipContext& operator=(const TwipContext&) = delete;
    TwipContext& operator=(TwipContext&&) = delete;

    operator HDC() const { return hdc_; }

private:
    explicit TwipContext(HDC hdc) : hdc_(hdc) {}
    HDC hdc_;
};

} // namespace bw::test
