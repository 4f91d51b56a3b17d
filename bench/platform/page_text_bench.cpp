// Reading a 16 MB UTF-8 page of Japanese paragraphs into Shift_JIS, step by step as the HTML
// pane does: finding the encoding, converting, and checking the result decodes whole.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/text_encoding.h"

using namespace pavik;

namespace {

const std::string& pageText() {
    static const std::string text = [] {
        const std::string para = "のテキストです。日本語の段落が続きます。 Some English words too.</p>\n";
        std::string s = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head>\n<body>\n";
        for (size_t i = 0; s.size() < (size_t{16} << 20); ++i)
            s += "<p class=\"c" + std::to_string(i % 100) + "\">段落 " + std::to_string(i) + para;
        return s + "</body></html>\n";
    }();
    return text;
}

void findEncoding(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(detectEncoding(pageText()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pageText().size()));
}

void convert(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(decodeToCp932(pageText(), TextEncoding::Utf8));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pageText().size()));
}

void checkDecodes(benchmark::State& state) {
    const std::string cp932 = decodeToCp932(pageText(), TextEncoding::Utf8).cp932;
    for (auto _ : state) benchmark::DoNotOptimize(isEditableCp932(cp932));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * cp932.size()));
}

BENCHMARK(findEncoding)->Unit(benchmark::kMillisecond);
BENCHMARK(convert)->Unit(benchmark::kMillisecond);
BENCHMARK(checkDecodes)->Unit(benchmark::kMillisecond);

}  // namespace
