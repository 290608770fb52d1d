// AutoText: the layout and the drawing, routed by content kind and orientation.

#include "framework/Guarded.h"
#include "framework/Orientation.h"
#include "text/AutoText.h"
#include "text/StraightTextPainter.h"

namespace bw {

void AutoText::syncSettings() {
    settings_.orientation = orientation();
    settings_.bordered = BorderStyle() == BorderStyles::bsSingleline;
    settings_.borderWidth = borderWidth();
    settings_.textColor = static_cast<COLORREF>(TextColor());
    settings_.fontMinimum = fontSizes_.minimumTwips();
    settings_.fontMaximum = fontSizes_.maximumTwips();
}

void AutoText::PrepareLayout(HDC hdc) {
    // Curved text is laid out by the curve support; nothing to do here for it.
    if (Orientation(orientation()).isCurve()) return;
    reformat(hdc);
}

void AutoText::PrintContent(HDC hdc) {
    // Curves, PDF417 symbols and pictures are drawn by their own support.
    if (Orientation(orientation()).isCurve()) return;
    if (contentKind_ == ATType::A_PDF417 || contentKind_ == ATType::A_Graphic) return;
    normalPrintText(hdc);
}

void AutoText::reformat(HDC hdc) {
    guarded(host(), tagFor("Reformat"), [&] {
        if (contentKind_ == ATType::A_Graphic) return;
        syncSettings();
        // The font keeps the fitted size, as the host's font object shows it.
        if (fitter_.reformat(hdc, area(), displayText_, layout_))
            settings_.font.size = layout_.fittedHeight / double(FontSizeRange::twipsPerPoint);
    });
}

void AutoText::normalPrintText(HDC hdc) {
    guarded(host(), tagFor("NormalPrintText"), [&] {
        syncSettings();
        StraightTextPainter(host(), hdc, settings_, layout_).paint([&] {
            SetUpArea(hdc, true, false);
            return inset();
        });
    });
}

} // namespace bw
