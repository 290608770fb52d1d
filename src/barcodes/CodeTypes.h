#pragma once
// The symbologies a barcode element can be asked for, numbered as the interface numbers them.
// A value read from a label file may be any 16-bit number; encoders refuse the ones they do not
// serve.

#include <cstdint>

namespace bw {

enum class CodeTypes : std::int16_t {
    ctEAN13 = 0,
    ctEAN8 = 1,
    ctCODE128C = 2,
    ctCODE128FreeForm = 3,
    ctEAN128TNT = 4,
    ctUPCA = 5,
};

} // namespace bw
