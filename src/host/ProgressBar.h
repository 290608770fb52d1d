#pragma once
// A progress line on standard error for runs long enough to wait for: it appears only after a
// second, only on a terminal, and is wiped when the run ends. The print engine gives no count
// while it plays one recording into many slots, so a run without known progress shows the
// time spent instead of a bar. A thread of its own redraws the line; the run only stores the
// count.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace bw::host {

class ProgressBar {
public:
    static constexpr std::chrono::milliseconds delay{1000};

    // `total` labels; nothing is shown unless `enabled` and standard error is a terminal.
    ProgressBar(std::int64_t total, bool enabled);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Wipes the line and stops redrawing it, before anything else is written.
    void stop();
    // Labels done so far; any thread.
    void set(std::int64_t done) { done_.store(done, std::memory_order_relaxed); }

    // The line for `done` of `total` after `seconds` (done < 0: not known).
    static std::string line(std::int64_t done, std::int64_t total, double seconds);
    static bool standardErrorIsTerminal();

private:
    void run();

    std::int64_t total_;
    std::atomic<std::int64_t> done_{-1};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace bw::host
