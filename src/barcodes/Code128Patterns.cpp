#include "barcodes/Code128Patterns.h"

#include "framework/ErrorInfo.h"
#include "framework/HostError.h"
#include "framework/Resources.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace bw {

namespace {

// The runtime's number for a resource the library does not hold.
constexpr std::int32_t resourceNotFound = 326;

template <std::size_t N>
void copyModules(std::span<const std::byte> from, std::array<std::uint8_t, N>& to,
                 std::string_view name) {
    if (from.size() < N)
        throw HostError(err::subscriptOutOfRange,
                        "Table " + std::string(name) + " has " + std::to_string(from.size()) +
                            " bytes, expecting at least " + std::to_string(N));
    for (std::size_t i = 0; i < N; ++i) {
        const auto module = std::to_integer<std::uint8_t>(from[i]);
        if (module > 1)
            throw HostError(err::invalidProcedureCall, "Invalid module " + std::to_string(module) +
                                                           " at offset " + std::to_string(i) +
                                                           " of table " + std::string(name) +
                                                           ", expecting 0 or 1");
        to[i] = module;
    }
}

std::span<const std::byte> resource(std::string_view name) {
    const std::span<const std::byte> bytes = resources::resourceByName(name);
    if (bytes.empty())
        throw HostError(resourceNotFound,
                        "Resource with identifier " + std::string(name) + " not found");
    return bytes;
}

} // namespace

Code128Patterns::Code128Patterns(std::span<const std::byte> symbols,
                                 std::span<const std::byte> stop) {
    copyModules(symbols, symbols_, "EAN128");
    copyModules(stop, stop_, "EAN128STOP");
}

Code128Patterns Code128Patterns::fromResources() {
    return Code128Patterns(resource("ean128"), resource("ean128stop"));
}

std::span<const std::uint8_t, Code128Patterns::symbolModules>
Code128Patterns::pattern(std::uint8_t value) const {
    if (value >= valueCount)
        throw HostError(err::subscriptOutOfRange,
                        "Invalid symbol value " + std::to_string(value) + ", expecting 0 to 105");
    return std::span<const std::uint8_t, symbolModules>(symbols_.data() + value * symbolModules,
                                                        symbolModules);
}

std::vector<std::uint8_t> Code128Patterns::barsOf(std::span<const std::uint8_t> codes) const {
    std::vector<std::uint8_t> bars;
    bars.reserve(codes.size() * symbolModules + stopModules);
    for (const std::uint8_t value : codes) {
        const auto modules = pattern(value);
        bars.insert(bars.end(), modules.begin(), modules.end());
    }
    bars.insert(bars.end(), stop_.begin(), stop_.end());
    return bars;
}

} // namespace bw
