#pragma once
// An error as the system reports it: number, source, description and the failing line.
// The numbers are those of the host runtime, so hosts and logs read the same as before.

#include <cstdint>
#include <string>

namespace bw {

struct ErrorInfo {
    std::int32_t number = 0;
    std::string source;
    std::string description;
    int line = 0; // 0 when the failing routine does not number its lines

    bool operator==(const ErrorInfo&) const = default;
};

// The source of errors the library raises itself, as the runtime names its project.
inline constexpr const char* errorSource = "BWCTRLS";

namespace err {
inline constexpr std::int32_t invalidProcedureCall = 5;
inline constexpr std::int32_t overflow = 6;
inline constexpr std::int32_t outOfMemory = 7;
inline constexpr std::int32_t subscriptOutOfRange = 9;
inline constexpr std::int32_t typeMismatch = 13;
inline constexpr std::int32_t diskFull = 61;
inline constexpr std::int32_t permissionDenied = 70;
inline constexpr std::int32_t pathFileAccess = 75;
inline constexpr std::int32_t pathNotFound = 76;
inline constexpr std::int32_t readOnlyProperty = 383;
inline constexpr std::int32_t writeOnlyProperty = 394;
inline constexpr std::int32_t cannotCreateObject = 429;
inline constexpr std::int32_t objectRequired = 424;
inline constexpr std::int32_t unknownMember = 438;
inline constexpr std::int32_t wrongArgumentCount = 450;
inline constexpr std::int32_t commPortInvalid = 8002;
inline constexpr std::int32_t commPortAlreadyOpen = 8005;
inline constexpr std::int32_t commPortNotOpen = 8012;
inline constexpr std::int32_t dialogCancelled = 32755;
} // namespace err

} // namespace bw
