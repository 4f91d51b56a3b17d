// Reading and regenerating style sheets: Bootstrap 4 and 5 from Debian
// (libjs-bootstrap4, libjs-bootstrap5) and a synthetic sheet of 1, 5 and 10 MB.
//
//   document_bench [benchmark flags]
//   document_bench --write-synthetic=<file> [--mb=10]   writes the synthetic sheet and exits
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/cp932.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;

namespace {

const std::pair<const char*, const char*> kSheets[] = {
    {"bootstrap4", "/usr/share/javascript/bootstrap4/css/bootstrap.css"},
    {"bootstrap5", "/usr/share/javascript/bootstrap5/css/bootstrap.css"},
};

// A style sheet of about `bytes` bytes: varied selectors, Japanese comments (CP932, with
// trail bytes equal to braces), strings, addresses, a nested rule every fifth rule and an
// at-rule block every tenth.
std::string syntheticSheet(size_t bytes) {
    const std::string note = toCp932("/* マージンとボーダーの設定 */");
    const std::string font = toCp932("\"ＭＳ Ｐゴシック\", sans-serif");
    std::string s;
    s.reserve(bytes + 512);
    for (size_t i = 0; s.size() < bytes; ++i) {
        std::string n = std::to_string(i);
        s += note + "\n";
        s += ".block-" + n + " .item:hover,\nDIV.cls-" + n + " > P {\n";
        s += "  color: #" + std::to_string(100000 + i % 900000) + ";\n";
        s += "  margin: 0 auto;\n  padding: " + std::to_string(i % 17) + "px 4px;\n";
        s += "  background: url(\"img/bg-" + n + ".png\") no-repeat left top;\n";
        s += "  font-family: " + font + ";\n";
        s += "  content: \"}\";\n";
        if (i % 5 == 0) s += "  &:focus, .active > & { outline: 1px dotted; }\n";
        s += "}\n";
        if (i % 10 == 0) s += "@media (min-width: 768px) { .col-" + n + " { width: 50%; } }\n";
    }
    return s;
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

const auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));

void registerFor(const std::string& name, std::string text) {
    auto shared = std::make_shared<std::string>(std::move(text));
    benchmark::RegisterBenchmark(("Read/" + name).c_str(), [shared](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(AnalyzeCSS(*shared));
        state.SetBytesProcessed(state.iterations() * shared->size());
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Write/" + name).c_str(), [shared](benchmark::State& state) {
        CssReadResult r = AnalyzeCSS(*shared);
        for (auto _ : state)
            benchmark::DoNotOptimize(writeStyleSheet(r.Document, kNow));
        state.SetBytesProcessed(state.iterations() * shared->size());
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ReadWrite/" + name).c_str(), [shared](benchmark::State& state) {
        for (auto _ : state) {
            CssReadResult r = AnalyzeCSS(*shared);
            benchmark::DoNotOptimize(writeStyleSheet(r.Document, kNow));
        }
        state.SetBytesProcessed(state.iterations() * shared->size());
    })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--write-synthetic=", 18) == 0) {
            size_t mb = 10;
            for (int k = 1; k < argc; ++k)
                if (std::strncmp(argv[k], "--mb=", 5) == 0) mb = std::stoul(argv[k] + 5);
            std::ofstream(argv[i] + 18, std::ios::binary) << syntheticSheet(mb << 20);
            return 0;
        }
    }
    for (const auto& [name, path] : kSheets) {
        if (std::filesystem::exists(path))
            registerFor(name, readFile(path));
        else
            std::cerr << "skipped " << name << ": " << path << " is not installed\n";
    }
    for (size_t mb : {1, 5, 10}) registerFor("synthetic" + std::to_string(mb) + "MB", syntheticSheet(mb << 20));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
