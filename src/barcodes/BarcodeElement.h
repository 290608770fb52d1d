#pragma once
// What the barcode elements share: boxes of human-readable digits as AutoText children, the
// properties those boxes hold (font, line spacing, justification, font range), the shared
// properties with their barcode effects (sizes of at least 30 twips, colours and orientation
// handed to the boxes, a redraw that lays out again), the designer and printer set-up, LPrint's
// sequence, pickfont and ShowAbout.
//
// The area laid out is the control's size in the designer and PWidth × PHeight while printing.
// Modules are whole dots of the printer: in the designer the current printer's (whose context
// ReDraw lays out on), while printing the context LPrint is given. Frame and bars are drawn in
// device pixels, in the designer as on the printer, so the preview shows what prints.

#include "barcodes/BarcodeCanvas.h"
#include "barcodes/DigitBox.h"
#include "barcodes/DotPitch.h"
#include "framework/Element.h"
#include "framework/FontDesc.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ScopedPixelMapping;

class BarcodeElement : public Element {
public:
    // ---- The code ----------------------------------------------------------------------
    std::int16_t CodeType() const { return codeType_; }
    // 0 encoded; the derived element names the failures.
    virtual std::int16_t CodeStatus() const = 0;
    // Whether the last encoding gave a symbol to draw and print.
    virtual bool hasSymbol() const = 0;
    // What the last encoding found wrong and what it expected; empty when encoded.
    virtual std::string codeError() const = 0;

    // ---- Shared properties with the barcodes' effects -----------------------------------
    void setPWidth(std::int32_t value); // at least 30 twips
    void setPHeight(std::int32_t value);
    void setOrientation(std::int16_t value); // the digits turn with the bars
    void setTextColor(std::int32_t value);
    void setBackColor(std::int32_t value);
    void setAutoRefresh(bool value); // true lays out again and redraws
    void setDesignmode(bool value);  // true lays out again and redraws
    void setCurrentPrinterHdc(std::int32_t value);

    // ---- Font and digit settings, held by the boxes ------------------------------------
    // Sized as the first box last fitted its digits.
    FontDesc Font();
    void setFont(const FontDesc& value);
    bool Bold() const { return box(0).Bold(); }
    void setBold(bool value);
    bool Italic() const { return font_.italic; }
    void setItalic(bool value);
    std::int16_t FontMinimum() const { return box(0).FontMinimum(); }
    void setFontMinimum(std::int16_t points);
    std::int16_t FontMaximum() const { return box(0).FontMaximum(); }
    void setFontMaximum(std::int16_t points);
    std::int16_t LineSpacing() const { return box(0).LineSpacing(); }
    void setLineSpacing(std::int16_t value);
    bool SingleLine() const { return box(0).SingleLine(); }
    void setSingleLine(bool value);
    std::int16_t Justification() const { return box(0).Justification(); }
    // The boxes of spaced digit groups only; single digits keep theirs until a load.
    void setJustification(std::int16_t value);
    // The font dialog, preset from the font, TextColor and FontMaximum; Cancel changes nothing.
    void pickfont();
    void ShowAbout();
    void Refresh() {}

    // ---- Layout and drawing ------------------------------------------------------------
    // Nothing at all when there is no symbol; else lays out for PWidth × PHeight in the
    // context's dots, draws frame and bars in device pixels, then prints the digit boxes.
    void LPrint(HDC hdc) override;
    // Lays out again first when the control's size changed since the last layout (a resize
    // outside design mode changes the area but not the print size).
    void ReDraw() override;
    std::int32_t AreaWidth() const;
    std::int32_t AreaHeight() const;
    std::size_t digitBoxCount() const { return boxes_.size(); }
    const AutoText& digitBox(std::size_t i) const { return box(i); }
    AutoText& digitBox(std::size_t i) { return box(i); }
    // Whether a box is shown and printed.
    virtual bool digitBoxShown(std::size_t) const { return true; }

protected:
    // `boxes`: how many digit boxes; `halfBoxes`: how many of them take Justification.
    BarcodeElement(std::string className, HostServices& host, std::size_t boxes,
                   std::size_t halfBoxes);

    // The layout of the boxes for the current area, with modules of `pitch`'s dots.
    virtual void layOut(const DotPitch& pitch) = 0;
    // Frame and bars in device pixels on a context `pixels` maps (area in pixels).
    virtual void paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width,
                       int height, const BarcodeFrame& frame) = 0;
    // The log tag of the drawing on the printer.
    virtual std::string_view printRoutine() const = 0;

    void PrepareLayout(HDC hdc) override;
    void PrintContent(HDC hdc) override;
    // Selection and focus changes redraw the whole design view.
    void drawFrame(HDC hdc, bool clear, bool lForceFocus) override;
    // Click and the mouse events; never DblClick or the keys.
    bool raisesInputEvent(std::string_view event) const override;

    AutoText& box(std::size_t i) { return boxes_.at(i)->text(); }
    const AutoText& box(std::size_t i) const { return boxes_.at(i)->text(); }
    DigitBox& digitPlace(std::size_t i) { return *boxes_.at(i); }
    void setCodeTypeField(std::int16_t value) { codeType_ = value; }
    // Sets the layout-stale flag and redraws.
    void RequestRedraw() { NotifyChange(); }
    // The new-element settings of the boxes and the font.
    void newBoxSettings();
    // Load: the boxes' keys and the values the boxes share with the element.
    void readBoxSettings(const PropertyReader& in);
    // A CodeType outside the Integer range loads as 0.
    void readCodeType(const PropertyReader& in);
    // The order in which EANCode and EanCode128 save their keys.
    static constexpr std::array<std::string_view, 17> savedKeyOrder{
        "BackColor",  "BorderStyle",   "code",     "Orientation", "TextColor",        "linespacing",
        "SingleLine", "justification", "CodeType", "CodeStatus",  "AutoRefresh",      "Font",
        "PHeight",    "PWidth",        "PTop",     "PLeft",       "CurrentPrinterHdc"};
    // Save: `order` written in that order (a key named twice keeps its first place); "code"
    // and the keys only the derived element knows come from `own`.
    void writeInOrder(PropertyBag& bag, std::span<const std::string_view> order,
                      const std::function<bool(PropertyBag&, std::string_view)>& own) const;
    // The boxes are laid out with AutoRefresh off and fit their digits once it is back on.
    void holdBoxes();

private:
    void PrintText(HDC hdc);
    void LPrintSymbol(HDC hdc);
    void draw(HDC hdc, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
              bool onPrinter);
    void writeShared(PropertyBag& bag, std::string_view key) const;
    template <class F>
    void forBoxes(F f) {
        for (auto& b : boxes_) f(b->text());
    }

    std::vector<std::unique_ptr<DigitBox>> boxes_;
    std::size_t halfBoxes_;
    FontDesc font_;
    std::int16_t codeType_ = 0;
    // While printing: PWidth × PHeight.
    struct Area {
        std::int32_t width;
        std::int32_t height;
    };
    std::optional<Area> printArea_;
    Area laidOut_{0, 0};
};

} // namespace bw
