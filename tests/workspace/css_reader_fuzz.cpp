// libFuzzer target: any bytes must read without a crash, and what the writer makes of the
// result must read back to the same rules.
#include <cstdint>
#include <cstdlib>

#include "workspace/css_reader.h"
#include "workspace/css_writer.h"

namespace {
std::string shape(const pavik::StyleDocument& doc) {
    std::string s;
    for (const auto& r : doc.rules()) {
        if (r->Data.Selector.empty()) continue;
        s += r->Data.Selector + '\0' + r->Data.Comment + '\0';
        for (const auto& d : r->Declarations)
            if (!d->Value.empty()) s += d->Name + '\0' + d->Value + '\0';
        s += '\n';
    }
    return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    pavik::CssReadResult first = pavik::AnalyzeCSS(text);
    const auto now = std::chrono::system_clock::time_point();
    std::string written = pavik::writeStyleSheet(pavik::buildRuleTree(first.Document, false), now);
    pavik::CssReadResult second = pavik::AnalyzeCSS(written);
    if (shape(first.Document) != shape(second.Document)) std::abort();
    return 0;
}
