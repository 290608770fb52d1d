#include "printing/ElementControl.h"

#include "framework/CaseFold.h"

namespace bw {

ElementControl::ElementControl(Object& element, std::string tag)
    : element_(element), oref_(element), tag_(std::move(tag)) {
    for (const MemberInfo& m : element.members()) {
        if (m.kind != MemberKind::Property || !m.readable) continue;
        countsLabels_ = countsLabels_ || iequals(m.name, "HasLabelIncr");
        countsImpressions_ = countsImpressions_ || iequals(m.name, "HasImpressionIncr");
    }
}

bool ElementControl::GetHasLabelIncr() {
    return countsLabels_ && element_.getProperty("HasLabelIncr").toBool().value();
}

bool ElementControl::GetHasImpressionIncr() {
    return countsImpressions_ && element_.getProperty("HasImpressionIncr").toBool().value();
}

} // namespace bw
