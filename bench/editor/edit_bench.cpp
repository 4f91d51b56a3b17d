// Loading and saving a large text with wrapping, and the cost of one typed character in
// the middle of a large text (it should not grow with the text).
#include <benchmark/benchmark.h>

#include "bench_text.h"
#include "editor/editor_core.h"

namespace {

using pavik::EditorCore;

void BM_LoadWrapped(benchmark::State& state) {
    const std::string text = pavik::bench::manyLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        EditorCore e;
        e.SetDefWrapPos(80);
        e.LoadFromBytes(text, pavik::lfRewrap);
        benchmark::DoNotOptimize(e.RowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_LoadWrapped)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_SaveWrapped(benchmark::State& state) {
    const std::string text = pavik::bench::manyLines(static_cast<int>(state.range(0)));
    EditorCore e;
    e.SetDefWrapPos(80);
    e.LoadFromBytes(text, pavik::lfRewrap);
    for (auto _ : state) benchmark::DoNotOptimize(e.SaveToBytes(0).size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SaveWrapped)->Arg(5)->Unit(benchmark::kMillisecond);

// Each keystroke goes to a different row of the middle of the text, so that no paragraph
// grows much over the run.
void BM_KeystrokeInTheMiddle(benchmark::State& state) {
    EditorCore e;
    e.SetDefWrapPos(80);
    e.LoadFromBytes(pavik::bench::manyLines(static_cast<int>(state.range(0))), pavik::lfRewrap);
    const int middle = e.RowCount() / 2;
    int k = 0;
    for (auto _ : state) {
        const int row = middle + (k++ % 10000);
        e.Caret = {e.RowEndCol(row) / 2, row};
        e.InsertString("x");
    }
    state.counters["rows"] = e.RowCount();
}
BENCHMARK(BM_KeystrokeInTheMiddle)->Arg(5)->Arg(10);

}  // namespace

BENCHMARK_MAIN();
