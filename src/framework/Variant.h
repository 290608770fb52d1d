#pragma once
// A value of any interface type, or empty: what properties, method arguments, events and the
// property bag carry. Conversions follow the host runtime (to an integer: nearest, halves to
// even, overflow out of range; True is -1; "True"/"False" read as Booleans) and report a failure
// as a Result, never by throwing.

#include "framework/FontDesc.h"
#include "framework/Result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace bw {

class Object;

// In a member declaration Empty stands for "Variant": any value is taken as it is.
enum class VariantType { Empty, Integer, Long, Single, Double, Boolean, String, Font, Object };

std::string_view typeName(VariantType type);
// "a Long", "an Integer": for messages.
std::string typeNameWithArticle(VariantType type);

class Variant {
public:
    Variant() = default;
    Variant(std::int16_t v) : value_(v) {}
    Variant(std::int32_t v) : value_(v) {}
    Variant(float v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(std::string_view v) : value_(std::string(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(FontDesc v) : value_(std::move(v)) {}
    // A reference only: the object must outlive every Variant that names it.
    Variant(Object* v) : value_(v) {}

    VariantType type() const { return static_cast<VariantType>(value_.index()); }
    bool isEmpty() const { return type() == VariantType::Empty; }
    bool isNumeric() const; // Integer, Long, Single, Double or Boolean

    Result<std::int16_t> toInteger() const;
    Result<std::int32_t> toLong() const;
    Result<float> toSingle() const;
    Result<double> toDouble() const;
    Result<bool> toBool() const;
    Result<std::string> toString() const;
    Result<FontDesc> toFont() const;
    Result<Object*> toObject() const;
    // The value converted to `type` (Empty: unchanged).
    Result<Variant> convertTo(VariantType type) const;

    // For messages: the value and its type, e.g. "abc" (String), 40000 (Long).
    std::string describe() const;

    // Same type and same value.
    bool operator==(const Variant& other) const = default;

private:
    std::variant<std::monostate, std::int16_t, std::int32_t, float, double, bool, std::string,
                 FontDesc, Object*>
        value_;
};

// Equality as the runtime compares values: numbers (and Booleans, True being -1) by value
// whatever their type, a numeric string against a number as a number, empty as 0 or "".
bool sameValue(const Variant& a, const Variant& b);

} // namespace bw
