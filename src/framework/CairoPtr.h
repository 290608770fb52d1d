#pragma once
// Owning handles for cairo objects: released on every path, copied by taking a reference.

#include <cairo.h>
#include <memory>

namespace bw {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const noexcept { cairo_surface_destroy(s); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* c) const noexcept { cairo_destroy(c); }
};
struct CairoPatternDeleter {
    void operator()(cairo_pattern_t* p) const noexcept { cairo_pattern_destroy(p); }
};

using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using CairoContext = std::unique_ptr<cairo_t, CairoContextDeleter>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;

inline CairoSurface shareSurface(cairo_surface_t* s) {
    return CairoSurface(s ? cairo_surface_reference(s) : nullptr);
}

// Saves the cairo state and restores it when the scope ends, exceptions included.
class CairoSaveGuard {
public:
    explicit CairoSaveGuard(cairo_t* cr) : cr_(cr) {
        if (cr_) cairo_save(cr_);
    }
    ~CairoSaveGuard() {
        if (cr_) cairo_restore(cr_);
    }
    CairoSaveGuard(const CairoSaveGuard&) = delete;
    CairoSaveGuard& operator=(const CairoSaveGuard&) = delete;

private:
    cairo_t* cr_;
};

} // namespace bw
