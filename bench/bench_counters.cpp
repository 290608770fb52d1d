// Counter steps on large texts: each must stay linear in the text, including the worst shapes
// for a token-by-token splice (every counter widening, one counter holding thousands of tokens).

#include "framework/IncrementCounters.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace bw;

namespace {

std::string repeat(std::string_view piece, std::size_t bytes) {
    std::string out;
    while (out.size() < bytes) out += piece;
    return out;
}

// About 100,000 characters: label, impression and reset counters between words.
std::string mixedText() {
    return repeat("Lot [+]0099 pack [++]z9 run [++0]007 é [+0]A-9\r\n", 100'000);
}

void labelStepOnMixedText(benchmark::State& state) {
    const std::string text = mixedText();
    for (auto _ : state) benchmark::DoNotOptimize(labelIncrementStep(text));
}
BENCHMARK(labelStepOnMixedText)->Unit(benchmark::kMicrosecond);

void impressionAndResetOnMixedText(benchmark::State& state) {
    const std::string text = mixedText();
    for (auto _ : state) {
        const CounterStep advanced = impressionIncrementStep(text);
        benchmark::DoNotOptimize(resetIncrementStep(advanced.text, text));
    }
}
BENCHMARK(impressionAndResetOnMixedText)->Unit(benchmark::kMicrosecond);

void stripMixedText(benchmark::State& state) {
    const std::string text = mixedText();
    for (auto _ : state) benchmark::DoNotOptimize(scanIncrementTokens(text));
}
BENCHMARK(stripMixedText)->Unit(benchmark::kMicrosecond);

// 20,000 counters that all widen.
void labelStepEveryCounterWidens(benchmark::State& state) {
    const std::string text = repeat("[+]9 ", 100'000);
    for (auto _ : state) benchmark::DoNotOptimize(labelIncrementStep(text));
}
BENCHMARK(labelStepEveryCounterWidens)->Unit(benchmark::kMicrosecond);

// 20,000 tokens with no space: every counter runs to the end of the text.
void resetOneLongCounter(benchmark::State& state) {
    const std::string templateText = repeat("[++0]", 100'000) + "007";
    const std::string text = impressionIncrementStep(templateText).text;
    for (auto _ : state) benchmark::DoNotOptimize(resetIncrementStep(text, templateText));
}
BENCHMARK(resetOneLongCounter)->Unit(benchmark::kMicrosecond);

void labelStepTenThousandNines(benchmark::State& state) {
    const std::string text = "Lot [+]" + std::string(10'000, '9') + " end";
    for (auto _ : state) benchmark::DoNotOptimize(labelIncrementStep(text));
}
BENCHMARK(labelStepTenThousandNines)->Unit(benchmark::kMicrosecond);

} // namespace
