#pragma once
// A process started for a test, killed and reaped if the test leaves it running. It inherits
// the test's descriptors that are not marked close-on-exec.

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace stockmark::testing {

// Environment variables by name; a process gets exactly these.
using Environment = std::map<std::string, std::string>;

class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;

    struct Options {
        std::vector<std::string> arguments; // the first is the program's path
        Environment environment;
        std::filesystem::path directory;
        std::filesystem::path output = "/dev/null"; // standard output and error go here
    };

    struct Exit {
        int status = 0; // as waitpid reports it
        Clock::time_point at;
        double cpuSeconds = 0; // user plus system time
        bool exitedWith(int code) const;
    };

    // The current process's environment.
    static Environment currentEnvironment();

    explicit ChildProcess(const Options& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    Clock::time_point startedAt() const { return startedAt_; }

    // Waits until the process ends, or `timeout` passes (then empty). Once it has ended, every
    // call returns the same exit.
    std::optional<Exit> waitFor(std::chrono::milliseconds timeout);

    // Asks the process to end with `signal`, then waits for it.
    void stop(int signal);

private:
    pid_t pid_;
    Clock::time_point startedAt_;
    std::optional<Exit> exit_;
};

} // namespace stockmark::testing
