#include "SplashLauncher.h"

#include "HostProcess.h"
#include "SdlVideo.h"
#include "SplashWindow.h"
#include "X11ErrorTolerance.h"

#include <SDL.h>

namespace stockmark {

int SplashLauncher::run() {
    const X11ErrorTolerance tolerance;
    const SdlVideo video;
    if (!video.available()) return 0;
    auto window = SplashWindow::create();
    if (!window) return 0;
    window->show();
    const Clock::time_point start = Clock::now();
    HostProcess::startDetached("smmain");
    showUntilDone(*window, start);
    return 0;
}

void SplashLauncher::showUntilDone(SplashWindow& window, Clock::time_point start) {
    using std::chrono::milliseconds;
    SDL_Event event;
    for (;;) {
        // Waiting events are handled before the time is looked at: the seven seconds are
        // checked only when the queue is empty, so a steady stream of events postpones the end.
        while (SDL_PollEvent(&event))
            if (window.handle(event) == SplashWindow::Outcome::Ended) return;
        const Clock::duration elapsed = Clock::now() - start;
        if (elapsed >= showTime) return;
        // Sleep until the next event or the end of the splash, rounded up so that the wait
        // never ends just short of it.
        const auto remaining = std::chrono::ceil<milliseconds>(showTime - elapsed);
        if (SDL_WaitEventTimeout(&event, static_cast<int>(remaining.count())) == 1 &&
            window.handle(event) == SplashWindow::Outcome::Ended)
            return;
    }
}

} // namespace stockmark
