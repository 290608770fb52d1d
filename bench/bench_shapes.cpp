// Regions at page size (clips are page-sized rectangles most of the time), rasterised shapes,
// and the wide vertical lines a barcode is drawn with.

#include "framework/Gdi.h"
#include "framework/Region.h"

#include <benchmark/benchmark.h>

using namespace bw;
using namespace bw::gdi;

namespace {

// A4 at 600 dpi.
constexpr RECT page{0, 0, 4961, 7016};

void RegionCombinePageRectangles(benchmark::State& state) {
    const Region a = Region::fromRect(page);
    const Region b = Region::fromRect({100, 100, 4861, 6916});
    for (auto _ : state) benchmark::DoNotOptimize(Region::combine(a, b, RGN_AND));
}
BENCHMARK(RegionCombinePageRectangles);

void RegionEllipse(benchmark::State& state) {
    // A lozenge-sized ellipse at 600 dpi: one band per row.
    for (auto _ : state) benchmark::DoNotOptimize(Region::fromEllipse({0, 0, 2000, 1200}));
}
BENCHMARK(RegionEllipse);

void RegionCombineEllipses(benchmark::State& state) {
    const Region a = Region::fromEllipse({0, 0, 2000, 1200});
    const Region b = Region::fromEllipse({500, 300, 2500, 1500});
    for (auto _ : state) benchmark::DoNotOptimize(Region::combine(a, b, RGN_XOR));
}
BENCHMARK(RegionCombineEllipses);

void RegionPolygonStar(benchmark::State& state) {
    const POINT star[] = {{0, 380}, {1000, 380}, {190, 1000}, {500, 0}, {810, 1000}};
    for (auto _ : state) benchmark::DoNotOptimize(Region::fromPolygon(star, WINDING));
}
BENCHMARK(RegionPolygonStar);

void BarcodeBarsOnWindow(benchmark::State& state) {
    // 100 bars of a 3-pixel pen on a 1000 × 300 window.
    const HDC hdc = CreateWindowDC(1000, 300);
    const HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    SelectObject(hdc, pen);
    for (auto _ : state)
        for (int i = 0; i < 100; ++i) {
            MoveToEx(hdc, 10 + 9 * i, 20);
            LineTo(hdc, 10 + 9 * i, 280);
        }
    DeleteDC(hdc);
    DeleteObject(pen);
}
BENCHMARK(BarcodeBarsOnWindow);

} // namespace
