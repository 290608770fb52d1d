#include "host/MemberValues.h"

#include "framework/CaseFold.h"
#include "framework/PropertyBag.h"
#include "host/JsonNode.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace bw::host {

namespace {

const MemberInfo* findMember(const std::vector<MemberInfo>& members, std::string_view name,
                             MemberKind kind) {
    for (const MemberInfo& m : members)
        if (m.kind == kind && iequals(m.name, name)) return &m;
    return nullptr;
}

Variant fontValue(const JsonNode& node) {
    node.expectObject();
    node.allowOnly({"Name", "Size", "Bold", "Italic", "Underline", "Strikethrough", "Charset"});
    if (const auto name = node.optionalMember("Name")) name->nonEmptyString();
    if (const auto size = node.optionalMember("Size")) size->number(0, false);
    for (const std::string_view flag : {"Bold", "Italic", "Underline", "Strikethrough"})
        if (const auto f = node.optionalMember(flag)) f->boolean();
    if (const auto charset = node.optionalMember("Charset")) charset->integer(0, 255);
    // Checked above, so the bag's own reading cannot fail.
    JsonNode::Json holder = JsonNode::Json::object();
    holder["Font"] = node.value();
    return PropertyBag::fromJson(holder).value().read("Font", Variant());
}

Variant anyValue(const JsonNode& node) {
    const JsonNode::Json& v = node.value();
    if (v.is_boolean()) return Variant(v.get<bool>());
    if (v.is_string()) return Variant(v.get<std::string>());
    if (v.is_object()) return fontValue(node);
    if (v.is_number()) {
        const double d = node.anyNumber();
        if (d == std::floor(d) && d >= std::numeric_limits<std::int32_t>::min() &&
            d <= std::numeric_limits<std::int32_t>::max())
            return Variant(static_cast<std::int32_t>(d));
        return Variant(d);
    }
    node.expected("a number, true or false, a string or a font object");
}

} // namespace

const MemberInfo* findProperty(const std::vector<MemberInfo>& members, std::string_view name) {
    return findMember(members, name, MemberKind::Property);
}

const MemberInfo* findMethod(const std::vector<MemberInfo>& members, std::string_view name) {
    return findMember(members, name, MemberKind::Method);
}

Variant memberValue(const JsonNode& node, VariantType type) {
    switch (type) {
    case VariantType::Integer:
        return Variant(static_cast<std::int16_t>(node.integer(INT16_MIN, INT16_MAX)));
    case VariantType::Long:
        return Variant(static_cast<std::int32_t>(node.integer(INT32_MIN, INT32_MAX)));
    case VariantType::Single: {
        const double d = node.anyNumber();
        if (std::fabs(d) > FLT_MAX) node.expected("a number within single precision");
        return Variant(static_cast<float>(d));
    }
    case VariantType::Double:
        return Variant(node.anyNumber());
    case VariantType::Boolean:
        return Variant(node.boolean());
    case VariantType::String:
        return Variant(node.string());
    case VariantType::Font:
        return fontValue(node);
    case VariantType::Object:
        node.fail("an object reference cannot be given in a label file");
    case VariantType::Empty:
        break;
    }
    return anyValue(node);
}

} // namespace bw::host
