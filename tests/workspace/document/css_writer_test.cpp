#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/workspace/document/document_dump.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;
using pavik::test::dump;
using pavik::test::dumpWritten;

namespace {

const auto kTime = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));

std::string write(const StyleDocument& doc) { return writeStyleSheet(doc, kTime); }

std::string head() { return generatorComment(kTime) + "\r\n\r\n"; }

std::string crLf(std::string_view s) {
    std::string out;
    for (char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct Case {
    const char* what;
    std::string input;
    std::string expected;  // what follows the generator line and its empty line; "\n" for CR LF
};

// The written text, and that it reads back to itself.
void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const CssReadResult first = AnalyzeCSS(c.input);
        const std::string out = write(first.Document);
        EXPECT_EQ(out, c.expected.starts_with("@charset") ? crLf(c.expected).insert(c.expected.find('\n') + 2, head())
                                                          : head() + crLf(c.expected))
            << c.what;
        const CssReadResult second = AnalyzeCSS(out);
        EXPECT_EQ(dumpWritten(second.Document), dumpWritten(first.Document)) << c.what;
        EXPECT_EQ(write(second.Document), out) << c.what << ", read back";
    }
}

}  // namespace

TEST(CssWriter, GeneratorLineAndEmptyDocument) {
    StyleDocument empty;
    std::string text = write(empty);
    EXPECT_EQ(text, head());
    EXPECT_EQ(text.rfind("/* Generator Pavik - Build155 - on ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 7), " */\r\n\r\n");
}

TEST(CssWriter, RulesAndAtRulesInFileOrder) {
    runCases({
        {"same-specificity rules keep their order",
         ".navbar { position: relative } .fixed-top { position: fixed } A { b: c }",
         "\n.navbar {\nposition : relative ;\n}\n\n\n.fixed-top {\nposition : fixed ;\n}\n\n\nA {\nb : c ;\n}\n\n"},
        {"a block stays before the rule after it", "@media (min-width: 1px) { .y { color: red } } .y { color: green }",
         "@media (min-width: 1px) { .y { color: red } }\n\n\n.y {\ncolor : green ;\n}\n\n"},
        {"statements where they stood", "a { } @import 'x'; @layer l; b { }",
         "\na {\n}\n\n@import 'x';\n@layer l;\n\nb {\n}\n\n"},
        {"rules with the same selector keep their own declarations", "A { color: red } A { margin: 0 }",
         "\nA {\ncolor : red ;\n}\n\n\nA {\nmargin : 0 ;\n}\n\n"},
        {"rules of any selector, an empty one too", "{ kept: 1 } :root { --x: 1 } * { y: 2 }",
         "\n {\nkept : 1 ;\n}\n\n\n:root {\n--x : 1 ;\n}\n\n\n* {\ny : 2 ;\n}\n\n"},
    });
}

TEST(CssWriter, CharsetFirstOfAll) {
    runCases({
        {"before the generator line", "@charset \"Shift_JIS\";\nA { }", "@charset \"Shift_JIS\";\n\nA {\n}\n\n"},
        {"only where it began the file", "A { } @charset \"x\";", "\nA {\n}\n\n@charset \"x\";\n"},
    });
}

// The preview's copy names the encoding of its bytes, Shift_JIS, in place of the sheet's own
// statement, however the text is cut into pieces; the written text itself keeps the statement.
TEST(CssWriter, PreviewCopySaysShiftJisInPlaceOfTheSheetsCharset) {
    struct Case {
        const char* what;
        std::string input;
        std::string ownLine;  // what the written text starts with before the generator line
    };
    const Case cases[] = {
        {"no statement", "H1::after { content: \"\x93\xfa\" }", ""},
        {"UTF-8", "@charset \"UTF-8\";\nH1 { }", "@charset \"UTF-8\";\r\n"},
        {"Shift_JIS already", "@charset \"Shift_JIS\";H1 { }", "@charset \"Shift_JIS\";\r\n"},
        {"not at the start: kept where it stood", "A { } @charset \"x\";", ""},
    };
    for (const Case& c : cases) {
        const StyleDocument doc = AnalyzeCSS(c.input).Document;
        const std::string written = write(doc);
        ASSERT_EQ(written.rfind(c.ownLine + head(), 0), 0u) << c.what;
        const std::string expected = "@charset \"Shift_JIS\";\r\n" + written.substr(c.ownLine.size());
        for (size_t pieceSize : {size_t(1), size_t(5), written.size()}) {
            std::string preview;
            const TextSink sink = previewStyleSheetSink(doc, [&](std::string_view p) { preview += p; });
            for (size_t at = 0; at < written.size(); at += pieceSize) sink(std::string_view(written).substr(at, pieceSize));
            EXPECT_EQ(preview, expected) << c.what << ", pieces of " << pieceSize;
        }
    }
}

TEST(CssWriter, EveryCommentWhereItStood) {
    runCases({
        {"licence, rule, inner and trailing comments",
         "/*!\n * Licence\n */\n/* a */ /* b */\nA { /* c */ b: c; /* d */ }\n/*# sourceMappingURL=x.map */",
         "/*!\n * Licence\n */\n/* a */\n/* b */\nA {\n/* c */\nb : c ;\n/* d */\n}\n\n/*# sourceMappingURL=x.map */\n"},
        {"before an at-rule, and inside it", "/* m */\n@media x { /* i */ }", "/* m */\n@media x { /* i */ }\n\n"},
        {"of a declaration left out", "A { /* c */ color: ; }", "\nA {\n/* c */\n}\n\n"},
        {"words on two lines stay apart", "/* disabled\nworks */ a { }", "/* disabled\nworks */\na {\n}\n\n"},
    });
}

TEST(CssWriter, EveryDeclarationWithAValueAndEveryCustomProperty) {
    runCases({
        {"custom properties with empty values", "A { --x: ; --y:; color: red; margin: ; }",
         "\nA {\n--x :  ;\n--y :  ;\ncolor : red ;\n}\n\n"},
        {"an empty piece declares nothing", "A { --x: 1;; }", "\nA {\n--x : 1 ;\n}\n\n"},
    });
}

TEST(CssWriter, ReportsProgress) {
    struct Sink : ProgressSink {
        void setProgress(int p) override { progress.push_back(p); }
        void setStatus(std::string_view s) override { status.emplace_back(s); }
        std::vector<int> progress;
        std::vector<std::string> status;
    } sink;
    CssReadResult r = AnalyzeCSS("a {} @import x; b {} c {}");
    writeStyleSheet(r.Document, kTime, &sink);
    EXPECT_EQ(sink.status, (std::vector<std::string>{"プレビュー用CSS作成中"}));
    EXPECT_EQ(sink.progress, (std::vector<int>{0, 25, 50, 75, 0}));
}

// Random well-formed style sheets, written in varied layouts, read back to the rules they
// were made of.
TEST(CssWriter, RandomSheetsReadAndRoundTrip) {
    const std::vector<std::string> selectors = {
        "A", "a.b", ".c:hover", "DIV P", "H1, H2", "#id", ":root", "*", ".\x83\x7B\x83\x7D",
        "a[title=\"{;}\"]", "ul > li + li", "P", "p"};
    const std::vector<std::string> names = {"color", "COLOR", "font-family", "x-\x83\x7B", "--v"};
    const std::vector<std::string> values = {
        "red", "url(a.gif)", "url(\"x;y\")", "\"}{\"", "'a:b'", "calc(1px + (2px))",
        "\x83\x7D", "1px 2px", "a:b", "url(data:x;y,z)", "\"/* no */\""};
    const std::vector<std::string> comments = {"", "/* c */", "/* \x83\x7D{ */", "/**/"};
    const std::vector<std::string> blanks = {"", " ", "\n", "\r\n", " \t "};

    std::mt19937 rng(7);
    auto pick = [&rng](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
    for (int round = 0; round < 200; ++round) {
        StyleDocument model;
        std::string css;
        int ruleCount = rng() % 8;
        for (int i = 0; i < ruleCount; ++i) {
            TData2 data;
            data.Selector = pick(selectors);
            SelectorParts parts = deriveSelectorParts(data.Selector);
            data.Name = parts.Name;
            data.CssClass = parts.CssClass;
            const std::string comment = pick(comments);
            const bool commentInside = rng() % 2;
            if (!commentInside) data.Comment = comment;
            CssRuleNode* rule = model.addRule(data);
            if (commentInside) rule->ClosingComment = comment;
            if (!commentInside) css += comment + pick(blanks);
            css += data.Selector + pick(blanks) + "{" + pick(blanks);
            int declCount = rng() % 4;
            for (int k = 0; k < declCount; ++k) {
                std::string name = pick(names), value = pick(values);
                model.addDeclaration(rule, name, value);
                css += name + pick(blanks) + ":" + pick(blanks) + value + pick(blanks);
                if (k + 1 < declCount || rng() % 2) css += ";" + pick(blanks);
            }
            if (commentInside) css += comment;
            css += "}" + pick(blanks);
        }
        CssReadResult read = AnalyzeCSS(css);
        ASSERT_EQ(dump(read.Document), dump(model)) << css;
        std::string text = write(read.Document);
        ASSERT_EQ(dump(AnalyzeCSS(text).Document), dump(model)) << text;
        ASSERT_EQ(styleSheetExtent(read.Document).lines, static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    }
}
