#pragma once
// The margin an AutoText keeps free around its text, from its ClearZone property: a number of
// twips ("150") or a percentage of the available height ("10%" is 5 % on each side).

#include <string_view>

namespace bw {

// Twips, never negative: a negative zone would push the text beyond its area, so it counts as
// none. Text without a leading number gives 0.
int clearZoneTwips(std::string_view clearZone, int availableHeight);

} // namespace bw
