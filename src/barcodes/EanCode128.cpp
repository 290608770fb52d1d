// EanCode128: creation, the code text and its encoding.

#include "barcodes/EanCode128.h"

#include "framework/Guarded.h"
#include "framework/HostError.h"
#include "framework/PrinterMeasuringContext.h"

namespace bw {

namespace {

constexpr std::string_view newElementCode = "(10)123456";

} // namespace

EanCode128::EanCode128(HostServices& host) : BarcodeElement("EanCode128", host, 1, 1) {
    newElement();
}

void EanCode128::initOwnProperties() {
    newElement();
}

// A new element has no counters until the host sets a token text.
void EanCode128::newElement() {
    setCodeTypeField(0); // GS1 from AI text
    text_ = newElementCode;
    tokenText_.clear();
    templateText_.clear();
    hasLabelIncr_ = hasImpressionIncr_ = hasSSCC_ = false;
    codeStatus_ = 0;
    newBoxSettings();
    loadTables();
    GetEanCode();
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
        Code128Symbol symbol = encoder_->GetEanCode(text_, static_cast<CodeTypes>(CodeType()));
        codeStatus_ = static_cast<std::int16_t>(symbol.status);
        codeError_ = std::move(symbol.error);
        if (!symbol.encoded()) return;
        codes_ = std::move(symbol.codes);
        bars_ = std::move(symbol.bars);
        readableText_ = std::move(symbol.readableText);
    });
}

bool EanCode128::freeForm() const {
    return CodeType() == static_cast<std::int16_t>(CodeTypes::ctCODE128FreeForm);
}

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
        setCodeTypeField(value);
        recordChange("CodeType");
        text_ = Gs1Encoder::sampleText(static_cast<CodeTypes>(value));
        GetEanCode();
        RequestRedraw();
    });
}

void EanCode128::LPrint(HDC hdc) {
    BarcodeElement::LPrint(hdc);
    // The box leaves the print layout at once, so the designer never shows it.
    if (hasSymbol()) PrepareLayout(PrinterMeasuringContext::prepare());
}

} // namespace bw
