#include "framework/Registry.h"

#include "support/FileText.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace bw;

namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKLM = RegistryRoot::LocalMachine;

std::string text(const RegistryValue& v) {
    return std::string(reinterpret_cast<const char*>(v.data.data()), v.data.size());
}

class RegistryTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Registry registry{dir.path()};
};

} // namespace

TEST(RegistryFolder, ComesFromTheEnvironment) {
    struct Case {
        const char* registry;
        const char* xdg;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/srv/reg", "/x", "/home/u", "/srv/reg"},
        {nullptr, "/x", "/home/u", "/x/bwctrls"},
        {"", "", "/home/u", "/home/u/.config/bwctrls"},
    };
    for (const Case& c : cases) {
        const test::ScopedEnv r("BWCTRLS_REGISTRY", c.registry);
        const test::ScopedEnv x("XDG_CONFIG_HOME", c.xdg);
        const test::ScopedEnv h("HOME", c.home);
        EXPECT_EQ(Registry::folderFromEnvironment(), c.folder);
    }
}

TEST_F(RegistryTest, StringValuesCountTheirTerminator) {
    ASSERT_EQ(registry.writeString(HKCU, "Software\\Brightwell\\Test", "", "/data/"),
              RegStatus::Success);
    const auto key = registry.openKey(HKCU, "SOFTWARE\\brightwell\\test\\");
    ASSERT_TRUE(key);
    const RegistryValue v = registry.queryValue(*key, "", 256);
    EXPECT_EQ(v.status, RegStatus::Success);
    EXPECT_EQ(v.type, RegType::Sz);
    EXPECT_EQ(v.length, 7u);
    EXPECT_EQ(text(v), std::string("/data/\0", 7));
}

TEST_F(RegistryTest, AValueLargerThanTheBufferReportsItsLengthOnly) {
    const std::string fits(255, 'a'); // 256 bytes with the terminator
    registry.writeString(HKCU, "K", "fits", fits);
    registry.writeString(HKCU, "K", "long", fits + "a");
    const auto key = registry.openKey(HKCU, "K");
    EXPECT_EQ(registry.queryValue(*key, "fits", 256).status, RegStatus::Success);
    const RegistryValue v = registry.queryValue(*key, "long", 256);
    EXPECT_EQ(v.status, RegStatus::MoreData);
    EXPECT_EQ(v.length, 257u);
    EXPECT_TRUE(v.data.empty());
}

TEST_F(RegistryTest, MissingKeysAndValues) {
    registry.writeDword(HKLM, "A\\B\\C", "n", 1);
    EXPECT_TRUE(registry.openKey(HKLM, "A\\B")); // a key above a created one exists
    EXPECT_FALSE(registry.openKey(HKLM, "A\\D"));
    EXPECT_FALSE(registry.openKey(HKCU, "A\\B\\C")); // other root
    EXPECT_FALSE(registry.openKey(HKLM, "A\\\\B"));
    EXPECT_EQ(registry.queryValue(*registry.openKey(HKLM, "A\\B\\C"), "", 256).status,
              RegStatus::NotFound);
    EXPECT_EQ(registry.queryValue(*registry.openKey(HKLM, "A\\B"), "n", 256).status,
              RegStatus::NotFound);
}

TEST_F(RegistryTest, FileIsPlainJsonAndRoundTripsEveryType) {
    registry.writeString(HKCU, "Software\\Brightwell\\Packline\\1.0\\DataDirectory", "",
                         "/srv/packline/");
    registry.writeDword(HKCU, "Counters", "Next", 41);
    const std::byte blob[] = {std::byte{0}, std::byte{0xff}};
    registry.writeValue(HKCU, "Counters", "Blob", RegType::Binary, blob);
    const std::byte unterminated[] = {std::byte{'a'}, std::byte{'b'}};
    registry.writeValue(HKCU, "Counters", "Raw", RegType::Sz, unterminated);

    EXPECT_EQ(nlohmann::json::parse(test::fileText(dir.path() / "HKEY_CURRENT_USER.json")),
              nlohmann::json::parse(R"({
                  "Software\\Brightwell\\Packline\\1.0\\DataDirectory": {"": "/srv/packline/"},
                  "Counters": {"Next": 41, "Blob": {"type": "REG_BINARY", "hex": "00ff"},
                               "Raw": {"type": "REG_SZ", "hex": "6162"}}})"));

    const Registry again(dir.path());
    const auto key = again.openKey(HKCU, "counters");
    EXPECT_EQ(again.queryValue(*key, "next", 4).data,
              (std::vector<std::byte>{std::byte{41}, std::byte{0}, std::byte{0}, std::byte{0}}));
    EXPECT_EQ(again.queryValue(*key, "Raw", 256).length, 2u);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().extension(), ".json") << "left behind: " << entry.path();
}

TEST_F(RegistryTest, HandWrittenFilesAreRead) {
    std::ofstream(dir.path() / "HKEY_LOCAL_MACHINE.json") << R"({
        "Software\\Brightwell\\Packline\\1.0\\ExternalTrigger\\PrinterMode": {"": "1"},
        "Typed": {"e": {"type": "REG_EXPAND_SZ", "data": "%HOME%"}, "q": {"type": "REG_QWORD", "data": 5}}
    })";
    const auto mode =
        registry.openKey(HKLM, "Software\\Brightwell\\Packline\\1.0\\ExternalTrigger\\PrinterMode");
    ASSERT_TRUE(mode);
    EXPECT_EQ(text(registry.queryValue(*mode, "", 256)), std::string("1\0", 2));
    const auto typed = registry.openKey(HKLM, "Typed");
    EXPECT_EQ(registry.queryValue(*typed, "e", 256).type, RegType::ExpandSz);
    EXPECT_EQ(registry.queryValue(*typed, "q", 256).length, 8u);
}

TEST_F(RegistryTest, AMalformedFileReadsAsEmptyAndIsNeverOverwritten) {
    const auto file = dir.path() / "HKEY_CURRENT_USER.json";
    for (const char* bad : {"{not json", R"({"K": {"v": [1]}})", R"({"K": 5})",
                            R"({"K": {"v": {"type": "REG_SZ", "hex": "0"}}})"}) {
        std::ofstream(file) << bad;
        EXPECT_FALSE(registry.openKey(HKCU, "K")) << bad;
        EXPECT_EQ(registry.writeString(HKCU, "K", "", "x"), RegStatus::BadDb) << bad;
        EXPECT_EQ(test::fileText(file), bad);
    }
}

TEST_F(RegistryTest, DeletingAKeyTakesTheKeysBelowIt) {
    registry.writeDword(HKCU, "A\\B", "x", 1);
    registry.writeDword(HKCU, "A\\B\\C", "y", 2);
    registry.writeDword(HKCU, "A\\BB", "z", 3);
    EXPECT_EQ(registry.deleteKey(HKCU, "a\\b"), RegStatus::Success);
    EXPECT_FALSE(registry.openKey(HKCU, "A\\B\\C"));
    EXPECT_TRUE(registry.openKey(HKCU, "A\\BB"));
    EXPECT_EQ(registry.deleteKey(HKCU, "A\\B"), RegStatus::NotFound);
    EXPECT_EQ(registry.deleteValue(*registry.openKey(HKCU, "A\\BB"), "Z"), RegStatus::Success);
    EXPECT_EQ(registry.queryValue(*registry.openKey(HKCU, "A\\BB"), "z", 4).status,
              RegStatus::NotFound);
}
