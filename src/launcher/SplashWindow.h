#pragma once
// The splash popup: the picture inside a one-pixel border, titled and classed from the
// program's resources, with the program's icon. It knows which events end the splash.

#include "SdlPtr.h"

#include <SDL.h>
#include <optional>

namespace stockmark {

class SplashWindow {
public:
    enum class Outcome { Showing, Ended };

    // Empty when no window can be made, as when there is no display.
    static std::optional<SplashWindow> create();

    // Maps the window and paints it at once.
    void show();

    // A left press on the picture, or the window being closed, ends the splash; exposures
    // repaint it.
    Outcome handle(const SDL_Event& event);

private:
    SplashWindow(WindowPtr window, SurfacePtr picture);
    void paint();

    WindowPtr window_;
    SurfacePtr picture_;
};

} // namespace stockmark
