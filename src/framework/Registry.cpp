#include "framework/Registry.h"

#include "framework/CaseFold.h"
#include "framework/UniqueFd.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

namespace bw {

namespace {

// Ordered, so a hand-edited file keeps its order when the library rewrites it.
using Json = nlohmann::ordered_json;

struct StoredValue {
    std::string name;
    RegType type = RegType::None;
    std::vector<std::byte> data;
};

struct StoredKey {
    std::string path;
    std::vector<StoredValue> values;
};

using Keys = std::vector<StoredKey>;

constexpr std::pair<RegType, std::string_view> typeNames[] = {
    {RegType::None, "REG_NONE"},          {RegType::Sz, "REG_SZ"},
    {RegType::ExpandSz, "REG_EXPAND_SZ"}, {RegType::Binary, "REG_BINARY"},
    {RegType::Dword, "REG_DWORD"},        {RegType::MultiSz, "REG_MULTI_SZ"},
    {RegType::Qword, "REG_QWORD"},
};

std::optional<RegType> typeFromJson(const Json& j) {
    if (j.is_number_unsigned()) return static_cast<RegType>(j.get<std::uint32_t>());
    if (!j.is_string()) return std::nullopt;
    for (const auto& [type, name] : typeNames)
        if (iequals(name, j.get<std::string>())) return type;
    return std::nullopt;
}

Json typeToJson(RegType type) {
    for (const auto& [t, name] : typeNames)
        if (t == type) return std::string(name);
    return static_cast<std::uint32_t>(type);
}

// Backslash paths without leading or trailing separators; an empty segment is no path.
std::optional<std::string> normalisePath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.find("\\\\") != std::string_view::npos) return std::nullopt;
    return std::string(path);
}

bool isAtOrBelow(std::string_view key, std::string_view path) {
    if (path.empty()) return true;
    return key.size() >= path.size() && iequals(key.substr(0, path.size()), path) &&
           (key.size() == path.size() || key[path.size()] == '\\');
}

std::vector<std::byte> textBytes(std::string_view text, bool terminated) {
    std::vector<std::byte> out;
    for (char c : text) out.push_back(static_cast<std::byte>(c));
    if (terminated) out.push_back(std::byte{0});
    return out;
}

template <class Int>
std::vector<std::byte> littleEndian(Int v) {
    std::vector<std::byte> out;
    for (std::size_t i = 0; i < sizeof(Int); ++i)
        out.push_back(static_cast<std::byte>(static_cast<std::uint64_t>(v) >> (8 * i)));
    return out;
}

std::uint64_t fromLittleEndian(const std::vector<std::byte>& bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        v = (v << 8) | std::to_integer<std::uint64_t>(bytes[i]);
    return v;
}

std::optional<std::vector<std::byte>> fromHex(std::string_view hex) {
    std::vector<std::byte> out;
    std::string digits;
    for (char c : hex)
        if (c != ' ' && c != ',') digits += c;
    if (digits.size() % 2 != 0) return std::nullopt;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        unsigned v = 0;
        for (char c : digits.substr(i, 2)) {
            const char l = asciiLower(c);
            if (c >= '0' && c <= '9')
                v = v * 16 + static_cast<unsigned>(c - '0');
            else if (l >= 'a' && l <= 'f')
                v = v * 16 + static_cast<unsigned>(l - 'a' + 10);
            else
                return std::nullopt;
        }
        out.push_back(static_cast<std::byte>(v));
    }
    return out;
}

std::string toHex(const std::vector<std::byte>& bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (std::byte b : bytes) {
        const auto v = std::to_integer<unsigned>(b);
        out += digits[v >> 4];
        out += digits[v & 15];
    }
    return out;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t start = pos;
        if (utf8::next(s, pos) == utf8::replacement && s.substr(start, 3) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

// The text of a string value that a JSON string shows exactly: one NUL, at the end.
std::optional<std::string> plainText(const StoredValue& v) {
    if (v.data.empty() || v.data.back() != std::byte{0}) return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i + 1 < v.data.size(); ++i) {
        if (v.data[i] == std::byte{0}) return std::nullopt;
        text += static_cast<char>(v.data[i]);
    }
    if (!isValidUtf8(text)) return std::nullopt;
    return text;
}

std::optional<StoredValue> valueFromJson(const std::string& name, const Json& j) {
    StoredValue v{name, RegType::None, {}};
    if (j.is_string()) {
        v.type = RegType::Sz;
        v.data = textBytes(j.get<std::string>(), true);
        return v;
    }
    if (j.is_number_unsigned() && j.get<std::uint64_t>() <= 0xFFFFFFFFu) {
        v.type = RegType::Dword;
        v.data = littleEndian(j.get<std::uint32_t>());
        return v;
    }
    if (!j.is_object() || !j.contains("type")) return std::nullopt;
    const auto type = typeFromJson(j["type"]);
    if (!type) return std::nullopt;
    v.type = *type;
    if (j.contains("hex")) {
        if (!j["hex"].is_string()) return std::nullopt;
        auto bytes = fromHex(j["hex"].get<std::string>());
        if (!bytes) return std::nullopt;
        v.data = std::move(*bytes);
    } else if (j.contains("data")) {
        const Json& data = j["data"];
        if (data.is_string())
            v.data = textBytes(data.get<std::string>(), true);
        else if (data.is_number_unsigned() && v.type == RegType::Qword)
            v.data = littleEndian(data.get<std::uint64_t>());
        else if (data.is_number_unsigned() && data.get<std::uint64_t>() <= 0xFFFFFFFFu)
            v.data = littleEndian(data.get<std::uint32_t>());
        else
            return std::nullopt;
    }
    return v;
}

Json valueToJson(const StoredValue& v) {
    const bool text = v.type == RegType::Sz || v.type == RegType::ExpandSz;
    if (text) {
        if (const auto plain = plainText(v)) {
            if (v.type == RegType::Sz) return *plain;
            return {{"type", typeToJson(v.type)}, {"data", *plain}};
        }
    }
    if (v.type == RegType::Dword && v.data.size() == 4) return fromLittleEndian(v.data);
    if (v.type == RegType::Qword && v.data.size() == 8)
        return {{"type", typeToJson(v.type)}, {"data", fromLittleEndian(v.data)}};
    return {{"type", typeToJson(v.type)}, {"hex", toHex(v.data)}};
}

// Nothing for a missing file; std::nullopt for a malformed one.
std::optional<Keys> load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return Keys{};
    const Json root = Json::parse(in, nullptr, false);
    if (root.is_discarded() || !root.is_object()) return std::nullopt;
    Keys keys;
    for (const auto& [path, values] : root.items()) {
        const auto normalised = normalisePath(path);
        if (!normalised || !values.is_object()) return std::nullopt;
        StoredKey key{*normalised, {}};
        for (const auto& [name, value] : values.items()) {
            auto v = valueFromJson(name, value);
            if (!v) return std::nullopt;
            key.values.push_back(std::move(*v));
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

// Write to a temporary file beside the real one, flush it to disk, then rename it over the
// real one, so a crash leaves either the old file or the new one.
RegStatus save(const std::filesystem::path& file, const Keys& keys) {
    Json root = Json::object();
    for (const StoredKey& key : keys) {
        Json values = Json::object();
        for (const StoredValue& v : key.values) values[v.name] = valueToJson(v);
        root[key.path] = std::move(values);
    }
    // Replacement keeps a key or value name with broken UTF-8 savable.
    const std::string text = root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const std::filesystem::path temp = file.string() + ".tmp-" + std::to_string(::getpid());
    {
        UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!fd) return RegStatus::WriteFault;
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                std::filesystem::remove(temp, ec);
                return RegStatus::WriteFault;
            }
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(fd.get()) != 0) {
            std::filesystem::remove(temp, ec);
            return RegStatus::WriteFault;
        }
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return RegStatus::WriteFault;
    }
    return RegStatus::Success;
}

StoredKey* findKey(Keys& keys, std::string_view path) {
    for (StoredKey& k : keys)
        if (iequals(k.path, path)) return &k;
    return nullptr;
}

bool keyExists(const Keys& keys, std::string_view path) {
    return path.empty() || std::any_of(keys.begin(), keys.end(), [&](const StoredKey& k) {
               return isAtOrBelow(k.path, path);
           });
}

} // namespace

std::string_view rootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::filesystem::path Registry::folderFromEnvironment() {
    const auto env = [](const char* name) -> std::string {
        const char* v = std::getenv(name);
        return v ? v : "";
    };
    if (const std::string dir = env("BWCTRLS_REGISTRY"); !dir.empty()) return dir;
    if (const std::string dir = env("XDG_CONFIG_HOME"); !dir.empty())
        return std::filesystem::path(dir) / "bwctrls";
    return std::filesystem::path(env("HOME")) / ".config" / "bwctrls";
}

std::filesystem::path Registry::fileOf(RegistryRoot root) const {
    return folder_ / (std::string(rootName(root)) + ".json");
}

std::optional<RegistryKey> Registry::openKey(RegistryRoot root, std::string_view path) const {
    const auto normalised = normalisePath(path);
    if (!normalised) return std::nullopt;
    const auto keys = load(fileOf(root));
    if (!keys || !keyExists(*keys, *normalised)) return std::nullopt;
    return RegistryKey{root, *normalised};
}

RegistryValue Registry::queryValue(const RegistryKey& key, std::string_view name,
                                   std::uint32_t bufferSize) const {
    RegistryValue result;
    auto keys = load(fileOf(key.root));
    if (!keys) return result;
    const StoredKey* stored = findKey(*keys, key.path);
    if (!stored) return result;
    for (const StoredValue& v : stored->values) {
        if (!iequals(v.name, name)) continue;
        result.type = v.type;
        result.length = static_cast<std::uint32_t>(v.data.size());
        if (v.data.size() > bufferSize) {
            result.status = RegStatus::MoreData;
            return result;
        }
        result.status = RegStatus::Success;
        result.data = v.data;
        return result;
    }
    return result;
}

std::optional<RegistryKey> Registry::createKey(RegistryRoot root, std::string_view path) {
    const auto normalised = normalisePath(path);
    if (!normalised) return std::nullopt;
    auto keys = load(fileOf(root));
    if (!keys) return std::nullopt;
    if (!findKey(*keys, *normalised)) {
        keys->push_back({*normalised, {}});
        if (save(fileOf(root), *keys) != RegStatus::Success) return std::nullopt;
    }
    return RegistryKey{root, *normalised};
}

RegStatus Registry::setValue(const RegistryKey& key, std::string_view name, RegType type,
                             std::span<const std::byte> data) {
    auto keys = load(fileOf(key.root));
    if (!keys) return RegStatus::BadDb;
    StoredKey* stored = findKey(*keys, key.path);
    if (!stored) {
        if (!keyExists(*keys, key.path) && !key.path.empty()) return RegStatus::NotFound;
        keys->push_back({key.path, {}});
        stored = &keys->back();
    }
    std::vector<std::byte> bytes(data.begin(), data.end());
    const auto it = std::find_if(stored->values.begin(), stored->values.end(),
                                 [&](const StoredValue& v) { return iequals(v.name, name); });
    if (it != stored->values.end())
        *it = {std::string(name), type, std::move(bytes)};
    else
        stored->values.push_back({std::string(name), type, std::move(bytes)});
    return save(fileOf(key.root), *keys);
}

RegStatus Registry::deleteValue(const RegistryKey& key, std::string_view name) {
    auto keys = load(fileOf(key.root));
    if (!keys) return RegStatus::BadDb;
    StoredKey* stored = findKey(*keys, key.path);
    if (!stored) return RegStatus::NotFound;
    const auto before = stored->values.size();
    std::erase_if(stored->values, [&](const StoredValue& v) { return iequals(v.name, name); });
    if (stored->values.size() == before) return RegStatus::NotFound;
    return save(fileOf(key.root), *keys);
}

RegStatus Registry::deleteKey(RegistryRoot root, std::string_view path) {
    const auto normalised = normalisePath(path);
    if (!normalised || normalised->empty()) return RegStatus::InvalidParameter;
    auto keys = load(fileOf(root));
    if (!keys) return RegStatus::BadDb;
    const auto removed =
        std::erase_if(*keys, [&](const StoredKey& k) { return isAtOrBelow(k.path, *normalised); });
    if (removed == 0) return RegStatus::NotFound;
    return save(fileOf(root), *keys);
}

RegStatus Registry::writeValue(RegistryRoot root, std::string_view path, std::string_view name,
                               RegType type, std::span<const std::byte> data) {
    if (!normalisePath(path)) return RegStatus::InvalidParameter;
    if (!load(fileOf(root))) return RegStatus::BadDb;
    const auto key = createKey(root, path);
    if (!key) return RegStatus::WriteFault;
    return setValue(*key, name, type, data);
}

RegStatus Registry::writeString(RegistryRoot root, std::string_view path, std::string_view name,
                                std::string_view text, RegType type) {
    return writeValue(root, path, name, type, textBytes(text, true));
}

RegStatus Registry::writeDword(RegistryRoot root, std::string_view path, std::string_view name,
                               std::uint32_t value) {
    return writeValue(root, path, name, RegType::Dword, littleEndian(value));
}

} // namespace bw
