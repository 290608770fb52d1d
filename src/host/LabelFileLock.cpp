#include "host/LabelFileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace bw::host {

namespace {

bool sameFile(int fd, const std::filesystem::path& file) {
    struct stat locked {};
    struct stat named {};
    if (::fstat(fd, &locked) != 0 || ::stat(file.c_str(), &named) != 0) return false;
    return locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

} // namespace

LabelFileLock::LabelFileLock(const std::filesystem::path& file,
                             const std::function<void()>& waiting) {
    bool toldWaiting = false;
    for (;;) {
        fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw std::system_error(errno, std::generic_category(), "cannot open " + file.string());
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (!toldWaiting && waiting) waiting();
            toldWaiting = true;
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
        if (sameFile(fd_, file)) return;
        ::close(fd_); // the file was replaced while we waited: lock the new one
        fd_ = -1;
    }
}

LabelFileLock::~LabelFileLock() {
    if (fd_ >= 0) ::close(fd_);
}

} // namespace bw::host
