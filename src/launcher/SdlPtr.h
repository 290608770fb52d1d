#pragma once
// Owning handles for SDL objects, released on every path.

#include <SDL.h>
#include <memory>

namespace stockmark {

template <auto Release>
struct SdlRelease {
    template <class T>
    void operator()(T* object) const noexcept {
        Release(object);
    }
};

using WindowPtr = std::unique_ptr<SDL_Window, SdlRelease<&SDL_DestroyWindow>>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlRelease<&SDL_FreeSurface>>;

} // namespace stockmark
