// EanCode128: its keys in the property bag, each read and written with one default, in the
// order of the element's label files.

#include "barcodes/EanCode128.h"

#include <array>
#include <string_view>

namespace bw {

namespace {

const std::string defaultCode = "(10)123456";

// The keys as the element writes them; the shared ones are written by the base first.
constexpr std::array<std::string_view, 17> savedOrder{
    "BackColor",  "BorderStyle",   "code",     "Orientation", "TextColor",        "linespacing",
    "SingleLine", "justification", "CodeType", "CodeStatus",  "AutoRefresh",      "Font",
    "PHeight",    "PWidth",        "PTop",     "PLeft",       "CurrentPrinterHdc"};

void putInOrder(PropertyBag& bag, std::span<const std::string_view> order) {
    for (const std::string_view key : order) {
        const Variant* stored = bag.find(key);
        if (!stored) continue; // equal to its default
        Variant value = *stored;
        bag.remove(key);
        bag.set(key, std::move(value));
    }
}

} // namespace

void EanCode128::initOwnProperties() {
    newElementValues();
    autoText1_.setCurrentPrinterHdc(CurrentPrinterHdc());
}

// The base has read the geometry, colours, border, orientation, AutoRefresh and the printer's
// context. Counters stay off until the host sets the token text again.
void EanCode128::readOwnProperties(const PropertyReader& in) {
    autoText1_.setAutoRefresh(false);
    text_ = in.readString("code", defaultCode);
    tokenText_.clear();
    templateText_.clear();
    hasLabelIncr_ = hasImpressionIncr_ = hasSSCC_ = false;
    codeType_ = in.readInteger("CodeType", 0);
    codeStatus_ = in.readInteger("CodeStatus", 0);
    autoText1_.setCurrentPrinterHdc(CurrentPrinterHdc());
    font_ = in.readFont("Font", FontDesc{});
    autoText1_.setFont(font_);
    autoText1_.setLineSpacing(in.readInteger("linespacing", linespacings::LCentred));
    autoText1_.setSingleLine(in.readBool("SingleLine", true));
    autoText1_.setJustification(in.readInteger("justification", justifications::JJustified));
    autoText1_.setTextColor(TextColor());
    autoText1_.setBackColor(BackColor());
    autoText1_.setOrientation(orientation());
    loadTables();
    GetEanCode(); // the stored CodeStatus is always recomputed
    if (AutoRefresh()) RequestRedraw();
}

void EanCode128::writeOwnProperties(PropertyBag& bag) const {
    bag.write("code", text_, defaultCode);
    bag.write("linespacing", std::int32_t{LineSpacing()}, std::int32_t{linespacings::LCentred});
    bag.write("SingleLine", SingleLine(), true);
    bag.write("justification", std::int32_t{Justification()},
              std::int32_t{justifications::JJustified});
    bag.write("CodeType", std::int32_t{codeType_}, std::int32_t{0});
    bag.write("CodeStatus", codeStatus_, std::int16_t{0});
    bag.write("Font", font_, FontDesc{});
    putInOrder(bag, savedOrder);
}

} // namespace bw
