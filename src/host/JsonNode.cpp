#include "host/JsonNode.h"

#include "host/LabelFileError.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace bw::host {

namespace {

constexpr std::size_t longestShownText = 40;

bool isIdentifier(std::string_view key) {
    if (key.empty()) return false;
    for (const char c : key)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

std::string childPath(const std::string& path, std::string_view key) {
    if (isIdentifier(key)) return path + "." + std::string(key);
    return path + "[" + JsonNode::Json(std::string(key)).dump() + "]";
}

} // namespace

std::string JsonNode::describe(const Json& value) {
    switch (value.type()) {
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::null:
        return "null";
    case Json::value_t::string: {
        const auto& text = value.get_ref<const std::string&>();
        if (text.size() <= longestShownText) return value.dump();
        return Json(text.substr(0, longestShownText)).dump() + "...";
    }
    default:
        return value.dump();
    }
}

void JsonNode::expected(std::string_view expected) const {
    fail("expected " + std::string(expected) + ", found " + describe(value_));
}

void JsonNode::fail(std::string_view problem) const {
    throw LabelFileError(file_, path_, std::string(problem));
}

const JsonNode& JsonNode::expectObject() const {
    if (!value_.is_object()) expected("an object");
    return *this;
}

const JsonNode& JsonNode::expectArray() const {
    if (!value_.is_array()) expected("an array");
    return *this;
}

void JsonNode::allowOnly(std::initializer_list<std::string_view> keys) const {
    expectObject();
    for (const auto& [key, value] : value_.items()) {
        bool known = false;
        for (const std::string_view k : keys) known = known || k == key;
        if (known) continue;
        std::string list;
        for (const std::string_view k : keys) list += (list.empty() ? "" : ", ") + std::string(k);
        JsonNode(value, childPath(path_, key), file_).fail("unknown key; expected one of " + list);
    }
}

JsonNode JsonNode::member(std::string_view key) const {
    expectObject();
    const auto it = value_.find(std::string(key));
    if (it == value_.end()) fail("missing \"" + std::string(key) + "\"");
    return JsonNode(*it, childPath(path_, key), file_);
}

std::optional<JsonNode> JsonNode::optionalMember(std::string_view key) const {
    expectObject();
    const auto it = value_.find(std::string(key));
    if (it == value_.end()) return std::nullopt;
    return JsonNode(*it, childPath(path_, key), file_);
}

JsonNode JsonNode::element(std::size_t index) const {
    return JsonNode(value_.at(index), path_ + "[" + std::to_string(index) + "]", file_);
}

std::string JsonNode::string() const {
    if (!value_.is_string()) expected("a string");
    return value_.get<std::string>();
}

std::string JsonNode::nonEmptyString() const {
    if (!value_.is_string() || value_.get_ref<const std::string&>().empty())
        expected("a non-empty string");
    return value_.get<std::string>();
}

bool JsonNode::boolean() const {
    if (!value_.is_boolean()) expected("true or false");
    return value_.get<bool>();
}

std::int64_t JsonNode::integer(std::int64_t min, std::int64_t max) const {
    const std::string range =
        "a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    if (!value_.is_number()) expected(range);
    const double d = value_.get<double>();
    if (!std::isfinite(d) || d != std::floor(d) || d < double(min) || d > double(max))
        expected(range);
    if (value_.is_number_unsigned()) return static_cast<std::int64_t>(value_.get<std::uint64_t>());
    if (value_.is_number_integer()) return value_.get<std::int64_t>();
    return static_cast<std::int64_t>(d);
}

double JsonNode::number(double min, bool minIncluded) const {
    const std::string what =
        "a number " + std::string(minIncluded ? "of at least " : "above ") + Json(min).dump();
    if (!value_.is_number()) expected(what);
    const double d = value_.get<double>();
    if (!std::isfinite(d) || d < min || (!minIncluded && d == min)) expected(what);
    return d;
}

double JsonNode::anyNumber() const {
    if (!value_.is_number() || !std::isfinite(value_.get<double>())) expected("a number");
    return value_.get<double>();
}

} // namespace bw::host
