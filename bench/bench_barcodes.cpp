// One EAN-13 (and one ITF-14) element encoded, laid out and printed on a 600-dpi raster page:
// the work of one label's barcode in a print run, digit boxes included.

#include "barcodes/EANCode.h"
#include "barcodes/ITFCode.h"
#include "framework/Gdi.h"
#include "framework/HostServices.h"
#include "framework/PrinterProfile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

using namespace bw;

namespace {

// A 120 × 40 mm page at 600 dpi in the twip mapping of page set-up, with a page open.
class Page {
public:
    Page() {
        PrinterProfile printer = PrinterProfile::builtinPdf();
        printer.format = "png";
        printer.port = (std::filesystem::temp_directory_path() / "bench_barcodes.png").string();
        DEVMODE paper;
        paper.dmPaperSize = DMPAPER_USER;
        paper.dmPaperWidth = 1200;
        paper.dmPaperLength = 400;
        hdc_ = gdi::CreatePrinterDC(printer, paper);
        const int w = gdi::GetDeviceCaps(hdc_, HORZRES);
        const int h = gdi::GetDeviceCaps(hdc_, VERTRES);
        gdi::SetMapMode(hdc_, MM_TWIPS);
        gdi::SetMapMode(hdc_, MM_ANISOTROPIC);
        gdi::SetWindowExtEx(hdc_, w * 1440 / 600, -(h * 1440 / 600));
        gdi::SetViewportExtEx(hdc_, w, -h);
        gdi::StartDoc(hdc_, DOCINFO{"bench", printer.port});
        gdi::StartPage(hdc_);
    }
    ~Page() {
        gdi::AbortDoc(hdc_);
        gdi::DeleteDC(hdc_);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;
    operator HDC() const { return hdc_; }

private:
    HDC hdc_ = 0;
};

template <class E>
void encodeLayOutAndPrint(benchmark::State& state, const std::string (&texts)[2], int width) {
    const Page page;
    E e(currentHost());
    e.setAutoRefresh(false);
    e.setPWidth(width);
    e.setPHeight(1440);
    e.setPLeft(144);
    e.setPTop(144);
    std::size_t k = 0;
    for (auto _ : state) {
        e.setText(texts[k++ % 2]); // a new text is encoded again
        e.LPrint(page);
    }
}

void encodeLayOutAndPrintEan13At600Dpi(benchmark::State& state) {
    const std::string texts[2] = {"5012345678900", "4006381333931"};
    encodeLayOutAndPrint<EANCode>(state, texts, 2880);
}
BENCHMARK(encodeLayOutAndPrintEan13At600Dpi)->Unit(benchmark::kMicrosecond);

void encodeLayOutAndPrintItf14At600Dpi(benchmark::State& state) {
    const std::string texts[2] = {"12345678901231", "15400141288763"};
    encodeLayOutAndPrint<ITFCode>(state, texts, 5760);
}
BENCHMARK(encodeLayOutAndPrintItf14At600Dpi)->Unit(benchmark::kMicrosecond);

} // namespace
