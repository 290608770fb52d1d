#include "SdlVideo.h"

#include <SDL.h>

namespace stockmark {

namespace {

void chooseVideoSettings() {
    // The window is placed at a computed position, which only X11 honours. The default
    // priority lets a user's SDL_VIDEODRIVER choose otherwise; without a display, start-up
    // fails here instead of falling back to a console driver.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_DEFAULT);
    // A plain X image for the window contents: a GPU texture would bring up OpenGL, which on
    // a software rasteriser costs more processor time than the whole splash.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A splash screen has no reason to hold off the screen saver.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // SDL drops a click that arrives with the window's focus; the click that also focuses the
    // splash must close it all the same.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

} // namespace

SdlVideo::SdlVideo() {
    chooseVideoSettings();
    available_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

SdlVideo::~SdlVideo() {
    if (available_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

} // namespace stockmark
