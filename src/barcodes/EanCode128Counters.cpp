// EanCode128: counters in the token text. A barcode's data has a fixed length, so a counter
// keeps its width and wraps (99 becomes 00) instead of growing as AutoText's do.

#include "barcodes/EanCode128.h"
#include "framework/Guarded.h"
#include "framework/IncrementCounters.h"

#include <algorithm>

namespace bw {

std::string EanCode128::StripCodeTokens(const std::string& t) const {
    std::string code = stripIncrementTokens(hasSSCC_ ? Gs1Encoder::SSCCCheck(t) : t);
    std::erase(code, ' ');
    return code;
}

// Without counters the token text is the code, spaces and all.
std::string EanCode128::derivedCode() const {
    return hasLabelIncr_ || hasImpressionIncr_ ? StripCodeTokens(tokenText_) : tokenText_;
}

std::string EanCode128::InsertIncrement(const std::string& s, std::int16_t i) {
    return guarded(host(), tagFor("InsertIncrement"), s,
                   [&] { return insertIncrement(s, i, CounterCarry::Drop); });
}

void EanCode128::codeFromTokens() {
    text_ = derivedCode();
    GetEanCode();
    RequestRedraw();
    raisePlsSaveMe();
}

void EanCode128::DoLabelIncrement() {
    guarded(host(), tagFor("DoLabelIncrement"), [&] {
        if (!hasLabelIncr_) return;
        tokenText_ = labelIncrementStep(tokenText_, CounterCarry::Drop).text;
        codeFromTokens();
    });
}

void EanCode128::DoImpressionIncrement() {
    if (!hasImpressionIncr_) return;
    tokenText_ = impressionIncrementStep(tokenText_, CounterCarry::Drop).text;
    codeFromTokens();
}

void EanCode128::DoResetIncr() {
    guarded(host(), tagFor("DoResetIncr"), [&] {
        if (!hasImpressionIncr_) return;
        CounterStep reset = resetIncrementStep(tokenText_, templateText_);
        if (reset.tokens == 0) return;
        tokenText_ = std::move(reset.text);
        codeFromTokens();
    });
}

} // namespace bw
