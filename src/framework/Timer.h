#pragma once
// A timer control: an interval in milliseconds, an enabled flag and a tick, on the host's
// event loop. Enabling an enabled timer changes nothing; a new interval restarts the count.
// An interval of 0 never ticks. The timer stops when it is destroyed.

#include "framework/EventLoop.h"

#include <chrono>
#include <functional>

namespace bw {

class Timer {
public:
    Timer(EventLoop& loop, std::function<void()> tick) : loop_(loop), tick_(std::move(tick)) {}
    ~Timer() { stop(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::chrono::milliseconds interval() const { return interval_; }
    void setInterval(std::chrono::milliseconds interval);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

private:
    void start();
    void stop();

    EventLoop& loop_;
    std::function<void()> tick_;
    std::chrono::milliseconds interval_{0};
    bool enabled_ = false;
    EventLoop::TimerId id_ = 0;
};

} // namespace bw
