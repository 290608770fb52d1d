// AutoText: its keys in the property bag, each read and written with one default.

#include "text/AutoText.h"

namespace bw {

namespace {

const std::string defaultDisplayText = "AutoText";

// The container's ambient font.
FontDesc ambientFont() {
    return FontDesc{};
}

} // namespace

void AutoText::initOwnProperties() {
    settings_ = AutoTextSettings{};
    settings_.font = ambientFont();
    fontSizes_ = FontSizeRange{};
    layout_ = TextLayout{};
    text_.clear();
    templateText_.clear();
    displayText_ = defaultDisplayText;
    contentKind_ = ATType::A_Text;
    currencyFormat_ = hasLabelIncr_ = hasImpressionIncr_ = false;
    centreAngle_ = 0;
    maxArc_ = 0;
    displayImage_.clear();
}

// The display text comes back, not Text: the host sets Text again when it keeps counters.
void AutoText::readOwnProperties(const PropertyReader& in) {
    text_.clear();
    templateText_.clear();
    hasLabelIncr_ = hasImpressionIncr_ = false;
    displayText_ = in.readString("text", defaultDisplayText);
    settings_.marked = displayText_.find('^') != std::string::npos;
    settings_.underline = false;
    settings_.font = in.readFont("Font", ambientFont());
    fontSizes_.load(in.readLong("FontMinimum", FontSizeRange::smallestTwips),
                    in.readLong("FontMaximum", FontSizeRange::largestTwips));
    layout_.fittedHeight = in.readLong("TextHeight", 0);
    settings_.lineSpacing = in.readInteger("LineSpacing", linespacings::LCentred);
    settings_.justification = in.readInteger("justification", justifications::JCentred);
    settings_.singleLine = in.readBool("SingleLine", false);
    settings_.useBestFit = in.readBool("UseBestFit", false);
    settings_.lineBreakChars = in.readString("LineBreakChars", " ");
    settings_.clearZone = in.readString("ClearZone", "0");
    currencyFormat_ = in.readBool("CurrencyFormat", false);
    centreAngle_ = in.readDouble("CentreAngle", 0);
    maxArc_ = in.readInteger("MaxArc", 0);
    displayImage_ = in.readString("DisplayImage", "");
    contentKind_ = ATType::A_Text;
    kindFromDisplayImage();
}

void AutoText::writeOwnProperties(PropertyBag& bag) const {
    bag.write("text", displayText_, defaultDisplayText);
    bag.write("Font", settings_.font, ambientFont());
    bag.write("FontMinimum", fontSizes_.minimumTwips(), FontSizeRange::smallestTwips);
    bag.write("FontMaximum", fontSizes_.maximumTwips(), FontSizeRange::largestTwips);
    bag.write("TextHeight", std::int32_t{layout_.fittedHeight}, std::int32_t{0});
    bag.write("LineSpacing", settings_.lineSpacing, linespacings::LCentred);
    bag.write("justification", settings_.justification, justifications::JCentred);
    bag.write("SingleLine", settings_.singleLine, false);
    bag.write("UseBestFit", settings_.useBestFit, false);
    bag.write("LineBreakChars", settings_.lineBreakChars, std::string(" "));
    bag.write("ClearZone", settings_.clearZone, std::string("0"));
    bag.write("CurrencyFormat", currencyFormat_, false);
    bag.write("CentreAngle", centreAngle_, 0.0);
    bag.write("MaxArc", maxArc_, std::int16_t{0});
    bag.write("DisplayImage", displayImage_, std::string());
}

} // namespace bw
