// Creating, resetting and deleting device contexts, device facts and saved states.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/PrinterProfile.h"
#include "framework/Rounding.h"
#include "framework/StockObjects.h"

#include <cmath>

namespace bw::gdi {

namespace {

constexpr int screenDpi = 96; // 15 twips per pixel

CairoSurface whiteImage(int width, int height) {
    CairoSurface s(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1)));
    CairoContext c(cairo_create(s.get()));
    cairo_set_source_rgb(c.get(), 1, 1, 1);
    cairo_paint(c.get());
    return s;
}

int mmToDevice(double mm, int dpi) {
    return roundToInt(mm * dpi / 25.4);
}

DeviceFacts printerFacts(const PrinterProfile& printer, const PaperSize& paper,
                         const DEVMODE& settings) {
    DeviceFacts f;
    f.dpiX = printer.dpiX;
    f.dpiY = printer.dpiY;
    f.physicalWidth = mmToDevice(paper.widthMM, printer.dpiX);
    f.physicalHeight = mmToDevice(paper.heightMM, printer.dpiY);
    const bool landscape = settings.dmOrientation == DMORIENT_LANDSCAPE;
    f.offsetX = landscape ? printer.offsetY : printer.offsetX;
    f.offsetY = landscape ? printer.offsetX : printer.offsetY;
    f.printableWidth = std::max(0, f.physicalWidth - 2 * f.offsetX);
    f.printableHeight = std::max(0, f.physicalHeight - 2 * f.offsetY);
    f.technology = DT_RASPRINTER;
    return f;
}

HDC registerDC(std::shared_ptr<DeviceContext> dc) {
    return HandleTable::instance().add(dc);
}

} // namespace

HDC CreatePrinterDC(const PrinterProfile& printer, const DEVMODE& requested) {
    if (printer.dpiX <= 0 || printer.dpiY <= 0) return 0;
    DEVMODE settings = requested;
    settings.dmDeviceName = printer.name;
    auto paper = printer.paperFor(settings);
    if (!paper) {
        // A paper the printer does not take falls back to its first one, as drivers do.
        if (printer.papers.empty()) return 0;
        settings.dmPaperSize = printer.papers.begin()->first;
        paper = printer.paperFor(settings);
    }
    auto dc =
        std::make_shared<DeviceContext>(DcKind::Printer, printerFacts(printer, *paper, settings));
    dc->printer = PrinterOutput{printer.name, printer.port, printer.format, settings,
                                std::max(1, printer.maxCopies)};
    dc->printerProfile = std::make_shared<PrinterProfile>(printer);
    return registerDC(std::move(dc));
}

bool ResetDC(HDC hdc, const DEVMODE& requested) {
    DeviceContext* dc = findDC(hdc);
    if (!dc || !dc->printer || !dc->printerProfile) return false;
    if (dc->document && dc->document->pageOpen) return false; // not in the middle of a page
    DEVMODE settings = requested;
    settings.dmDeviceName = dc->printer->deviceName;
    const auto paper = dc->printerProfile->paperFor(settings);
    if (!paper) return false;
    dc->facts = printerFacts(*dc->printerProfile, *paper, settings);
    dc->printer->settings = settings;
    dc->log("ResetDC", {double(settings.dmPaperSize), double(settings.dmOrientation),
                        double(settings.dmCopies)});
    return true;
}

bool GetDevMode(HDC hdc, DEVMODE& settings) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc || !dc->printer) return false;
    settings = dc->printer->settings;
    return true;
}

HDC CreateWindowDC(int widthPixels, int heightPixels) {
    if (widthPixels < 0 || heightPixels < 0 || widthPixels > 32767 || heightPixels > 32767)
        return 0;
    DeviceFacts f;
    f.dpiX = f.dpiY = screenDpi;
    f.printableWidth = f.physicalWidth = widthPixels;
    f.printableHeight = f.physicalHeight = heightPixels;
    auto dc = std::make_shared<DeviceContext>(DcKind::Window, f);
    dc->setSurface(whiteImage(widthPixels, heightPixels));
    return registerDC(std::move(dc));
}

bool ResizeWindowDC(HDC hdc, int widthPixels, int heightPixels) {
    DeviceContext* dc = findDC(hdc);
    if (!dc || dc->kind != DcKind::Window || widthPixels < 0 || heightPixels < 0 ||
        widthPixels > 32767 || heightPixels > 32767)
        return false;
    dc->facts.printableWidth = dc->facts.physicalWidth = widthPixels;
    dc->facts.printableHeight = dc->facts.physicalHeight = heightPixels;
    dc->setSurface(whiteImage(widthPixels, heightPixels));
    return true;
}

bool SaveDCAsPNG(HDC hdc, const std::filesystem::path& file) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    cairo_surface_t* s = dc->surface();
    if (cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE) return false;
    cairo_surface_flush(s);
    return cairo_surface_write_to_png(s, file.c_str()) == CAIRO_STATUS_SUCCESS;
}

HDC CreateTraceDC(int dpiX, int dpiY, int widthPixels, int heightPixels) {
    if (dpiX <= 0 || dpiY <= 0 || widthPixels < 0 || heightPixels < 0 || widthPixels > 32767 ||
        heightPixels > 32767)
        return 0;
    DeviceFacts f;
    f.dpiX = dpiX;
    f.dpiY = dpiY;
    // Without pixels the trace stands for an A4 printable area at its resolution.
    f.printableWidth = f.physicalWidth = widthPixels ? widthPixels : mmToDevice(210, dpiX);
    f.printableHeight = f.physicalHeight = heightPixels ? heightPixels : mmToDevice(297, dpiY);
    f.technology = DT_RASPRINTER;
    auto dc = std::make_shared<DeviceContext>(DcKind::Trace, f);
    dc->trace = std::make_unique<TraceLog>();
    if (widthPixels && heightPixels) dc->setSurface(whiteImage(widthPixels, heightPixels));
    return registerDC(std::move(dc));
}

TraceLog* GetTrace(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    return dc ? dc->trace.get() : nullptr;
}

HDC CreateCompatibleDC(HDC hdc) {
    DeviceFacts f;
    f.dpiX = f.dpiY = screenDpi;
    if (hdc) {
        const DeviceContext* source = findDC(hdc);
        if (!source) return 0;
        f = source->facts;
    }
    f.printableWidth = f.physicalWidth = 1;
    f.printableHeight = f.physicalHeight = 1;
    auto dc = std::make_shared<DeviceContext>(DcKind::Memory, f);
    dc->state.bitmap = std::static_pointer_cast<BitmapObject>(stockObject(DEFAULT_BITMAP));
    dc->setSurface(shareSurface(dc->state.bitmap->surface.get()));
    return registerDC(std::move(dc));
}

bool DeleteDC(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    if (dc->document) AbortDoc(hdc);
    return HandleTable::instance().remove(hdc);
}

int GetDeviceCaps(HDC hdc, int index) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    const DeviceFacts& f = dc->facts;
    switch (index) {
    case TECHNOLOGY:
        return f.technology;
    case HORZSIZE:
        return roundToInt(f.printableWidth * 25.4 / f.dpiX);
    case VERTSIZE:
        return roundToInt(f.printableHeight * 25.4 / f.dpiY);
    case HORZRES:
        return f.printableWidth;
    case VERTRES:
        return f.printableHeight;
    case BITSPIXEL:
        return 24;
    case LOGPIXELSX:
        return f.dpiX;
    case LOGPIXELSY:
        return f.dpiY;
    case PHYSICALWIDTH:
        return f.physicalWidth;
    case PHYSICALHEIGHT:
        return f.physicalHeight;
    case PHYSICALOFFSETX:
        return f.offsetX;
    case PHYSICALOFFSETY:
        return f.offsetY;
    default:
        return 0;
    }
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    dc->savedStates.push_back(dc->state);
    return static_cast<int>(dc->savedStates.size());
}

bool RestoreDC(HDC hdc, int saved) {
    DeviceContext* dc = findDC(hdc);
    if (!dc) return false;
    const int depth = static_cast<int>(dc->savedStates.size());
    const int target = saved < 0 ? depth + saved + 1 : saved; // negative: relative to the top
    if (target < 1 || target > depth) return false;
    dc->state = dc->savedStates[static_cast<std::size_t>(target - 1)];
    dc->savedStates.resize(static_cast<std::size_t>(target - 1));
    if (dc->kind == DcKind::Memory && dc->state.bitmap)
        dc->setSurface(shareSurface(dc->state.bitmap->surface.get()));
    else
        dc->applyClip();
    return true;
}

} // namespace bw::gdi
