// libFuzzer target: any bytes must read without a crash or a hang; what the writer makes of
// the result must hold no stray brace and must read back to the same at-rule texts and, when
// no selector, name or value holds a quote or a parenthesis, to the same rules. (A string
// left open on one line, or a parenthesis left open, may pair with another once the writer
// has put both on one line or repeated a property name, which only junk input can produce.)
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/workspace/document/brace_check.h"
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

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    pavik::CssReadResult first = pavik::AnalyzeCSS(text);
    const pavik::KeptAtRules& kept = first.Document.keptAtRules();
    const auto now = std::chrono::system_clock::time_point();
    std::string written = pavik::writeStyleSheet(pavik::buildRuleTree(first.Document, false), kept, now);
    check(pavik::test::strayBraces(written, kept).empty(), "stray brace");
    pavik::CssReadResult second = pavik::AnalyzeCSS(written);
    check(second.Document.keptAtRules().Statements == kept.Statements, "statements changed");
    check(second.Document.keptAtRules().Blocks == kept.Blocks, "blocks changed");

    auto quoted = [](const std::string& s) { return s.find_first_of("\"'()") != std::string::npos; };
    for (const auto& r : first.Document.rules()) {
        // A selector made from "&" and an empty parent may start with "@"; it is written escaped.
        if (quoted(r->Data.Selector) || r->Data.Selector.starts_with('@')) return 0;
        for (const auto& d : r->Declarations)
            if (quoted(d->Name) || quoted(d->Value)) return 0;
    }
    check(shape(first.Document) == shape(second.Document), "rules changed");
    return 0;
}
