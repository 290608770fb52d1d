#include "host/ProgressBar.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace bw::host {

namespace {

constexpr int barWidth = 30;
constexpr std::chrono::milliseconds redrawEvery{100};

void writeToStandardError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

ProgressBar::ProgressBar(std::int64_t total, bool enabled) : total_(total) {
    if (enabled && standardErrorIsTerminal()) thread_ = std::thread([this] { run(); });
}

ProgressBar::~ProgressBar() {
    stop();
}

void ProgressBar::stop() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

bool ProgressBar::standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

std::string ProgressBar::line(std::int64_t done, std::int64_t total, double seconds) {
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", seconds);
    if (done < 0 || total <= 0) return "printing " + std::to_string(total) + " labels ... " + time;
    done = std::clamp<std::int64_t>(done, 0, total);
    const auto filled = static_cast<int>(done * barWidth / total);
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(barWidth - filled), '.') + "] " +
           std::to_string(done) + "/" + std::to_string(total) + " labels  " + time;
}

void ProgressBar::run() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, delay, [this] { return stop_; })) return;
    bool shown = false;
    do {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        writeToStandardError(
            "\r" + line(done_.load(std::memory_order_relaxed), total_, elapsed.count()) + "\033[K");
        shown = true;
    } while (!wake_.wait_for(lock, redrawEvery, [this] { return stop_; }));
    if (shown) writeToStandardError("\r\033[K");
}

} // namespace bw::host
