// Recordings: a label is drawn once into a recording and played into every slot. The
// recording is a cairo recording surface in the reference device's units; played into PDF
// pages it is written once and referenced from each slot.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/Rounding.h"

#include <cmath>

namespace bw::gdi {

namespace {

// Device units per hundredth of a millimetre, as the reference device reports its size: its
// printable size in device units over its size in whole millimetres. A frame of the printable
// area's whole millimetres therefore covers exactly the printable area, and a recording played
// back into it lands at scale 1.
double unitsPerHundredthMM(int deviceUnits, int dpi) {
    const double mm = roundHalfEven(deviceUnits * 25.4 / dpi);
    return mm > 0 ? deviceUnits / (mm * 100.0) : dpi / 2540.0;
}

} // namespace

HDC CreateEnhMetaFile(HDC reference, const RECT* frame, std::string_view description) {
    DeviceFacts facts;
    if (reference) {
        const DeviceContext* ref = findDC(reference);
        if (!ref) return 0;
        facts = ref->facts;
    }
    facts.technology = DT_METAFILE;
    auto dc = std::make_shared<DeviceContext>(DcKind::Recording, facts);
    dc->recordingDescription = std::string(description);
    cairo_rectangle_t extents{0, 0, double(facts.printableWidth), double(facts.printableHeight)};
    if (frame) {
        const double sx = unitsPerHundredthMM(facts.printableWidth, facts.dpiX);
        const double sy = unitsPerHundredthMM(facts.printableHeight, facts.dpiY);
        const double left = frame->left * sx;
        const double top = frame->top * sy;
        const double right = frame->right * sx;
        const double bottom = frame->bottom * sy;
        if (!(right > left) || !(bottom > top)) return 0;
        extents = {left, top, right - left, bottom - top};
    }
    if (!(extents.width > 0) || !(extents.height > 0)) return 0;
    dc->recordingFrame = extents;
    // Bounded far beyond the frame: drawing beyond it (a wide pen on its edge) is kept, as in a
    // metafile. Not unbounded: cairo's PDF output never frees an unbounded recording it played.
    constexpr double reach = 1 << 20; // device units; within cairo's fixed-point range
    const cairo_rectangle_t bounds{extents.x - reach, extents.y - reach, extents.width + 2 * reach,
                                   extents.height + 2 * reach};
    dc->setSurface(
        CairoSurface(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &bounds)));
    return HandleTable::instance().add(std::move(dc));
}

HENHMETAFILE CloseEnhMetaFile(HDC hdc) {
    const auto dc = HandleTable::instance().get<DeviceContext>(hdc);
    if (!dc || dc->kind != DcKind::Recording) return 0;
    auto recording = std::make_shared<RecordingObject>();
    recording->surface = shareSurface(dc->surface());
    recording->frameLeft = dc->recordingFrame.x;
    recording->frameTop = dc->recordingFrame.y;
    recording->frameWidth = dc->recordingFrame.width;
    recording->frameHeight = dc->recordingFrame.height;
    dc->setSurface(CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1)));
    HandleTable::instance().remove(hdc);
    if (cairo_surface_status(recording->surface.get()) != CAIRO_STATUS_SUCCESS) return 0;
    return HandleTable::instance().add(std::move(recording));
}

bool PlayEnhMetaFile(HDC hdc, HENHMETAFILE handle, const RECT& rect) {
    DeviceContext* dc = findDC(hdc);
    const auto recording = HandleTable::instance().get<RecordingObject>(handle);
    if (!dc || !recording) return false;
    dc->log("PlayEnhMetaFile",
            {double(rect.left), double(rect.top), double(rect.right), double(rect.bottom)});
    const POINT topLeft = dc->toDevicePixel(rect.left, rect.top);
    const POINT bottomRight = dc->toDevicePixel(rect.right, rect.bottom);
    const double width = bottomRight.x - topLeft.x;
    const double height = bottomRight.y - topLeft.y;
    if (width == 0 || height == 0) return false;
    cairo_t* c = dc->cr();
    CairoSaveGuard guard(c);
    // The frame maps onto the rectangle, which may flip an axis.
    cairo_translate(c, topLeft.x, topLeft.y);
    cairo_scale(c, width / recording->frameWidth, height / recording->frameHeight);
    cairo_translate(c, -recording->frameLeft, -recording->frameTop);
    cairo_set_source_surface(c, recording->surface.get(), 0, 0);
    cairo_paint(c);
    return cairo_status(c) == CAIRO_STATUS_SUCCESS;
}

bool DeleteEnhMetaFile(HENHMETAFILE handle) {
    if (!HandleTable::instance().get<RecordingObject>(handle)) return false;
    return HandleTable::instance().remove(handle);
}

} // namespace bw::gdi
