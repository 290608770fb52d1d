#include "framework/Element.h"

#include "framework/Gdi.h"
#include "framework/Guarded.h"
#include "framework/Orientation.h"
#include "framework/PrinterMeasuringContext.h"
#include "framework/ScopedOriginShift.h"
#include "framework/ScopedSelect.h"

#include <array>

namespace bw {

namespace {

constexpr std::int32_t white = 0xFFFFFF;

COLORREF colourOf(std::int32_t value) {
    return static_cast<COLORREF>(value);
}

// The background flag holds for one print; the design view always paints the background.
class PrintBackground {
public:
    PrintBackground(bool& flag, bool paints) : flag_(flag) { flag_ = paints; }
    ~PrintBackground() { flag_ = true; }
    PrintBackground(const PrintBackground&) = delete;
    PrintBackground& operator=(const PrintBackground&) = delete;

private:
    bool& flag_;
};

} // namespace

Element::Element(std::string className, HostServices& host, const ElementKeys& keys)
    : className_(std::move(className)), host_(host), keys_(keys), window_(host),
      borderStyle_(keys.borderStyleDefault) {
    guarded(host_, tagFor("Initialize"), [&] {
        currentPrinterHdc_ = defaultPrinterHdc();
        storeBackColor(backColor_);
    });
}

std::string Element::tagFor(std::string_view routine) const {
    std::string tag = className_;
    tag += ':';
    tag += routine;
    return tag;
}

void Element::setSite(const ElementSite& site) {
    changes_ = site.changes;
    events_ = site.events;
    // Leave the old container before joining: joining moves the window, leaving removes it.
    membership_.reset();
    if (site.container) membership_.emplace(site.container->join(window_.id()));
}

void Element::recordChange(std::string_view key) {
    if (changes_ && !key.empty()) changes_->propertyChanged(key);
}

std::int32_t Element::defaultPrinterHdc() {
    // Handles travel as Longs through the interface.
    return static_cast<std::int32_t>(PrinterMeasuringContext::prepare());
}

// ---- Print geometry ----------------------------------------------------------------------

void Element::setPLeft(std::int32_t value) {
    guarded(host_, tagFor("PLeft"), [&] {
        pLeft_ = value;
        recordChange("PLeft");
    });
}

void Element::setPTop(std::int32_t value) {
    guarded(host_, tagFor("PTop"), [&] {
        pTop_ = value;
        recordChange("PTop");
    });
}

void Element::setPWidth(std::int32_t value) {
    guarded(host_, tagFor("PWidth"), [&] {
        pWidth_ = value;
        area_.right = value;
        window_.resize(value, window_.heightTwips());
        recordChange("PWidth");
        updateScaling();
        NotifyChange();
    });
}

void Element::setPHeight(std::int32_t value) {
    guarded(host_, tagFor("PHeight"), [&] {
        pHeight_ = value;
        area_.bottom = value;
        window_.resize(window_.widthTwips(), value);
        recordChange("PHeight");
        updateScaling();
        NotifyChange();
    });
}

void Element::setOrientation(std::int16_t value) {
    guarded(host_, tagFor("orientation"), [&] {
        orientation_ = value;
        recordChange(keys_.orientation);
        NotifyChange();
    });
}

// ---- Layout and drawing ------------------------------------------------------------------

void Element::LPrint(HDC hdc) {
    guardedAlert(host_, tagFor("LPrint"), printFailureAlert(), [&] {
        const bool plain = backColor_ == white || Orientation(orientation_).isCurve();
        const PrintBackground background(paintsBackground_, !plain || tag_ == "CLEARRECT");
        if (layoutStale_) PrepareLayout(hdc);
        // The shift undone is the one made, even if the geometry changes while drawing.
        const ScopedOriginShift shift(hdc, -std::int64_t{pLeft_}, -std::int64_t{pTop_});
        PrintContent(hdc);
    });
}

void Element::ReDraw() {
    guarded(host_, tagFor("ReDraw"), [&] {
        if (!autoRefresh_) return;
        if (layoutStale_) PrepareLayout(PrinterMeasuringContext::prepare());
        PrintContent(window_.hdc());
        layoutStale_ = false;
    });
}

void Element::NotifyChange() {
    guarded(host_, tagFor("NotifyChange"), [&] {
        layoutStale_ = true;
        if (autoRefresh_) ReDraw();
    });
}

void Element::setAutoRefresh(bool value) {
    guarded(host_, tagFor("AutoRefresh"), [&] {
        autoRefresh_ = value;
        recordChange(keys_.autoRefresh);
        if (value) ReDraw();
    });
}

// ---- Frame -------------------------------------------------------------------------------

ElementFrame Element::frame(bool lForceFocus) const {
    return ElementFrame{.focused = lForceFocus || hasFocus(),
                        .selected = isSelected_,
                        .borderStyle = borderStyle_,
                        .borderWidth = borderWidth_,
                        .textColor = colourOf(textColor_),
                        .backColor = colourOf(backColor_)};
}

void Element::SetUpArea(HDC hdc, bool clear, bool lForceFocus) {
    guarded(host_, tagFor("SetUpArea"), [&] { drawFrame(hdc, clear, lForceFocus); });
}

void Element::drawFrame(HDC hdc, bool clear, bool lForceFocus) {
    HGDIOBJ brush = gdi::GetStockObject(HOLLOW_BRUSH);
    if (clear && paintsBackground_)
        brush = clearsToWhite() ? gdi::GetStockObject(WHITE_BRUSH) : backBrush_.get();
    const LOGPEN pen = frame(lForceFocus).pen();
    const ScopedSelect brushIn(hdc, brush);
    const ScopedSelect penIn(
        hdc, UniqueGdiObject(gdi::CreatePen(pen.lopnStyle, pen.lopnWidth, pen.lopnColor)));
    gdi::Rectangle(hdc, area_.left, area_.top, area_.right, area_.bottom);
}

void Element::storeBackColor(std::int32_t value) {
    backColor_ = value;
    backBrush_.reset(gdi::CreateSolidBrush(colourOf(value)));
}

void Element::setTextColor(std::int32_t value) {
    guarded(host_, tagFor("TextColor"), [&] {
        textColor_ = value;
        recordChange(keys_.textColor);
        ReDraw();
    });
}

void Element::setBackColor(std::int32_t value) {
    guarded(host_, tagFor("BackColor"), [&] {
        storeBackColor(value);
        recordChange(keys_.backColor);
        ReDraw();
    });
}

void Element::setBorderStyle(std::int16_t value) {
    guarded(host_, tagFor("BorderStyle"), [&] {
        borderStyle_ = value;
        recordChange(keys_.borderStyle);
        NotifyChange();
    });
}

// ---- Designer ----------------------------------------------------------------------------

void Element::setDesignmode(bool value) {
    guarded(host_, tagFor("designmode"), [&] {
        designmode_ = value;
        recordChange(keys_.designmode);
    });
}

void Element::resizeControl(std::int32_t widthTwips, std::int32_t heightTwips) {
    guarded(host_, tagFor("Resize"), [&] {
        window_.resize(widthTwips, heightTwips);
        ResizeAction();
    });
}

void Element::ResizeAction() {
    guarded(host_, tagFor("ResizeAction"), [&] {
        if (designmode_) {
            if (pHeight_ != window_.heightTwips()) recordChange("PHeight");
            if (pWidth_ != window_.widthTwips()) recordChange("PWidth");
            pHeight_ = window_.heightTwips();
            pWidth_ = window_.widthTwips();
            area_ = RECT{0, 0, pWidth_, pHeight_};
            layoutStale_ = true;
        }
        updateScaling();
        ReDraw();
    });
}

bool Element::hasFocus() const {
    const WindowId focused = host_.focusedWindow();
    return focused != 0 && focused == window_.id();
}

void Element::onGotFocus() {
    if (designmode_) SetUpArea(window_.hdc(), false, false);
}

void Element::onLostFocus() {
    SetUpArea(window_.hdc(), false, false);
}

void Element::setIsSelected(bool value) {
    guarded(host_, tagFor("IsSelected"), [&] {
        isSelected_ = value;
        SetUpArea(window_.hdc(), false, false);
    });
}

void Element::MoveToFront() {
    guarded(host_, tagFor("MoveToFront"), [&] {
        if (membership_) membership_->bringToTop();
    });
}

void Element::MoveToBack() {
    guarded(host_, tagFor("MoveToBack"), [&] {
        if (membership_) membership_->sendToBottom();
    });
}

void Element::setCurrentPrinterHdc(std::int32_t value) {
    guarded(host_, tagFor("CurrentPrinterHdc"), [&] {
        currentPrinterHdc_ = value;
        recordChange("CurrentPrinterHdc");
    });
}

void Element::setEnabled(bool value) {
    guarded(host_, tagFor("Enabled"), [&] {
        window_.setEnabled(value);
        recordChange(keys_.enabled);
    });
}

// ---- Events ------------------------------------------------------------------------------

void Element::raise(std::string_view event, std::span<Variant> args) {
    raiseEvent(events_, event, args);
}

bool Element::raisesInputEvent(std::string_view event) const {
    return event.starts_with("Mouse") || event == "Click" || event == "DblClick";
}

void Element::raiseInput(std::string_view event, std::span<Variant> args) {
    guarded(host_, tagFor(event), [&] {
        if (raisesInputEvent(event)) raise(event, args);
    });
}

void Element::onMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    std::array<Variant, 4> args{button, shift, x, y};
    raiseInput("MouseDown", args);
}

void Element::onMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    std::array<Variant, 4> args{button, shift, x, y};
    raiseInput("MouseUp", args);
}

void Element::onMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    std::array<Variant, 4> args{button, shift, x, y};
    raiseInput("MouseMove", args);
}

void Element::onClick() {
    raiseInput("Click", {});
}

void Element::onDblClick() {
    raiseInput("DblClick", {});
}

void Element::onKeyDown(std::int16_t keyCode, std::int16_t shift) {
    std::array<Variant, 2> args{keyCode, shift};
    raiseInput("KeyDown", args);
}

void Element::onKeyUp(std::int16_t keyCode, std::int16_t shift) {
    std::array<Variant, 2> args{keyCode, shift};
    raiseInput("KeyUp", args);
}

void Element::onKeyPress(std::int16_t keyAscii) {
    std::array<Variant, 1> args{keyAscii};
    raiseInput("KeyPress", args);
}

} // namespace bw
