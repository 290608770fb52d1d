#pragma once
// What SDL leaves to chance on an X11 window: the window class, which SDL takes from the
// executable's name, and an icon in more than one size.

#include <SDL.h>
#include <optional>
#include <span>
#include <string_view>

namespace stockmark {

class X11WindowIdentity {
public:
    // Empty when the window is not an X11 window.
    static std::optional<X11WindowIdentity> of(SDL_Window* window);

    // Sets WM_CLASS; window managers read it when the window is mapped, so call it before.
    void setClassName(std::string_view className) const;

    // Sets _NET_WM_ICON: one entry per surface, each drawn opaque.
    void setIcons(std::span<SDL_Surface* const> icons) const;

private:
    explicit X11WindowIdentity(SDL_Window* window) : window_(window) {}
    SDL_Window* window_;
};

} // namespace stockmark
