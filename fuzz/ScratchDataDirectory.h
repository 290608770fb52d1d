#pragma once
// Failures are logged, so a fuzz target points the registry and the error log at a scratch
// folder of its own under the temporary directory.

#include "framework/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

inline void useScratchDataDirectory(std::string_view target) {
    const auto dir = std::filesystem::temp_directory_path() / target;
    std::filesystem::create_directories(dir);
    setenv("BWCTRLS_REGISTRY", dir.c_str(), 1);
    bw::Registry::fromEnvironment().writeString(
        bw::RegistryRoot::CurrentUser, "Software\\Brightwell\\Packline\\1.0\\DataDirectory", "",
        dir.string() + "/");
}
