// The print engine on a common A4 stock (2 x 7 labels of 99.1 x 38.1 mm) to PDF: PrintLabel of
// identical labels (recorded once, played per slot, whole sheets as driver copies) and of
// labels with a per-impression counter (every label recorded anew). Reports labels per second,
// PDF bytes per extra label and, per impression, the share of the time the elements spend
// drawing and the share the PDF file's completion takes.

#include "framework/CurrentPrinter.h"
#include "framework/Gdi.h"
#include "framework/ScopedSelect.h"
#include "printing/LabelForm.h"
#include "printing/LabelPrinter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

using namespace bw;
namespace fs = std::filesystem;

namespace {

// CPU time of this thread: the machine is shared, so wall-clock shares would measure the load.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(duration(std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec));
    }
};

// A small label: four text lines and a bar pattern, in the label's twips.
class BenchElement final : public PrintableElement, public PrintGeometry {
public:
    Clock::duration drawing{};

    void LPrint(HDC hdc) override {
        const auto start = Clock::now();
        LOGFONT lf;
        lf.lfHeight = 200;
        lf.lfFaceName = "Arial";
        {
            const ScopedSelect font(hdc, UniqueGdiObject(gdi::CreateFontIndirect(lf)));
            gdi::SetBkMode(hdc, TRANSPARENT);
            gdi::TextOut(hdc, 150, 100, "Oat & Honey Biscuits 200 g");
            gdi::TextOut(hdc, 150, 330, "Ingredients: oat flakes, wheat flour, honey (9%),");
            gdi::TextOut(hdc, 150, 560, "butter (milk), sugar, salt. Best before: 12/2025");
            gdi::TextOut(hdc, 150, 790, "Lot L0041");
        }
        const ScopedSelect brush(hdc, gdi::GetStockObject(BLACK_BRUSH));
        const ScopedSelect pen(hdc, gdi::GetStockObject(NULL_PEN));
        for (int i = 0; i < 30; ++i) {
            const int x = 3600 + i * 55 + (i % 3) * 10;
            gdi::Rectangle(hdc, x, 1100, x + 20 + (i % 4) * 12, 1950);
        }
        drawing += Clock::now() - start;
    }
    void DoLabelIncrement() override {}
    void DoImpressionIncrement() override {}
    void DoResetIncr() override {}
    double CentreAngle() override { return 0; }
    void setCentreAngle(double) override {}
    PrintGeometry& object() override { return *this; }
    std::int32_t PLeft() override { return 0; }
    void setPLeft(std::int32_t) override {}
    std::int32_t PTop() override { return 0; }
    void setPTop(std::int32_t) override {}
    std::int32_t PWidth() override { return 5618; }
    std::int32_t PHeight() override { return 2160; }
    std::int16_t orientation() override { return 0; }
    void setOrientation(std::int16_t) override {}
};

class BenchForm final : public LabelForm, public LabelControl {
public:
    explicit BenchForm(bool perImpression) : perImpression_(perImpression) {}
    BenchElement element;

    std::int32_t ControlCount() override { return 1; }
    LabelControl& Controls(std::int32_t) override { return *this; }
    std::string Tag() override { return "P"; }
    bool GetHasLabelIncr() override { return true; }
    bool GetHasImpressionIncr() override { return perImpression_; }
    PrintableElement& oref() override { return element; }

private:
    bool perImpression_;
};

fs::path outputFile() {
    return fs::temp_directory_path() / "bench_labelprinter.pdf";
}

// Sets up the stock on the built-in PDF printer; paper 17 forbids driver copies.
void setUp(LabelPrinter& engine, std::int16_t paper) {
    std::int16_t down = 7;
    engine.SetPageParameters("PDF", 2, down, 15.1f, 4.6f, 101.6f, 38.1f, 6, 1, paper,
                             Variant(99.1f), Variant(38.1f));
    engine.setOutputFile(outputFile().string());
}

struct RunTimes {
    std::uintmax_t bytes = 0;
    Clock::duration endRun{};
};

RunTimes printRun(LabelPrinter& engine, BenchForm& form, std::int16_t quan) {
    engine.StartRun("bench");
    engine.PrintLabel(form, quan);
    const auto start = Clock::now();
    engine.EndRun();
    RunTimes t;
    t.endRun = Clock::now() - start;
    t.bytes = fs::file_size(outputFile());
    return t;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Identical labels; range(1): 1 with driver copies of whole sheets, 0 every sheet drawn.
void BM_IdenticalLabels(benchmark::State& state) {
    const auto quan = static_cast<std::int16_t>(state.range(0));
    const bool copies = state.range(1) != 0;
    LabelPrinter engine;
    setUp(engine, copies ? 1 : 17);
    BenchForm form(false);
    RunTimes last;
    for (auto _ : state) last = printRun(engine, form, quan);
    state.counters["labels/s"] =
        benchmark::Counter(quan, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pdf_bytes"] = static_cast<double>(last.bytes);
    const RunTimes base = printRun(engine, form, 1000);
    state.counters["bytes/extra_label"] =
        (static_cast<double>(last.bytes) - static_cast<double>(base.bytes)) / (quan - 1000);
}
BENCHMARK(BM_IdenticalLabels)
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every label recorded anew for its per-impression counter.
void BM_PerImpressionLabels(benchmark::State& state) {
    const auto quan = static_cast<std::int16_t>(state.range(0));
    LabelPrinter engine;
    setUp(engine, 1);
    BenchForm form(true);
    Clock::duration total{};
    Clock::duration endRun{};
    RunTimes last;
    for (auto _ : state) {
        const auto start = Clock::now();
        last = printRun(engine, form, quan);
        total += Clock::now() - start;
        endRun += last.endRun;
    }
    state.counters["labels/s"] =
        benchmark::Counter(quan, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pdf_bytes/label"] = static_cast<double>(last.bytes) / quan;
    // CPU shares of the run: the element drawing into its recordings, completing the PDF file,
    // and the rest (recordings made and played into slots, pages).
    state.counters["drawing_%"] = 100 * seconds(form.element.drawing) / seconds(total);
    state.counters["pdf_finish_%"] = 100 * seconds(endRun) / seconds(total);
}
BENCHMARK(BM_PerImpressionLabels)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
