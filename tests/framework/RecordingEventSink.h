#pragma once
// An event sink for tests: records every event with a copy of its arguments, and lets a test
// play the container's handler, which may change the arguments.

#include "framework/EventSink.h"

#include <functional>
#include <string>
#include <vector>

namespace bw::test {

class RecordingEventSink : public EventSink {
public:
    struct Event {
        std::string name;
        std::vector<Variant> args; // as the handler left them
    };

    std::vector<Event> events;
    std::function<void(std::string_view name, std::span<Variant> args)> handler;

    void raise(std::string_view name, std::span<Variant> args) override {
        if (handler) handler(name, args);
        events.push_back({std::string(name), {args.begin(), args.end()}});
    }
};

} // namespace bw::test
