#pragma once
// The symbol tables of the EAN/UPC and ITF encoders, copied out of the library's resources
// ("etables", "etabs", "eeguard", "ecguard", "itftables"; resources/barcodes/README.md has their
// layouts). Each element keeps its own copy, loaded when it is created and when it is loaded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace bw {

// How a table is found by name: the library's resources, or a host's, or a test's.
using ResourceLookup = std::function<std::span<const std::byte>(std::string_view)>;

struct EanTables {
    std::array<std::uint8_t, 212> etables{}; // number sets A, B, C: 7 modules per digit
    std::array<std::uint8_t, 60> etabs{};    // per leading digit, the set offset of each left char
    std::array<std::uint8_t, 4> eeguard{};   // normal guard in bytes 0-2
    std::array<std::uint8_t, 8> ecguard{};   // centre guard in bytes 0-4
};

struct ItfTables {
    std::array<std::uint8_t, 52> itftables{}; // per digit, 5 elements: 1 wide, 0 narrow
};

class BarcodeTables {
public:
    // Both throw HostError 326 naming the table when one is missing or shorter than its layout,
    // and 5 when ETABS points outside ETABLES, so an encoder never indexes past a table.
    static EanTables ean(const ResourceLookup& lookup = libraryResources());
    static ItfTables itf(const ResourceLookup& lookup = libraryResources());

    // One table by name, its first `size` bytes copied; the same failures.
    static std::vector<std::uint8_t> table(std::string_view name, std::size_t size,
                                           const ResourceLookup& lookup = libraryResources());

    static ResourceLookup libraryResources();
};

} // namespace bw
