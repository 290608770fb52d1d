#include "barcodes/BarcodeTables.h"

#include "framework/HostError.h"
#include "framework/Resources.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace bw;

namespace {

std::string slice(std::span<const std::uint8_t> table, std::size_t at, std::size_t count) {
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s += static_cast<char>('0' + table[at + i]);
    return s;
}

int bars(const std::string& pattern) {
    int runs = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == '1' && (i == 0 || pattern[i - 1] == '0')) ++runs;
    return runs;
}

} // namespace

TEST(BarcodeTables, ResourcesHaveTheirLayoutSizesUnderAnyLetterCase) {
    const std::pair<const char*, std::size_t> sizes[] = {
        {"etables", 212}, {"ETABS", 60}, {"EeGuard", 4}, {"ecguard", 8}, {"ItfTables", 52}};
    for (const auto& [name, size] : sizes) EXPECT_EQ(resources::resourceByName(name).size(), size);
    EXPECT_TRUE(resources::resourceByName("etable").empty());
}

// Checks every entry against the rules the published sets follow, so a wrong byte anywhere in
// the resource files shows up here rather than as a symbol that does not scan.
TEST(BarcodeTables, EanSetsFollowTheEncodationRules) {
    const EanTables t = BarcodeTables::ean();
    std::set<std::string> seen;
    for (std::size_t d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        const std::string a = slice(t.etables, 7 * d, 7);
        const std::string b = slice(t.etables, 70 + 7 * d, 7);
        const std::string c = slice(t.etables, 140 + 7 * d, 7);
        // A: space first, bar last, two bars, odd count of dark modules.
        EXPECT_EQ(a.front(), '0');
        EXPECT_EQ(a.back(), '1');
        EXPECT_EQ(bars(a), 2);
        EXPECT_EQ(std::count(a.begin(), a.end(), '1') % 2, 1);
        std::string inverse = a;
        for (char& ch : inverse) ch = ch == '1' ? '0' : '1';
        EXPECT_EQ(c, inverse);                           // C swaps A's bars and spaces
        EXPECT_EQ(b, std::string(c.rbegin(), c.rend())); // B is C mirrored
        EXPECT_TRUE(seen.insert(a).second);
        EXPECT_TRUE(seen.insert(b).second);
    }
    // Parity rows: all A for 0, else three B with the first character always A; all distinct.
    std::set<std::string> rows;
    for (std::size_t r = 0; r < 10; ++r) {
        std::string row;
        for (std::size_t j = 0; j < 6; ++j) row += t.etabs[6 * r + j] == 0 ? 'A' : 'B';
        EXPECT_EQ(row.front(), 'A') << r;
        EXPECT_EQ(std::count(row.begin(), row.end(), 'B'), r == 0 ? 0 : 3) << r;
        EXPECT_TRUE(rows.insert(row).second) << r;
        if (r == 1) {
            EXPECT_EQ(row, "AABABB");
        }
    }
    EXPECT_EQ(slice(t.eeguard, 0, 3), "101");
    EXPECT_EQ(slice(t.ecguard, 0, 5), "01010");
}

TEST(BarcodeTables, ItfDigitsHaveTwoWideElementsOfFive) {
    const ItfTables t = BarcodeTables::itf();
    std::set<std::string> seen;
    for (std::size_t d = 0; d < 10; ++d) {
        const std::string row = slice(t.itftables, 5 * d, 5);
        EXPECT_EQ(std::count(row.begin(), row.end(), '1'), 2) << d;
        EXPECT_TRUE(seen.insert(row).second) << d;
    }
    EXPECT_EQ(slice(t.itftables, 0, 5), "00110");
}

TEST(BarcodeTables, MissingShortOrStrayTablesFailNamingTheTable) {
    std::map<std::string, std::vector<std::byte>> store;
    for (const char* name : {"etables", "etabs", "eeguard", "ecguard"}) {
        const auto bytes = resources::resourceByName(name);
        store[name].assign(bytes.begin(), bytes.end());
    }
    const ResourceLookup lookup = [&](std::string_view name) -> std::span<const std::byte> {
        const auto it = store.find(std::string(name));
        return it == store.end() ? std::span<const std::byte>{} : it->second;
    };
    EXPECT_NO_THROW(BarcodeTables::ean(lookup));

    const auto failure = [&] {
        try {
            BarcodeTables::ean(lookup);
        } catch (const HostError& e) {
            return std::to_string(e.number()) + " " + e.what();
        }
        return std::string("no failure");
    };
    const std::vector<std::byte> etabs = store["etabs"];
    store["etabs"][7] = std::byte{71}; // would index past set C
    EXPECT_EQ(failure(), "5 ETABS byte 7 is 71, expecting 0 or 70");
    store["etabs"].assign(etabs.begin(), etabs.end() - 1);
    EXPECT_EQ(failure(), "326 Resource 'etabs' has 59 bytes, expecting 60");
    store["etabs"] = etabs;
    store.erase("eeguard");
    EXPECT_EQ(failure(), "326 Resource with identifier 'eeguard' not found");
}
