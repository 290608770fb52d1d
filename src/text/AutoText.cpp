// AutoText: the text and its prefixes, and the properties with their setter effects.

#include "text/AutoText.h"

#include "framework/Guarded.h"
#include "framework/IncrementCounters.h"
#include "framework/NumberText.h"
#include "framework/Rounding.h"

#include <algorithm>
#include <limits>

namespace bw {

namespace {

constexpr std::string_view underlinePrefix = "UNDERLINE";
constexpr std::string_view pdf417Prefix = "!-!*";
constexpr std::string_view healthMark = "HEALTHMARK";
constexpr char marker = '^';
// Screen and printer fonts, scalable fonts only.
constexpr std::int32_t fontDialogFlags = 0x20003;

} // namespace

AutoText::AutoText(HostServices& host) : Element("AutoText", host) {}

void AutoText::setText(const std::string& value) {
    guarded(host(), tagFor("Text"), [&] {
        if (value == text_) return;
        std::string_view v = value;
        settings_.underline = v.starts_with(underlinePrefix);
        if (settings_.underline) v.remove_prefix(underlinePrefix.size());
        if (v.starts_with(pdf417Prefix)) {
            v.remove_prefix(pdf417Prefix.size());
            contentKind_ = ATType::A_PDF417;
        }
        settings_.marked = v.find(marker) != std::string_view::npos;
        text_ = templateText_ = displayText_ = v;
        if (contentKind_ != ATType::A_PDF417) {
            if (currencyFormat_) {
                applyCurrencyFormat();
                displayText_ = text_;
            } else {
                TokenScan scan = scanIncrementTokens(text_);
                hasLabelIncr_ = scan.hasLabelIncr;
                hasImpressionIncr_ = scan.hasImpressionIncr;
                displayText_ = std::move(scan.text);
            }
            if (contentKind_ != ATType::A_HealthMark) clearDisplayImage();
        }
        recordChange("text");
        NotifyChange();
    });
}

// A number (and only a number, starting with a digit) becomes the user's currency form.
void AutoText::applyCurrencyFormat() {
    if (!currencyFormat_ || text_.empty()) return;
    const Result<double> whole = parseNumber(text_);
    if (!whole || !parseNumber(text_.substr(0, 1))) return;
    text_ = host().formatCurrency(whole.value());
}

void AutoText::clearDisplayImage() {
    const bool changed = !displayImage_.empty();
    contentKind_ = ATType::A_Text;
    displayImage_.clear();
    if (changed) recordChange("DisplayImage");
}

// The kind a DisplayImage value gives. Pictures are read by the picture support; until then a
// file name is kept without changing what is shown.
void AutoText::kindFromDisplayImage() {
    if (displayImage_.empty())
        contentKind_ = ATType::A_Text;
    else if (displayImage_ == healthMark)
        contentKind_ = ATType::A_HealthMark;
}

void AutoText::setDisplayImage(const std::string& value) {
    guarded(host(), tagFor("DisplayImage"), [&] {
        displayImage_ = value;
        kindFromDisplayImage();
        recordChange("DisplayImage");
        NotifyChange();
    });
}

template <class T>
void AutoText::setLayoutProperty(std::string_view key, T& field, const T& value) {
    guarded(host(), tagFor(key), [&] {
        field = value;
        recordChange(key);
        NotifyChange();
    });
}

void AutoText::setFont(const FontDesc& value) {
    guarded(host(), tagFor("Font"), [&] {
        settings_.font = value;
        adoptBorderWidthFor(value.bold);
        recordChange("Font");
        NotifyChange();
    });
}

void AutoText::setBold(bool value) {
    guarded(host(), tagFor("Bold"), [&] {
        settings_.font.bold = value;
        adoptBorderWidthFor(value);
        recordChange("Font");
        NotifyChange();
    });
}

void AutoText::setItalic(bool value) {
    guarded(host(), tagFor("Italic"), [&] {
        settings_.font.italic = value;
        recordChange("Font");
        NotifyChange();
    });
}

void AutoText::setFontMinimum(std::int16_t points) {
    guarded(host(), tagFor("FontMinimum"), [&] {
        fontSizes_.setMinimumPoints(points);
        recordChange("FontMinimum");
        NotifyChange();
    });
}

void AutoText::setFontMaximum(std::int16_t points) {
    guarded(host(), tagFor("FontMaximum"), [&] {
        fontSizes_.setMaximumPoints(points);
        recordChange("FontMaximum");
        NotifyChange();
    });
}

std::int16_t AutoText::TextHeight() const {
    const auto points = toInt16(layout_.fittedHeight / double(FontSizeRange::twipsPerPoint));
    return std::max<std::int16_t>(1, points.value_or(std::numeric_limits<std::int16_t>::max()));
}

void AutoText::pickfont() {
    guarded(host(), tagFor("pickfont"), [&] {
        FontChoice preset;
        preset.font.name = settings_.font.name;
        preset.font.bold = settings_.font.bold;
        preset.font.italic = settings_.font.italic;
        preset.font.size = FontMaximum();
        preset.color = TextColor();
        const std::optional<FontChoice> choice = host().fontDialog(preset, fontDialogFlags, false);
        if (!choice) return;
        setAutoRefresh(false);
        settings_.font.name = choice->font.name;
        settings_.font.bold = choice->font.bold;
        settings_.font.italic = choice->font.italic;
        adoptBorderWidthFor(choice->font.bold);
        recordChange("Font");
        setTextColor(choice->color);
        setAutoRefresh(true);
        const auto size = toInt16(choice->font.size);
        setFontMaximum(size.value_or(std::numeric_limits<std::int16_t>::max()));
    });
}

void AutoText::setLineSpacing(std::int16_t value) {
    setLayoutProperty("LineSpacing", settings_.lineSpacing, value);
}

void AutoText::setJustification(std::int16_t value) {
    setLayoutProperty("justification", settings_.justification, value);
}

void AutoText::setSingleLine(bool value) {
    setLayoutProperty("SingleLine", settings_.singleLine, value);
}

void AutoText::setUseBestFit(bool value) {
    setLayoutProperty("UseBestFit", settings_.useBestFit, value);
}

void AutoText::setClearZone(const std::string& value) {
    setLayoutProperty("ClearZone", settings_.clearZone, value);
}

void AutoText::setCentreAngle(double value) {
    setLayoutProperty("CentreAngle", centreAngle_, value);
}

void AutoText::setMaxArc(std::int16_t value) {
    setLayoutProperty("MaxArc", maxArc_, value);
}

void AutoText::setLineBreakChars(const std::string& value) {
    guarded(host(), tagFor("LineBreakChars"), [&] {
        settings_.lineBreakChars = value;
        recordChange("LineBreakChars");
    });
}

void AutoText::setCurrencyFormat(bool value) {
    guarded(host(), tagFor("CurrencyFormat"), [&] {
        currencyFormat_ = value;
        recordChange("CurrencyFormat");
    });
}

} // namespace bw
