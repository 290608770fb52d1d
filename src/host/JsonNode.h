#pragma once
// One value of a label file with its JSON path, for checks that name where a file goes wrong:
// every failed check throws a LabelFileError with the file, the path and what was expected.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace bw::host {

class JsonNode {
public:
    using Json = nlohmann::ordered_json;

    // `value` and `file` must outlive the node.
    JsonNode(const Json& value, std::string path, const std::filesystem::path& file)
        : value_(value), path_(std::move(path)), file_(file) {}

    const Json& value() const { return value_; }
    const std::string& path() const { return path_; }

    // Throws: "<path>: expected <expected>, found <this value>".
    [[noreturn]] void expected(std::string_view expected) const;
    // Throws: "<path>: <problem>".
    [[noreturn]] void fail(std::string_view problem) const;

    const JsonNode& expectObject() const;
    const JsonNode& expectArray() const;
    // A key of this object that is not in `keys` is an error at that key.
    void allowOnly(std::initializer_list<std::string_view> keys) const;

    JsonNode member(std::string_view key) const; // required
    std::optional<JsonNode> optionalMember(std::string_view key) const;
    JsonNode element(std::size_t index) const;

    std::string string() const;
    std::string nonEmptyString() const;
    bool boolean() const;
    // A whole number in [min, max].
    std::int64_t integer(std::int64_t min, std::int64_t max) const;
    // A finite number above `min` (or at it, when `minIncluded`).
    double number(double min, bool minIncluded) const;
    double anyNumber() const;

    // "\"abc\"", "12.5", "an object": how a value shows in a message.
    static std::string describe(const Json& value);

private:
    const Json& value_;
    std::string path_;
    const std::filesystem::path& file_;
};

} // namespace bw::host
