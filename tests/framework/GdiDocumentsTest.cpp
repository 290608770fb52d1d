#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>

using namespace bw;
using namespace bw::gdi;
namespace fs = std::filesystem;

namespace {

class GdiDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("bw-docs-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static HDC printer(const std::string& format, int copies) {
        PrinterProfile p = PrinterProfile::builtinPdf();
        p.format = format;
        p.dpiX = p.dpiY = 72;
        DEVMODE settings;
        settings.dmCopies = copies;
        return CreatePrinterDC(p, settings);
    }

    fs::path dir;
};

int pdfPageCount(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), {}));
}

} // namespace

TEST_F(GdiDocuments, CopyCountRepeatsThePageInPdf) {
    const HDC hdc = printer("pdf", 3);
    const fs::path out = dir / "copies.pdf";
    ASSERT_GT(StartDoc(hdc, DOCINFO{"copies", out.string()}), 0);
    ASSERT_GT(StartPage(hdc), 0);
    ASSERT_GT(EndPage(hdc), 0);
    DEVMODE single;
    GetDevMode(hdc, single);
    single.dmCopies = 1;
    ASSERT_TRUE(ResetDC(hdc, single));
    ASSERT_GT(StartPage(hdc), 0);
    ASSERT_GT(EndPage(hdc), 0);
    ASSERT_GT(EndDoc(hdc), 0);
    EXPECT_EQ(pdfPageCount(out), 4);
    EXPECT_EQ(GetPagesWritten(hdc), 4);
    EXPECT_FALSE(fs::exists(dir / "copies.pdf.part"));
    DeleteDC(hdc);
}

TEST_F(GdiDocuments, CopyCountRepeatsThePageInPng) {
    const HDC hdc = printer("png", 3);
    ASSERT_GT(StartDoc(hdc, DOCINFO{"copies", (dir / "page.png").string()}), 0);
    ASSERT_GT(StartPage(hdc), 0);
    ASSERT_GT(EndPage(hdc), 0);
    ASSERT_GT(EndDoc(hdc), 0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(fs::exists(dir / ("page-" + std::to_string(i) + ".png")));
    EXPECT_FALSE(fs::exists(dir / "page-4.png"));
    DeleteDC(hdc);
}

TEST_F(GdiDocuments, FailuresLeaveNoDocumentBehind) {
    const HDC hdc = printer("pdf", 1);
    // A folder that does not exist: the document does not start.
    EXPECT_LT(StartDoc(hdc, DOCINFO{"x", (dir / "missing" / "a.pdf").string()}), 0);
    EXPECT_LT(StartPage(hdc), 0);
    // An aborted document leaves nothing.
    const fs::path out = dir / "aborted.pdf";
    ASSERT_GT(StartDoc(hdc, DOCINFO{"x", out.string()}), 0);
    ASSERT_GT(StartPage(hdc), 0);
    EXPECT_GT(AbortDoc(hdc), 0);
    EXPECT_TRUE(fs::is_empty(dir));
    // Pages need a document, and a second document waits for the first to end.
    EXPECT_LT(EndPage(hdc), 0);
    ASSERT_GT(StartDoc(hdc, DOCINFO{"x", out.string()}), 0);
    EXPECT_LT(StartDoc(hdc, DOCINFO{"y", out.string()}), 0);
    EXPECT_GT(EndDoc(hdc), 0);
    EXPECT_TRUE(fs::exists(out));
    DeleteDC(hdc);
}

TEST_F(GdiDocuments, DocumentsNeedAPrinterContext) {
    const HDC window = CreateWindowDC(10, 10);
    EXPECT_LT(StartDoc(window, DOCINFO{"x", (dir / "w.pdf").string()}), 0);
    EXPECT_LT(StartDoc(0, DOCINFO{"x", (dir / "w.pdf").string()}), 0);
    DeleteDC(window);
}
