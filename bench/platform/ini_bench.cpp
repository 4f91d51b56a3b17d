// Reading a settings file of 100,000 keys (about 1 MB), all in one section or spread over
// a thousand, and looking up the keys the main window reads at start.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ini_file.h"

using namespace pavik;

namespace {

std::string settingsText(int keys, int sections) {
    std::string s;
    for (int i = 0; i < keys; ++i) {
        if (i % (keys / sections) == 0) s += "[Section" + std::to_string(i / (keys / sections)) + "]\r\n";
        s += "k" + std::to_string(i) + "=" + std::to_string(i % 100) + "\r\n";
    }
    s += "[SYSTEM]\r\nPosX=50\r\nPosY=50\r\nwidth=683\r\nheight=542\r\n";
    return s;
}

void readSettings(benchmark::State& state) {
    const std::string text = settingsText(100000, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        IniFile ini = IniFile::fromBytes(text);
        int sum = 0;
        for (const char* key : {"PosX", "PosY", "width", "height", "WidthStruct", "WidthTarget", "HeightTop"})
            sum += ini.ReadInteger("SYSTEM", key, 0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(readSettings)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
