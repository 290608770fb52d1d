#include "framework/Variant.h"

#include "framework/CaseFold.h"
#include "framework/NumberText.h"
#include "framework/Rounding.h"

#include <cfloat>
#include <cmath>

namespace bw {

namespace {

ErrorInfo mismatch(const Variant& v, VariantType wanted) {
    return {err::typeMismatch, errorSource,
            "Type mismatch: " + v.describe() + " is not " + typeNameWithArticle(wanted)};
}

ErrorInfo overflow(const Variant& v, VariantType wanted) {
    return {err::overflow, errorSource,
            "Overflow: " + v.describe() + " does not fit " + typeNameWithArticle(wanted)};
}

// A failed conversion to Double restated for the type that was wanted.
ErrorInfo failed(const Variant& v, const ErrorInfo& error, VariantType wanted) {
    return error.number == err::overflow ? overflow(v, wanted) : mismatch(v, wanted);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string_view typeName(VariantType type) {
    switch (type) {
    case VariantType::Empty:
        return "Variant";
    case VariantType::Integer:
        return "Integer";
    case VariantType::Long:
        return "Long";
    case VariantType::Single:
        return "Single";
    case VariantType::Double:
        return "Double";
    case VariantType::Boolean:
        return "Boolean";
    case VariantType::String:
        return "String";
    case VariantType::Font:
        return "Font";
    case VariantType::Object:
        return "Object";
    }
    return "Variant";
}

std::string typeNameWithArticle(VariantType type) {
    const std::string_view name = typeName(type);
    const bool vowel = name.find_first_of("AEIOU") == 0;
    return (vowel ? "an " : "a ") + std::string(name);
}

bool Variant::isNumeric() const {
    switch (type()) {
    case VariantType::Integer:
    case VariantType::Long:
    case VariantType::Single:
    case VariantType::Double:
    case VariantType::Boolean:
        return true;
    default:
        return false;
    }
}

Result<double> Variant::toDouble() const {
    switch (type()) {
    case VariantType::Empty:
        return 0.0;
    case VariantType::Integer:
        return static_cast<double>(std::get<std::int16_t>(value_));
    case VariantType::Long:
        return static_cast<double>(std::get<std::int32_t>(value_));
    case VariantType::Single:
        return static_cast<double>(std::get<float>(value_));
    case VariantType::Double:
        return std::get<double>(value_);
    case VariantType::Boolean:
        return std::get<bool>(value_) ? -1.0 : 0.0;
    case VariantType::String: {
        Result<double> parsed = parseNumber(std::get<std::string>(value_));
        if (!parsed && parsed.error().number == err::typeMismatch)
            return mismatch(*this, VariantType::Double);
        return parsed;
    }
    default:
        return mismatch(*this, VariantType::Double);
    }
}

Result<std::int16_t> Variant::toInteger() const {
    const Result<double> d = toDouble();
    if (!d) return failed(*this, d.error(), VariantType::Integer);
    const auto v = toInt16(d.value());
    if (!v) return overflow(*this, VariantType::Integer);
    return *v;
}

Result<std::int32_t> Variant::toLong() const {
    const Result<double> d = toDouble();
    if (!d) return failed(*this, d.error(), VariantType::Long);
    const auto v = toInt32(d.value());
    if (!v) return overflow(*this, VariantType::Long);
    return *v;
}

Result<float> Variant::toSingle() const {
    const Result<double> d = toDouble();
    if (!d) return failed(*this, d.error(), VariantType::Single);
    if (std::isfinite(d.value()) && std::fabs(d.value()) > FLT_MAX)
        return overflow(*this, VariantType::Single);
    return static_cast<float>(d.value());
}

Result<bool> Variant::toBool() const {
    switch (type()) {
    case VariantType::Boolean:
        return std::get<bool>(value_);
    case VariantType::String: {
        const std::string_view s = trimmed(std::get<std::string>(value_));
        if (iequals(s, "True")) return true;
        if (iequals(s, "False")) return false;
        break;
    }
    default:
        break;
    }
    const Result<double> d = toDouble();
    if (!d) return mismatch(*this, VariantType::Boolean);
    return d.value() != 0;
}

Result<std::string> Variant::toString() const {
    switch (type()) {
    case VariantType::Empty:
        return std::string();
    case VariantType::Integer:
        return std::to_string(std::get<std::int16_t>(value_));
    case VariantType::Long:
        return std::to_string(std::get<std::int32_t>(value_));
    case VariantType::Single:
        return numberText(std::get<float>(value_));
    case VariantType::Double:
        return numberText(std::get<double>(value_));
    case VariantType::Boolean:
        return std::string(std::get<bool>(value_) ? "True" : "False");
    case VariantType::String:
        return std::get<std::string>(value_);
    default:
        return mismatch(*this, VariantType::String);
    }
}

Result<FontDesc> Variant::toFont() const {
    if (type() == VariantType::Font) return std::get<FontDesc>(value_);
    return mismatch(*this, VariantType::Font);
}

Result<Object*> Variant::toObject() const {
    if (type() == VariantType::Object) return std::get<Object*>(value_);
    return mismatch(*this, VariantType::Object);
}

Result<Variant> Variant::convertTo(VariantType wanted) const {
    const auto wrap = [](const auto& r) -> Result<Variant> {
        if (!r) return r.error();
        return Variant(r.value());
    };
    switch (wanted) {
    case VariantType::Empty:
        return *this;
    case VariantType::Integer:
        return wrap(toInteger());
    case VariantType::Long:
        return wrap(toLong());
    case VariantType::Single:
        return wrap(toSingle());
    case VariantType::Double:
        return wrap(toDouble());
    case VariantType::Boolean:
        return wrap(toBool());
    case VariantType::String:
        return wrap(toString());
    case VariantType::Font:
        return wrap(toFont());
    case VariantType::Object:
        return wrap(toObject());
    }
    return *this;
}

std::string Variant::describe() const {
    std::string text;
    switch (type()) {
    case VariantType::Empty:
        return "Empty";
    case VariantType::String:
        text = "\"" + std::get<std::string>(value_) + "\"";
        break;
    case VariantType::Font:
        text = "\"" + std::get<FontDesc>(value_).name + "\"";
        break;
    case VariantType::Object:
        text = "object";
        break;
    default:
        text = toString().valueOr("?");
        break;
    }
    return text + " (" + std::string(typeName(type())) + ")";
}

bool sameValue(const Variant& a, const Variant& b) {
    const auto isText = [](const Variant& v) { return v.type() == VariantType::String; };
    if (a.isEmpty() && b.isEmpty()) return true;
    if (isText(a) && isText(b)) return a == b;
    if (a.isEmpty() && isText(b)) return b.toString().value().empty();
    if (b.isEmpty() && isText(a)) return a.toString().value().empty();
    if ((a.isNumeric() || a.isEmpty() || isText(a)) &&
        (b.isNumeric() || b.isEmpty() || isText(b))) {
        const Result<double> x = a.toDouble();
        const Result<double> y = b.toDouble();
        return x && y && x.value() == y.value();
    }
    return a == b;
}

} // namespace bw
