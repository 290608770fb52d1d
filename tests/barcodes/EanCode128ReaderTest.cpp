// EanCode128 printed through LPrint on raster printer pages at the resolutions of real label
// printers, in every orientation, read back by an independent reader; the pixels along the
// symbol show that every module is a whole number of dots.

#include "barcodes/EanCode128.h"
#include "framework/DeviceContext.h"
#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "framework/RecordingHost.h"
#include "framework/Rounding.h"
#include "support/TempDir.h"

#include <ZXing/ReadBarcode.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bw;

namespace {

constexpr std::int32_t margin = 144; // twips around the element on the page

// A raster page of a printer at `dpi`, just larger than `width` × `height` twips, mapped to twips
// as page set-up maps it; its pixels are read before the page ends, and the page is discarded.
class RasterPage {
public:
    RasterPage(int dpi, std::int32_t width, std::int32_t height, const test::TempDir& dir) {
        PrinterProfile printer = PrinterProfile::builtinPdf();
        printer.name = "Raster";
        printer.format = "png";
        printer.dpiX = printer.dpiY = dpi;
        printer.customSize = true;
        printer.port = (dir.path() / "page.png").string();
        DEVMODE paper;
        paper.dmPaperSize = DMPAPER_USER;
        paper.dmPaperWidth = tenthsOfMm(width + 2 * margin);
        paper.dmPaperLength = tenthsOfMm(height + 2 * margin);
        hdc_ = gdi::CreatePrinterDC(printer, paper);
        const int w = gdi::GetDeviceCaps(hdc_, HORZRES);
        const int h = gdi::GetDeviceCaps(hdc_, VERTRES);
        gdi::SetMapMode(hdc_, MM_TWIPS);
        gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(hdc_, roundToInt(w * 1440.0 / dpi), -roundToInt(h * 1440.0 / dpi));
        gdi::SetViewportExtEx(hdc_, w, -h);
        gdi::StartDoc(hdc_, DOCINFO{"EanCode128", printer.port});
        gdi::StartPage(hdc_);
    }
    ~RasterPage() {
        gdi::AbortDoc(hdc_);
        gdi::DeleteDC(hdc_);
    }
    RasterPage(const RasterPage&) = delete;
    RasterPage& operator=(const RasterPage&) = delete;
    operator HDC() const { return hdc_; }

    // A length in twips in whole pixels, as a drawing in device pixels converts it.
    int pixelsX(std::int32_t twips) const { return scaled(twips, true); }
    int pixelsY(std::int32_t twips) const { return scaled(twips, false); }

    // The page as 8-bit grey levels, row by row.
    std::vector<std::uint8_t> grey(int& width, int& height) const {
        cairo_surface_t* s = findDC(hdc_)->surface();
        cairo_surface_flush(s);
        width = cairo_image_surface_get_width(s);
        height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x;
                out[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            }
        return out;
    }

private:
    int scaled(std::int32_t twips, bool across) const {
        SIZE window{}, viewport{};
        gdi::GetWindowExtEx(hdc_, &window);
        gdi::GetViewportExtEx(hdc_, &viewport);
        return across ? roundToInt(twips * double(viewport.cx) / window.cx)
                      : roundToInt(twips * double(viewport.cy) / window.cy);
    }
    static int tenthsOfMm(std::int32_t twips) {
        return static_cast<int>(std::ceil(twips * 254.0 / 1440));
    }
    HDC hdc_ = 0;
};

struct Reading {
    std::string text; // FNC1 separators read as GS (hex 1D)
    std::string symbology;
};

Reading read(const std::vector<std::uint8_t>& grey, int width, int height) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128);
    const ZXing::Result r =
        ZXing::ReadBarcode({grey.data(), width, height, ZXing::ImageFormat::Lum}, hints);
    if (!r.isValid()) return {"(unreadable)", ""};
    return {r.text(), r.symbologyIdentifier()};
}

// Run lengths of the modules: bar, space, bar, ... from the first bar.
std::vector<int> moduleRuns(const std::vector<std::uint8_t>& bars) {
    std::vector<int> runs;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (runs.empty() && !bars[i]) continue;
        if (i > 0 && bars[i] == bars[i - 1] && !runs.empty())
            ++runs.back();
        else
            runs.push_back(1);
    }
    return runs;
}

struct Scan {
    int quiet = -1;           // light pixels between the element's edge and the first bar
    std::vector<int> runs;    // dark, light, dark, ... from the first bar
    bool onlyBlackAndWhite{}; // no grey pixel along the scan
};

// The pixels along the symbol's axis through the bars, from the edge where the symbol starts.
Scan scanSymbol(const std::vector<std::uint8_t>& grey, int width, std::int16_t orientation,
                int left, int top, int w, int h) {
    std::vector<std::uint8_t> line;
    switch (orientation) {
    case orientations::down: // bars across, from the top; they run from 0.2 W to W
        for (int y = top; y < top + h; ++y) line.push_back(grey[y * width + left + w * 3 / 5]);
        break;
    case orientations::UpSideDown: // from the right; bars from 0.2 H to H
        for (int x = left + w - 1; x >= left; --x)
            line.push_back(grey[(top + h * 3 / 5) * width + x]);
        break;
    case orientations::Up: // from the bottom; bars from 0 to 0.8 W
        for (int y = top + h - 1; y >= top; --y) line.push_back(grey[y * width + left + w * 2 / 5]);
        break;
    default:
        for (int x = left; x < left + w; ++x) line.push_back(grey[(top + h * 2 / 5) * width + x]);
        break;
    }
    Scan s;
    s.onlyBlackAndWhite =
        std::all_of(line.begin(), line.end(), [](std::uint8_t v) { return v == 0 || v == 255; });
    const auto first = std::find(line.begin(), line.end(), 0);
    s.quiet = static_cast<int>(first - line.begin());
    for (auto it = first; it != line.end(); ++it) {
        const bool dark = *it == 0;
        if (s.runs.size() % 2 == (dark ? 0u : 1u))
            s.runs.push_back(1);
        else
            ++s.runs.back();
    }
    if (!s.runs.empty() && s.runs.size() % 2 == 0) s.runs.pop_back(); // the far quiet zone
    return s;
}

} // namespace

TEST(EanCode128Reader, PrintedSymbolsReadBackInEveryOrientationAndResolution) {
    test::TempDir dir;
    test::RecordingHost host;
    const std::string gs = "\x1D";
    struct Case {
        std::int16_t type;
        std::string text;
        bool advance; // one label step before printing
        std::string read;
        const char* symbology; // ]C1 marks GS1-128
    } cases[] = {
        /*0*/ {0, "(01)09501101530003(17)261231(10)AB12", false, "01095011015300031726123110AB12",
               "]C1"},
        // An SSCC counter completed after the step, and a batch that needs its FNC1 separator.
        /*1*/
        {0, "(00)[+]12345678901234567 (10)LOT7 (17)261231", true,
         "00123456789012345682"
         "10LOT7" +
             gs + "17261231",
         "]C1"},
        /*2*/ {2, "12345678", false, "12345678", "]C0"},
        /*3*/ {3, "Lot 42-b/7", false, "Lot 42-b/7", "]C0"},
    };
    for (const int dpi : {203, 300, 600}) {
        // About a hundredth of an inch per module: 2, 3 and 6 dots.
        const int moduleDots = dpi / 100;
        for (const Case& c : cases) {
            for (std::int16_t orientation = 0; orientation <= 3; ++orientation) {
                SCOPED_TRACE(std::to_string(dpi) + " dpi, " + c.text + ", orientation " +
                             std::to_string(orientation));
                EanCode128 e(host);
                e.setCodeType(c.type);
                e.setText(c.text);
                if (c.advance) e.DoLabelIncrement();
                ASSERT_EQ(e.CodeStatus(), 0) << e.codeError();
                const int N = 11 * (static_cast<int>(e.codes().size()) + 2) + 13;
                const double pitch = 1440.0 / dpi;
                const auto length = static_cast<std::int32_t>(
                    std::ceil((N * moduleDots + moduleDots / 2.0) * pitch));
                const std::int32_t depth = 720;
                const bool across = orientation % 2 == 0;
                const std::int32_t pw = across ? length : depth;
                const std::int32_t ph = across ? depth : length;
                e.setPWidth(pw);
                e.setPHeight(ph);
                e.setOrientation(orientation);
                e.setPLeft(margin);
                e.setPTop(margin);

                const RasterPage page(dpi, pw, ph, dir);
                e.LPrint(page);
                int width = 0, height = 0;
                const std::vector<std::uint8_t> grey = page.grey(width, height);
                const Reading r = read(grey, width, height);
                EXPECT_EQ(r.text, c.read);
                EXPECT_EQ(r.symbology, c.symbology);

                // Whole dots: the pixels along the symbol are the modules times one dot count.
                const Scan s = scanSymbol(grey, width, orientation, page.pixelsX(margin),
                                          page.pixelsY(margin), page.pixelsX(pw), page.pixelsY(ph));
                EXPECT_TRUE(s.onlyBlackAndWhite);
                EXPECT_EQ(s.quiet, 11 * moduleDots);
                std::vector<int> expected = moduleRuns(e.bars());
                for (int& run : expected) run *= moduleDots;
                EXPECT_EQ(s.runs, expected);
            }
        }
    }
}
