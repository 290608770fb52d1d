// ITFCode: the code and its encoding, creation and the element's own properties.

#include "barcodes/ITFCode.h"

#include "framework/Guarded.h"

namespace bw {

namespace {

// The sample 123456123456 with its check digit.
constexpr std::string_view newElementCode = "1234561234560";

} // namespace

ITFCode::ITFCode(HostServices& host) : BarcodeElement("ITFCode", host, 1, 1) {
    newElement();
}

void ITFCode::initOwnProperties() {
    newElement();
}

// The sample is encoded with CheckIncluded as it is (True), so it carries its check digit.
void ITFCode::newElement() {
    setCodeTypeField(0);
    checkIncluded_ = true;
    text_ = newElementCode;
    newBoxSettings();
    loadTables();
    GetITFCode();
}

void ITFCode::loadTables() {
    guarded(host(), tagFor("LoadTables"), [&] { encoder_ = ItfEncoder(BarcodeTables::itf()); });
}

void ITFCode::GetITFCode() {
    guarded(host(), tagFor("GetITFCode"), [&] {
        encoding_ = encoder_.GetITFCode(text_, checkIncluded_);
        if (encoding_.emptiesText) text_.clear();
    });
}

void ITFCode::setText(const std::string& value) {
    guarded(host(), tagFor("Text"), [&] {
        text_ = value;
        recordChange("code");
        GetITFCode();
        RequestRedraw();
    });
}

void ITFCode::setCheckIncluded(bool value) {
    guarded(host(), tagFor("CheckIncluded"), [&] {
        checkIncluded_ = value;
        recordChange("CheckIncluded");
        GetITFCode();
        RequestRedraw();
    });
}

void ITFCode::setCodeType(std::int16_t value) {
    guarded(host(), tagFor("CodeType"), [&] {
        setCodeTypeField(value);
        recordChange("CodeType");
        text_ = ItfEncoder::sampleText(static_cast<CodeTypes>(value), checkIncluded_);
        GetITFCode();
        RequestRedraw();
    });
}

} // namespace bw
