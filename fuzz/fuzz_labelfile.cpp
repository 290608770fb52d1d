// The label-file loader on random text: it loads or refuses with a LabelFileError, never
// crashes or hangs, and a file it loads saves to text that loads again.

#include "ScratchDataDirectory.h"
#include "host/LabelFile.h"
#include "host/LabelFileError.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    useScratchDataDirectory("fuzz_labelfile");
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
