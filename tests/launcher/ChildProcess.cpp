#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace stockmark::testing {

namespace {

// posix_spawn wants mutable, null-terminated arrays of C strings.
class CStringArray {
public:
    explicit CStringArray(std::vector<std::string> strings) : strings_(std::move(strings)) {
        for (std::string& s : strings_) pointers_.push_back(s.data());
        pointers_.push_back(nullptr);
    }
    char* const* get() { return pointers_.data(); }

private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

} // namespace

bool ChildProcess::Exit::exitedWith(int code) const {
    return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

Environment ChildProcess::currentEnvironment() {
    Environment environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            environment[text.substr(0, equals)] = text.substr(equals + 1);
    }
    return environment;
}

ChildProcess::ChildProcess(const Options& options) {
    std::vector<std::string> variables;
    for (const auto& [name, value] : options.environment) variables.push_back(name + "=" + value);
    CStringArray arguments(options.arguments);
    CStringArray environment(std::move(variables));

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, options.output.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!options.directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.directory.c_str());
    startedAt_ = Clock::now();
    const int error = posix_spawn(&pid_, options.arguments.at(0).c_str(), &actions, nullptr,
                                  arguments.get(), environment.get());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + options.arguments.at(0) + ": " +
                                 std::strerror(error));
}

ChildProcess::~ChildProcess() {
    try {
        stop(SIGKILL);
    } catch (const std::exception&) {
        // Nothing is left to reap.
    }
}

std::optional<ChildProcess::Exit> ChildProcess::waitFor(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!exit_) {
        int status = 0;
        rusage usage{};
        const pid_t ended = wait4(pid_, &status, WNOHANG, &usage);
        if (ended == pid_) {
            exit_ = Exit{status, Clock::now(), seconds(usage.ru_utime) + seconds(usage.ru_stime)};
        } else if (ended == -1 && errno != EINTR) {
            throw std::runtime_error(std::string("waiting for a child: ") + std::strerror(errno));
        } else if (Clock::now() >= deadline) {
            return std::nullopt;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return exit_;
}

void ChildProcess::stop(int signal) {
    if (exit_) return;
    kill(pid_, signal);
    if (!waitFor(std::chrono::seconds(10))) {
        kill(pid_, SIGKILL);
        waitFor(std::chrono::seconds(10));
    }
}

} // namespace stockmark::testing
