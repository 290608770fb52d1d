#pragma once
// A fresh temporary directory, removed with everything in it when the object goes.

#include <filesystem>
#include <string_view>

namespace stockmark::testing {

class ScratchDir {
public:
    explicit ScratchDir(std::string_view prefix);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The directory's canonical path, as a process started in it sees its working directory.
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace stockmark::testing
