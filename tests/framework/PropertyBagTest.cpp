#include "framework/PropertyBag.h"

#include "framework/PropertyReader.h"
#include "framework/RecordingHost.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace bw;

namespace {

std::vector<std::string> keysOf(const PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& e : bag.entries()) keys.push_back(e.key);
    return keys;
}

} // namespace

TEST(PropertyBag, KeysIgnoreLetterCaseAndMissingKeysGiveTheDefault) {
    PropertyBag bag;
    bag.write("AutoRefresh", false, true);
    EXPECT_EQ(bag.read("Autorefresh", true), Variant(false));
    EXPECT_EQ(bag.read("AUTOREFRESH", true), Variant(false));
    EXPECT_EQ(bag.read("PLeft", 1440), Variant(1440));
}

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotStored) {
    PropertyBag bag;
    bag.write("PLeft", 100, 0);
    bag.write("pleft", 0, 0); // back to the default: dropped, reads as the default
    EXPECT_FALSE(bag.contains("PLeft"));
    bag.write("FontMaximum", static_cast<std::int16_t>(240), 240); // equal across types
    bag.write("Text", "", Variant());
    EXPECT_TRUE(bag.empty());
}

TEST(PropertyBag, KeepsFirstWriteOrderAndTheLastSpelling) {
    PropertyBag bag;
    bag.set("B", 1);
    bag.set("A", 2);
    bag.set("C", 3);
    bag.set("b", 4);
    EXPECT_EQ(keysOf(bag), (std::vector<std::string>{"b", "A", "C"}));
    EXPECT_EQ(bag.read("B", 0), Variant(4));
}

TEST(PropertyBag, JsonRoundTrip) {
    PropertyBag bag;
    bag.set("PLeft", 100);
    bag.set("Scale", 12.3f);
    bag.set("Ratio", 0.1);
    bag.set("Bold", true);
    bag.set("Text", "Lot [+]0041");
    bag.set("Font", FontDesc{"Arial Black", 18.75, true, false, false, true, 2});
    const nlohmann::ordered_json json = bag.toJson();
    EXPECT_EQ(json.dump(),
              R"({"PLeft":100,"Scale":12.3,"Ratio":0.1,"Bold":true,"Text":"Lot [+]0041",)"
              R"("Font":{"Name":"Arial Black","Size":18.75,"Bold":true,"Italic":false,)"
              R"("Underline":false,"Strikethrough":true,"Charset":2}})");
    const PropertyBag back = PropertyBag::fromJson(json).value();
    EXPECT_EQ(keysOf(back), keysOf(bag));
    for (const auto& e : bag.entries()) // a Single comes back as a Double of the same text
        EXPECT_EQ(back.read(e.key, {}).convertTo(e.value.type()).value(), e.value) << e.key;
    EXPECT_EQ(PropertyBag::fromJson(nlohmann::json::parse(R"({"Big": 3000000000})"))
                  .value()
                  .read("Big", 0),
              Variant(3e9));
}

TEST(PropertyBag, MalformedJsonNamesTheKeyAndWhatWasExpected) {
    struct Case {
        const char* json;
        const char* error;
    } cases[] = {
        {R"({"Lines": [1, 2]})",
         "Lines: found an array, expected a number, Boolean, string or font object"},
        {R"({"Font": {"Bold": "yes"}})", "Font.Bold: found a string, expected a Boolean"},
        {R"({"Font": {"Size": -3}})",
         "Font.Size: found a number, expected a positive number of points"},
        {R"({"Font": {"Colour": 1}})",
         "Font.Colour: unknown font field, expected Name, Size, Bold, Italic, Underline, "
         "Strikethrough or Charset"},
        {R"([1])", "properties: found an array, expected an object"},
    };
    for (const Case& c : cases) {
        const Result<PropertyBag> r = PropertyBag::fromJson(nlohmann::json::parse(c.json));
        ASSERT_FALSE(r.ok()) << c.json;
        EXPECT_EQ(r.error().description, c.error);
    }
}

TEST(PropertyReader, ConvertsOrFallsBackToTheDefaultAndLogs) {
    test::RecordingHost host;
    host.fileService = false; // log entries become message boxes, easy to read back
    PropertyBag bag;
    bag.set("PLeft", "abc");
    bag.set("FontSize", 40000);
    bag.set("PTop", "12");
    bag.set("PWidth", 12.5);
    bag.set("Enabled", "False");
    bag.set("Font", "Arial");
    const PropertyReader reader(bag, host, "AutoText:ReadProperties");

    EXPECT_EQ(reader.readLong("PTop", 0), 12);   // converted silently
    EXPECT_EQ(reader.readLong("PWidth", 0), 12); // halves to even
    EXPECT_FALSE(reader.readBool("Enabled", true));
    EXPECT_EQ(reader.readLong("PHeight", 500), 500); // missing
    EXPECT_TRUE(host.messageBoxes.empty());

    EXPECT_EQ(reader.readLong("pleft", 0), 0);
    EXPECT_EQ(reader.readInteger("FontSize", 10), 10);
    EXPECT_EQ(reader.readFont("Font", FontDesc{}), FontDesc{});
    ASSERT_EQ(host.messageBoxes.size(), 3u);
    EXPECT_EQ(host.messageBoxes[0].text,
              "BWCTRLS Error: AutoText:ReadProperties Source: BWCTRLS Desc:Property \"pleft\": "
              "found \"abc\" (String), expected a Long; the default 0 (Long) is used");
    EXPECT_EQ(host.messageBoxes[1].text,
              "BWCTRLS Error: AutoText:ReadProperties Source: BWCTRLS Desc:Property \"FontSize\": "
              "found 40000 (Long), expected an Integer; the default 10 (Integer) is used");
}

TEST(PropertyReader, NeverThrowsEvenWhenTheLogCannotBeWritten) {
    test::RecordingHost host;
    host.setDataDirectory("/nonexistent/bwctrls/");
    PropertyBag bag;
    bag.set("PLeft", "abc");
    const PropertyReader reader(bag, host, "AutoText:ReadProperties");
    EXPECT_EQ(reader.readLong("PLeft", 7), 7);
}
