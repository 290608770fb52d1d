#include "framework/Timer.h"

namespace bw {

void Timer::setInterval(std::chrono::milliseconds interval) {
    interval_ = interval;
    if (enabled_) start();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        start();
    else
        stop();
}

void Timer::start() {
    stop();
    // The loop keeps this callback alive while it runs, so a tick may disable its timer.
    id_ = loop_.startTimer(interval_, [this] { tick_(); });
}

void Timer::stop() {
    if (id_ != 0) loop_.stopTimer(id_);
    id_ = 0;
}

} // namespace bw
