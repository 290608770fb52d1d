#pragma once
// Owns a drawing object (pen, brush, font, region, bitmap) and deletes it when it goes, on
// every path. An object must be selected out of every context before it is deleted:
// ScopedSelect does that before the object it owns goes.

#include "framework/Gdi.h"

#include <utility>

namespace bw {

class UniqueGdiObject {
public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(HGDIOBJ object) : object_(object) {}
    ~UniqueGdiObject() { reset(); }

    UniqueGdiObject(UniqueGdiObject&& other) noexcept : object_(std::exchange(other.object_, 0)) {}
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.object_, 0));
        return *this;
    }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;

    HGDIOBJ get() const { return object_; }
    explicit operator bool() const { return object_ != 0; }
    // Deletes the object held (if any) and holds `object` instead.
    void reset(HGDIOBJ object = 0) {
        if (object_) gdi::DeleteObject(object_);
        object_ = object;
    }

private:
    HGDIOBJ object_ = 0;
};

} // namespace bw
