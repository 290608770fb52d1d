#pragma once
// The container's record of changed properties: an element reports each key it changed, and
// the host learns from it that the element needs saving.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ChangeRecorder {
public:
    using Listener = std::function<void(std::string_view key)>;

    void propertyChanged(std::string_view key);
    // Called on every report, also for a key already recorded.
    void setListener(Listener listener) { listener_ = std::move(listener); }

    bool isDirty() const { return !keys_.empty(); }
    bool hasChanged(std::string_view key) const;
    // Each key once, in the order first reported, spelled as first reported.
    const std::vector<std::string>& changedKeys() const { return keys_; }
    void clear() { keys_.clear(); }

private:
    std::vector<std::string> keys_;
    Listener listener_;
};

} // namespace bw
