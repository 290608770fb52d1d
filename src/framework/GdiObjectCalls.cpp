// Selecting, deleting and describing drawing objects; pens and brushes.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/HandleTable.h"
#include "framework/StockObjects.h"

namespace bw::gdi {

namespace {

std::string describe(const GdiObject& object) {
    switch (object.objectType()) {
    case OBJ_FONT: {
        const LOGFONT& f = static_cast<const FontObject&>(object).logFont;
        return "font " + f.lfFaceName + " h=" + std::to_string(f.lfHeight) +
               " esc=" + std::to_string(f.lfEscapement) + " w=" + std::to_string(f.lfWeight);
    }
    case OBJ_PEN: {
        const LOGPEN& p = static_cast<const PenObject&>(object).logPen;
        return "pen " + std::to_string(p.lopnStyle) + "/" + std::to_string(p.lopnWidth) + "/" +
               std::to_string(p.lopnColor);
    }
    case OBJ_BRUSH: {
        const LOGBRUSH& b = static_cast<const BrushObject&>(object).logBrush;
        return "brush " + std::to_string(b.lbStyle) + "/" + std::to_string(b.lbColor);
    }
    default:
        return "object " + std::to_string(object.objectType());
    }
}

template <class T>
HGDIOBJ swapIn(std::shared_ptr<T>& slot, std::shared_ptr<GdiObject> object) {
    const HGDIOBJ previous = slot ? slot->handle : 0;
    slot = std::static_pointer_cast<T>(std::move(object));
    return previous;
}

} // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = findDC(hdc);
    std::shared_ptr<GdiObject> object = HandleTable::instance().find(handle);
    if (!dc || !object) return 0;
    dc->log("SelectObject", {}, describe(*object));
    switch (object->objectType()) {
    case OBJ_FONT:
        return swapIn(dc->state.font, std::move(object));
    case OBJ_PEN:
        return swapIn(dc->state.pen, std::move(object));
    case OBJ_BRUSH:
        return swapIn(dc->state.brush, std::move(object));
    case OBJ_REGION:
        return static_cast<HGDIOBJ>(SelectClipRgn(hdc, handle));
    case OBJ_BITMAP: {
        // Only memory contexts hold pictures; the context then draws on the picture itself.
        if (dc->kind != DcKind::Memory) return 0;
        const HGDIOBJ previous = swapIn(dc->state.bitmap, std::move(object));
        const BitmapObject& bitmap = *dc->state.bitmap;
        dc->facts.printableWidth = dc->facts.physicalWidth = bitmap.width;
        dc->facts.printableHeight = dc->facts.physicalHeight = bitmap.height;
        dc->setSurface(shareSurface(bitmap.surface.get()));
        return previous;
    }
    default:
        return 0;
    }
}

bool DeleteObject(HGDIOBJ handle) {
    const auto object = HandleTable::instance().find(handle);
    if (!object) return false;
    const int type = object->objectType();
    // Contexts and recordings have their own delete calls.
    if (type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_ENHMETADC || type == OBJ_ENHMETAFILE)
        return false;
    if (object->isStock) return true; // deleting a stock object is harmless and does nothing
    return HandleTable::instance().remove(handle);
}

HGDIOBJ GetStockObject(int which) {
    if (which == DEFAULT_BITMAP) return 0; // internal, not a public stock object
    return stockObject(which) ? stockHandle(which) : 0;
}

HGDIOBJ GetCurrentObject(HDC hdc, int objectType) {
    const DeviceContext* dc = findDC(hdc);
    if (!dc) return 0;
    switch (objectType) {
    case OBJ_FONT:
        return dc->state.font ? dc->state.font->handle : 0;
    case OBJ_PEN:
        return dc->state.pen ? dc->state.pen->handle : 0;
    case OBJ_BRUSH:
        return dc->state.brush ? dc->state.brush->handle : 0;
    case OBJ_BITMAP:
        return dc->state.bitmap ? dc->state.bitmap->handle : 0;
    default:
        return 0;
    }
}

int GetObjectType(HGDIOBJ handle) {
    const auto object = HandleTable::instance().find(handle);
    return object ? object->objectType() : 0;
}

bool GetObject(HGDIOBJ handle, LOGFONT& out) {
    const auto font = HandleTable::instance().get<FontObject>(handle);
    if (!font) return false;
    out = font->logFont;
    return true;
}

bool GetObject(HGDIOBJ handle, LOGPEN& out) {
    const auto pen = HandleTable::instance().get<PenObject>(handle);
    if (!pen) return false;
    out = pen->logPen;
    return true;
}

bool GetObject(HGDIOBJ handle, LOGBRUSH& out) {
    const auto brush = HandleTable::instance().get<BrushObject>(handle);
    if (!brush) return false;
    out = brush->logBrush;
    return true;
}

bool GetObject(HGDIOBJ handle, SIZE& sizeOut) {
    const auto bitmap = HandleTable::instance().get<BitmapObject>(handle);
    if (!bitmap) return false;
    sizeOut = {bitmap->width, bitmap->height};
    return true;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return 0;
    auto pen = std::make_shared<PenObject>();
    pen->logPen = LOGPEN{style, std::max(0, width), color & 0xFFFFFFu};
    return HandleTable::instance().add(std::move(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<BrushObject>();
    brush->logBrush = LOGBRUSH{BS_SOLID, color & 0xFFFFFFu};
    return HandleTable::instance().add(std::move(brush));
}

} // namespace bw::gdi
