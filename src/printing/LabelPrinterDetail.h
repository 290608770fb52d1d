#pragma once
// Helpers the engine's files share: whole twips by the system's rounding rule, and the
// runtime's printer error.

#include "framework/HostError.h"
#include "framework/Rounding.h"

#include <cstdint>
#include <string>

namespace bw::detail {

inline constexpr std::int32_t printerError = 482;

[[noreturn]] inline void failPrinter(const std::string& what) {
    throw HostError(printerError, "Printer error: " + what);
}

// A twip length or position as a whole number of twips; out of range is an overflow.
inline std::int32_t wholeTwips(double twips) {
    const auto whole = toInt32(twips);
    if (!whole) throw HostError(err::overflow, "Overflow");
    return *whole;
}

} // namespace bw::detail
