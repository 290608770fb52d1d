#pragma once
// A control of a label form that carries one element of the library: the host's tag for it
// and the element reached through its member table. Elements without counters (no
// HasLabelIncr or HasImpressionIncr in their table) report none.

#include "framework/Object.h"
#include "printing/LabelForm.h"
#include "printing/LateBoundElement.h"

#include <string>

namespace bw {

class ElementControl final : public LabelControl {
public:
    // `element` must outlive the control.
    ElementControl(Object& element, std::string tag);

    std::string Tag() override { return tag_; }
    void setTag(std::string tag) { tag_ = std::move(tag); }
    bool GetHasLabelIncr() override;
    bool GetHasImpressionIncr() override;
    PrintableElement& oref() override { return oref_; }
    Object& element() { return element_; }

private:
    Object& element_;
    LateBoundElement oref_;
    std::string tag_;
    bool countsLabels_ = false;      // the table has HasLabelIncr
    bool countsImpressions_ = false; // the table has HasImpressionIncr
};

} // namespace bw
