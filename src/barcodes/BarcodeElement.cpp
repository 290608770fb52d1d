// BarcodeElement: the shared properties and their effects, the digit boxes, the drawing set-up
// and LPrint's sequence.

#include "barcodes/BarcodeElement.h"

#include "barcodes/ScopedPixelMapping.h"
#include "framework/Guarded.h"
#include "framework/PrinterMeasuringContext.h"
#include "framework/Rounding.h"
#include "framework/ScopedOriginShift.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace bw {

namespace {

constexpr std::int32_t smallestSide = 30; // twips
// Screen and printer fonts, scalable fonts only.
constexpr std::int32_t fontDialogFlags = 0x20003;

const ElementKeys barcodeKeys{.orientation = "Orientation",
                              .textColor = "TextColor",
                              .borderStyleDefault = BorderStyles::bsNone,
                              .autoRefreshRead = "AutoRefresh",
                              .autoRefreshDefault = false,
                              .enabled = {}};

// Holds a value for a scope and puts the previous one back, also when the scope fails.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& target, T value) : target_(target), previous_(std::exchange(target, value)) {}
    ~ScopedValue() { target_ = previous_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& target_;
    T previous_;
};

} // namespace

BarcodeElement::BarcodeElement(std::string className, HostServices& host, std::size_t boxes,
                               std::size_t halfBoxes)
    : Element(std::move(className), host, barcodeKeys), halfBoxes_(halfBoxes) {
    for (std::size_t i = 0; i < boxes; ++i)
        boxes_.push_back(std::make_unique<DigitBox>(
            host, [this](std::string_view event, std::span<Variant> args) { raise(event, args); }));
    forBoxes([](AutoText& b) {
        b.setAutoRefresh(false);
        b.setBorderStyle(BorderStyles::bsNone);
    });
}

std::int32_t BarcodeElement::AreaWidth() const {
    return printArea_ ? printArea_->width : window().widthTwips();
}

std::int32_t BarcodeElement::AreaHeight() const {
    return printArea_ ? printArea_->height : window().heightTwips();
}

bool BarcodeElement::raisesInputEvent(std::string_view event) const {
    return event.starts_with("Mouse") || event == "Click";
}

// ---- Shared properties -------------------------------------------------------------------

void BarcodeElement::setPWidth(std::int32_t value) {
    Element::setPWidth(std::max(value, smallestSide));
}

void BarcodeElement::setPHeight(std::int32_t value) {
    Element::setPHeight(std::max(value, smallestSide));
}

void BarcodeElement::setOrientation(std::int16_t value) {
    guarded(host(), tagFor("orientation"), [&] {
        forBoxes([&](AutoText& b) { b.setOrientation(value); });
        Element::setOrientation(value);
    });
}

void BarcodeElement::setTextColor(std::int32_t value) {
    guarded(host(), tagFor("TextColor"), [&] {
        forBoxes([&](AutoText& b) { b.setTextColor(value); });
        markLayoutStale();
        Element::setTextColor(value);
    });
}

void BarcodeElement::setBackColor(std::int32_t value) {
    guarded(host(), tagFor("BackColor"), [&] {
        forBoxes([&](AutoText& b) { b.setBackColor(value); });
        markLayoutStale();
        Element::setBackColor(value);
    });
}

void BarcodeElement::setAutoRefresh(bool value) {
    markLayoutStale();
    Element::setAutoRefresh(value);
}

void BarcodeElement::setDesignmode(bool value) {
    Element::setDesignmode(value);
    if (value) RequestRedraw();
}

void BarcodeElement::setCurrentPrinterHdc(std::int32_t value) {
    guarded(host(), tagFor("CurrentPrinterHdc"), [&] {
        Element::setCurrentPrinterHdc(value);
        forBoxes([&](AutoText& b) { b.setCurrentPrinterHdc(value); });
    });
}

// ---- Font and digit settings -------------------------------------------------------------

FontDesc BarcodeElement::Font() {
    font_.size = box(0).TextHeight();
    return font_;
}

void BarcodeElement::setFont(const FontDesc& value) {
    guarded(host(), tagFor("Font"), [&] {
        font_ = value;
        recordChange("Font");
        forBoxes([&](AutoText& b) { b.setFont(value); });
        ReDraw();
    });
}

void BarcodeElement::setBold(bool value) {
    guarded(host(), tagFor("Bold"), [&] {
        font_.bold = value;
        forBoxes([&](AutoText& b) { b.setBold(value); });
        recordChange("Font");
        ReDraw();
    });
}

void BarcodeElement::setItalic(bool value) {
    guarded(host(), tagFor("Italic"), [&] {
        font_.italic = value;
        forBoxes([&](AutoText& b) { b.setItalic(value); });
        recordChange("Font");
        ReDraw();
    });
}

void BarcodeElement::setFontMinimum(std::int16_t points) {
    forBoxes([&](AutoText& b) { b.setFontMinimum(points); });
}

void BarcodeElement::setFontMaximum(std::int16_t points) {
    forBoxes([&](AutoText& b) { b.setFontMaximum(points); });
}

void BarcodeElement::setLineSpacing(std::int16_t value) {
    guarded(host(), tagFor("LineSpacing"), [&] {
        forBoxes([&](AutoText& b) { b.setLineSpacing(value); });
        recordChange("linespacing");
        RequestRedraw();
    });
}

void BarcodeElement::setSingleLine(bool value) {
    guarded(host(), tagFor("SingleLine"), [&] {
        forBoxes([&](AutoText& b) { b.setSingleLine(value); });
        recordChange("SingleLine");
        ReDraw();
    });
}

void BarcodeElement::setJustification(std::int16_t value) {
    guarded(host(), tagFor("Justification"), [&] {
        for (std::size_t i = 0; i < std::min(halfBoxes_, boxes_.size()); ++i)
            box(i).setJustification(value);
        recordChange("justification");
        ReDraw();
    });
}

void BarcodeElement::pickfont() {
    guarded(host(), tagFor("pickfont"), [&] {
        FontChoice preset;
        preset.font.name = font_.name;
        preset.font.bold = font_.bold;
        preset.font.italic = font_.italic;
        preset.font.size = FontMaximum();
        preset.color = TextColor();
        // A Cancel is the user's answer, not a failure to log.
        const std::optional<FontChoice> choice = host().fontDialog(preset, fontDialogFlags, false);
        if (!choice) return;
        Element::setAutoRefresh(false);
        font_.bold = choice->font.bold;
        font_.italic = choice->font.italic;
        setFontMaximum(
            toInt16(choice->font.size).value_or(std::numeric_limits<std::int16_t>::max()));
        setTextColor(choice->color);
        font_.name = choice->font.name;
        setFont(font_);
        setAutoRefresh(true);
    });
}

void BarcodeElement::ShowAbout() {
    guarded(host(), tagFor("ShowAbout"), [&] {
        host().messageBox(elementClassName() + "\nBWCTRLS label controls", msgbox::okOnly,
                          "About " + elementClassName());
    });
}

// ---- Boxes -------------------------------------------------------------------------------

void BarcodeElement::newBoxSettings() {
    font_ = FontDesc{}; // the container's ambient font
    forBoxes([&](AutoText& b) {
        b.setJustification(justifications::JJustified);
        b.setLineSpacing(linespacings::LCentred);
        b.setSingleLine(true);
        b.setFont(font_);
        b.setTextColor(TextColor());
        b.setBackColor(BackColor());
        b.setOrientation(orientation());
        b.setCurrentPrinterHdc(CurrentPrinterHdc());
    });
}

void BarcodeElement::readBoxSettings(const PropertyReader& in) {
    forBoxes([&](AutoText& b) { b.setCurrentPrinterHdc(CurrentPrinterHdc()); });
    font_ = in.readFont("Font", FontDesc{});
    forBoxes([&](AutoText& b) { b.setFont(font_); });
    AutoText& first = box(0);
    first.setLineSpacing(static_cast<std::int16_t>(std::clamp<std::int32_t>(
        in.readLong("linespacing", linespacings::LCentred),
        std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max())));
    first.setSingleLine(in.readBool("SingleLine", true));
    first.setJustification(static_cast<std::int16_t>(std::clamp<std::int32_t>(
        in.readLong("justification", justifications::JJustified),
        std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max())));
    forBoxes([&](AutoText& b) {
        b.setLineSpacing(first.LineSpacing());
        b.setSingleLine(first.SingleLine());
        b.setJustification(first.Justification());
        b.setTextColor(TextColor());
        b.setBackColor(BackColor());
        b.setOrientation(orientation());
    });
}

void BarcodeElement::readCodeType(const PropertyReader& in) {
    const std::int32_t type = in.readLong("CodeType", 0);
    codeType_ = type < std::numeric_limits<std::int16_t>::min() ||
                        type > std::numeric_limits<std::int16_t>::max()
                    ? std::int16_t{0}
                    : static_cast<std::int16_t>(type);
}

void BarcodeElement::holdBoxes() {
    forBoxes([](AutoText& b) { b.setAutoRefresh(false); });
}

// ---- Persistence -------------------------------------------------------------------------

void BarcodeElement::writeShared(PropertyBag& bag, std::string_view key) const {
    const auto is = [&](std::string_view k) { return key == k; };
    if (is("BackColor"))
        bag.write(key, BackColor(), std::int32_t{0xFFFFFF});
    else if (is("BorderStyle"))
        bag.write(key, BorderStyle(), BorderStyles::bsNone);
    else if (is("Orientation"))
        bag.write(key, orientation(), orientations::Normal);
    else if (is("TextColor"))
        bag.write(key, TextColor(), std::int32_t{0});
    else if (is("linespacing"))
        bag.write(key, std::int32_t{LineSpacing()}, std::int32_t{linespacings::LCentred});
    else if (is("SingleLine"))
        bag.write(key, SingleLine(), true);
    else if (is("justification"))
        bag.write(key, std::int32_t{Justification()}, std::int32_t{justifications::JJustified});
    else if (is("CodeType"))
        bag.write(key, std::int32_t{codeType_}, std::int32_t{0});
    else if (is("CodeStatus"))
        bag.write(key, CodeStatus(), std::int16_t{0});
    else if (is("AutoRefresh"))
        bag.write(key, AutoRefresh(), false);
    else if (is("Font")) {
        FontDesc font = font_;
        font.size = box(0).TextHeight();
        bag.write(key, font, FontDesc{});
    } else if (is("PHeight"))
        bag.write(key, PHeight(), std::int32_t{0});
    else if (is("PWidth"))
        bag.write(key, PWidth(), std::int32_t{0});
    else if (is("PTop"))
        bag.write(key, PTop(), std::int32_t{0});
    else if (is("PLeft"))
        bag.write(key, PLeft(), std::int32_t{0});
    else if (is("CurrentPrinterHdc"))
        bag.write(key, CurrentPrinterHdc(),
                  static_cast<std::int32_t>(PrinterMeasuringContext::prepare()));
}

void BarcodeElement::writeInOrder(
    PropertyBag& bag, std::span<const std::string_view> order,
    const std::function<bool(PropertyBag&, std::string_view)>& own) const {
    std::vector<std::string_view> written;
    for (std::string_view key : order) {
        // The bag keeps a key where it was first written; moving it there gives the order.
        const bool again = std::find(written.begin(), written.end(), key) != written.end();
        if (!again) bag.remove(key);
        written.push_back(key);
        if (!own(bag, key)) writeShared(bag, key);
    }
}

// ---- Layout and drawing ------------------------------------------------------------------

void BarcodeElement::PrepareLayout(HDC hdc) {
    guarded(host(), tagFor("ReFormat"), [&] {
        laidOut_ = Area{AreaWidth(), AreaHeight()};
        layOut(DotPitch::of(hdc));
    });
}

void BarcodeElement::ReDraw() {
    if (laidOut_.width != AreaWidth() || laidOut_.height != AreaHeight()) markLayoutStale();
    Element::ReDraw();
}

void BarcodeElement::PrintContent(HDC hdc) {
    PrintText(hdc);
}

void BarcodeElement::drawFrame(HDC hdc, bool, bool) {
    PrintText(hdc);
}

void BarcodeElement::PrintText(HDC hdc) {
    guarded(host(), tagFor("PrintText"), [&] {
        // The view shows the area, which is the control's size even when it differs from
        // the print size (outside design mode).
        if (hdc == window().hdc()) window().setScaling(AreaWidth(), AreaHeight());
        draw(hdc, 0, 0, AreaWidth(), AreaHeight(), false);
    });
}

void BarcodeElement::LPrintSymbol(HDC hdc) {
    guarded(host(), tagFor(printRoutine()),
            [&] { draw(hdc, PLeft(), PTop(), PWidth(), PHeight(), true); });
}

void BarcodeElement::draw(HDC hdc, std::int32_t left, std::int32_t top, std::int32_t width,
                          std::int32_t height, bool onPrinter) {
    const ScopedPixelMapping pixels(hdc, left, top);
    BarcodeCanvas canvas(hdc, static_cast<COLORREF>(TextColor()));
    const BarcodeFrame frame{.onPrinter = onPrinter,
                             .focused = hasFocus(),
                             .selected = IsSelected(),
                             .borderStyle = BorderStyle(),
                             .textColor = static_cast<COLORREF>(TextColor()),
                             .backColor = static_cast<COLORREF>(BackColor())};
    paint(canvas, pixels, pixels.toPixelsX(width), pixels.toPixelsY(height), frame);
}

void BarcodeElement::LPrint(HDC hdc) {
    guardedAlert(host(), tagFor("LPrint"), printFailureAlert(), [&] {
        if (!hasSymbol()) return;
        const ScopedValue<std::optional<Area>> printing(printArea_, Area{PWidth(), PHeight()});
        PrepareLayout(hdc);
        LPrintSymbol(hdc);
        const ScopedOriginShift shift(hdc, -std::int64_t{PLeft()}, -std::int64_t{PTop()});
        for (std::size_t i = 0; i < boxes_.size(); ++i)
            if (digitBoxShown(i)) box(i).LPrint(hdc);
    });
}

} // namespace bw
