#pragma once
// The registry stand-in: the two roots the system reads (current user, local machine), keys
// named by backslash paths compared without regard to letter case, and per key a default
// (unnamed) value and named values, each with a type and its bytes, as the platform keeps
// them: a string value holds its text and the terminating NUL, counted in its length.
//
// Each root is one human-editable JSON file in the registry folder (HKEY_CURRENT_USER.json,
// HKEY_LOCAL_MACHINE.json); every call reads the file afresh and every change rewrites it
// atomically. A value is written as a string (REG_SZ), a number (REG_DWORD) or an object
// {"type": "REG_BINARY", "hex": "00ff"} ("data" instead of "hex" for text and numbers):
//   { "Software\\Brightwell\\Packline\\1.0\\DataDirectory": { "": "/srv/packline/" } }
// A malformed file reads as empty and is never overwritten.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

enum class RegistryRoot { CurrentUser, LocalMachine };

enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    MultiSz = 7,
    Qword = 11,
};

// The platform's status codes.
enum class RegStatus : std::int32_t {
    Success = 0,
    NotFound = 2,
    WriteFault = 29,
    InvalidParameter = 87,
    MoreData = 234, // the value does not fit the buffer; `length` says what it needs
    BadDb = 1009,   // the root's file is malformed
};

struct RegistryKey {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string path; // normalised: no leading or trailing backslash
};

struct RegistryValue {
    RegStatus status = RegStatus::NotFound;
    RegType type = RegType::None;
    std::uint32_t length = 0;    // bytes of the value, terminator included
    std::vector<std::byte> data; // filled on success only
};

class Registry {
public:
    explicit Registry(std::filesystem::path folder) : folder_(std::move(folder)) {}
    // BWCTRLS_REGISTRY, else $XDG_CONFIG_HOME/bwctrls, else ~/.config/bwctrls.
    static std::filesystem::path folderFromEnvironment();
    static Registry fromEnvironment() { return Registry(folderFromEnvironment()); }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path fileOf(RegistryRoot root) const;

    // A key exists when it, or a key below it, was created.
    std::optional<RegistryKey> openKey(RegistryRoot root, std::string_view path) const;
    RegistryValue queryValue(const RegistryKey& key, std::string_view name,
                             std::uint32_t bufferSize) const;

    // Creates the key and the keys above it.
    std::optional<RegistryKey> createKey(RegistryRoot root, std::string_view path);
    RegStatus setValue(const RegistryKey& key, std::string_view name, RegType type,
                       std::span<const std::byte> data);
    RegStatus deleteValue(const RegistryKey& key, std::string_view name);
    // Removes the key with every key below it.
    RegStatus deleteKey(RegistryRoot root, std::string_view path);

    // Creates the key if needed and stores one value: text as REG_SZ with its NUL, a number as
    // REG_DWORD, or any type with the bytes given.
    RegStatus writeString(RegistryRoot root, std::string_view path, std::string_view name,
                          std::string_view text, RegType type = RegType::Sz);
    RegStatus writeDword(RegistryRoot root, std::string_view path, std::string_view name,
                         std::uint32_t value);
    RegStatus writeValue(RegistryRoot root, std::string_view path, std::string_view name,
                         RegType type, std::span<const std::byte> data);

private:
    std::filesystem::path folder_;
};

std::string_view rootName(RegistryRoot root);

} // namespace bw
