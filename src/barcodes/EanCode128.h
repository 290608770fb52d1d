#pragma once
// The label element that shows a GS1-128 or Code 128 symbol with its human-readable line.
// Every module is a whole number of printer dots; quiet zones of 11 modules keep the symbol
// clear on both sides; one digit box (an AutoText child with the tag "CLEARRECT") carries the
// spaced-out line and blanks the bars behind it when it prints. Frame, shared properties and
// the printing sequence are those of every barcode element.
//
// The element keeps three texts: the token text as the host set it ("(10)[+]0099 (21)A"), its
// untouched template for resets, and Text, the code that is encoded: the token text with its
// SSCC check digit completed and its tokens and spaces removed ("(10)0099(21)A"). Counters
// advance inside the token text and keep their width (99 wraps to 00). Only Text is saved, so
// counters work again after a load once the host sets the token text again.
//
// A text that cannot be encoded sets CodeStatus and keeps Text as entered, so nothing the user
// typed is lost when the host saves; the element then shows only its frame and prints nothing.

#include "barcodes/BarcodeElement.h"
#include "barcodes/Code128Layout.h"
#include "barcodes/CodeTypes.h"
#include "barcodes/Gs1Encoder.h"
#include "framework/MemberTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bw {

class EanCode128 : public BarcodeElement, public TableObject<EanCode128> {
public:
    explicit EanCode128(HostServices& host);

    static const MemberTable<EanCode128>& memberTable();

    // ---- Code ----------------------------------------------------------------------------
    // The code text: tokens removed, SSCC completed.
    const std::string& Text() const { return text_; }
    // Ignored when it is the token text already and Text still follows from it.
    void setText(const std::string& value);
    // Replaces Text by a sample the new type encodes; the token text stays.
    void setCodeType(std::int16_t value);
    std::int16_t CodeStatus() const override { return codeStatus_; }
    bool hasSymbol() const override { return codeStatus_ == 0; }
    std::string codeError() const override { return codeError_; }
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

    // ---- Layout and printing -------------------------------------------------------------
    // Prints as every barcode element does, then lays the box out for the designer again.
    void LPrint(HDC hdc) override;
    const Code128Layout& layout() const { return layout_; }
    const AutoText& autoText1() const { return digitBox(0); }
    AutoText& autoText1() { return digitBox(0); }

protected:
    void layOut(const DotPitch& pitch) override;
    void paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width, int height,
               const BarcodeFrame& frame) override;
    std::string_view printRoutine() const override { return "LPrintText"; }
    void initOwnProperties() override;
    void readOwnProperties(const PropertyReader& in) override;
    void writeOwnProperties(PropertyBag& bag) const override;

private:
    void newElement();
    void loadTables();
    void GetEanCode();
    std::string derivedCode() const;
    // After a counter step: the code text follows the token text, then encoding, redraw, save.
    void codeFromTokens();
    bool freeForm() const;

    std::optional<Gs1Encoder> encoder_;
    Code128Layout layout_;

    std::string text_;
    std::string tokenText_;
    std::string templateText_;
    std::int16_t codeStatus_ = 0;
    std::string codeError_;
    std::vector<std::uint8_t> codes_;
    std::vector<std::uint8_t> bars_;
    std::string readableText_;
    bool hasLabelIncr_ = false;
    bool hasImpressionIncr_ = false;
    bool hasSSCC_ = false;
};

} // namespace bw
