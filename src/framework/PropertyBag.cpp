#include "framework/PropertyBag.h"

#include "framework/CaseFold.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>

namespace bw {

namespace {

template <class Json>
std::string jsonKind(const Json& j) {
    switch (j.type()) {
    case nlohmann::json::value_t::array:
        return "an array";
    case nlohmann::json::value_t::object:
        return "an object";
    case nlohmann::json::value_t::string:
        return "a string";
    case nlohmann::json::value_t::boolean:
        return "a Boolean";
    case nlohmann::json::value_t::null:
        return "null";
    default:
        return j.is_number() ? "a number" : "an unknown value";
    }
}

template <class Json>
ErrorInfo badValue(std::string_view where, const Json& found, std::string_view expected) {
    return {err::typeMismatch, errorSource,
            std::string(where) + ": found " + jsonKind(found) + ", expected " +
                std::string(expected)};
}

template <class Json>
Result<FontDesc> fontFromJson(std::string_view key, const Json& object) {
    FontDesc font;
    for (const auto& [field, value] : object.items()) {
        const std::string where = std::string(key) + "." + field;
        bool* flag = iequals(field, "Bold")            ? &font.bold
                     : iequals(field, "Italic")        ? &font.italic
                     : iequals(field, "Underline")     ? &font.underline
                     : iequals(field, "Strikethrough") ? &font.strikethrough
                                                       : nullptr;
        if (flag) {
            if (!value.is_boolean()) return badValue(where, value, "a Boolean");
            *flag = value.template get<bool>();
        } else if (iequals(field, "Name")) {
            if (!value.is_string()) return badValue(where, value, "a string");
            font.name = value.template get<std::string>();
        } else if (iequals(field, "Size")) {
            if (!value.is_number() || value.template get<double>() <= 0)
                return badValue(where, value, "a positive number of points");
            font.size = value.template get<double>();
        } else if (iequals(field, "Charset")) {
            if (!value.is_number_integer() || value.template get<std::int64_t>() < 0 ||
                value.template get<std::int64_t>() > 255)
                return badValue(where, value, "a character set number 0 to 255");
            font.charset = static_cast<std::int16_t>(value.template get<std::int64_t>());
        } else {
            return ErrorInfo{err::typeMismatch, errorSource,
                             where + ": unknown font field, expected Name, Size, Bold, Italic, "
                                     "Underline, Strikethrough or Charset"};
        }
    }
    return font;
}

template <class Json>
Result<Variant> variantFromJson(std::string_view key, const Json& j) {
    if (j.is_null()) return Variant();
    if (j.is_boolean()) return Variant(j.template get<bool>());
    if (j.is_string()) return Variant(j.template get<std::string>());
    if (j.is_number_integer()) {
        const bool fits =
            j.is_number_unsigned()
                ? j.template get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max()
                : j.template get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                      j.template get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (fits) return Variant(static_cast<std::int32_t>(j.template get<std::int64_t>()));
        return Variant(j.template get<double>());
    }
    if (j.is_number()) return Variant(j.template get<double>());
    if (j.is_object()) {
        Result<FontDesc> font = fontFromJson(key, j);
        if (!font) return font.error();
        return Variant(std::move(font).value());
    }
    return badValue(key, j, "a number, Boolean, string or font object");
}

// A Single saved by its shortest text, so 12.3f is written as 12.3 and not 12.300000190734863.
double singleAsDouble(float v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    double d = v;
    if (ec == std::errc()) std::from_chars(buf, end, d);
    return d;
}

nlohmann::ordered_json variantToJson(const Variant& v) {
    switch (v.type()) {
    case VariantType::Integer:
        return v.toInteger().value();
    case VariantType::Long:
        return v.toLong().value();
    case VariantType::Single:
        return singleAsDouble(v.toSingle().value());
    case VariantType::Double:
        return v.toDouble().value();
    case VariantType::Boolean:
        return v.toBool().value();
    case VariantType::String:
        return v.toString().value();
    case VariantType::Font: {
        const FontDesc f = v.toFont().value();
        return {{"Name", f.name},           {"Size", f.size},
                {"Bold", f.bold},           {"Italic", f.italic},
                {"Underline", f.underline}, {"Strikethrough", f.strikethrough},
                {"Charset", f.charset}};
    }
    default:
        return nullptr; // empty, and object references, which a file cannot hold
    }
}

} // namespace

const Variant* PropertyBag::find(std::string_view key) const {
    for (const Entry& e : entries_)
        if (iequals(e.key, key)) return &e.value;
    return nullptr;
}

Variant PropertyBag::read(std::string_view key, const Variant& fallback) const {
    const Variant* v = find(key);
    return v ? *v : fallback;
}

void PropertyBag::set(std::string_view key, Variant value) {
    for (Entry& e : entries_)
        if (iequals(e.key, key)) {
            e.key = key;
            e.value = std::move(value);
            return;
        }
    entries_.push_back({std::string(key), std::move(value)});
}

void PropertyBag::write(std::string_view key, const Variant& value, const Variant& defaultValue) {
    if (!wasWritten(key)) written_.emplace_back(key);
    if (sameValue(value, defaultValue))
        remove(key);
    else
        set(key, value);
}

bool PropertyBag::wasWritten(std::string_view key) const {
    return std::any_of(written_.begin(), written_.end(),
                       [&](const std::string& k) { return iequals(k, key); });
}

bool PropertyBag::remove(std::string_view key) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return iequals(e.key, key); });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

namespace {

template <class Json>
Result<PropertyBag> bagFromJson(const Json& object) {
    if (!object.is_object()) return badValue("properties", object, "an object");
    PropertyBag bag;
    for (const auto& [key, value] : object.items()) {
        Result<Variant> v = variantFromJson(key, value);
        if (!v) return v.error();
        bag.set(key, std::move(v).value());
    }
    return bag;
}

} // namespace

Result<PropertyBag> PropertyBag::fromJson(const nlohmann::json& object) {
    return bagFromJson(object);
}

Result<PropertyBag> PropertyBag::fromJson(const nlohmann::ordered_json& object) {
    return bagFromJson(object);
}

nlohmann::ordered_json PropertyBag::toJson() const {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const Entry& e : entries_) out[e.key] = variantToJson(e.value);
    return out;
}

} // namespace bw
