// libFuzzer target: any bytes must read without a crash or a hang, and what the writer
// makes of the result must read back to the same rules. The round trip is checked only when
// no selector, name or value holds a quote or a parenthesis: a string left open on one line,
// or a parenthesis left open, may pair with another once the writer has put both on one
// line or repeated a property name, which only junk input can produce.
#include <cstdint>
#include <cstdlib>

#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

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
    auto quoted = [](const std::string& s) { return s.find_first_of("\"'()") != std::string::npos; };
    for (const auto& r : first.Document.rules()) {
        if (quoted(r->Data.Selector)) return 0;
        for (const auto& d : r->Declarations)
            if (quoted(d->Name) || quoted(d->Value)) return 0;
    }
    if (shape(first.Document) != shape(second.Document)) std::abort();
    return 0;
}
