// The label-file loader on random text: it loads or refuses with a LabelFileError, never
// crashes or hangs, and a file it loads saves to text that loads again.

#include "framework/Registry.h"
#include "host/LabelFile.h"
#include "host/LabelFileError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

// Failures are logged, so the log goes to a scratch data directory.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto dir = std::filesystem::temp_directory_path() / "fuzz_labelfile";
    std::filesystem::create_directories(dir);
    setenv("BWCTRLS_REGISTRY", dir.c_str(), 1);
    bw::Registry::fromEnvironment().writeString(
        bw::RegistryRoot::CurrentUser, "Software\\Brightwell\\Packline\\1.0\\DataDirectory", "",
        dir.string() + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        bw::host::LabelFile file(text, "fuzz.json");
        file.captureAll();
        bw::host::LabelFile again(file.text(), "saved.json");
    } catch (const bw::host::LabelFileError&) {
    }
    return 0;
}
