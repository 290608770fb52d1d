// Text measurement is the inner loop of auto-fitting layout: every trial height creates a
// font, selects it and measures the whole text with partial extents. These figures split that
// step into its parts; the face is loaded before timing starts, as in a running layout.

#include "framework/Gdi.h"
#include "framework/PrinterProfile.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

using namespace bw;
using namespace bw::gdi;

namespace {

// 1,000 characters (code points) of label text, a few of them outside ASCII.
std::string thousandCharacters() {
    const std::string source = "wheat flour, sugar, crème fraîche (milk) 12 % µg °C salt palm oil ";
    std::string text;
    for (std::size_t n = 0, i = 0;; ++i) {
        const char c = source[i % source.size()];
        const bool startsCharacter = (c & 0xC0) != 0x80;
        if (startsCharacter && n == 1000) break;
        n += startsCharacter ? 1 : 0;
        text += c;
    }
    return text;
}

// The default printer's context in the twip mapping layout measures on.
HDC printerInTwips() {
    const PrinterProfile printer = PrinterProfile::builtinPdf();
    const HDC hdc = CreatePrinterDC(printer, DEVMODE{});
    const int w = GetDeviceCaps(hdc, HORZRES);
    const int h = GetDeviceCaps(hdc, VERTRES);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, w * 1440 / printer.dpiX, -(h * 1440 / printer.dpiY));
    SetViewportExtEx(hdc, w, -h);
    return hdc;
}

LOGFONT arial(int height) {
    LOGFONT f;
    f.lfHeight = height;
    f.lfFaceName = "Arial";
    return f;
}

// Loads the face and fills its advance cache, as the first layout of a session does.
void warmUp(HDC hdc, const std::string& text) {
    const HFONT font = CreateFontIndirect(arial(240));
    const HGDIOBJ previous = SelectObject(hdc, font);
    SIZE size;
    GetTextExtentPoint32(hdc, text, &size);
    SelectObject(hdc, previous);
    DeleteObject(font);
}

// The whole step: a font at a new height, selected, the run measured with fit count and
// partial extents, the font selected out and deleted.
void BM_MeasureAtNewHeight(benchmark::State& state) {
    const std::string text = thousandCharacters();
    const HDC hdc = printerInTwips();
    warmUp(hdc, text);
    std::vector<int> partial;
    int height = 100;
    for (auto _ : state) {
        height = height >= 600 ? 100 : height + 7;
        const HFONT font = CreateFontIndirect(arial(height));
        const HGDIOBJ previous = SelectObject(hdc, font);
        int fit = 0;
        SIZE size;
        GetTextExtentExPoint(hdc, text, 200000, &fit, &partial, &size);
        benchmark::DoNotOptimize(partial.data());
        SelectObject(hdc, previous);
        DeleteObject(font);
    }
    DeleteDC(hdc);
}

// Measuring alone, with and without partial extents.
void BM_MeasureSelectedFont(benchmark::State& state) {
    const bool partials = state.range(0) != 0;
    const std::string text = thousandCharacters();
    const HDC hdc = printerInTwips();
    warmUp(hdc, text);
    const HFONT font = CreateFontIndirect(arial(333));
    const HGDIOBJ previous = SelectObject(hdc, font);
    std::vector<int> partial;
    for (auto _ : state) {
        int fit = 0;
        SIZE size;
        if (partials)
            GetTextExtentExPoint(hdc, text, 200000, &fit, &partial, &size);
        else
            GetTextExtentPoint32(hdc, text, &size);
        benchmark::DoNotOptimize(size);
    }
    SelectObject(hdc, previous);
    DeleteObject(font);
    DeleteDC(hdc);
}

// Creating, selecting and deleting a font of a face already loaded.
void BM_FontChurn(benchmark::State& state) {
    const HDC hdc = printerInTwips();
    warmUp(hdc, "a");
    int height = 100;
    for (auto _ : state) {
        height = height >= 600 ? 100 : height + 7;
        const HFONT font = CreateFontIndirect(arial(height));
        const HGDIOBJ previous = SelectObject(hdc, font);
        SelectObject(hdc, previous);
        DeleteObject(font);
    }
    DeleteDC(hdc);
}

// Drawing one 60-character line on an element's window (pixels), for comparison.
void BM_TextOutLine(benchmark::State& state) {
    const std::string text = thousandCharacters().substr(0, 60);
    const HDC hdc = CreateWindowDC(800, 100);
    const HFONT font = CreateFontIndirect(arial(24));
    const HGDIOBJ previous = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    for (auto _ : state) TextOut(hdc, 5, 20, text);
    SelectObject(hdc, previous);
    DeleteObject(font);
    DeleteDC(hdc);
}

} // namespace

BENCHMARK(BM_MeasureAtNewHeight)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_MeasureSelectedFont)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_FontChurn)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BM_TextOutLine)->Unit(benchmark::kMicrosecond)->Repetitions(9);
