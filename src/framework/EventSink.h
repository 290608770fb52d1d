#pragma once
// Events go to the container through one sink: the event's name and its arguments, by
// reference, so the container's handler may change them (PackDetected's count, for one).

#include "framework/Variant.h"

#include <span>
#include <string_view>

namespace bw {

class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void raise(std::string_view name, std::span<Variant> args) = 0;
};

// An element without a container has no sink; its events go nowhere.
inline void raiseEvent(EventSink* sink, std::string_view name, std::span<Variant> args = {}) {
    if (sink) sink->raise(name, args);
}

} // namespace bw
