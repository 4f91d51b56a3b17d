// libFuzzer target: any bytes must read without a crash or a hang; what the writer makes of
// the result must hold no stray brace, must read back to the same kept texts and comments,
// and written again must give the same text. When no selector, name or value holds a quote
// or a parenthesis, it must also read back to the same rules. (A string left open on one
// line may pair with another once the writer has put both on one line; the writer then
// escapes what would change, so only the text written is sure to stay.)
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/workspace/document/brace_check.h"
#include "tests/workspace/document/document_dump.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

namespace {
void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Kept texts, the charset and the comments, without the rules' selectors and declarations.
std::string keptAndComments(const pavik::StyleDocument& doc) {
    std::string s = doc.charset() + '\0' + doc.trailingComments() + '\0';
    for (const pavik::KeptText& k : doc.keptTexts()) s += std::to_string(k.BeforeRule) + k.Text + '\0';
    for (const auto& r : doc.rules()) {
        std::string inside;  // a comment of a declaration left out goes with the next one
        for (const auto& d : r->Declarations) pavik::appendComment(inside, d.Comment);
        pavik::appendComment(inside, r->ClosingComment);
        s += r->Data.Comment + '\0' + inside + '\0';
    }
    return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    pavik::CssReadResult first = pavik::AnalyzeCSS(text);
    const auto now = std::chrono::system_clock::time_point();
    const std::string written = pavik::writeStyleSheet(first.Document, now);
    check(pavik::test::strayBraces(written, first.Document).empty(), "stray brace");
    pavik::CssReadResult second = pavik::AnalyzeCSS(written);
    check(keptAndComments(second.Document) == keptAndComments(first.Document), "kept texts or comments changed");
    check(pavik::writeStyleSheet(second.Document, now) == written, "written text changed");

    auto quoted = [](std::string_view s) { return s.find_first_of("\"'()") != std::string::npos; };
    for (const auto& r : first.Document.rules()) {
        // A selector made from "&" and an empty parent may start with "@"; it is written escaped.
        if (quoted(r->Data.Selector) || r->Data.Selector.starts_with('@')) return 0;
        for (const auto& d : r->Declarations)
            if (quoted(d.Name) || quoted(d.Value)) return 0;
    }
    check(pavik::test::dumpWritten(first.Document) == pavik::test::dumpWritten(second.Document), "rules changed");
    return 0;
}
