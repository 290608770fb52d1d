#pragma once
// The container's standard font object as a value: face name, size in points, styles and
// character set.

#include <cstdint>
#include <string>

namespace bw {

struct FontDesc {
    std::string name = "Arial";
    double size = 12; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int16_t charset = 0;

    bool operator==(const FontDesc&) const = default;
};

} // namespace bw
