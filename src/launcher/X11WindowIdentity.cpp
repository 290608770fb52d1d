#include "X11WindowIdentity.h"

#include "SdlPtr.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <string>
#include <vector>

namespace stockmark {

namespace {

SDL_SysWMinfo windowInfo(SDL_Window* window) {
    SDL_SysWMinfo info{};
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) info.subsystem = SDL_SYSWM_UNKNOWN;
    return info;
}

// Appends one icon in the _NET_WM_ICON layout: width, height, then ARGB pixels row by row.
// The property's 32-bit items travel as longs on the client side, whatever their size.
void appendIcon(std::vector<unsigned long>& data, SDL_Surface* icon) {
    const SurfacePtr argb(SDL_ConvertSurfaceFormat(icon, SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) return;
    data.push_back(static_cast<unsigned long>(argb->w));
    data.push_back(static_cast<unsigned long>(argb->h));
    const auto* bytes = static_cast<const unsigned char*>(argb->pixels);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(bytes + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x) data.push_back(row[x] | 0xFF000000u);
    }
}

} // namespace

std::optional<X11WindowIdentity> X11WindowIdentity::of(SDL_Window* window) {
    if (windowInfo(window).subsystem != SDL_SYSWM_X11) return std::nullopt;
    return X11WindowIdentity(window);
}

void X11WindowIdentity::setClassName(std::string_view className) const {
    const SDL_SysWMinfo info = windowInfo(window_);
    std::string name(className);
    XClassHint hint{name.data(), name.data()};
    XSetClassHint(info.info.x11.display, info.info.x11.window, &hint);
}

void X11WindowIdentity::setIcons(std::span<SDL_Surface* const> icons) const {
    std::vector<unsigned long> data;
    for (SDL_Surface* icon : icons)
        if (icon) appendIcon(data, icon);
    if (data.empty()) return;
    const SDL_SysWMinfo info = windowInfo(window_);
    Display* display = info.info.x11.display;
    XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_ICON", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

} // namespace stockmark
