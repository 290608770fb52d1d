#pragma once
// An element reached by name through its member table, as the engine's contract asks for it:
// LPrint, the counter steps, CentreAngle and the print frame. Every element class of the
// library has these members in its table, so any of them can be printed this way; a member an
// element lacks raises error 438 when it is used.

#include "framework/Object.h"
#include "printing/LabelForm.h"

namespace bw {

class LateBoundElement final : public PrintableElement, public PrintGeometry {
public:
    // `element` must outlive this adapter.
    explicit LateBoundElement(Object& element) : element_(element) {}

    void LPrint(HDC hdc) override;
    void DoLabelIncrement() override;
    void DoImpressionIncrement() override;
    void DoResetIncr() override;
    double CentreAngle() override;
    void setCentreAngle(double value) override;
    PrintGeometry& object() override { return *this; }

    std::int32_t PLeft() override;
    void setPLeft(std::int32_t value) override;
    std::int32_t PTop() override;
    void setPTop(std::int32_t value) override;
    std::int32_t PWidth() override;
    std::int32_t PHeight() override;
    std::int16_t orientation() override;
    void setOrientation(std::int16_t value) override;

private:
    std::int32_t longProperty(std::string_view name);

    Object& element_;
};

} // namespace bw
