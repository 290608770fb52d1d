#include "HostProcess.h"

#include <cerrno>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stockmark {

void HostProcess::startDetached(const std::string& fileName) {
    // Everything is prepared before forking: after a fork of this multi-threaded process, the
    // children call only functions that are safe there (fork, close_range, execve, _exit).
    const std::string path = "./" + fileName;
    std::string name = fileName;
    char* const arguments[] = {name.data(), nullptr};

    const pid_t intermediate = fork();
    if (intermediate == 0) {
        if (fork() == 0) {
            close_range(3, ~0u, 0);
            execve(path.c_str(), arguments, environ);
            _exit(127);
        }
        _exit(0);
    }
    if (intermediate > 0)
        while (waitpid(intermediate, nullptr, 0) == -1 && errno == EINTR) {
        }
}

} // namespace stockmark
