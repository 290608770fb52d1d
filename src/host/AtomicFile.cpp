#include "host/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace bw::host {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, std::string_view step, int error) {
    throw std::system_error(error, std::generic_category(),
                            "cannot write " + file.string() + " (" + std::string(step) + ")");
}

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    // Closes now, so a failure of the close (a delayed write error) can be seen.
    int close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept {
        std::swap(path_, other.path_);
        return *this;
    }

    const std::string& path() const { return path_; }
    void release() { path_.clear(); }

private:
    std::string path_;
};

void writeAll(int fd, std::string_view content, const std::filesystem::path& file) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(file, "write", errno);
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::filesystem::path resolveLinks(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(file, ec)) return file;
    const std::filesystem::path target = std::filesystem::weakly_canonical(file, ec);
    return ec ? file : target;
}

mode_t permissionsFor(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// An unnamed file in `folder` (nothing is left behind by a crash while it is written), or
// a named one where the file system has no unnamed files.
struct Scratch {
    int fd = -1;
    bool named = false;
    std::string path;
};

Scratch openScratch(const std::filesystem::path& folder, const std::filesystem::path& file,
                    mode_t mode) {
    Scratch s;
    s.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (s.fd >= 0) return s;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        fail(file, "temporary file", errno);
    s.path = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    s.fd = ::mkostemp(s.path.data(), O_CLOEXEC);
    if (s.fd < 0) fail(file, "temporary file", errno);
    s.named = true;
    return s;
}

} // namespace

void AtomicFile::write(const std::filesystem::path& requested, std::string_view content) {
    const std::filesystem::path file = resolveLinks(requested);
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    const mode_t mode = permissionsFor(file);

    Scratch scratch = openScratch(folder, file, mode);
    UniqueFd fd(scratch.fd);
    TemporaryFile temporary(scratch.named ? scratch.path : std::string());
    if (::fchmod(fd.get(), mode) != 0) fail(file, "permissions", errno);
    writeAll(fd.get(), content, file);
    if (::fsync(fd.get()) != 0) fail(file, "flush", errno);

    if (!scratch.named) {
        // Give the finished file a name only now, beside its target, then rename it over.
        std::string name = (folder / ("." + file.filename().string() + ".new")).string();
        ::unlink(name.c_str()); // left by a run killed between these two steps
        const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0)
            fail(file, "link", errno);
        temporary = TemporaryFile(name);
    }
    if (fd.close() != 0) fail(file, "close", errno);
    if (::rename(temporary.path().c_str(), file.c_str()) != 0) fail(file, "rename", errno);
    temporary.release();

    // The rename is durable only once the folder is.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0 || ::fsync(dir.get()) != 0) fail(file, "flush folder", errno);
}

} // namespace bw::host
