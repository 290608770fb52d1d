#include "framework/StockObjects.h"

#include "framework/HandleTable.h"

#include <array>

namespace bw {

namespace {

std::shared_ptr<GdiObject> makeBrush(int style, COLORREF color) {
    auto b = std::make_shared<BrushObject>();
    b->logBrush = LOGBRUSH{style, color};
    return b;
}

std::shared_ptr<GdiObject> makePen(int style, COLORREF color) {
    auto p = std::make_shared<PenObject>();
    p->logPen = LOGPEN{style, 1, color};
    return p;
}

std::shared_ptr<GdiObject> makeFont() {
    auto f = std::make_shared<FontObject>();
    f->logFont.lfFaceName = "Arial"; // face resolved on first use
    return f;
}

std::array<std::shared_ptr<GdiObject>, DEFAULT_BITMAP + 1> makeStock() {
    std::array<std::shared_ptr<GdiObject>, DEFAULT_BITMAP + 1> s{};
    s[WHITE_BRUSH] = makeBrush(BS_SOLID, RGB(255, 255, 255));
    s[LTGRAY_BRUSH] = makeBrush(BS_SOLID, RGB(192, 192, 192));
    s[GRAY_BRUSH] = makeBrush(BS_SOLID, RGB(128, 128, 128));
    s[DKGRAY_BRUSH] = makeBrush(BS_SOLID, RGB(64, 64, 64));
    s[BLACK_BRUSH] = makeBrush(BS_SOLID, RGB(0, 0, 0));
    s[NULL_BRUSH] = makeBrush(BS_NULL, 0);
    s[WHITE_PEN] = makePen(PS_SOLID, RGB(255, 255, 255));
    s[BLACK_PEN] = makePen(PS_SOLID, RGB(0, 0, 0));
    s[NULL_PEN] = makePen(PS_NULL, 0);
    s[SYSTEM_FONT] = makeFont();
    s[DEFAULT_GUI_FONT] = makeFont();
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->surface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    bitmap->width = bitmap->height = 1;
    s[DEFAULT_BITMAP] = bitmap;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i]) HandleTable::instance().addStock(stockHandle(static_cast<int>(i)), s[i]);
    return s;
}

} // namespace

std::shared_ptr<GdiObject> stockObject(int which) {
    static const auto stock = makeStock();
    if (which < 0 || which >= static_cast<int>(stock.size())) return nullptr;
    return stock[static_cast<std::size_t>(which)];
}

} // namespace bw
