#pragma once
// The host's single-threaded event loop: repeating timers, one-shot calls and posted
// notifications, all run between the host's calls, never during one. Callbacks may start and
// stop timers, their own included.

#include "framework/Clock.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>

namespace bw {

class EventLoop {
public:
    using TimerId = std::uint32_t; // 0 is no timer
    using Callback = std::function<void()>;

    explicit EventLoop(Clock& clock) : clock_(clock) {}
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    Clock::TimePoint now() const { return clock_.now(); }

    // Ticks every `interval` from now on until stopped; an interval of 0 or less starts nothing.
    TimerId startTimer(std::chrono::milliseconds interval, Callback tick);
    // Runs `call` once after `delay`.
    TimerId callAfter(std::chrono::milliseconds delay, Callback call);
    bool stopTimer(TimerId id);
    bool isRunning(TimerId id) const { return timers_.count(id) != 0; }
    // Runs `call` at the next turn of the loop.
    void post(Callback call);

    // Runs what is posted and what is due now, without waiting.
    void processEvents();
    // Runs everything that falls due within `duration`, waiting on the clock in between.
    void runFor(std::chrono::milliseconds duration);
    void runUntil(Clock::TimePoint end);

private:
    struct Scheduled {
        Clock::TimePoint due;
        std::chrono::milliseconds interval; // 0: one-shot
        std::uint64_t order;                // ties run in the order they were scheduled
        std::shared_ptr<Callback> callback;
    };

    TimerId add(std::chrono::milliseconds delay, std::chrono::milliseconds interval, Callback call);
    void runPosted();
    // Fires the earliest timer due by `end`; false when none is.
    bool fireNext(Clock::TimePoint end);

    Clock& clock_;
    std::map<TimerId, Scheduled> timers_;
    std::deque<Callback> posted_;
    TimerId nextId_ = 1;
    std::uint64_t nextOrder_ = 0;
};

} // namespace bw
