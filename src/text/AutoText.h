#pragma once
// The label's text element: the largest font between FontMinimum and FontMaximum at which its
// text fits its area, broken into lines, justified, spread and turned as its properties say.
// Counters in the text ("[+]0041") advance per label or per impression and the host is asked
// to save the element when they do.
//
// The element keeps three texts: Text as the host set it (tokens included), the template (the
// same, untouched by counters, for resets) and the display text (tokens removed, or the
// currency form), which is what is laid out, drawn and saved under "text".
//
// Pictures, the health mark, PDF417 symbols and curved text have their seams here
// (PrepareLayout, PrintContent, the content kind) and their drawing elsewhere.

#include "framework/Element.h"
#include "framework/FontDesc.h"
#include "framework/FontSizeRange.h"
#include "framework/MemberTable.h"
#include "text/AutoTextTypes.h"
#include "text/TextFitter.h"

#include <cstdint>
#include <string>

namespace bw {

// What the element shows; follows from Text and DisplayImage, never persisted itself.
namespace ATType {
inline constexpr std::int16_t A_Text = 0;
inline constexpr std::int16_t A_Graphic = 1;
inline constexpr std::int16_t A_HealthMark = 2;
inline constexpr std::int16_t A_PDF417 = 3;
} // namespace ATType

class AutoText : public Element, public TableObject<AutoText> {
public:
    explicit AutoText(HostServices& host);

    static const MemberTable<AutoText>& memberTable();

    // ---- Text --------------------------------------------------------------------------
    const std::string& Text() const { return text_; }
    // "UNDERLINE" and "!-!*" prefixes are taken off; tokens are scanned unless CurrencyFormat.
    void setText(const std::string& value);
    const std::string& displayText() const { return displayText_; }
    const std::string& templateText() const { return templateText_; }
    std::int16_t contentKind() const { return contentKind_; }
    bool DebugIt() const { return text_ == "debug"; }

    // ---- Font --------------------------------------------------------------------------
    const FontDesc& Font() const { return settings_.font; }
    void setFont(const FontDesc& value);
    bool Bold() const { return settings_.font.bold; }
    void setBold(bool value);
    bool Italic() const { return settings_.font.italic; }
    void setItalic(bool value);
    std::int16_t FontMinimum() const { return fontSizes_.minimumPoints(); }
    void setFontMinimum(std::int16_t points);
    std::int16_t FontMaximum() const { return fontSizes_.maximumPoints(); }
    void setFontMaximum(std::int16_t points);
    // The fitted height of the last layout in points, never below 1.
    std::int16_t TextHeight() const;
    // The font dialog, preset from the font, TextColor and FontMaximum.
    void pickfont();

    // ---- Layout ------------------------------------------------------------------------
    std::int16_t LineSpacing() const { return settings_.lineSpacing; }
    void setLineSpacing(std::int16_t value);
    std::int16_t Justification() const { return settings_.justification; }
    void setJustification(std::int16_t value);
    bool SingleLine() const { return settings_.singleLine; }
    void setSingleLine(bool value);
    bool UseBestFit() const { return settings_.useBestFit; }
    void setUseBestFit(bool value);
    const std::string& LineBreakChars() const { return settings_.lineBreakChars; }
    void setLineBreakChars(const std::string& value); // used from the next layout on
    const std::string& ClearZone() const { return settings_.clearZone; }
    void setClearZone(const std::string& value);
    bool CurrencyFormat() const { return currencyFormat_; }
    void setCurrencyFormat(bool value); // used from the next Text set on
    const TextLayout& layout() const { return layout_; }

    // ---- Curves and pictures (stored here, drawn by their own code) --------------------
    double CentreAngle() const { return centreAngle_; }
    void setCentreAngle(double value);
    std::int16_t MaxArc() const { return maxArc_; }
    void setMaxArc(std::int16_t value);
    const std::string& DisplayImage() const { return displayImage_; }
    void setDisplayImage(const std::string& value);

    // ---- Counters ----------------------------------------------------------------------
    bool HasLabelIncr() const { return hasLabelIncr_; }
    bool HasImpressionIncr() const { return hasImpressionIncr_; }
    // `s` with the counter starting at position `i` (1-based) advanced by one.
    std::string InsertIncrement(const std::string& s, std::int16_t i);
    void DoLabelIncrement();
    void DoImpressionIncrement();
    void DoResetIncr();

protected:
    void PrepareLayout(HDC hdc) override;
    void PrintContent(HDC hdc) override;
    std::string_view printFailureAlert() const override { return "AutoText:LPRINT:HitError"; }
    void initOwnProperties() override;
    void readOwnProperties(const PropertyReader& in) override;
    void writeOwnProperties(PropertyBag& bag) const override;

private:
    void reformat(HDC hdc);
    void normalPrintText(HDC hdc);
    // The properties the base keeps, brought into the settings before a layout or drawing.
    void syncSettings();
    void applyCurrencyFormat();
    void clearDisplayImage();
    void kindFromDisplayImage();
    // Runs a counter step on Text; when it ran, the display text follows, and the view and
    // the host are told.
    template <class Step>
    void advanceCounters(std::string_view routine, bool enabled, Step step);
    // Stores a layout property: records the change and marks the layout stale.
    template <class T>
    void setLayoutProperty(std::string_view key, T& field, const T& value);

    AutoTextSettings settings_;
    FontSizeRange fontSizes_;
    TextFitter fitter_{settings_};
    TextLayout layout_;

    std::string text_;
    std::string templateText_;
    std::string displayText_ = "AutoText";
    std::int16_t contentKind_ = ATType::A_Text;
    bool currencyFormat_ = false;
    bool hasLabelIncr_ = false;
    bool hasImpressionIncr_ = false;
    double centreAngle_ = 0;
    std::int16_t maxArc_ = 0;
    std::string displayImage_;
};

} // namespace bw
