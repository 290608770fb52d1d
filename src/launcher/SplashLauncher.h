#pragma once
// The launcher from start to end: show the splash, start the host, and end seven seconds
// after the host was started or at the first left click on the picture.

#include <chrono>

namespace stockmark {

class SplashWindow;

class SplashLauncher {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds showTime{7000};

    // The program's exit code, which is always 0: a missing display ends it at once, before
    // the host is started.
    int run();

private:
    static void showUntilDone(SplashWindow& window, Clock::time_point start);
};

} // namespace stockmark
