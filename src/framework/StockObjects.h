#pragma once
// The stock drawing objects every context starts with, registered under fixed handles.

#include "framework/GdiObjects.h"

#include <memory>

namespace bw {

// The stock object `which` (WHITE_BRUSH, BLACK_PEN, SYSTEM_FONT, ...), or null.
std::shared_ptr<GdiObject> stockObject(int which);
// A 1 × 1 picture that memory contexts hold until a bitmap is selected into them.
constexpr int DEFAULT_BITMAP = DEFAULT_GUI_FONT + 1;
constexpr Handle stockHandle(int which) {
    return 0x100u + static_cast<Handle>(which);
}

} // namespace bw
