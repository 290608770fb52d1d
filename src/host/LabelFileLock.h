#pragma once
// Keeps two smmain runs from printing the same label file at once, which would print the
// same counters twice. The lock is on the file itself (an advisory flock); since a save
// renames a new file into place, a run that waited checks that the path still names the file
// it locked, and locks the new one if not. The lock goes with the process, also when it is
// killed.

#include <filesystem>
#include <functional>

namespace bw::host {

class LabelFileLock {
public:
    // Waits while another run holds the lock, calling `waiting` once first. Throws
    // std::system_error when the file cannot be opened.
    LabelFileLock(const std::filesystem::path& file, const std::function<void()>& waiting);
    ~LabelFileLock();
    LabelFileLock(const LabelFileLock&) = delete;
    LabelFileLock& operator=(const LabelFileLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace bw::host
