#pragma once
// Replaces a file so that a crash at any moment leaves either the old or the new content:
// the new content goes to a temporary file in the same folder, is flushed to the disk, renamed
// over the old file, and the folder is flushed so the rename itself survives a power cut.

#include <filesystem>
#include <string_view>

namespace bw::host {

class AtomicFile {
public:
    // Writes `content` to `file` (a symbolic link: to the file it names), keeping the old
    // file's permissions. Throws std::system_error naming the file; the old file is then as
    // it was and no temporary file is left.
    static void write(const std::filesystem::path& file, std::string_view content);
};

} // namespace bw::host
