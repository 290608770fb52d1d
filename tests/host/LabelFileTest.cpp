// Label files: what the loader accepts and rejects (the JSON Schema must agree on the shape),
// and that a saved file loads back to the same elements.

#include "host/LabelFile.h"

#include "framework/RecordingHost.h"
#include "host/LabelFileError.h"
#include "support/FileText.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace bw::host {
namespace {

using Json = nlohmann::ordered_json;
using test::fileText;

const std::filesystem::path sourceDir = BW_SOURCE_DIR;
const std::filesystem::path example = sourceDir / "examples" / "food-label.json";
const std::filesystem::path schema = sourceDir / "schemas" / "label.schema.json";

Json exampleJson() {
    return Json::parse(fileText(example));
}

std::vector<std::filesystem::path> listing(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path());
    std::sort(names.begin(), names.end());
    return names;
}

bool schemaValidatorAvailable() {
    return std::system("python3 -c 'import jsonschema' >/dev/null 2>&1") == 0;
}

// The files of `dir` (named *.json) the schema rejects, one name a line.
std::string schemaRejects(const std::filesystem::path& dir) {
    const std::filesystem::path report = dir / "rejected.txt";
    const std::string script = "import json,sys,pathlib,jsonschema\n"
                               "v=jsonschema.Draft202012Validator(json.load(open(sys.argv[1])))\n"
                               "out=open(sys.argv[3],'w')\n"
                               "for f in sorted(pathlib.Path(sys.argv[2]).glob('*.json')):\n"
                               "  try:\n"
                               "    v.validate(json.load(open(f)))\n"
                               "  except Exception:\n"
                               "    out.write(f.name+'\\n')\n";
    std::ofstream(dir / "check.py") << script;
    const std::string command = "python3 '" + (dir / "check.py").string() + "' '" +
                                schema.string() + "' '" + dir.string() + "' '" + report.string() +
                                "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return fileText(report);
}

class LabelFileTest : public ::testing::Test {
protected:
    LabelFileTest() { host.setDataDirectory(dir.withSeparator()); }

    test::TempDir dir;
    test::RecordingHost host;
};

TEST_F(LabelFileTest, ExampleLoadsWithItsSheetAndControls) {
    LabelFile file(example, host);
    EXPECT_EQ(file.page().printer, "PDF");
    EXPECT_EQ(file.page().across, 2);
    EXPECT_EQ(file.page().down, 7);
    EXPECT_FLOAT_EQ(file.page().firstTop, 15.1f);
    EXPECT_FLOAT_EQ(file.page().hPitch, 101.6f);
    EXPECT_FLOAT_EQ(file.page().labelWidth, 99.1f);
    ASSERT_EQ(file.controlCount(), 6u);
    EXPECT_EQ(file.name(3), "LotNumber");
    EXPECT_EQ(file.className(5), "EANCode");
    // "set" comes after the bag: the token text with its counter is back in Text.
    EXPECT_EQ(file.object(3).getProperty("Text").toString().value(), "Lot [+]0041");
    EXPECT_TRUE(file.object(3).getProperty("HasLabelIncr").toBool().value());
    // The area is sized after the load, so the element lays out in its frame.
    EXPECT_EQ(file.element(0).area().right, 5378);
    EXPECT_EQ(file.element(0).area().bottom, 430);
}

struct BadFile {
    const char* what;
    std::function<void(Json&)> change; // on the example
    const char* path;
    const char* expected; // part of the message
};

Json& lot(Json& j) {
    return j["controls"][3];
}

// Malformed in shape: the schema and the loader both reject these.
const BadFile badShapes[] = {
    {"root not an object", [](Json& j) { j = Json::array(); }, "$", "expected an object"},
    {"other format", [](Json& j) { j["format"] = "label"; }, "$.format", "\"bwctrls-label\""},
    {"newer version", [](Json& j) { j["version"] = 2; }, "$.version", "expected 1"},
    {"no page", [](Json& j) { j.erase("page"); }, "$", "missing \"page\""},
    {"unit code 1", [](Json& j) { j["page"]["unit"] = 1; }, "$.page.unit", "6 (millimetres)"},
    {"no label across", [](Json& j) { j["page"]["across"] = 0; }, "$.page.across", "from 1"},
    {"paper 6", [](Json& j) { j["page"]["paper"] = 6; }, "$.page.paper", "plus 16"},
    {"label width 0", [](Json& j) { j["page"]["labelWidth"] = 0; }, "$.page.labelWidth", "above 0"},
    {"misspelt page key", [](Json& j) { j["page"]["acros"] = 2; }, "$.page.acros", "unknown key"},
    {"flip mode", [](Json& j) { j["flip"] = Json::object(); }, "$.flip", "not available"},
    {"controls not a list", [](Json& j) { j["controls"] = Json::object(); }, "$.controls",
     "expected an array"},
    {"control without class", [](Json& j) { lot(j).erase("class"); }, "$.controls[3]",
     "missing \"class\""},
    {"tag not text", [](Json& j) { lot(j)["tag"] = 5; }, "$.controls[3].tag", "expected a string"},
    {"width as text", [](Json& j) { lot(j)["properties"]["PWidth"] = "wide"; },
     "$.controls[3].properties.PWidth", "whole number"},
    {"width with a fraction", [](Json& j) { lot(j)["properties"]["PWidth"] = 12.5; },
     "$.controls[3].properties.PWidth", "found 12.5"},
    {"width past 32 bits", [](Json& j) { lot(j)["properties"]["PWidth"] = 3000000000LL; },
     "$.controls[3].properties.PWidth", "to 2147483647"},
    {"font size as text", [](Json& j) { lot(j)["properties"]["Font"]["Size"] = "big"; },
     "$.controls[3].properties.Font.Size", "expected a number above 0"},
    {"text as a list", [](Json& j) { lot(j)["properties"]["text"] = Json::array({"a"}); },
     "$.controls[3].properties.text", "expected a string"},
    {"token text as a number", [](Json& j) { lot(j)["set"]["Text"] = 41; },
     "$.controls[3].set.Text", "expected a string"},
    {"call without method", [](Json& j) { lot(j)["calls"] = Json::array({Json::object()}); },
     "$.controls[3].calls[0]", "missing \"method\""},
};

// Right in shape but wrong in meaning: only the loader sees these.
const BadFile badMeanings[] = {
    {"class unknown", [](Json& j) { lot(j)["class"] = "Barcode"; }, "$.controls[3].class",
     "an element class: AutoText"},
    {"not an element", [](Json& j) { lot(j)["class"] = "LabelPrinter"; }, "$.controls[3].class",
     "an element class"},
    {"name used twice", [](Json& j) { lot(j)["name"] = "ProductName"; }, "$.controls[3].name",
     "already used by $.controls[0]"},
    {"misspelt property", [](Json& j) { lot(j)["properties"]["PWidht"] = 100; },
     "$.controls[3].properties.PWidht", "not a property that AutoText keeps"},
    {"property that is only set", [](Json& j) { lot(j)["properties"]["HasLabelIncr"] = true; },
     "$.controls[3].properties.HasLabelIncr", "AutoText does not save HasLabelIncr"},
    {"read-only property set", [](Json& j) { lot(j)["set"]["HasLabelIncr"] = true; },
     "$.controls[3].set.HasLabelIncr", "read-only"},
    {"unknown property set", [](Json& j) { lot(j)["set"]["Colour"] = 1; },
     "$.controls[3].set.Colour", "no property \"Colour\""},
    {"unknown method", [](Json& j) { lot(j)["calls"] = Json::parse(R"([{"method": "Spin"}])"); },
     "$.controls[3].calls[0].method", "no method \"Spin\""},
    {"method with wrong arguments",
     [](Json& j) {
         lot(j)["calls"] = Json::parse(R"([{"method": "DoLabelIncrement", "args": [1]}])");
     },
     "$.controls[3].calls[0]", "DoLabelIncrement failed"},
    {"labels overlapping across", [](Json& j) { j["page"]["hPitch"] = 50; }, "$.page.hPitch",
     "at least the label width"},
    // Barcodes that would print nothing, or another number than the one given.
    {"EAN-13 with a wrong check digit",
     [](Json& j) { j["controls"][5]["properties"]["code"] = "5012345678901"; }, "$.controls[5]",
     "EANCode \"Gtin\" cannot print its code as given"},
    {"GS1-128 that does not encode",
     [](Json& j) {
         j["controls"].push_back(
             Json::parse(R"({"name": "Batch", "class": "EanCode128", "set": {"Text": "(10"}})"));
     },
     "$.controls[6]", "(CodeStatus 4)"},
};

void expectRejected(const BadFile& c, const std::filesystem::path& dir, HostServices& host) {
    SCOPED_TRACE(c.what);
    Json j = exampleJson();
    c.change(j);
    const std::filesystem::path file = dir / (std::string(c.what) + ".json");
    std::ofstream(file) << j.dump(2);
    const std::vector<std::filesystem::path> before = listing(dir);
    const std::string text = fileText(file);
    try {
        LabelFile loaded(file, host);
        ADD_FAILURE() << "loaded";
    } catch (const LabelFileError& e) {
        EXPECT_EQ(e.jsonPath(), c.path) << e.what();
        EXPECT_NE(e.problem().find(c.expected), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos);
    }
    // A rejected file changes nothing on disk: not the file, and no log or scratch file.
    EXPECT_EQ(fileText(file), text);
    EXPECT_EQ(listing(dir), before);
}

TEST_F(LabelFileTest, LoaderRejectsMalformedFilesNamingPathAndExpectation) {
    for (const BadFile& c : badShapes) expectRejected(c, dir.path(), host);
    for (const BadFile& c : badMeanings) expectRejected(c, dir.path(), host);

    const std::filesystem::path broken = dir.path() / "broken.json";
    std::ofstream(broken) << "{\"format\": \"bwctrls-label\",\n  \"version\": 1,";
    try {
        LabelFile loaded(broken, host);
        ADD_FAILURE() << "loaded";
    } catch (const LabelFileError& e) {
        EXPECT_EQ(e.jsonPath(), "$");
        EXPECT_NE(e.problem().find("not valid JSON"), std::string::npos) << e.what();
        EXPECT_NE(e.problem().find("line 2"), std::string::npos) << e.what();
    }
    EXPECT_THROW(LabelFile(dir.path() / "missing.json", host), LabelFileError);

    // A number beyond a double's range is refused like any other malformed text.
    try {
        LabelFile loaded(std::string_view("{\"version\": 1e999999}"), "huge.json", host);
        ADD_FAILURE() << "loaded";
    } catch (const LabelFileError& e) {
        EXPECT_NE(e.problem().find("not valid JSON"), std::string::npos) << e.what();
    }
}

TEST_F(LabelFileTest, SchemaAcceptsTheExamplesAndRejectsWhatIsMalformedInShape) {
    if (!schemaValidatorAvailable()) GTEST_SKIP() << "python3-jsonschema is not installed";
    const std::filesystem::path good = dir.path() / "good";
    const std::filesystem::path bad = dir.path() / "bad";
    std::filesystem::create_directories(good);
    std::filesystem::create_directories(bad);
    for (const auto& e : std::filesystem::directory_iterator(sourceDir / "examples"))
        if (e.path().extension() == ".json")
            std::filesystem::copy_file(e.path(), good / e.path().filename());
    EXPECT_EQ(schemaRejects(good), "");

    std::string expected;
    for (std::size_t i = 0; i < std::size(badShapes); ++i) {
        Json j = exampleJson();
        badShapes[i].change(j);
        const std::string name = "case" + std::to_string(100 + i) + ".json";
        std::ofstream(bad / name) << j.dump(2);
        expected += name + "\n";
    }
    EXPECT_EQ(schemaRejects(bad), expected);
}

TEST_F(LabelFileTest, SavedFileLoadsBackToTheSameElements) {
    LabelFile first(example, host);
    first.captureAll();
    const std::filesystem::path saved = dir.path() / "saved.json";
    std::ofstream(saved) << first.text();

    LabelFile second(saved, host);
    ASSERT_EQ(second.controlCount(), first.controlCount());
    for (std::size_t i = 0; i < first.controlCount(); ++i) {
        SCOPED_TRACE(first.name(i));
        EXPECT_EQ(second.name(i), first.name(i));
        EXPECT_EQ(second.tag(i), first.tag(i));
        for (const MemberInfo& m : first.object(i).members()) {
            if (m.kind != MemberKind::Property || !m.readable) continue;
            const Variant before = first.object(i).getProperty(m.name);
            const Variant after = second.object(i).getProperty(m.name);
            EXPECT_TRUE(sameValue(after, before))
                << m.name << ": " << after.describe() << " vs " << before.describe();
        }
    }
    // Saving again changes nothing more.
    second.captureAll();
    EXPECT_EQ(second.text(), first.text());
}

TEST_F(LabelFileTest, CaptureWritesTheBagAndTheTokenTextOfOneControl) {
    LabelFile file(example, host);
    file.object(3).callMethod("DoLabelIncrement", {});
    file.capture(3);
    const Json saved = Json::parse(file.text());
    EXPECT_EQ(saved["controls"][3]["set"]["Text"], "Lot [+]0042");
    EXPECT_EQ(saved["controls"][3]["properties"]["text"], "Lot 0042");
    // The other controls stay as the file had them.
    EXPECT_EQ(saved["controls"][0], exampleJson()["controls"][0]);
}

// A GS1-128 serial keeps its tokens in the saved file, so the next run goes on counting.
TEST_F(LabelFileTest, CaptureKeepsTheTokensOfABarcodeCounter) {
    Json j = exampleJson();
    j["controls"].push_back(Json::parse(
        R"({"name": "Sscc", "class": "EanCode128", "set": {"Text": "(00)[+]12345678901234567"}})"));
    LabelFile file(j.dump(), "sscc.json", host);
    file.object(6).callMethod("DoLabelIncrement", {});
    file.capture(6);
    const Json saved = Json::parse(file.text());
    EXPECT_EQ(saved["controls"][6]["set"]["Text"], "(00)[+]12345678901234568");
    EXPECT_EQ(saved["controls"][6]["properties"]["code"], "(00)123456789012345682");

    LabelFile again(file.text(), "sscc.json", host);
    again.object(6).callMethod("DoLabelIncrement", {});
    EXPECT_EQ(again.object(6).getProperty("Text"), Variant("(00)123456789012345699"));
}

} // namespace
} // namespace bw::host
