// AutoText fitting: the largest font at which an ingredients list fits a 4000 × 3000 twip box,
// measured on the default printer's twip context, as the design view lays out. The parts show
// what one layout spends its time on: the font trials (each a font created and selected and
// the whole text measured with partial extents) and the fit test that walks the extents.

#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"
#include "framework/TraceLog.h"
#include "framework/Utf8.h"
#include "text/LineBreaking.h"
#include "text/TextFitter.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

using namespace bw;

namespace {

// Ingredients as labels list them, repeated to `length` characters, ending at a word.
std::string ingredients(std::size_t length) {
    const std::string source =
        "Wheat flour (wheat flour, calcium carbonate, iron, niacin, thiamin), sugar, palm oil, "
        "whey powder (milk), glucose syrup, salt, raising agents (sodium bicarbonate, ammonium "
        "bicarbonate), emulsifier (soya lecithin), flavouring, crème fraîche 12 %. ";
    std::string text;
    while (text.size() < length) text += source;
    text.resize(length);
    while (!text.empty() && text.back() != ' ') text.pop_back();
    return text;
}

HDC printerInTwips() {
    const PrinterProfile printer = PrinterProfile::builtinPdf();
    const HDC hdc = gdi::CreatePrinterDC(printer, DEVMODE{});
    const int w = gdi::GetDeviceCaps(hdc, HORZRES);
    const int h = gdi::GetDeviceCaps(hdc, VERTRES);
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(hdc, w * 1440 / printer.dpiX, -(h * 1440 / printer.dpiY));
    gdi::SetViewportExtEx(hdc, w, -h);
    return hdc;
}

constexpr RECT box{0, 0, 4000, 3000};

// The number of font trials a layout makes, counted on a trace context.
int trialsFor(const std::string& text) {
    const HDC trace = gdi::CreateTraceDC();
    AutoTextSettings settings;
    TextLayout layout;
    TextFitter(settings).reformat(trace, box, text, layout);
    const auto trials = gdi::GetTrace(trace)->named("GetTextExtentExPoint").size();
    gdi::DeleteDC(trace);
    return static_cast<int>(trials);
}

void BM_FitIngredients(benchmark::State& state) {
    const std::string text = ingredients(std::size_t(state.range(0)));
    const HDC hdc = printerInTwips();
    AutoTextSettings settings;
    TextFitter fitter(settings);
    TextLayout layout;
    for (auto _ : state) {
        fitter.reformat(hdc, box, text, layout);
        benchmark::DoNotOptimize(layout.lines.data());
    }
    state.counters["height"] = layout.fittedHeight;
    state.counters["lines"] = double(layout.lines.size());
    state.counters["trials"] = trialsFor(text);
    gdi::DeleteDC(hdc);
}
BENCHMARK(BM_FitIngredients)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One trial: a font at a new height, selected, the whole text measured.
void BM_OneTrial(benchmark::State& state) {
    const std::string text = ingredients(std::size_t(state.range(0)));
    const HDC hdc = printerInTwips();
    LOGFONT f;
    f.lfFaceName = "Arial";
    std::vector<int> extents;
    int height = 200;
    for (auto _ : state) {
        f.lfHeight = height++ % 400 + 100;
        const HFONT font = gdi::CreateFontIndirect(f);
        const HGDIOBJ previous = gdi::SelectObject(hdc, font);
        int fit = 0;
        gdi::GetTextExtentExPoint(hdc, text, 1'000'000, &fit, &extents, nullptr);
        gdi::SelectObject(hdc, previous);
        gdi::DeleteObject(font);
        benchmark::DoNotOptimize(fit);
    }
    gdi::DeleteDC(hdc);
}
BENCHMARK(BM_OneTrial)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The fit test alone, on extents already measured.
void BM_FitsOK(benchmark::State& state) {
    const std::string text = ingredients(std::size_t(state.range(0)));
    std::u32string codePoints;
    for (std::size_t pos = 0; pos < text.size();) codePoints += utf8::next(text, pos);
    std::vector<int> extents;
    for (std::size_t i = 0; i < codePoints.size(); ++i) extents.push_back(int(i + 1) * 100);
    const BreakSet breaks(U" ");
    const MeasuredText m{codePoints, extents, &breaks, 3940};
    for (auto _ : state)
        benchmark::DoNotOptimize(fitsOK(m, 1000, std::int64_t(codePoints.size()), 100));
}
BENCHMARK(BM_FitsOK)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
