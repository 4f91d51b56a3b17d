// Paragraph wrapping: a text of many lines and one very long line, each at two sizes, so
// that the time per byte can be compared; and a real minified style sheet when installed.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "bench_text.h"
#include "editor/editor_core.h"

namespace {

using pavik::EditorCore;
using pavik::bench::manyLines;
using pavik::bench::oneLine;

// Re-flows every row, as loading with flag 64 does.
void wrapAll(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        state.PauseTiming();
        EditorCore e;
        e.SetDefWrapPos(80);
        e.SetText(text);
        state.ResumeTiming();
        int r = 0;
        while (r < e.RowCount()) r = e.RewrapRow(r) + 1;
        benchmark::DoNotOptimize(e.RowCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_WrapManyLines(benchmark::State& state) {
    wrapAll(state, manyLines(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_WrapManyLines)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WrapOneLine(benchmark::State& state) {
    wrapAll(state, oneLine(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_WrapOneLine)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WrapMinifiedBootstrap(benchmark::State& state) {
    std::ifstream in("/usr/share/javascript/bootstrap5/css/bootstrap.min.css", std::ios::binary);
    if (!in) {
        state.SkipWithError("bootstrap.min.css not installed (libjs-bootstrap5)");
        return;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    wrapAll(state, ss.str());
}
BENCHMARK(BM_WrapMinifiedBootstrap)->Unit(benchmark::kMillisecond);

}  // namespace

