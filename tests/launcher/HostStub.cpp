#include "HostStub.h"

#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

namespace stockmark::testing {

HostStub::HostStub(const std::filesystem::path& folder, const std::filesystem::path& log)
    : log_(log) {
    const std::filesystem::path script = folder / "smmain";
    {
        std::ofstream out(script);
        // One line per start, fields separated by '|'; exec keeps the process id for sleep.
        out << "#!/bin/sh\n"
            << "printf '%s|%s|%s|%s\\n' \"$$\" \"$#\" \"$(pwd -P)\" \"$" << markerVariable
            << "\" >> '" << log_.string() << "'\n"
            << "exec sleep 120\n";
        if (!out) throw std::runtime_error("cannot write " + script.string());
    }
    std::filesystem::permissions(
        script, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                    std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                    std::filesystem::perms::others_exec);
}

HostStub::~HostStub() {
    for (const HostStart& start : starts()) {
        kill(start.pid, SIGKILL);
        // The test process is the stubs' subreaper when they were orphaned; reap them if so.
        waitpid(start.pid, nullptr, 0);
    }
}

std::vector<HostStart> HostStub::starts() const {
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<HostStart> starts;
    std::string line;
    // A line without its newline is still being written and is left for the next look.
    while (std::getline(text, line) && !text.eof()) {
        std::istringstream fields(line);
        std::string pid, count, directory, marker;
        std::getline(fields, pid, '|');
        std::getline(fields, count, '|');
        std::getline(fields, directory, '|');
        std::getline(fields, marker);
        starts.push_back({static_cast<pid_t>(std::stol(pid)), std::stoi(count), directory, marker});
    }
    return starts;
}

std::vector<HostStart> HostStub::waitForStarts(std::size_t count,
                                               std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<HostStart> found = starts();
    while (found.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        found = starts();
    }
    return found;
}

bool HostStub::isRunning(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) return false;
    // The state follows the command name, which is in parentheses and may hold spaces.
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z' &&
           text[close + 2] != 'X';
}

} // namespace stockmark::testing
