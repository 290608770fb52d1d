// Decoding BMP pictures, stretching a picture onto a window, and the single-pixel copies a
// picture rotation makes.

#include "framework/BmpReader.h"
#include "framework/Gdi.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

using namespace bw;
using namespace bw::gdi;

namespace {

void put(std::vector<std::byte>& out, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out.push_back(static_cast<std::byte>(v >> (8 * i)));
}

// A bottom-up picture with an info header; `data` is the pixel data as stored.
std::vector<std::byte> bmp(int width, int height, int bpp, std::uint32_t compression,
                           const std::vector<std::uint8_t>& data) {
    const std::uint32_t paletteBytes = bpp <= 8 ? (1u << bpp) * 4 : 0;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<std::byte> out;
    put(out, 'B' | 'M' << 8, 2);
    put(out, offset + static_cast<std::uint32_t>(data.size()), 4);
    put(out, 0, 4);
    put(out, offset, 4);
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)}) put(out, v, 4);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(bpp), 2);
    for (std::uint32_t v : {compression, 0u, 2835u, 2835u, 0u, 0u}) put(out, v, 4);
    for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) put(out, i * 0x010101u, 4);
    for (std::uint8_t b : data) out.push_back(static_cast<std::byte>(b));
    return out;
}

std::vector<std::byte> picture24(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stride) * height);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    return bmp(width, height, 24, 0, data);
}

void BM_Decode24Bit1000x1000(benchmark::State& state) {
    const std::vector<std::byte> file = picture24(1000, 1000);
    for (auto _ : state) benchmark::DoNotOptimize(BmpReader::decode(file));
}
BENCHMARK(BM_Decode24Bit1000x1000)->Unit(benchmark::kMillisecond);

void BM_DecodeRle8_1000x1000(benchmark::State& state) {
    // Rows of short runs and literals, as scanned artwork compresses.
    std::vector<std::uint8_t> data;
    for (int y = 0; y < 1000; ++y) {
        for (int x = 0; x < 1000; x += 20) {
            data.insert(data.end(), {10, std::uint8_t(x)});
            data.insert(data.end(), {0, 10});
            for (int i = 0; i < 10; ++i) data.push_back(std::uint8_t(i + y));
        }
        data.insert(data.end(), {0, 0});
    }
    data.insert(data.end(), {0, 1});
    const std::vector<std::byte> file = bmp(1000, 1000, 8, 1, data);
    for (auto _ : state) benchmark::DoNotOptimize(BmpReader::decode(file));
}
BENCHMARK(BM_DecodeRle8_1000x1000)->Unit(benchmark::kMillisecond);

void BM_StretchBltDoubling500To1000(benchmark::State& state) {
    const HBITMAP bitmap = LoadImageFromMemory(picture24(500, 500));
    const HDC window = CreateWindowDC(1000, 1000);
    const HDC memory = CreateCompatibleDC(window);
    SelectObject(memory, bitmap);
    SetStretchBltMode(window, COLORONCOLOR);
    for (auto _ : state) StretchBlt(window, 0, 0, 1000, 1000, memory, 0, 0, 500, 500, SRCCOPY);
    DeleteDC(memory);
    DeleteDC(window);
    DeleteObject(bitmap);
}
BENCHMARK(BM_StretchBltDoubling500To1000)->Unit(benchmark::kMillisecond);

// A quarter turn of a 100 x 100 picture, one BitBlt per pixel.
void BM_SinglePixelCopies100x100(benchmark::State& state) {
    const HBITMAP bitmap = LoadImageFromMemory(picture24(100, 100));
    const HDC window = CreateWindowDC(100, 100);
    const HDC source = CreateCompatibleDC(window);
    const HDC target = CreateCompatibleDC(window);
    const HBITMAP turned = CreateCompatibleBitmap(window, 100, 100);
    SelectObject(source, bitmap);
    SelectObject(target, turned);
    for (auto _ : state)
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) BitBlt(target, x, y, 1, 1, source, y, 99 - x, SRCCOPY);
    state.SetItemsProcessed(state.iterations() * 100 * 100);
    DeleteDC(target);
    DeleteDC(source);
    DeleteDC(window);
    DeleteObject(turned);
    DeleteObject(bitmap);
}
BENCHMARK(BM_SinglePixelCopies100x100)->Unit(benchmark::kMillisecond);

} // namespace
