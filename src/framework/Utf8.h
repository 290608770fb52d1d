#pragma once
// Decoding UTF-8 into code points. An invalid byte is one character, U+FFFD, so counting and
// measuring a damaged string never fails and never reads past its end.

#include <cstddef>
#include <string>
#include <string_view>

namespace bw::utf8 {

constexpr char32_t replacement = 0xFFFD;

// The code point that starts at `pos`; moves `pos` past it (one byte when it is invalid).
inline char32_t next(std::string_view s, std::size_t& pos) {
    const unsigned lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t smallest = 0; // shorter forms are overlong, hence invalid
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07u, smallest = 0x10000;
    }
    if (length == 0 || s.size() - pos < length) {
        ++pos;
        return replacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned byte = static_cast<unsigned char>(s[pos + i]);
        if ((byte & 0xC0u) != 0x80u) {
            ++pos;
            return replacement;
        }
        cp = (cp << 6) | (byte & 0x3Fu);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return replacement;
    }
    pos += length;
    return cp;
}

inline std::size_t countCodePoints(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); ++n) next(s, pos);
    return n;
}

// Appends a code point as UTF-8.
inline void append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace bw::utf8
