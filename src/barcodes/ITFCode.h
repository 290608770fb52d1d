#pragma once
// The label element that shows an ITF-14 barcode: Interleaved 2 of 5 with a GS1 check digit,
// narrow and wide bars of whole printer dots (2 and 5 units), quiet zones of a tenth of the
// symbol on both sides, a bearer bar along each side of the bars, and the spaced digits in one
// AutoText box beyond the second bearer bar.
//
// Text keeps what the user typed; the symbol and the readable digits carry the completed code
// (leading zero, check digit). CheckIncluded says whether Text ends with its check digit; it
// counts from creation on, at load and whenever it changes. A text that gives no symbol
// (CodeStatus 1 to 4) shows only the frame in the designer and prints nothing at all.

#include "barcodes/BarcodeElement.h"
#include "barcodes/ItfEncoder.h"
#include "barcodes/ItfSymbolLayout.h"
#include "framework/MemberTable.h"

#include <cstdint>
#include <string>

namespace bw {

class ITFCode : public BarcodeElement, public TableObject<ITFCode> {
public:
    explicit ITFCode(HostServices& host);

    static const MemberTable<ITFCode>& memberTable();

    const std::string& Text() const { return text_; }
    // Encoded also when unchanged; emptied for statuses 2 and 4.
    void setText(const std::string& value);
    bool CheckIncluded() const { return checkIncluded_; }
    // Encodes Text again the new way.
    void setCheckIncluded(bool value);
    // Stored and saved; Text becomes a sample that encodes with the current CheckIncluded.
    void setCodeType(std::int16_t value);
    std::int16_t CodeStatus() const override { return static_cast<std::int16_t>(encoding_.status); }
    bool hasSymbol() const override { return encoding_.hasSymbol(); }
    std::string codeError() const override { return encoding_.message; }
    const ItfEncoding& encoding() const { return encoding_; }
    std::int16_t DigitCount() const { return static_cast<std::int16_t>(encoding_.digitCount()); }
    const std::string& ReadableText() const { return encoding_.readableText; }
    // The width unit and the widths of the last layout, in the units of its area.
    double UnitWidth() const { return unitWidth_; }
    const ItfWidths& widths() const { return widths_; }

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
    void GetITFCode();

    ItfEncoder encoder_{ItfTables{}};
    ItfEncoding encoding_;
    std::string text_;
    bool checkIncluded_ = true;
    double unitWidth_ = 0;
    ItfWidths widths_;
};

} // namespace bw
