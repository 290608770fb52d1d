#pragma once
// A stand-in for the host application: a shell script named `smmain` that records each start
// (its process id, argument count, working directory and one environment variable) in a log
// and then stays running. Every started stub is killed when the object goes.

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace stockmark::testing {

struct HostStart {
    pid_t pid = 0;
    int argumentCount = 0;
    std::filesystem::path directory;
    std::string marker; // the value of markerVariable in the stub's environment
};

class HostStub {
public:
    static constexpr const char* markerVariable = "STOCKMARK_TEST_MARKER";

    // Writes `folder`/smmain, which logs to `log`.
    HostStub(const std::filesystem::path& folder, const std::filesystem::path& log);
    ~HostStub();
    HostStub(const HostStub&) = delete;
    HostStub& operator=(const HostStub&) = delete;

    std::vector<HostStart> starts() const;

    // The starts, once there are at least `count` of them or `timeout` has passed.
    std::vector<HostStart> waitForStarts(std::size_t count,
                                         std::chrono::milliseconds timeout) const;

    // True while the process exists and has not ended (a zombie has ended).
    static bool isRunning(pid_t pid);

private:
    std::filesystem::path log_;
};

} // namespace stockmark::testing
