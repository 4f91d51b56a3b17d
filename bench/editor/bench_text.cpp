#include "bench_text.h"

#include <iterator>
#include <random>

namespace pavik::bench {

std::string manyLines(int megabytes) {
    std::mt19937 rng(42);
    static const char* words[] = {"margin", "padding", ":", ";", " ", "0", "auto", "#fff",
                                  "font-family", "border", "1px", "solid", "{", "}", ".class"};
    std::string text;
    const size_t target = static_cast<size_t>(megabytes) << 20;
    while (text.size() < target) {
        std::string line;
        const size_t len = 10 + rng() % 91;
        while (line.size() < len) line += words[rng() % std::size(words)];
        text += line.substr(0, len);
        text += "\r\n";
    }
    return text;
}

std::string oneLine(int megabytes) {
    const std::string unit = ".a{margin:0 auto;padding:1px}";
    std::string text;
    const size_t target = static_cast<size_t>(megabytes) << 20;
    while (text.size() < target) text += unit;
    return text;
}

}  // namespace pavik::bench
