// Recording a label (20 text lines and 100 barcode lines) and playing it into the 14 slots of
// PDF pages. Reports the time per slot and the PDF bytes each extra slot costs.

#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <filesystem>

using namespace bw;
using namespace bw::gdi;

namespace {

constexpr int labelW = 5618; // 99.1 mm in twips
constexpr int labelH = 2160; // 38.1 mm

void mapTwips(HDC hdc, int windowW, int windowH, int viewportW, int viewportH) {
    SetMapMode(hdc, MM_TWIPS);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, windowW, windowH);
    SetViewportExtEx(hdc, viewportW, viewportH);
}

void drawLabel(HDC hdc) {
    LOGFONT lf;
    lf.lfHeight = 90;
    lf.lfFaceName = "Arial";
    const HFONT font = CreateFontIndirect(lf);
    const HGDIOBJ oldFont = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    for (int i = 0; i < 20; ++i)
        TextOut(hdc, 100, 20 + i * 95, "Ingredients: wheat flour, water, salt, yeast, sugar");
    SelectObject(hdc, oldFont);
    DeleteObject(font);
    const HPEN pen = CreatePen(PS_SOLID, 12, RGB(0, 0, 0));
    const HGDIOBJ oldPen = SelectObject(hdc, pen);
    for (int i = 0; i < 100; ++i) {
        MoveToEx(hdc, 3000 + i * 24, 200);
        LineTo(hdc, 3000 + i * 24, 1900);
    }
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
}

struct Sheet {
    HDC printer = 0;
    HENHMETAFILE label = 0;
    RECT printable{};
};

Sheet openSheet(const std::filesystem::path& out) {
    Sheet s;
    s.printer = CreatePrinterDC(PrinterProfile::builtinPdf(), DEVMODE{});
    StartDoc(s.printer, DOCINFO{"bench", out.string()});
    const int w = GetDeviceCaps(s.printer, HORZRES);
    const int h = GetDeviceCaps(s.printer, VERTRES);
    mapTwips(s.printer, w * 1440 / 600, -(h * 1440 / 600), w, -h);
    s.printable = RECT{0, 0, w * 1440 / 600, h * 1440 / 600};
    const RECT frame{0, 0, GetDeviceCaps(s.printer, HORZSIZE) * 100,
                     GetDeviceCaps(s.printer, VERTSIZE) * 100};
    const HDC rec = CreateEnhMetaFile(s.printer, &frame);
    mapTwips(rec, labelW, labelH, labelW * 600 / 1440, labelH * 600 / 1440);
    drawLabel(rec);
    s.label = CloseEnhMetaFile(rec);
    return s;
}

void playPage(const Sheet& s) {
    StartPage(s.printer);
    for (int slot = 0; slot < 14; ++slot) {
        const int x = 260 + (slot % 2) * 5760;
        const int y = 856 + (slot / 2) * labelH;
        SetWindowOrgEx(s.printer, -x, -y);
        const POINT d{x * 600 / 1440, y * 600 / 1440};
        const HRGN clip =
            CreateRectRgn(d.x, d.y, d.x + labelW * 600 / 1440, d.y + labelH * 600 / 1440);
        SelectClipRgn(s.printer, clip);
        DeleteObject(clip);
        PlayEnhMetaFile(s.printer, s.label, s.printable);
    }
    SelectClipRgn(s.printer, 0);
    EndPage(s.printer);
}

std::uintmax_t writePages(int pages, const std::filesystem::path& out) {
    const Sheet s = openSheet(out);
    for (int p = 0; p < pages; ++p) playPage(s);
    DeleteEnhMetaFile(s.label);
    EndDoc(s.printer);
    DeleteDC(s.printer);
    return std::filesystem::file_size(out);
}

void BM_RecordLabel(benchmark::State& state) {
    const HDC printer = CreatePrinterDC(PrinterProfile::builtinPdf(), DEVMODE{});
    const RECT frame{0, 0, 21000, 29700};
    for (auto _ : state) {
        const HDC rec = CreateEnhMetaFile(printer, &frame);
        mapTwips(rec, labelW, labelH, labelW * 600 / 1440, labelH * 600 / 1440);
        drawLabel(rec);
        DeleteEnhMetaFile(CloseEnhMetaFile(rec));
    }
    DeleteDC(printer);
}
BENCHMARK(BM_RecordLabel)->Unit(benchmark::kMicrosecond);

// Time per slot of playing a finished recording into PDF pages of 14 slots.
void BM_PlaySlotsToPdf(benchmark::State& state) {
    const auto out = std::filesystem::temp_directory_path() / "bw-bench-play.pdf";
    const Sheet s = openSheet(out);
    for (auto _ : state) playPage(s);
    state.SetItemsProcessed(state.iterations() * 14);
    state.SetLabel("time per page of 14 slots");
    DeleteEnhMetaFile(s.label);
    EndDoc(s.printer);
    DeleteDC(s.printer);
    std::filesystem::remove(out);
}
BENCHMARK(BM_PlaySlotsToPdf)->Unit(benchmark::kMicrosecond);

// PDF bytes per extra slot: the size of 71 pages against 1 page, over the 980 extra slots.
void BM_PdfBytesPerExtraSlot(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path();
    double perSlot = 0;
    for (auto _ : state) {
        const auto one = writePages(1, dir / "bw-bench-1.pdf");
        const auto many = writePages(71, dir / "bw-bench-71.pdf");
        perSlot = static_cast<double>(many - one) / (70 * 14);
    }
    state.counters["bytes_per_extra_slot"] = perSlot;
    std::filesystem::remove(dir / "bw-bench-1.pdf");
    std::filesystem::remove(dir / "bw-bench-71.pdf");
}
BENCHMARK(BM_PdfBytesPerExtraSlot)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
