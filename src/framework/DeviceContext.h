#pragma once
// A device context: the drawing state behind an HDC (mapping, selected objects, colours,
// clip, current position) over a cairo context whose user space is the device's units.
// The gdi functions are its interface; elements never see this class.

#include "framework/CairoPtr.h"
#include "framework/GdiObjects.h"
#include "framework/Rounding.h"
#include "framework/TraceLog.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bw {

struct PrinterProfile;

enum class DcKind { Printer, Window, Memory, Recording, Trace };

// What GetDeviceCaps reports, in device units.
struct DeviceFacts {
    int dpiX = 96;
    int dpiY = 96;
    int printableWidth = 0;  // HORZRES
    int printableHeight = 0; // VERTRES
    int physicalWidth = 0;   // PHYSICALWIDTH (the paper, for printers)
    int physicalHeight = 0;
    int offsetX = 0; // PHYSICALOFFSETX: paper edge to printable area
    int offsetY = 0;
    int technology = DT_RASDISPLAY;
};

// The part of a context's state that SaveDC copies and RestoreDC brings back.
struct DcState {
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    std::shared_ptr<FontObject> font;
    std::shared_ptr<PenObject> pen;
    std::shared_ptr<BrushObject> brush;
    std::shared_ptr<BitmapObject> bitmap; // memory contexts: the picture drawn on
    std::optional<Region> clip;           // device units; none = the whole surface
    unsigned textAlign = TA_LEFT | TA_TOP;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT currentPosition{0, 0};
    int justifyExtra = 0;  // logical units spread over the breaks of the next output
    int justifyBreaks = 0; // break characters they are spread over
    int arcDirection = AD_COUNTERCLOCKWISE;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
};

// Printer output of a context: where documents go and how pages come out.
struct PrinterOutput {
    std::string deviceName;
    std::string port;    // default output file
    std::string format;  // "pdf" or "png"
    DEVMODE settings;    // paper, orientation, copies in force
    int maxCopies = 999; // the driver's limit
};

class DeviceContext final : public GdiObject {
public:
    DeviceContext(DcKind kind, const DeviceFacts& facts);
    ~DeviceContext() override;
    int objectType() const override;

    DcKind kind;
    DeviceFacts facts;
    DcState state;
    std::vector<DcState> savedStates; // SaveDC stack

    // The cairo context drawn on; its user space is device units. Never null.
    cairo_t* cr() const { return cr_.get(); }
    cairo_surface_t* surface() const { return surface_.get(); }
    // Replaces the surface drawn on (page starts, window resizes, bitmap selection); the cairo
    // matrix becomes `base`, which maps device units to the surface's own units.
    void setSurface(CairoSurface surface, const cairo_matrix_t& base);
    void setSurface(CairoSurface surface);
    const cairo_matrix_t& baseMatrix() const { return base_; }

    // Logical to device units and back, as the mapping mode and extents say.
    double scaleX() const { return static_cast<double>(state.viewportExt.cx) / state.windowExt.cx; }
    double scaleY() const { return static_cast<double>(state.viewportExt.cy) / state.windowExt.cy; }
    double toDeviceX(double x) const {
        return (x - state.windowOrg.x) * scaleX() + state.viewportOrg.x;
    }
    double toDeviceY(double y) const {
        return (y - state.windowOrg.y) * scaleY() + state.viewportOrg.y;
    }
    double toLogicalX(double dx) const {
        return (dx - state.viewportOrg.x) / scaleX() + state.windowOrg.x;
    }
    double toLogicalY(double dy) const {
        return (dy - state.viewportOrg.y) / scaleY() + state.windowOrg.y;
    }
    // Device pixel of a logical point, rounded as the device rounds coordinates.
    POINT toDevicePixel(double x, double y) const {
        return POINT{roundToInt(toDeviceX(x)), roundToInt(toDeviceY(y))};
    }

    // Sets the extents a mapping mode fixes (twips, metric, English); others keep theirs.
    void applyMapMode(int mode);

    // Clip of the state applied to the cairo context (call after the clip or surface changes).
    void applyClip();

    // Trace contexts log every call; others ignore this.
    std::unique_ptr<TraceLog> trace;
    void log(std::string_view op, std::vector<double> args, std::string text = {}) {
        if (trace) trace->add(op, std::move(args), std::move(text));
    }

    // Path construction between BeginPath and EndPath, and the closed path after it.
    bool pathOpen = false;
    bool pathReady = false;
    cairo_path_t* path = nullptr; // owned; released by clearPath
    void clearPath();

    // Recording contexts: the frame in device units and the description given at creation.
    cairo_rectangle_t recordingFrame{0, 0, 0, 0};
    std::string recordingDescription;

    // Printer contexts.
    std::optional<PrinterOutput> printer;
    std::shared_ptr<const PrinterProfile> printerProfile;
    struct Document {
        std::filesystem::path target;  // the file the document ends in
        std::filesystem::path partial; // written while the document is open
        CairoSurface pdf;              // pdf documents
        bool pageOpen = false;
        int pageCopies = 1;
        CairoSurface pageRecording; // a page with copies > 1 is recorded, then repeated
        int pngPageNumber = 0;
        bool failed = false;
    };
    std::optional<Document> document;
    int pagesWritten = 0;

private:
    CairoSurface surface_;
    CairoContext cr_;
    cairo_matrix_t base_{};
};

// The context behind a handle, or null when the handle is not a live context.
DeviceContext* findDC(HDC hdc);

} // namespace bw
