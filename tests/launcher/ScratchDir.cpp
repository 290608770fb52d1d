#include "ScratchDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace stockmark::testing {

ScratchDir::ScratchDir(std::string_view prefix) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a directory like " + pattern + ": " +
                                 std::strerror(errno));
    path_ = std::filesystem::canonical(pattern);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace stockmark::testing
