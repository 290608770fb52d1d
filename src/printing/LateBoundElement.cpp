#include "printing/LateBoundElement.h"

#include <span>

namespace bw {

void LateBoundElement::LPrint(HDC hdc) {
    // Handles travel as Longs through the interface.
    Variant handle(static_cast<std::int32_t>(hdc));
    element_.callMethod("LPrint", std::span<Variant>(&handle, 1));
}

void LateBoundElement::DoLabelIncrement() {
    element_.callMethod("DoLabelIncrement", {});
}

void LateBoundElement::DoImpressionIncrement() {
    element_.callMethod("DoImpressionIncrement", {});
}

void LateBoundElement::DoResetIncr() {
    element_.callMethod("DoResetIncr", {});
}

double LateBoundElement::CentreAngle() {
    return element_.getProperty("CentreAngle").toDouble().value();
}

void LateBoundElement::setCentreAngle(double value) {
    element_.setProperty("CentreAngle", Variant(value));
}

std::int32_t LateBoundElement::longProperty(std::string_view name) {
    return element_.getProperty(name).toLong().value();
}

std::int32_t LateBoundElement::PLeft() {
    return longProperty("PLeft");
}

void LateBoundElement::setPLeft(std::int32_t value) {
    element_.setProperty("PLeft", Variant(value));
}

std::int32_t LateBoundElement::PTop() {
    return longProperty("PTop");
}

void LateBoundElement::setPTop(std::int32_t value) {
    element_.setProperty("PTop", Variant(value));
}

std::int32_t LateBoundElement::PWidth() {
    return longProperty("PWidth");
}

std::int32_t LateBoundElement::PHeight() {
    return longProperty("PHeight");
}

std::int16_t LateBoundElement::orientation() {
    return element_.getProperty("orientation").toInteger().value();
}

void LateBoundElement::setOrientation(std::int16_t value) {
    element_.setProperty("orientation", Variant(value));
}

} // namespace bw
