#pragma once
// The launcher's own resources: its strings and the pictures embedded in the executable.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace stockmark {

// String resources, by number.
enum class LauncherString {
    WindowTitle = 103,
    WindowClassName = 109,
};

class LauncherResources {
public:
    // The text of a string resource.
    static std::string_view string(LauncherString id);

    // The splash picture: a 600 x 317, 24-bit bitmap file.
    static std::span<const std::byte> splashBitmap();

    // The program icon as 16-colour bitmap files, 32 x 32 first, then 16 x 16.
    static std::array<std::span<const std::byte>, 2> iconBitmaps();
};

} // namespace stockmark
