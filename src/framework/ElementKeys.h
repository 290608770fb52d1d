#pragma once
// How an element spells the shared keys it persists, and their load defaults; an empty key is
// not persisted. Changes are recorded under the same spellings. The values here are AutoText's;
// a new element starts with the border style given here.
//
//   const ElementKeys eanKeys{.orientation = "Orientation", .textColor = "TextColor",
//                             .borderStyleDefault = BorderStyles::bsNone,
//                             .autoRefreshDefault = false, .enabled = {}};

#include "framework/ElementEnums.h"

#include <cstdint>
#include <string_view>

namespace bw {

struct ElementKeys {
    std::string_view orientation = "orientation";
    std::string_view textColor = "textcolor";
    std::string_view backColor = "BackColor";
    std::string_view borderStyle = "BorderStyle";
    std::int16_t borderStyleDefault = BorderStyles::bsSingleline;
    std::string_view autoRefresh = "AutoRefresh";     // written
    std::string_view autoRefreshRead = "Autorefresh"; // read (keys ignore letter case)
    bool autoRefreshDefault = true;
    std::string_view enabled = "Enabled";
    std::string_view designmode = {};
};

} // namespace bw
