#include "framework/PrinterCatalog.h"

#include "framework/CurrentPrinter.h"
#include "framework/Gdi.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace bw;

TEST(PrinterCatalog, BuiltInPdfComesFirstThenTheFilesPrinters) {
    test::TempDir dir;
    const auto file = dir.path() / "printers.json";
    std::ofstream(file) << R"({ "printers": [
      { "name": "Thermal 300", "port": "out/thermal.png", "format": "png", "dpi": [300, 300],
        "offset": [12, 8], "maxCopies": 99, "customSize": false,
        "papers": { "9": [210, 297], "1": [215.9, 279.4] } } ] })";
    const PrinterCatalog catalog = PrinterCatalog::fromFile(file);
    ASSERT_EQ(catalog.printers().size(), 2u);
    EXPECT_EQ(catalog.printers()[0].name, "PDF");
    const auto thermal = catalog.find("Thermal 300");
    ASSERT_TRUE(thermal);
    EXPECT_EQ(thermal->format, "png");
    EXPECT_EQ(thermal->dpiX, 300);
    EXPECT_EQ(thermal->offsetX, 12);
    EXPECT_EQ(thermal->maxCopies, 99);
    EXPECT_FALSE(thermal->customSize);
    EXPECT_DOUBLE_EQ(thermal->papers.at(1).heightMM, 279.4);
    EXPECT_FALSE(catalog.find("thermal 300")) << "device names keep their letter case";
    EXPECT_TRUE(catalog.problems().empty());
}

TEST(PrinterCatalog, MalformedFilesSayWhereAndWhat) {
    const struct {
        const char* json;
        const char* expected;
    } cases[] = {
        {"{", "not valid JSON"},
        {R"({"printer": []})", "\"printers\" is missing"},
        {R"({"printers": [{"port": "x"}]})", "$.printers[0]: \"name\" is missing"},
        {R"({"printers": [{"name": "A", "dpi": [0, 300]}]})", "$.printers[0].dpi"},
        {R"({"printers": [{"name": "A", "format": "tiff"}]})", "$.printers[0].format"},
        {R"({"printers": [{"name": "A", "papers": {"x": [1, 2]}}]})", "$.printers[0].papers.x"},
    };
    for (const auto& c : cases) {
        try {
            PrinterCatalog::parsePrintersFile(c.json);
            ADD_FAILURE() << c.json << " was accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos)
                << c.json << " -> " << e.what();
        }
    }
}

TEST(PrinterCatalog, CurrentPrinterAppliesSettingsItsPrinterTakes) {
    CurrentPrinter& printer = CurrentPrinter::instance();
    printer.select(PrinterProfile::builtinPdf());
    const HDC first = printer.hdc();
    EXPECT_EQ(gdi::GetDeviceCaps(first, LOGPIXELSX), 600);
    DEVMODE letter = printer.settings();
    letter.dmPaperSize = DMPAPER_LETTER;
    EXPECT_TRUE(printer.applySettings(letter));
    EXPECT_EQ(gdi::GetDeviceCaps(first, PHYSICALWIDTH), 5100);
    DEVMODE unknown = letter;
    unknown.dmPaperSize = 77;
    EXPECT_FALSE(printer.applySettings(unknown));
    EXPECT_EQ(printer.settings().dmPaperSize, DMPAPER_LETTER);
    printer.select(PrinterProfile::builtinPdf());
    EXPECT_NE(printer.hdc(), first) << "a new selection gives a new context";
    EXPECT_EQ(gdi::GetObjectType(first), 0);
}

TEST(PrinterCatalog, DriverRecordsAndCapabilities) {
    CurrentPrinter::instance().select(PrinterProfile::builtinPdf());
    Handle driver = 0;
    ASSERT_TRUE(gdi::OpenPrinter("PDF", &driver));
    DEVMODE record;
    ASSERT_GT(gdi::DocumentProperties(driver, &record, nullptr), 0);
    EXPECT_EQ(record.dmPaperSize, DMPAPER_A4);
    record.dmCopies = 5000; // above the driver's limit
    ASSERT_GT(gdi::DocumentProperties(driver, nullptr, &record), 0);
    gdi::DocumentProperties(driver, &record, nullptr);
    EXPECT_EQ(record.dmCopies, 999);
    record.dmPaperSize = 77;
    EXPECT_LT(gdi::DocumentProperties(driver, nullptr, &record), 0);
    EXPECT_TRUE(gdi::ClosePrinter(driver));
    EXPECT_FALSE(gdi::ClosePrinter(driver));
    EXPECT_LT(gdi::DocumentProperties(driver, &record, nullptr), 0);

    EXPECT_FALSE(gdi::OpenPrinter("pdf", &driver)) << "device names keep their letter case";
    EXPECT_EQ(driver, 0u);
    EXPECT_EQ(gdi::DeviceCapabilities("PDF", "", DC_COPIES), 999);
    std::vector<int> papers;
    EXPECT_EQ(gdi::DeviceCapabilities("PDF", "", DC_PAPERS, &papers), 4);
    EXPECT_EQ(papers, (std::vector<int>{DMPAPER_LETTER, DMPAPER_LEGAL, DMPAPER_A4, DMPAPER_USER}));
    EXPECT_EQ(gdi::DeviceCapabilities("No such printer", "", DC_COPIES), -1);
}
