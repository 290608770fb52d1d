// EANCode: the code and its encoding, creation and the element's own properties.

#include "barcodes/EANCode.h"

#include "framework/Guarded.h"

namespace bw {

namespace {

constexpr std::string_view defaultCode = "123456123456";

} // namespace

EANCode::EANCode(HostServices& host) : BarcodeElement("EANCode", host, 4, 2) {
    newElement();
}

void EANCode::initOwnProperties() {
    newElement();
}

void EANCode::newElement() {
    setCodeTypeField(static_cast<std::int16_t>(CodeTypes::ctEAN13));
    text_ = defaultCode;
    newBoxSettings();
    loadTables();
    GetEanCode();
}

void EANCode::loadTables() {
    guarded(host(), tagFor("LoadTables"), [&] { encoder_ = EanEncoder(BarcodeTables::ean()); });
}

void EANCode::GetEanCode() {
    guarded(host(), tagFor("GetEanCode"), [&] {
        encoding_ = encoder_.GetEanCode(text_, type());
        if (encoding_.emptiesText) text_.clear();
    });
}

void EANCode::setText(const std::string& value) {
    guarded(host(), tagFor("Text"), [&] {
        if (value == text_) return;
        text_ = value;
        recordChange("code");
        GetEanCode();
        RequestRedraw();
    });
}

void EANCode::setCodeType(std::int16_t value) {
    guarded(host(), tagFor("CodeType"), [&] {
        setCodeTypeField(value);
        recordChange("CodeType");
        text_ = EanEncoder::sampleText(type());
        GetEanCode();
        RequestRedraw();
    });
}

bool EANCode::digitBoxShown(std::size_t i) const {
    return i != 3 || type() != CodeTypes::ctEAN8;
}

} // namespace bw
