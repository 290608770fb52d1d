// Feeds arbitrary bytes to the BMP reader: it must answer with a picture or an error, never
// read outside the buffer. The pixel cap is lowered so huge run-length pictures stay quick.

#include "framework/BmpReader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bw::BmpResult result =
        bw::BmpReader::decode(std::as_bytes(std::span(data, size)), std::int64_t{1} << 22);
    if (result) {
        const bw::BmpPicture& p = *result.picture;
        if (p.width < 1 || p.height < 1 ||
            p.pixels.size() != static_cast<std::size_t>(p.width) * p.height)
            __builtin_trap();
    } else if (result.error.message.empty()) {
        __builtin_trap();
    }
    return 0;
}
