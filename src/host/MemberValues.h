#pragma once
// Label-file values for an element's members: a JSON value checked against the member's
// declared type and made into the Variant the member table takes. A value of the wrong kind or
// range is an error at its JSON path, before any element sees it.

#include "framework/Object.h"
#include "framework/Variant.h"

#include <optional>
#include <string_view>
#include <vector>

namespace bw::host {

class JsonNode;

// The property of `members` named `name`, letter case ignored.
const MemberInfo* findProperty(const std::vector<MemberInfo>& members, std::string_view name);
const MemberInfo* findMethod(const std::vector<MemberInfo>& members, std::string_view name);

// `node` as a value of `type`; VariantType::Empty takes any number, Boolean, string or font.
Variant memberValue(const JsonNode& node, VariantType type);

} // namespace bw::host
