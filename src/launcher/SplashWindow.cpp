#include "SplashWindow.h"

#include "LauncherResources.h"
#include "SplashGeometry.h"
#include "X11WindowIdentity.h"

#include <array>
#include <string>
#include <utility>

namespace stockmark {

namespace {

SurfacePtr loadBitmap(std::span<const std::byte> file) {
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (!source) return nullptr;
    return SurfacePtr(SDL_LoadBMP_RW(source, 1)); // 1: the load closes the source
}

void setIdentity(SDL_Window* window) {
    const auto files = LauncherResources::iconBitmaps();
    std::array<SurfacePtr, files.size()> icons;
    std::array<SDL_Surface*, files.size()> iconViews{};
    for (std::size_t i = 0; i < files.size(); ++i) {
        icons[i] = loadBitmap(files[i]);
        iconViews[i] = icons[i].get();
    }
    if (const auto x11 = X11WindowIdentity::of(window)) {
        x11->setClassName(LauncherResources::string(LauncherString::WindowClassName));
        x11->setIcons(iconViews);
    } else if (icons[0]) {
        SDL_SetWindowIcon(window, icons[0].get());
    }
}

} // namespace

SplashWindow::SplashWindow(WindowPtr window, SurfacePtr picture)
    : window_(std::move(window)), picture_(std::move(picture)) {}

std::optional<SplashWindow> SplashWindow::create() {
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(0, &screen) != 0) return std::nullopt;
    const SplashGeometry geometry =
        SplashGeometry::centredOn({screen.x, screen.y, screen.w, screen.h});
    const std::string title(LauncherResources::string(LauncherString::WindowTitle));
    // Hidden until the class and icon are set, since window managers read them at mapping.
    WindowPtr window(SDL_CreateWindow(title.c_str(), geometry.x(), geometry.y(),
                                      SplashGeometry::windowWidth, SplashGeometry::windowHeight,
                                      SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS));
    if (!window) return std::nullopt;
    setIdentity(window.get());
    return SplashWindow(std::move(window), loadBitmap(LauncherResources::splashBitmap()));
}

void SplashWindow::show() {
    SDL_ShowWindow(window_.get());
    paint();
}

SplashWindow::Outcome SplashWindow::handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        // The border is not the picture: a press there, like any other button, does nothing.
        if (event.button.windowID == SDL_GetWindowID(window_.get()) &&
            event.button.button == SDL_BUTTON_LEFT &&
            SplashGeometry::onPicture(event.button.x, event.button.y))
            return Outcome::Ended;
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) paint();
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) return Outcome::Ended;
        break;
    case SDL_QUIT:
        return Outcome::Ended;
    default:
        break;
    }
    return Outcome::Showing;
}

void SplashWindow::paint() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_.get()); // owned by the window
    if (!surface) return;
    // The whole window in black, then the picture over all of it but the one-pixel frame.
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    if (picture_) {
        SDL_Rect from{0, 0, SplashGeometry::pictureWidth, SplashGeometry::pictureHeight};
        SDL_Rect to{SplashGeometry::border, SplashGeometry::border, 0, 0};
        SDL_BlitSurface(picture_.get(), &from, surface, &to);
    }
    SDL_UpdateWindowSurface(window_.get());
}

} // namespace stockmark
