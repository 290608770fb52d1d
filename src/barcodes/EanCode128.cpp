// EanCode128: creation, the code text and its encoding, and the properties with their effects.

#include "barcodes/EanCode128.h"

#include "framework/Guarded.h"
#include "framework/HostError.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <limits>

namespace bw {

namespace {

const ElementKeys barcodeKeys{.orientation = "Orientation",
                              .textColor = "TextColor",
                              .borderStyleDefault = BorderStyles::bsNone,
                              .autoRefresh = "AutoRefresh",
                              .autoRefreshRead = "AutoRefresh",
                              .autoRefreshDefault = false,
                              .enabled = {}};

constexpr std::int32_t smallestSide = 30;
// Screen and printer fonts, scalable fonts only.
constexpr std::int32_t fontDialogFlags = 0x20003;

} // namespace

EanCode128::EanCode128(HostServices& host)
    : Element("EanCode128", host, barcodeKeys), autoText1_(host) {
    guarded(host, tagFor("Initialize"), [&] {
        autoText1_.setTag("CLEARRECT");
        autoText1_.setSite({nullptr, &boxEvents_, nullptr});
        newElementValues();
    });
}

// The values of a new element; the tables are loaded and the default text encoded.
void EanCode128::newElementValues() {
    autoText1_.setAutoRefresh(false);
    autoText1_.setTextColor(TextColor());
    autoText1_.setBackColor(BackColor());
    autoText1_.setOrientation(orientation());
    text_ = "(10)123456";
    tokenText_.clear();
    templateText_.clear();
    hasLabelIncr_ = hasImpressionIncr_ = hasSSCC_ = false;
    codeType_ = static_cast<std::int16_t>(CodeTypes::ctEAN13);
    codeStatus_ = 0;
    font_ = FontDesc{};
    autoText1_.setJustification(justifications::JJustified);
    autoText1_.setLineSpacing(linespacings::LCentred);
    autoText1_.setSingleLine(true);
    loadTables();
    GetEanCode();
    autoText1_.setFont(font_);
}

void EanCode128::loadTables() {
    guarded(host(), tagFor("LoadTables"), [&] {
        encoder_.reset();
        encoder_.emplace(Code128Patterns::fromResources());
    });
}

// The symbol arrays of a failed encoding stay as they were; they are not shown.
void EanCode128::GetEanCode() {
    guarded(host(), tagFor("GetEanCode"), [&] {
        if (!encoder_)
            throw HostError(err::invalidProcedureCall, "The Code 128 tables are missing");
        Code128Symbol symbol = encoder_->GetEanCode(text_, static_cast<CodeTypes>(codeType_));
        codeStatus_ = static_cast<std::int16_t>(symbol.status);
        codeError_ = std::move(symbol.error);
        if (!symbol.encoded()) return;
        codes_ = std::move(symbol.codes);
        bars_ = std::move(symbol.bars);
        readableText_ = std::move(symbol.readableText);
    });
}

void EanCode128::RequestRedraw() {
    markLayoutStale();
    ReDraw();
}

// ---- Code text ---------------------------------------------------------------------------

void EanCode128::setText(const std::string& value) {
    guarded(host(), tagFor("Text"), [&] {
        // Setting the same token text again must not restart its counters; once Text no
        // longer follows from it (a new code type put a sample there) it is taken again.
        if (value == tokenText_ && text_ == derivedCode()) return;
        templateText_ = tokenText_ = value;
        hasLabelIncr_ =
            value.find("[+0]") != std::string::npos || value.find("[+]") != std::string::npos;
        hasImpressionIncr_ =
            value.find("[++0]") != std::string::npos || value.find("[++]") != std::string::npos;
        hasSSCC_ = value.find("(00)") != std::string::npos;
        text_ = derivedCode();
        recordChange("code");
        GetEanCode();
        RequestRedraw();
    });
}

void EanCode128::setCodeType(std::int16_t value) {
    guarded(host(), tagFor("CodeType"), [&] {
        codeType_ = value;
        recordChange("CodeType");
        text_ = Gs1Encoder::sampleText(static_cast<CodeTypes>(value));
        GetEanCode();
        RequestRedraw();
    });
}

// ---- Shared properties -------------------------------------------------------------------

void EanCode128::setPWidth(std::int32_t value) {
    Element::setPWidth(std::max(value, smallestSide));
}

void EanCode128::setPHeight(std::int32_t value) {
    Element::setPHeight(std::max(value, smallestSide));
}

void EanCode128::setOrientation(std::int16_t value) {
    guarded(host(), tagFor("orientation"), [&] {
        autoText1_.setOrientation(value);
        Element::setOrientation(value);
    });
}

void EanCode128::setTextColor(std::int32_t value) {
    guarded(host(), tagFor("TextColor"), [&] {
        autoText1_.setTextColor(value);
        markLayoutStale();
        Element::setTextColor(value);
    });
}

void EanCode128::setBackColor(std::int32_t value) {
    guarded(host(), tagFor("BackColor"), [&] {
        autoText1_.setBackColor(value);
        markLayoutStale();
        Element::setBackColor(value);
    });
}

void EanCode128::setAutoRefresh(bool value) {
    guarded(host(), tagFor("AutoRefresh"), [&] {
        if (value) markLayoutStale();
        Element::setAutoRefresh(value);
    });
}

void EanCode128::setDesignmode(bool value) {
    guarded(host(), tagFor("designmode"), [&] {
        Element::setDesignmode(value);
        if (value) RequestRedraw();
    });
}

void EanCode128::setCurrentPrinterHdc(std::int32_t value) {
    guarded(host(), tagFor("CurrentPrinterHdc"), [&] {
        Element::setCurrentPrinterHdc(value);
        autoText1_.setCurrentPrinterHdc(value);
    });
}

// ---- Font and the human-readable line ----------------------------------------------------

FontDesc EanCode128::Font() {
    return guarded(host(), tagFor("Font"), font_, [&] {
        font_.size = autoText1_.TextHeight();
        return font_;
    });
}

void EanCode128::setFont(const FontDesc& value) {
    guarded(host(), tagFor("Font"), [&] {
        font_ = value;
        recordChange("Font");
        autoText1_.setFont(value);
        ReDraw();
    });
}

void EanCode128::setBold(bool value) {
    guarded(host(), tagFor("Bold"), [&] {
        font_.bold = value;
        autoText1_.setBold(value);
        recordChange("Font");
        ReDraw();
    });
}

void EanCode128::setItalic(bool value) {
    guarded(host(), tagFor("Italic"), [&] {
        font_.italic = value;
        autoText1_.setItalic(value);
        recordChange("Font");
        ReDraw();
    });
}

void EanCode128::setFontMinimum(std::int16_t points) {
    autoText1_.setFontMinimum(points);
}

void EanCode128::setFontMaximum(std::int16_t points) {
    autoText1_.setFontMaximum(points);
}

void EanCode128::setLineSpacing(std::int16_t value) {
    guarded(host(), tagFor("LineSpacing"), [&] {
        autoText1_.setLineSpacing(value);
        recordChange("linespacing");
        RequestRedraw();
    });
}

void EanCode128::setSingleLine(bool value) {
    guarded(host(), tagFor("SingleLine"), [&] {
        autoText1_.setSingleLine(value);
        recordChange("SingleLine");
        ReDraw();
    });
}

void EanCode128::setJustification(std::int16_t value) {
    guarded(host(), tagFor("Justification"), [&] {
        autoText1_.setJustification(value);
        recordChange("justification");
        ReDraw();
    });
}

void EanCode128::pickfont() {
    guarded(host(), tagFor("pickfont"), [&] {
        FontChoice preset;
        preset.font.name = font_.name;
        preset.font.bold = font_.bold;
        preset.font.italic = font_.italic;
        preset.font.size = FontMaximum();
        preset.color = TextColor();
        const std::optional<FontChoice> choice = host().fontDialog(preset, fontDialogFlags, false);
        if (!choice) return;
        // Off while the choice is copied, so that it draws once, when it is turned on again.
        Element::setAutoRefresh(false);
        FontDesc font = font_;
        font.bold = choice->font.bold;
        font.italic = choice->font.italic;
        setFontMaximum(
            toInt16(choice->font.size).value_or(std::numeric_limits<std::int16_t>::max()));
        setTextColor(choice->color);
        font.name = choice->font.name;
        setFont(font);
        setAutoRefresh(true);
    });
}

void EanCode128::ShowAbout() {
    guarded(host(), tagFor("ShowAbout"), [&] {
        host().messageBox("BWCTRLS label controls\nEanCode128: GS1-128 and Code 128 barcodes",
                          msgbox::okOnly, "About EanCode128");
    });
}

// ---- Events ------------------------------------------------------------------------------

bool EanCode128::raisesInputEvent(std::string_view event) const {
    return event == "MouseDown" || event == "MouseMove" || event == "MouseUp" || event == "Click";
}

void EanCode128::BoxEvents::raise(std::string_view name, std::span<Variant> args) {
    if (name != "MouseDown" && name != "MouseMove" && name != "MouseUp") return;
    if (args.size() < 4) return;
    const Code128Layout& box = owner_.layout_;
    args[2] = static_cast<float>(args[2].toDouble().valueOr(0) + box.boxLeft);
    args[3] = static_cast<float>(args[3].toDouble().valueOr(0) + box.boxTop);
    owner_.raise(name, args);
}

} // namespace bw
