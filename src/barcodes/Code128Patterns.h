#pragma once
// The bar patterns of Code 128, read from the library's "EAN128" and "EAN128STOP" resources.
// One byte per module, left to right, 1 a bar and 0 a space: "EAN128" holds the 106 symbol
// characters of 11 modules each, the pattern of value v at offset 11v (103 to 105 are the start
// characters A, B and C), then two unused zero bytes; "EAN128STOP" holds the 13-module stop
// pattern, then three unused zero bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace bw {

class Code128Patterns {
public:
    static constexpr std::size_t valueCount = 106;
    static constexpr std::size_t symbolModules = 11;
    static constexpr std::size_t stopModules = 13;

    // Copies the tables; throws HostError when either is short or holds a byte other than 0 or 1.
    Code128Patterns(std::span<const std::byte> symbols, std::span<const std::byte> stop);

    // The tables compiled into the library; throws HostError when one is missing.
    static Code128Patterns fromResources();

    // The modules of symbol value `value` (0 to 105).
    std::span<const std::uint8_t, symbolModules> pattern(std::uint8_t value) const;
    std::span<const std::uint8_t, stopModules> stop() const { return stop_; }

    // The modules of a symbol: the pattern of every value in order, then the stop pattern.
    // Throws HostError on a value beyond the table.
    std::vector<std::uint8_t> barsOf(std::span<const std::uint8_t> codes) const;

private:
    std::array<std::uint8_t, valueCount * symbolModules> symbols_{};
    std::array<std::uint8_t, stopModules> stop_{};
};

} // namespace bw
