#include "text/CleanText.h"

namespace bw {

namespace {

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::string cleanText(std::string_view text, CleanTextOptions options) {
    while (!text.empty() && isBreak(text.back())) text.remove_suffix(1);
    while (!text.empty() && isBreak(text.front())) text.remove_prefix(1);
    if (!options.flattenBreaks && !options.squeezeSpaces) return std::string(text);

    // CR, LF and space are single bytes in UTF-8, so the work is done on bytes.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (options.flattenBreaks) {
            if (c == '\n') continue;
            if (c == '\r') c = ' ';
        }
        if (options.squeezeSpaces && c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

} // namespace bw
