// smmain as a user runs it: printing a label file onto its sheet, counters saved back, and
// the failures a user meets (no such printer, nothing to print, nowhere to write, a full
// disk), each with its exit code and the label file left as it was.

#include "host/PngPicture.h"
#include "host/SmmainProcess.h"
#include "support/FileText.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace bw::test {
namespace {

const std::filesystem::path example =
    std::filesystem::path(BW_SOURCE_DIR) / "examples" / "food-label.json";

// The example's sheet in millimetres: A4, 2 across, 7 down.
constexpr double firstLeft = 4.6, firstTop = 15.1, pitchX = 101.6, pitchY = 38.1;
constexpr double labelWidth = 99.1, labelHeight = 38.1;
constexpr int renderDpi = 50;

int px(double mm) {
    return static_cast<int>(mm / 25.4 * renderDpi + 0.5);
}

class SmmainTest : public ::testing::Test {
protected:
    SmmainTest() {
        std::filesystem::copy_file(example, label);
        original = fileText(label);
    }

    SmmainResult smmain(std::vector<std::string> args) {
        return SmmainProcess(dir.path(), std::move(args), environment()).run();
    }
    std::vector<std::string> environment() const {
        return {"BWCTRLS_REGISTRY=" + (dir.path() / "registry").string(),
                "BWCTRLS_PRINTERS=" + (dir.path() / "printers.json").string()};
    }
    std::string tokenText() const {
        return nlohmann::json::parse(fileText(label))["controls"][3]["set"]["Text"];
    }
    std::string pdfText(const std::string& pdf) {
        const std::string txt = (dir.path() / "text.txt").string();
        const std::string command = "pdftotext '" + (dir.path() / pdf).string() + "' '" + txt + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return fileText(txt);
    }

    TempDir dir;
    std::filesystem::path label = dir.path() / "food-label.json";
    std::string original;
};

int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(SmmainTest, PrintsThirtyLabelsIntoTheSheetsSlotsAndAdvancesTheLot) {
    const SmmainResult r = smmain({"print", "food-label.json", "-n", "30", "-o", "labels.pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "printed 30 labels on 3 sheets to labels.pdf\n");

    // 14 labels a sheet: two full sheets (one page with two copies) and two labels.
    const std::string render = "pdftoppm -r " + std::to_string(renderDpi) + " -png '" +
                               (dir.path() / "labels.pdf").string() + "' '" +
                               (dir.path() / "page").string() + "'";
    ASSERT_EQ(std::system(render.c_str()), 0);
    const int labelsOnPage[] = {14, 14, 2};
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const PngPicture picture(dir.path() / ("page-" + std::to_string(page) + ".png"));
        ASSERT_TRUE(picture.ok());
        EXPECT_NEAR(picture.width(), px(210), 1);
        EXPECT_NEAR(picture.height(), px(297), 1);
        for (int slot = 0; slot < 14; ++slot) {
            const double left = firstLeft + (slot % 2) * pitchX;
            const double top = firstTop + (slot / 2) * pitchY;
            EXPECT_EQ(picture.inkIn(px(left + 1), px(top + 1), px(left + labelWidth - 1),
                                    px(top + labelHeight - 1)),
                      slot < labelsOnPage[page - 1])
                << "slot " << slot;
        }
        // Nothing outside the slots: the margins and the gutter between the columns.
        EXPECT_FALSE(picture.inkIn(0, 0, px(210), px(firstTop - 0.5)));
        EXPECT_FALSE(picture.inkIn(0, 0, px(firstLeft - 0.5), px(297)));
        EXPECT_FALSE(picture.inkIn(px(firstLeft + labelWidth + 0.5), 0,
                                   px(firstLeft + pitchX - 0.5), px(297)));
        EXPECT_FALSE(picture.inkIn(0, px(firstTop + 7 * pitchY + 0.5), px(210), px(297)));
    }
    EXPECT_EQ(occurrences(pdfText("labels.pdf"), "Lot 0041"), 30);

    // The lot advanced once for the run, and the next run prints it.
    EXPECT_EQ(tokenText(), "Lot [+]0042");
    const SmmainResult again = smmain({"print", "food-label.json", "-n", "2", "-o", "next.pdf"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(occurrences(pdfText("next.pdf"), "Lot 0042"), 2);
    EXPECT_EQ(tokenText(), "Lot [+]0043");
}

TEST_F(SmmainTest, RasterPrinterWritesPagesAndAdvancesTheLot) {
    std::ofstream(dir.path() / "printers.json") << R"({ "printers": [
        { "name": "Raster 100", "port": "raster.png", "format": "png", "dpi": [100, 100] } ] })";
    const SmmainResult r =
        smmain({"print", "food-label.json", "-n", "16", "--printer", "Raster 100", "--quiet"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "printed 16 labels on 2 sheets to raster.png\n");
    const PngPicture second(dir.path() / "raster-2.png");
    ASSERT_TRUE(second.ok());
    EXPECT_NEAR(second.width(), 827, 1); // A4 at 100 dpi
    // Labels 15 and 16 fill the first row of the second sheet; the second row stays blank.
    EXPECT_TRUE(second.inkIn(20, 61, 400, 208));
    EXPECT_TRUE(second.inkIn(420, 61, 810, 208));
    EXPECT_FALSE(second.inkIn(0, 212, 827, 1169));
    EXPECT_EQ(tokenText(), "Lot [+]0042");
}

TEST_F(SmmainTest, UnknownPrinterListsTheInstalledOnes) {
    std::ofstream(dir.path() / "printers.json") << R"({ "printers": [
        { "name": "Thermal 203", "port": "thermal.png", "format": "png", "dpi": [203, 203] } ] })";
    const SmmainResult r = smmain({"print", "food-label.json", "--printer", "Nope"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("Invalid Printer Name: Nope"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("installed printers:\n  PDF\n  Thermal 203"), std::string::npos) << r.err;
    EXPECT_EQ(fileText(label), original);

    const SmmainResult list = smmain({"printers"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out.rfind("* PDF ", 0), 0u) << list.out;
    EXPECT_NE(list.out.find("\n  Thermal 203  png, 203x203 dpi, thermal.png\n"), std::string::npos)
        << list.out;
}

TEST_F(SmmainTest, QuantitiesBelowOnePrintNothingAndSaySo) {
    struct Case {
        const char* quantity;
        int exitCode;
    };
    for (const Case c : {Case{"0", 0}, Case{"-1", 2}}) {
        SCOPED_TRACE(c.quantity);
        const SmmainResult r =
            smmain({"print", "food-label.json", "-n", c.quantity, "-o", "labels.pdf"});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(r.out, "nothing printed: the quantity is " + std::string(c.quantity) + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "labels.pdf"));
        EXPECT_EQ(fileText(label), original);
    }
    EXPECT_EQ(smmain({"print", "food-label.json", "-n", "40000"}).exitCode, 2);
}

TEST_F(SmmainTest, OutputThatCannotBeWrittenLeavesTheCountersAlone) {
    // Root may write in a read-only folder; /proc takes no new files from anyone.
    const std::filesystem::path readOnly = dir.path() / "read-only";
    std::filesystem::create_directory(readOnly);
    ::chmod(readOnly.c_str(), 0555);
    const std::string unwritable = ::geteuid() == 0 ? "/proc/labels.pdf" : "read-only/labels.pdf";
    struct Case {
        std::string output;
        const char* message;
    };
    for (const Case& c : {Case{"missing/labels.pdf", "the folder missing does not exist"},
                          Case{unwritable, "no file can be made in"}}) {
        SCOPED_TRACE(c.output);
        const SmmainResult r = smmain({"print", "food-label.json", "-n", "3", "-o", c.output});
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(fileText(label), original);
    }

    // A full disk: the document fails when it is finished, after the counters were saved;
    // they are put back, since the printer got nothing.
    SmmainProcess full(dir.path(), {"print", "food-label.json", "-n", "30", "-o", "labels.pdf"},
                       environment());
    full.limitFileSize(8 << 10);
    const SmmainResult r = full.run();
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("could not be written to labels.pdf"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("are as they were"), std::string::npos) << r.err;
    EXPECT_EQ(fileText(label), original);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "labels.pdf"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "labels.pdf.part"));
}

TEST_F(SmmainTest, BadLabelFileNamesThePathAndExpectation) {
    nlohmann::ordered_json j = nlohmann::ordered_json::parse(original);
    j["controls"][1]["properties"]["PWidth"] = "wide";
    std::ofstream(label) << j.dump(2);
    const SmmainResult r = smmain({"print", "food-label.json"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("food-label.json: $.controls[1].properties.PWidth: expected a whole "
                         "number from -2147483648 to 2147483647, found \"wide\""),
              std::string::npos)
        << r.err;
    EXPECT_EQ(smmain({"print", "nothing-here.json"}).exitCode, 3);
}

TEST_F(SmmainTest, PreviewDrawsOneLabelAndMovesNoCounter) {
    const SmmainResult r =
        smmain({"preview", "food-label.json", "-o", "label.png", "--dpi", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const PngPicture picture(dir.path() / "label.png");
    ASSERT_TRUE(picture.ok());
    // 5618 x 2160 twips at 100 dpi.
    EXPECT_EQ(picture.width(), 390);
    EXPECT_EQ(picture.height(), 150);
    EXPECT_TRUE(picture.inkIn(0, 0, 390, 20)) << "the product name";
    EXPECT_TRUE(picture.inkIn(300, 110, 390, 130)) << "the lot number";
    EXPECT_EQ(fileText(label), original);
}

TEST_F(SmmainTest, HelpAndCatalogCommands) {
    const SmmainResult help = smmain({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* code : {"  0  ", "  3  ", "  4  ", "  5  ", "  6  "})
        EXPECT_NE(help.out.find(code), std::string::npos) << code;
    EXPECT_EQ(smmain({"print"}).exitCode, 2);

    const SmmainResult classes = smmain({"classes"});
    EXPECT_NE(classes.out.find("AutoText\n"), std::string::npos) << classes.out;
    const SmmainResult properties = smmain({"properties", "autotext"});
    EXPECT_EQ(properties.exitCode, 0);
    EXPECT_NE(properties.out.find("PWidth"), std::string::npos);
    EXPECT_NE(properties.out.find("Long      0\n"), std::string::npos) << properties.out;
    EXPECT_NE(properties.out.find("(read-only)"), std::string::npos);
    EXPECT_NE(properties.out.find("DoLabelIncrement()"), std::string::npos);
    EXPECT_EQ(smmain({"properties", "Nope"}).exitCode, 2);
}

} // namespace
} // namespace bw::test
