#pragma once
// The time base of the event loop. The steady clock waits for real; the virtual clock jumps,
// so tests of timers and serial lines run instantly and never sleep.

#include <chrono>
#include <thread>

namespace bw {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleepUntil(TimePoint t) = 0;
};

class SteadyClock final : public Clock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint t) override { std::this_thread::sleep_until(t); }
};

class VirtualClock final : public Clock {
public:
    TimePoint now() const override { return now_; }
    void sleepUntil(TimePoint t) override {
        if (t > now_) now_ = t;
    }

private:
    TimePoint now_{};
};

} // namespace bw
