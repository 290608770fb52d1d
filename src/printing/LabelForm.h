#pragma once
// The host's label form as the print engine sees it. The form and its controls belong to the
// host; the engine only walks the controls in collection order, prints the elements of those
// tagged "P" and asks them to advance their counters. A host implements these interfaces over
// its own controls (ElementControl adapts any element reached through its member table).
//
// Any member may throw; the engine traps and logs what it calls.

#include "framework/GdiTypes.h"

#include <cstdint>
#include <string>

namespace bw {

// The element's own interface (the control's `object`): its print frame in twips, label
// coordinates, and its orientation. The flipped and flash recordings move an element and put
// it back.
class PrintGeometry {
public:
    virtual ~PrintGeometry() = default;
    virtual std::int32_t PLeft() = 0;
    virtual void setPLeft(std::int32_t value) = 0;
    virtual std::int32_t PTop() = 0;
    virtual void setPTop(std::int32_t value) = 0;
    virtual std::int32_t PWidth() = 0;
    virtual std::int32_t PHeight() = 0;
    virtual std::int16_t orientation() = 0;
    virtual void setOrientation(std::int16_t value) = 0;
};

// The element a printable control carries (its `oref`).
class PrintableElement {
public:
    virtual ~PrintableElement() = default;
    // Draws the element at its position on `hdc`, whose logical unit is one twip.
    virtual void LPrint(HDC hdc) = 0;
    virtual void DoLabelIncrement() = 0;
    virtual void DoImpressionIncrement() = 0;
    virtual void DoResetIncr() = 0;
    // Degrees; read and written around the flipped drawing of curved text.
    virtual double CentreAngle() = 0;
    virtual void setCentreAngle(double value) = 0;
    virtual PrintGeometry& object() = 0;
};

// One control of the form.
class LabelControl {
public:
    virtual ~LabelControl() = default;
    // "P" exactly marks a printable control; every other tag is ignored.
    virtual std::string Tag() = 0;
    virtual bool GetHasLabelIncr() = 0;
    virtual bool GetHasImpressionIncr() = 0;
    virtual PrintableElement& oref() = 0;
};

class LabelForm {
public:
    virtual ~LabelForm() = default;
    virtual std::int32_t ControlCount() = 0;
    // The control at `index` (0 to ControlCount() - 1) in the form's collection order.
    virtual LabelControl& Controls(std::int32_t index) = 0;
};

} // namespace bw
