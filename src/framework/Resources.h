#pragma once
// The raw-data resources compiled into the library (barcode tables and the like), listed in
// resources/Resources.cmake. Names compare without regard to letter case.

#include <cstddef>
#include <span>
#include <string_view>

namespace bw::resources {

// The bytes of the named resource; empty when the library has none of that name.
std::span<const std::byte> resourceByName(std::string_view name);

} // namespace bw::resources
