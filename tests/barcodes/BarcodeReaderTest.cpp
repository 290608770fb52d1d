// What the barcode elements print, read back from raster pages at the resolutions label
// printers have, in all four orientations: an independent reader decodes the number, and the
// pixels show every bar and space as a whole number of dots, the same for every module.

#include "barcodes/EANCode.h"
#include "barcodes/ITFCode.h"
#include "barcodes/RasterPage.h"
#include "framework/RecordingHost.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bw;

namespace {

constexpr int margin = 360; // twips of white page around the element
constexpr int dpis[] = {203, 300, 600};
constexpr std::int16_t orientationsToTry[] = {orientations::Normal, orientations::down,
                                              orientations::UpSideDown, orientations::Up};

struct Printed {
    std::string reads;      // "EAN-13 5012345678900"
    std::vector<int> runs;  // dark and light runs in dots along the symbol, first bar to last
    bool inkInside = false; // nothing drawn outside the element's rectangle
};

// The element as printed on a page of its size and the margin around it.
template <class E>
Printed print(E& e, int dpi) {
    const bool upright =
        e.orientation() == orientations::Normal || e.orientation() == orientations::UpSideDown;
    e.setPLeft(margin);
    e.setPTop(margin);
    test::RasterPage page(dpi, e.PWidth() + 2 * margin, e.PHeight() + 2 * margin);
    e.LPrint(page);
    const std::vector<std::uint8_t> lum = page.luminance();
    const int w = page.surfaceWidth(), h = page.surfaceHeight();

    Printed out;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::EAN13 | ZXing::BarcodeFormat::EAN8 |
                     ZXing::BarcodeFormat::UPCA | ZXing::BarcodeFormat::ITF);
    const ZXing::Result r = ZXing::ReadBarcode({lum.data(), w, h, ZXing::ImageFormat::Lum}, hints);
    out.reads =
        r.isValid() ? std::string(ZXing::ToString(r.format())) + " " + r.text() : "(unreadable)";

    // Across the middle of the element, which is inside the bars, clear of the digits.
    const int left = page.toPixels(margin), top = page.toPixels(margin);
    const int right = left + page.toPixels(e.PWidth()), bottom = top + page.toPixels(e.PHeight());
    const auto dark = [&](int x, int y) { return lum[static_cast<std::size_t>(y) * w + x] < 128; };
    std::vector<bool> line;
    if (upright)
        for (int x = 0; x < w; ++x) line.push_back(dark(x, (top + bottom) / 2));
    else
        for (int y = 0; y < h; ++y) line.push_back(dark((left + right) / 2, y));
    const auto first = std::find(line.begin(), line.end(), true);
    const auto last = std::find(line.rbegin(), line.rend(), true).base();
    for (auto it = first; it < last;) {
        const auto end = std::find(it, last, !*it);
        out.runs.push_back(static_cast<int>(end - it));
        it = end;
    }

    out.inkInside = true;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (lum[static_cast<std::size_t>(y) * w + x] < 250 &&
                (x < left || x > right || y < top || y > bottom))
                out.inkInside = false;
    return out;
}

// floor(nearest(length in dots) / units): the dots of one module or unit.
int unitDots(int lengthTwips, int dpi, int units) {
    return static_cast<int>(std::lround(lengthTwips * dpi / 1440.0)) / units;
}

std::vector<int> reversedIf(bool reverse, std::vector<int> v) {
    if (reverse) std::reverse(v.begin(), v.end());
    return v;
}

bool mirrored(std::int16_t orientation) {
    return orientation == orientations::UpSideDown || orientation == orientations::Up;
}

// Runs of equal modules from the first bar to the last, in modules.
std::vector<int> moduleRuns(const std::vector<std::uint8_t>& modules) {
    std::vector<int> runs;
    for (std::size_t i = 0; i < modules.size();) {
        std::size_t end = i;
        while (end < modules.size() && modules[end] == modules[i]) ++end;
        runs.push_back(static_cast<int>(end - i));
        i = end;
    }
    return runs; // EAN symbols start and end with a bar
}

class BarcodeReaderTest : public ::testing::Test {
protected:
    test::RecordingHost host;
};

} // namespace

TEST_F(BarcodeReaderTest, EanSymbolsReadBackWithWholeDotModules) {
    struct Case {
        const char* text;
        CodeTypes type;
        const char* reads;
    } cases[] = {
        /*0*/ {"5012345678900", CodeTypes::ctEAN13, "EAN-13 5012345678900"}, // GS1 sample
        /*1*/ {"4006381333931", CodeTypes::ctEAN13, "EAN-13 4006381333931"}, // a product
        /*2*/ {"96385074", CodeTypes::ctEAN8, "EAN-8 96385074"},             // a product
        // UPC-A in the 13-digit form the element takes; the reader drops the leading 0.
        /*3*/ {"0036000291452", CodeTypes::ctUPCA, "UPC-A 036000291452"},
    };
    for (const Case& c : cases)
        for (int dpi : dpis)
            for (std::int16_t o : orientationsToTry) {
                SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(dpi) +
                             " dpi, orientation " + std::to_string(o));
                EANCode e(host);
                e.setAutoRefresh(false);
                e.setCodeType(static_cast<std::int16_t>(c.type));
                e.setText(c.text);
                e.setOrientation(o);
                const bool upright = o == orientations::Normal || o == orientations::UpSideDown;
                e.setPWidth(upright ? 2880 : 1440);
                e.setPHeight(upright ? 1440 : 2880);
                ASSERT_EQ(e.CodeStatus(), 0);

                const Printed p = print(e, dpi);
                EXPECT_EQ(p.reads, c.reads);
                const int k = unitDots(2880, dpi, c.type == CodeTypes::ctEAN8 ? 81 : 109);
                std::vector<int> expected = moduleRuns(e.encoding().modules);
                for (int& run : expected) run *= k;
                EXPECT_EQ(p.runs, reversedIf(mirrored(o), expected)) << k << "-dot modules";
                EXPECT_TRUE(p.inkInside);
            }
}

TEST_F(BarcodeReaderTest, ItfSymbolsReadBackWithWholeDotNarrowAndWideBars) {
    struct Case {
        const char* text;
        bool checkIncluded;
        const char* reads;
    } cases[] = {
        /*0*/ {"12345678901231", true, "ITF 12345678901231"}, // check digit verified
        /*1*/ {"15400141288763", true, "ITF 15400141288763"}, // GS1 ITF-14 example
        /*2*/ {"1234567890123", false, "ITF 12345678901231"}, // check digit appended
    };
    for (const Case& c : cases)
        for (int dpi : dpis)
            for (std::int16_t o : orientationsToTry) {
                SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(dpi) +
                             " dpi, orientation " + std::to_string(o));
                ITFCode e(host);
                e.setAutoRefresh(false);
                e.setCheckIncluded(c.checkIncluded);
                e.setText(c.text);
                e.setOrientation(o);
                const bool upright = o == orientations::Normal || o == orientations::UpSideDown;
                e.setPWidth(upright ? 5760 : 2160);
                e.setPHeight(upright ? 2160 : 5760);
                ASSERT_EQ(e.CodeStatus(), 0);

                const Printed p = print(e, dpi);
                EXPECT_EQ(p.reads, c.reads);
                const int k = unitDots(5760, dpi, 289);
                std::vector<int> expected;
                for (std::uint8_t wide : e.encoding().widthFlags)
                    expected.push_back((wide ? 5 : 2) * k);
                EXPECT_EQ(p.runs, reversedIf(mirrored(o), expected)) << k << "-dot units";
                EXPECT_TRUE(p.inkInside);
            }
}
