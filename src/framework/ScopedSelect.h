#pragma once
// Selects a pen, brush, font or bitmap into a context for a scope and selects the previous one
// back when the scope ends, on every path, exceptions included. Given ownership of the object,
// it deletes it after selecting it out. (Regions are not selected this way: selecting a region
// sets the clip and returns no object.)
//
//   const ScopedSelect pen(hdc, UniqueGdiObject(gdi::CreatePen(PS_DOT, 1, colour)));

#include "framework/Gdi.h"
#include "framework/UniqueGdiObject.h"

#include <utility>

namespace bw {

class ScopedSelect {
public:
    ScopedSelect(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(gdi::SelectObject(hdc, object)) {}
    ScopedSelect(HDC hdc, UniqueGdiObject object)
        : owned_(std::move(object)), hdc_(hdc), previous_(gdi::SelectObject(hdc, owned_.get())) {}
    // The owned object, if any, is deleted after this body has selected it out.
    ~ScopedSelect() {
        if (previous_) gdi::SelectObject(hdc_, previous_);
    }

    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    // False when the context or the object was not valid; nothing is restored then.
    bool selected() const { return previous_ != 0; }
    HGDIOBJ previous() const { return previous_; }

private:
    UniqueGdiObject owned_; // first: it must exist before it is selected
    HDC hdc_;
    HGDIOBJ previous_;
};

} // namespace bw
