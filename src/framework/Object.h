#pragma once
// An object whose properties and methods are reached by name, as late-bound callers (the
// print engine's label forms, label files, smmain's --set) use them. Wrong use raises a
// HostError with the runtime's number: 438 unknown member, 383 read-only, 394 write-only,
// 450 wrong number of arguments, 13 type mismatch.

#include "framework/Variant.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

enum class MemberKind { Property, Method };

struct MemberInfo {
    std::string name;
    MemberKind kind = MemberKind::Property;
    VariantType type = VariantType::Empty; // a property's type, a method's result
    Variant defaultValue;                  // properties
    bool readable = false;
    bool writable = false;
    std::vector<std::string> params; // methods; optional ones in brackets, "[thekey]"
};

class Object {
public:
    virtual ~Object() = default;
    virtual std::string_view className() const = 0;
    virtual Variant getProperty(std::string_view name) = 0;
    virtual void setProperty(std::string_view name, const Variant& value) = 0;
    // Arguments pass by reference: a method may change them.
    virtual Variant callMethod(std::string_view name, std::span<Variant> args) = 0;
    virtual std::vector<MemberInfo> members() const = 0;
};

} // namespace bw
