#include "framework/EventLoop.h"

#include <algorithm>

namespace bw {

EventLoop::TimerId EventLoop::add(std::chrono::milliseconds delay,
                                  std::chrono::milliseconds interval, Callback call) {
    const TimerId id = nextId_++;
    timers_.emplace(id, Scheduled{clock_.now() + delay, interval, nextOrder_++,
                                  std::make_shared<Callback>(std::move(call))});
    return id;
}

EventLoop::TimerId EventLoop::startTimer(std::chrono::milliseconds interval, Callback tick) {
    if (interval.count() <= 0 || !tick) return 0;
    return add(interval, interval, std::move(tick));
}

EventLoop::TimerId EventLoop::callAfter(std::chrono::milliseconds delay, Callback call) {
    if (!call) return 0;
    return add(std::max(delay, std::chrono::milliseconds(0)), std::chrono::milliseconds(0),
               std::move(call));
}

bool EventLoop::stopTimer(TimerId id) {
    return timers_.erase(id) != 0;
}

void EventLoop::post(Callback call) {
    if (call) posted_.push_back(std::move(call));
}

void EventLoop::runPosted() {
    // Notifications posted by these callbacks run in the same turn, after them.
    while (!posted_.empty()) {
        Callback call = std::move(posted_.front());
        posted_.pop_front();
        call();
    }
}

bool EventLoop::fireNext(Clock::TimePoint end) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (next == timers_.end() || it->second.due < next->second.due ||
            (it->second.due == next->second.due && it->second.order < next->second.order))
            next = it;
    if (next == timers_.end() || next->second.due > end) return false;

    Scheduled& timer = next->second;
    clock_.sleepUntil(timer.due);
    // Keep the callback alive even if it stops its own timer.
    const std::shared_ptr<Callback> callback = timer.callback;
    if (timer.interval.count() == 0) {
        timers_.erase(next);
    } else {
        // A late tick does not pile up a backlog of ticks.
        timer.due += timer.interval;
        if (timer.due <= clock_.now()) timer.due = clock_.now() + timer.interval;
        timer.order = nextOrder_++;
    }
    (*callback)();
    runPosted();
    return true;
}

void EventLoop::processEvents() {
    runPosted();
    const Clock::TimePoint now = clock_.now();
    while (fireNext(now)) {
    }
}

void EventLoop::runFor(std::chrono::milliseconds duration) {
    runUntil(clock_.now() + duration);
}

void EventLoop::runUntil(Clock::TimePoint end) {
    runPosted();
    while (fireNext(end)) {
    }
    clock_.sleepUntil(end);
    runPosted();
}

} // namespace bw
