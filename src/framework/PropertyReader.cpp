#include "framework/PropertyReader.h"

#include "framework/FileLogger.h"

namespace bw {

template <class T>
T PropertyReader::readAs(std::string_view key, const T& fallback,
                         Result<T> (Variant::*convert)() const) const {
    const Variant* found = bag_.find(key);
    if (!found) return fallback;
    Result<T> converted = (found->*convert)();
    if (converted) return std::move(converted).value();
    logMismatch(key, *found, converted.error(), Variant(fallback));
    return fallback;
}

void PropertyReader::logMismatch(std::string_view key, const Variant& found, const ErrorInfo& why,
                                 const Variant& fallback) const {
    // The default's type is the type the element expects.
    const std::string expected = typeNameWithArticle(fallback.type());
    ErrorInfo entry{why.number, errorSource,
                    "Property \"" + std::string(key) + "\": found " + found.describe() +
                        ", expected " + expected + "; the default " + fallback.describe() +
                        " is used",
                    0};
    // A load never throws, not even when the log cannot be written.
    try {
        FileLogger(host_).WriteEntry(entry, tag_);
    } catch (...) {
    }
}

std::int32_t PropertyReader::readLong(std::string_view key, std::int32_t fallback) const {
    return readAs(key, fallback, &Variant::toLong);
}

std::int16_t PropertyReader::readInteger(std::string_view key, std::int16_t fallback) const {
    return readAs(key, fallback, &Variant::toInteger);
}

float PropertyReader::readSingle(std::string_view key, float fallback) const {
    return readAs(key, fallback, &Variant::toSingle);
}

double PropertyReader::readDouble(std::string_view key, double fallback) const {
    return readAs(key, fallback, &Variant::toDouble);
}

bool PropertyReader::readBool(std::string_view key, bool fallback) const {
    return readAs(key, fallback, &Variant::toBool);
}

std::string PropertyReader::readString(std::string_view key, const std::string& fallback) const {
    return readAs(key, fallback, &Variant::toString);
}

FontDesc PropertyReader::readFont(std::string_view key, const FontDesc& fallback) const {
    return readAs(key, fallback, &Variant::toFont);
}

} // namespace bw
