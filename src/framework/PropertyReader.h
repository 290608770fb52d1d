#pragma once
// Typed reads from a property bag, as an element's load routine makes them: each key with the
// element's default. A value of another type is converted as the runtime converts it ("12" for
// a Long is 12, 12.5 is 12); one that cannot be ("abc" for a Long, 40000 for an Integer) gives
// the default and is written to the error log under the reader's tag, naming the key, the
// value found and the type expected. A read never throws.

#include "framework/HostServices.h"
#include "framework/PropertyBag.h"

#include <string>
#include <string_view>

namespace bw {

class PropertyReader {
public:
    // `tag` is the load routine's log tag, e.g. "AutoText:ReadProperties".
    PropertyReader(const PropertyBag& bag, HostServices& host, std::string tag)
        : bag_(bag), host_(host), tag_(std::move(tag)) {}

    Variant read(std::string_view key, const Variant& fallback) const {
        return bag_.read(key, fallback);
    }
    std::int32_t readLong(std::string_view key, std::int32_t fallback) const;
    std::int16_t readInteger(std::string_view key, std::int16_t fallback) const;
    float readSingle(std::string_view key, float fallback) const;
    double readDouble(std::string_view key, double fallback) const;
    bool readBool(std::string_view key, bool fallback) const;
    std::string readString(std::string_view key, const std::string& fallback) const;
    FontDesc readFont(std::string_view key, const FontDesc& fallback) const;

private:
    template <class T>
    T readAs(std::string_view key, const T& fallback, Result<T> (Variant::*convert)() const) const;
    void logMismatch(std::string_view key, const Variant& found, const ErrorInfo& why,
                     const Variant& fallback) const;

    const PropertyBag& bag_;
    HostServices& host_;
    std::string tag_;
};

} // namespace bw
