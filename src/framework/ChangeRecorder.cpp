#include "framework/ChangeRecorder.h"

#include "framework/CaseFold.h"

#include <algorithm>

namespace bw {

void ChangeRecorder::propertyChanged(std::string_view key) {
    if (!hasChanged(key)) keys_.emplace_back(key);
    if (listener_) listener_(key);
}

bool ChangeRecorder::hasChanged(std::string_view key) const {
    return std::any_of(keys_.begin(), keys_.end(),
                       [&](const std::string& k) { return iequals(k, key); });
}

} // namespace bw
