// AutoText: the counters in its text.

#include "framework/Guarded.h"
#include "framework/IncrementCounters.h"
#include "text/AutoText.h"

namespace bw {

std::string AutoText::InsertIncrement(const std::string& s, std::int16_t i) {
    return guarded(host(), tagFor("InsertIncrement"), s, [&] { return insertIncrement(s, i); });
}

template <class Step>
void AutoText::advanceCounters(std::string_view routine, bool enabled, Step step) {
    guarded(host(), tagFor(routine), [&] {
        if (!enabled) return;
        text_ = step().text;
        displayText_ = stripIncrementTokens(text_);
        NotifyChange();
        raisePlsSaveMe();
    });
}

void AutoText::DoLabelIncrement() {
    advanceCounters("DoLabelIncrement", hasLabelIncr_, [&] { return labelIncrementStep(text_); });
}

void AutoText::DoImpressionIncrement() {
    advanceCounters("DoImpressionIncrement", hasImpressionIncr_,
                    [&] { return impressionIncrementStep(text_); });
}

void AutoText::DoResetIncr() {
    advanceCounters("DoResetIncr", hasImpressionIncr_,
                    [&] { return resetIncrementStep(text_, templateText_); });
}

} // namespace bw
