#pragma once
// The label element that shows an EAN-13, EAN-8 or UPC-A barcode with its human-readable
// digits in four AutoText boxes: the left-half and right-half digits under the bars, and the
// digits left and right of the symbol (the right one is UPC-A's check digit, and the box is
// hidden for EAN-8).
//
// Text keeps what the user typed; the symbol carries the completed code. A text that gives no
// symbol (CodeStatus 2 to 6, or 1 for EAN-8, whose wrong check digit would otherwise print
// another number) shows only the frame in the designer and prints nothing at all.

#include "barcodes/BarcodeElement.h"
#include "barcodes/EanEncoder.h"
#include "framework/MemberTable.h"

#include <cstdint>
#include <string>

namespace bw {

class EANCode : public BarcodeElement, public TableObject<EANCode> {
public:
    explicit EANCode(HostServices& host);

    static const MemberTable<EANCode>& memberTable();

    const std::string& Text() const { return text_; }
    // A different text is encoded; one that cannot be is emptied for statuses 2, 4 and 3 (not
    // for EAN-8), as the encoder says.
    void setText(const std::string& value);
    // Text becomes a sample the new type encodes.
    void setCodeType(std::int16_t value);
    std::int16_t CodeStatus() const override { return static_cast<std::int16_t>(encoding_.status); }
    bool hasSymbol() const override { return encoding_.hasSymbol(); }
    std::string codeError() const override { return encoding_.message; }
    // The last encoding: completed code, modules, digit groups, and what a failure found.
    const EanEncoding& encoding() const { return encoding_; }
    // Width of one module in the units of the area laid out last.
    double ModuleWidth() const { return moduleWidth_; }

    bool digitBoxShown(std::size_t i) const override;

protected:
    void layOut(const DotPitch& pitch) override;
    void paint(BarcodeCanvas& canvas, const ScopedPixelMapping& pixels, int width, int height,
               const BarcodeFrame& frame) override;
    std::string_view printRoutine() const override { return "LPrintList"; }
    std::string_view printFailureAlert() const override { return "EANCode:LPRINT:HitError"; }
    void initOwnProperties() override;
    void readOwnProperties(const PropertyReader& in) override;
    void writeOwnProperties(PropertyBag& bag) const override;

private:
    void newElement();
    void loadTables();
    void GetEanCode();
    CodeTypes type() const { return static_cast<CodeTypes>(CodeType()); }

    EanEncoder encoder_{EanTables{}};
    EanEncoding encoding_;
    std::string text_;
    double moduleWidth_ = 0;
};

} // namespace bw
