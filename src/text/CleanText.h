#pragma once
// The text normalisation that starts every AutoText layout.

#include <string>
#include <string_view>

namespace bw {

struct CleanTextOptions {
    bool flattenBreaks = false; // SingleLine, UseBestFit or a curve: CR becomes a space, LF goes
    bool squeezeSpaces = false; // UseBestFit: runs of spaces shrink to one
};

// Drops line breaks at both ends, then flattens breaks and squeezes spaces as asked.
std::string cleanText(std::string_view text, CleanTextOptions options);

} // namespace bw
