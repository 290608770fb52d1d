#include "barcodes/BarcodeTables.h"

#include "framework/ErrorInfo.h"
#include "framework/HostError.h"
#include "framework/Resources.h"

#include <algorithm>
#include <string>

namespace bw {

namespace {

// The runtime's "Resource with identifier not found".
constexpr std::int32_t resourceNotFound = 326;

template <std::size_t N>
void copyTable(std::array<std::uint8_t, N>& into, std::string_view name,
               const ResourceLookup& lookup) {
    const std::vector<std::uint8_t> bytes = BarcodeTables::table(name, N, lookup);
    std::copy(bytes.begin(), bytes.end(), into.begin());
}

} // namespace

ResourceLookup BarcodeTables::libraryResources() {
    return [](std::string_view name) { return resources::resourceByName(name); };
}

std::vector<std::uint8_t> BarcodeTables::table(std::string_view name, std::size_t size,
                                               const ResourceLookup& lookup) {
    const std::span<const std::byte> bytes = lookup(name);
    if (bytes.empty())
        throw HostError(resourceNotFound,
                        "Resource with identifier '" + std::string(name) + "' not found");
    if (bytes.size() < size)
        throw HostError(resourceNotFound, "Resource '" + std::string(name) + "' has " +
                                              std::to_string(bytes.size()) + " bytes, expecting " +
                                              std::to_string(size));
    std::vector<std::uint8_t> out(size);
    std::transform(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), out.begin(),
                   [](std::byte b) { return std::to_integer<std::uint8_t>(b); });
    return out;
}

EanTables BarcodeTables::ean(const ResourceLookup& lookup) {
    EanTables t;
    copyTable(t.etables, "etables", lookup);
    copyTable(t.etabs, "etabs", lookup);
    copyTable(t.eeguard, "eeguard", lookup);
    copyTable(t.ecguard, "ecguard", lookup);
    // Each offset picks number set A (0) or B (70); anything else would read beyond set C.
    for (std::size_t i = 0; i < t.etabs.size(); ++i)
        if (t.etabs[i] != 0 && t.etabs[i] != 70)
            throw HostError(err::invalidProcedureCall, "ETABS byte " + std::to_string(i) + " is " +
                                                           std::to_string(t.etabs[i]) +
                                                           ", expecting 0 or 70");
    return t;
}

ItfTables BarcodeTables::itf(const ResourceLookup& lookup) {
    ItfTables t;
    copyTable(t.itftables, "itftables", lookup);
    return t;
}

} // namespace bw
