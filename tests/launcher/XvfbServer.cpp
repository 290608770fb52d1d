#include "XvfbServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace stockmark::testing {

namespace {

std::filesystem::path findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / program;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Owns both ends of a pipe; the write end is inherited by children, the read end is not.
class Pipe {
public:
    Pipe() {
        int ends[2];
        if (pipe(ends) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        read_ = ends[0];
        write_ = ends[1];
        fcntl(read_, F_SETFD, FD_CLOEXEC);
    }
    ~Pipe() {
        closeWriteEnd();
        close(read_);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int readEnd() const { return read_; }
    int writeEnd() const { return write_; }
    void closeWriteEnd() {
        if (write_ >= 0) close(write_);
        write_ = -1;
    }

private:
    int read_;
    int write_;
};

// Xvfb writes its display number and a newline to the -displayfd descriptor once it listens.
std::string readDisplayNumber(int descriptor, std::chrono::milliseconds timeout) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{descriptor, POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) return {};
        char c;
        if (read(descriptor, &c, 1) != 1) return {};
        if (c == '\n') return number;
        number += c;
    }
}

std::string contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

bool XvfbServer::installed() {
    return !findOnPath("Xvfb").empty();
}

XvfbServer::XvfbServer(int width, int height) : logDir_("xvfb") {
    Pipe ready;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<ChildProcess>(ChildProcess::Options{
        {findOnPath("Xvfb").string(), "-displayfd", std::to_string(ready.writeEnd()), "-screen",
         "0", screen, "-nolisten", "tcp"},
        ChildProcess::currentEnvironment(),
        logDir_.path(),
        logDir_.path() / "xvfb.log"});
    ready.closeWriteEnd();
    const std::string number = readDisplayNumber(ready.readEnd(), std::chrono::seconds(20));
    if (number.empty())
        throw std::runtime_error("Xvfb did not start a " + screen + " screen:\n" +
                                 contentsOf(logDir_.path() / "xvfb.log"));
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    server_->stop(SIGTERM);
}

} // namespace stockmark::testing
