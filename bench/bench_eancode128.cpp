// One GS1-128 element encoded, laid out and printed on a 600-dpi raster page: the work of one
// label's barcode in a print run.

#include "barcodes/EanCode128.h"
#include "framework/Gdi.h"
#include "framework/HostServices.h"
#include "framework/PrinterProfile.h"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace bw;

namespace {

void encodeLayOutAndPrintGs1At600Dpi(benchmark::State& state) {
    PrinterProfile printer = PrinterProfile::builtinPdf();
    printer.format = "png";
    printer.port = (std::filesystem::temp_directory_path() / "bench_eancode128.png").string();
    DEVMODE paper;
    paper.dmPaperSize = DMPAPER_USER;
    paper.dmPaperWidth = 1200; // 120 × 40 mm
    paper.dmPaperLength = 400;
    const HDC page = gdi::CreatePrinterDC(printer, paper);
    const int w = gdi::GetDeviceCaps(page, HORZRES);
    const int h = gdi::GetDeviceCaps(page, VERTRES);
    gdi::SetMapMode(page, MM_TWIPS);
    gdi::SetMapMode(page, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(page, w * 1440 / 600, -(h * 1440 / 600));
    gdi::SetViewportExtEx(page, w, -h);
    gdi::StartDoc(page, DOCINFO{"bench", printer.port});
    gdi::StartPage(page);

    EanCode128 e(currentHost());
    e.setAutoRefresh(false);
    e.setPWidth(6000);
    e.setPHeight(1440);
    e.setPLeft(144);
    e.setPTop(144);
    const std::string texts[] = {"(01)09501101530003(17)261231(10)AB12",
                                 "(01)09501101530003(17)261231(10)AB13"};
    std::size_t k = 0;
    for (auto _ : state) {
        e.setText(texts[k++ % 2]); // a new text is encoded again
        e.LPrint(page);
    }
    gdi::AbortDoc(page);
    gdi::DeleteDC(page);
}
BENCHMARK(encodeLayOutAndPrintGs1At600Dpi)->Unit(benchmark::kMicrosecond);

} // namespace
