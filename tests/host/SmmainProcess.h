#pragma once
// Runs the smmain program the way a user does: arguments, a working folder, extra environment,
// and its exit code, standard output and standard error afterwards. start() leaves it running
// so a test can kill it.

#include "support/FileText.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace bw::test {

struct SmmainResult {
    int exitCode = -1; // -1: ended by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

class SmmainProcess {
public:
    // Output goes to files in `folder`, which is also the working folder.
    SmmainProcess(std::filesystem::path folder, std::vector<std::string> args,
                  std::vector<std::string> environment = {})
        : folder_(std::move(folder)), args_(std::move(args)), env_(std::move(environment)) {}

    // Writes past `bytes` fail as on a full disk (the signal that would end it is ignored).
    void limitFileSize(rlim_t bytes) { fileSizeLimit_ = bytes; }
    ~SmmainProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    SmmainProcess(const SmmainProcess&) = delete;
    SmmainProcess& operator=(const SmmainProcess&) = delete;

    void start() {
        const std::string outFile = (folder_ / ".smmain.out").string();
        const std::string errFile = (folder_ / ".smmain.err").string();
        std::vector<std::string> argv{BW_SMMAIN};
        argv.insert(argv.end(), args_.begin(), args_.end());
        pid_ = ::fork();
        if (pid_ != 0) return;
        // The child: only async-signal-safe calls until exec.
        if (::chdir(folder_.c_str()) != 0) ::_exit(127);
        if (!std::freopen(outFile.c_str(), "w", stdout) ||
            !std::freopen(errFile.c_str(), "w", stderr))
            ::_exit(127);
        for (const std::string& e : env_) ::putenv(const_cast<char*>(e.c_str()));
        if (fileSizeLimit_ != 0) {
            const rlimit limit{fileSizeLimit_, fileSizeLimit_};
            ::signal(SIGXFSZ, SIG_IGN);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
        }
        std::vector<char*> raw;
        for (std::string& a : argv) raw.push_back(a.data());
        raw.push_back(nullptr);
        ::execv(raw[0], raw.data());
        ::_exit(127);
    }

    void kill() { ::kill(pid_, SIGKILL); }

    SmmainResult wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        SmmainResult r;
        if (WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
        r.out = fileText(folder_ / ".smmain.out");
        r.err = fileText(folder_ / ".smmain.err");
        return r;
    }

    SmmainResult run() {
        start();
        return wait();
    }

private:
    std::filesystem::path folder_;
    std::vector<std::string> args_;
    std::vector<std::string> env_;
    rlim_t fileSizeLimit_ = 0;
    pid_t pid_ = -1;
};

} // namespace bw::test
