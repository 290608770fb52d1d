#include "framework/DeviceContext.h"

#include "framework/HandleTable.h"
#include "framework/StockObjects.h"

namespace bw {

DeviceContext::DeviceContext(DcKind k, const DeviceFacts& f) : kind(k), facts(f) {
    state.font = std::static_pointer_cast<FontObject>(stockObject(SYSTEM_FONT));
    state.pen = std::static_pointer_cast<PenObject>(stockObject(BLACK_PEN));
    state.brush = std::static_pointer_cast<BrushObject>(stockObject(WHITE_BRUSH));
    // A context draws on a 1 × 1 surface until it is given a real one (pages, bitmaps).
    setSurface(CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1)));
}

DeviceContext::~DeviceContext() {
    clearPath();
}

int DeviceContext::objectType() const {
    switch (kind) {
    case DcKind::Memory:
        return OBJ_MEMDC;
    case DcKind::Recording:
        return OBJ_ENHMETADC;
    default:
        return OBJ_DC;
    }
}

void DeviceContext::setSurface(CairoSurface s) {
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    setSurface(std::move(s), identity);
}

void DeviceContext::setSurface(CairoSurface s, const cairo_matrix_t& base) {
    surface_ = std::move(s);
    cr_.reset(cairo_create(surface_.get()));
    base_ = base;
    cairo_set_matrix(cr_.get(), &base_);
    applyClip();
}

void DeviceContext::applyMapMode(int mode) {
    state.mapMode = mode;
    // Units per inch of the fixed modes; y grows upwards in all of them.
    int unitsPerInch = 0;
    switch (mode) {
    case MM_TEXT:
        state.windowExt = {1, 1};
        state.viewportExt = {1, 1};
        return;
    case MM_TWIPS:
        unitsPerInch = 1440;
        break;
    case MM_HIENGLISH:
        unitsPerInch = 1000;
        break;
    case MM_LOENGLISH:
        unitsPerInch = 100;
        break;
    case MM_HIMETRIC:
        unitsPerInch = 2540;
        break;
    case MM_LOMETRIC:
        unitsPerInch = 254;
        break;
    default:
        return; // isotropic and anisotropic keep the extents they had
    }
    state.windowExt = {unitsPerInch, unitsPerInch};
    state.viewportExt = {facts.dpiX, -facts.dpiY};
}

void DeviceContext::applyClip() {
    cairo_t* c = cr_.get();
    cairo_reset_clip(c);
    if (!state.clip) return;
    cairo_new_path(c);
    for (const RECT& r : state.clip->rects())
        cairo_rectangle(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(c); // an empty region clips everything away
}

void DeviceContext::clearPath() {
    if (path) cairo_path_destroy(path);
    path = nullptr;
    pathOpen = false;
    pathReady = false;
}

DeviceContext* findDC(HDC hdc) {
    // The table keeps the context alive; callers use it within one call.
    return HandleTable::instance().get<DeviceContext>(hdc).get();
}

} // namespace bw
