#pragma once
// The container's property bag: keys (compared without regard to letter case) mapped to
// values, kept in the order they were first written so a saved bag reads like the element's
// save routine. Label files hold it as a JSON object.

#include "framework/Result.h"
#include "framework/Variant.h"

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class PropertyBag {
public:
    struct Entry {
        std::string key;
        Variant value;
    };

    // The stored value, or `fallback` when the key is missing.
    Variant read(std::string_view key, const Variant& fallback) const;
    // Stores `value`, or drops the key when the value equals its default (a missing key reads
    // back as that default). The key keeps the spelling of the last write.
    void write(std::string_view key, const Variant& value, const Variant& defaultValue);
    void set(std::string_view key, Variant value);
    bool remove(std::string_view key);
    const Variant* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    // Whether `write` was given the key, also when it dropped it as a default: the keys an
    // element's save routine knows.
    bool wasWritten(std::string_view key) const;

    const std::vector<Entry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // Numbers, Booleans, strings, null and font objects {"Name", "Size", "Bold", "Italic",
    // "Underline", "Strikethrough", "Charset"}; anything else is an error naming the key.
    static Result<PropertyBag> fromJson(const nlohmann::json& object);
    static Result<PropertyBag> fromJson(const nlohmann::ordered_json& object);
    // Keys in the bag's order.
    nlohmann::ordered_json toJson() const;

private:
    std::vector<Entry> entries_;
    std::vector<std::string> written_;
};

} // namespace bw
