#pragma once
// The label element that shows a GS1-128 or Code 128 symbol with its human-readable line.
// Every module is a whole number of printer dots; quiet zones of 11 modules keep the symbol
// clear on both sides; one AutoText child with the tag "CLEARRECT" carries the spaced-out line
// and blanks the bars behind it when it prints.
//
// The element keeps three texts: the token text as the host set it ("(10)[+]0099 (21)A"), its
// untouched template for resets, and Text, the code that is encoded: the token text with its
// SSCC check digit completed and its tokens and spaces removed ("(10)0099(21)A"). Counters
// advance inside the token text and keep their width (99 wraps to 00). Only Text is saved, so
// counters work again after a load once the host sets the token text again.
//
// A text that cannot be encoded sets CodeStatus and keeps Text as entered, so nothing the user
// typed is lost when the host saves; the element then shows only its frame and prints nothing.

#include "barcodes/Code128Layout.h"
#include "barcodes/CodeTypes.h"
#include "barcodes/DotPitch.h"
#include "barcodes/Gs1Encoder.h"
#include "framework/Element.h"
#include "framework/EventSink.h"
#include "framework/FontDesc.h"
#include "framework/MemberTable.h"
#include "text/AutoText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bw {

class EanCode128 : public Element, public TableObject<EanCode128> {
public:
    explicit EanCode128(HostServices& host);

    static const MemberTable<EanCode128>& memberTable();

    // ---- Code ----------------------------------------------------------------------------
    // The code text: tokens removed, SSCC completed.
    const std::string& Text() const { return text_; }
    // Ignored when it is the token text already and Text still follows from it.
    void setText(const std::string& value);
    std::int16_t CodeType() const { return codeType_; }
    // Replaces Text by a sample the new type encodes; the token text stays.
    void setCodeType(std::int16_t value);
    std::int16_t CodeStatus() const { return codeStatus_; }
    // What the last failed encoding found and expected; empty when encoded.
    const std::string& codeError() const { return codeError_; }
    const std::string& tokenText() const { return tokenText_; }
    const std::string& templateText() const { return templateText_; }
    bool HasSSCC() const { return hasSSCC_; }
    const std::vector<std::uint8_t>& codes() const { return codes_; }
    const std::vector<std::uint8_t>& bars() const { return bars_; }
    const std::string& readableText() const { return readableText_; }

    // ---- Counters ------------------------------------------------------------------------
    bool HasLabelIncr() const { return hasLabelIncr_; }
    bool HasImpressionIncr() const { return hasImpressionIncr_; }
    // `s` with the counter at position `i` (1-based) advanced by one, keeping its width.
    std::string InsertIncrement(const std::string& s, std::int16_t i);
    void DoLabelIncrement();
    // Not trapped here: a failure reaches the print engine, which logs it.
    void DoImpressionIncrement();
    void DoResetIncr();
    // The code text of a token text: SSCC check digit completed, tokens and spaces removed.
    std::string StripCodeTokens(const std::string& t) const;

    // ---- Shared properties with this element's effects ----------------------------------
    void setPWidth(std::int32_t value); // at least 30
    void setPHeight(std::int32_t value);
    void setOrientation(std::int16_t value);
    void setTextColor(std::int32_t value);
    void setBackColor(std::int32_t value);
    void setAutoRefresh(bool value);
    void setDesignmode(bool value);
    void setCurrentPrinterHdc(std::int32_t value);

    // ---- Font and the human-readable line (kept by the box) ------------------------------
    // Sized as the box last fitted it.
    FontDesc Font();
    void setFont(const FontDesc& value);
    bool Bold() const { return autoText1_.Bold(); }
    void setBold(bool value);
    bool Italic() const { return font_.italic; }
    void setItalic(bool value);
    std::int16_t FontMinimum() const { return autoText1_.FontMinimum(); }
    void setFontMinimum(std::int16_t points);
    std::int16_t FontMaximum() const { return autoText1_.FontMaximum(); }
    void setFontMaximum(std::int16_t points);
    std::int16_t LineSpacing() const { return autoText1_.LineSpacing(); }
    void setLineSpacing(std::int16_t value);
    bool SingleLine() const { return autoText1_.SingleLine(); }
    void setSingleLine(bool value);
    std::int16_t Justification() const { return autoText1_.Justification(); }
    void setJustification(std::int16_t value);
    void pickfont();
    void ShowAbout();
    void Refresh() {}

    // ---- Layout and drawing --------------------------------------------------------------
    // Lays out for PWidth × PHeight in the printing context's dots, draws frame and bars in
    // device pixels, prints the box, then lays the box out for the designer again.
    void LPrint(HDC hdc) override;
    // The box's layout for the current area; the context it may be given is not used.
    void ReFormat();
    const Code128Layout& layout() const { return layout_; }
    const AutoText& autoText1() const { return autoText1_; }
    AutoText& autoText1() { return autoText1_; }

protected:
    void PrepareLayout(HDC hdc) override;
    void PrintContent(HDC hdc) override;
    // Selection and focus changes redraw the whole design view.
    void drawFrame(HDC hdc, bool clear, bool lForceFocus) override;
    bool raisesInputEvent(std::string_view event) const override;
    void initOwnProperties() override;
    void readOwnProperties(const PropertyReader& in) override;
    void writeOwnProperties(PropertyBag& bag) const override;

private:
    // The box's mouse events, raised again in the element's coordinates.
    class BoxEvents : public EventSink {
    public:
        explicit BoxEvents(EanCode128& owner) : owner_(owner) {}
        void raise(std::string_view name, std::span<Variant> args) override;

    private:
        EanCode128& owner_;
    };

    void newElementValues();
    void loadTables();
    void GetEanCode();
    // Sets the layout-stale flag and redraws.
    void RequestRedraw();
    std::string derivedCode() const;
    // After a counter step: the code text follows the token text, then encoding, redraw, save.
    void codeFromTokens();
    DotPitch printerPitch() const;
    void PrintText(HDC hdc);
    void LPrintText(HDC hdc);
    double areaWidth() const;
    double areaHeight() const;

    std::optional<Gs1Encoder> encoder_;
    AutoText autoText1_;
    BoxEvents boxEvents_{*this};
    Code128Layout layout_;

    std::string text_;
    std::string tokenText_;
    std::string templateText_;
    std::int16_t codeType_ = 0;
    std::int16_t codeStatus_ = 0;
    std::string codeError_;
    std::vector<std::uint8_t> codes_;
    std::vector<std::uint8_t> bars_;
    std::string readableText_;
    bool hasLabelIncr_ = false;
    bool hasImpressionIncr_ = false;
    bool hasSSCC_ = false;
    FontDesc font_;

    // While printing: the area is the print size and modules are dots of the printing context.
    struct PrintArea {
        double width;
        double height;
        DotPitch pitch;
    };
    std::optional<PrintArea> printArea_;
};

} // namespace bw
