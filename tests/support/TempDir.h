#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace bw::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bwtest-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as a directory string with its trailing separator, as the registry stores it.
    std::string withSeparator() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

} // namespace bw::test
