#include <gtest/gtest.h>

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

std::string write(const StyleDocument& doc, bool grouped = false) {
    return writeStyleSheet(buildRuleTree(doc, grouped), kTime);
}

std::string head() { return generatorComment(kTime) + "\r\n\r\n"; }

}  // namespace

TEST(CssWriter, GeneratorLineAndEmptyDocument) {
    StyleDocument empty;
    std::string text = write(empty);
    EXPECT_EQ(text, head());
    EXPECT_EQ(text.rfind("/* Generator Pavik - Build155 - on ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 7), " */\r\n\r\n");
}

TEST(CssWriter, WritesEachRuleWithItsCommentHeadingAndNonEmptyDeclarations) {
    CssReadResult r = AnalyzeCSS(
        "/* head */ H1 { color : red; margin: ; COLOR: Blue }\n"
        "P { }\n"
        ".note { x: y }\n"
        "A.red:hover { a: b }\n"
        "A:hover P { c: d }\n");
    EXPECT_EQ(write(r.Document),
              head() +
              "\r\n" "A:hover P {\r\n" "c : d ;\r\n" "}\r\n" "\r\n"
              "/* head */\r\n" "H1 {\r\n" "color : red ;\r\n" "COLOR : Blue ;\r\n" "}\r\n" "\r\n"
              "\r\n" "P {\r\n" "}\r\n" "\r\n"
              "\r\n" ".note {\r\n" "x : y ;\r\n" "}\r\n" "\r\n"
              "\r\n" "A.red:hover {\r\n" "a : b ;\r\n" "}\r\n" "\r\n");
    // Grouped style writes class rules with their element's group.
    std::string grouped = write(r.Document, true);
    EXPECT_LT(grouped.find("A.red:hover {"), grouped.find("A:hover P {"));
    EXPECT_LT(grouped.find("P {\r\n}"), grouped.find(".note {"));
}

TEST(CssWriter, RulesWithTheSameSelectorKeepTheirOwnDeclarations) {
    CssReadResult r = AnalyzeCSS("A { color: red } A { margin: 0 }");
    EXPECT_EQ(write(r.Document), head() + "\r\nA {\r\ncolor : red ;\r\n}\r\n\r\n"
                                          "\r\nA {\r\nmargin : 0 ;\r\n}\r\n\r\n");
}

TEST(CssWriter, RulesWithoutNameOrClassAreWrittenUnlessTheSelectorIsEmpty) {
    CssReadResult r = AnalyzeCSS("{ lost: 1 } :root { --x: 1 } * { y: 2 } #id { z: 3 }");
    EXPECT_EQ(write(r.Document), head() +
                                     "\r\n#id {\r\nz : 3 ;\r\n}\r\n\r\n"
                                     "\r\n* {\r\ny : 2 ;\r\n}\r\n\r\n"
                                     "\r\n:root {\r\n--x : 1 ;\r\n}\r\n\r\n");
}

TEST(CssWriter, SetsWrittenAndReportsProgress) {
    struct Sink : ProgressSink {
        void setProgress(int p) override { progress.push_back(p); }
        void setStatus(std::string_view s) override { status.emplace_back(s); }
        std::vector<int> progress;
        std::vector<std::string> status;
    } sink;
    CssReadResult r = AnalyzeCSS("a {} b {}");
    r.Document.rules()[0]->Data.Written = true;  // stale from an earlier pass
    writeStyleSheet(buildRuleTree(r.Document, false), kTime, &sink);
    EXPECT_EQ(sink.status, (std::vector<std::string>{"プレビュー用CSS作成中"}));
    EXPECT_EQ(sink.progress, (std::vector<int>{0, 25, 50, 75, 0}));
    for (const auto& rule : r.Document.rules()) EXPECT_TRUE(rule->Data.Written);
}

TEST(CssWriter, WrittenTextReadsBackToTheSameDocument) {
    const std::string css =
        "@charset \"x\";\n"
        "/* top\n   of file */\n"
        "body, html { margin: 0; font-family: \"MS \x83\x53\x83\x56\x83\x62\x83\x4E\", serif }\n"
        "a.b:hover, a.b:focus\n{ color: red; background: url(data:a;b,c) }\n"
        "@media print { .x:after { content: \"}{;\" } }\n"
        "A { color: red;; } /* for td */ td { c: d } .n { e: f } /* dropped */";
    CssReadResult first = AnalyzeCSS(css);
    std::string text = write(first.Document);
    CssReadResult second = AnalyzeCSS(text);
    EXPECT_EQ(dump(second.Document), dumpWritten(first.Document));
    EXPECT_EQ(write(second.Document), text);
    EXPECT_TRUE(second.AtRules.empty());
    EXPECT_EQ(write(second.Document, true), write(AnalyzeCSS(write(second.Document, true)).Document, true));
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
            data.Comment = pick(comments);
            CssRuleNode* rule = model.addRule(data);
            bool commentInside = rng() % 2;
            if (!commentInside) css += data.Comment + pick(blanks);
            css += data.Selector + pick(blanks) + "{" + pick(blanks);
            int declCount = rng() % 4;
            for (int k = 0; k < declCount; ++k) {
                std::string name = pick(names), value = pick(values);
                model.addDeclaration(rule, name, value);
                css += name + pick(blanks) + ":" + pick(blanks) + value + pick(blanks);
                if (k + 1 < declCount || rng() % 2) css += ";" + pick(blanks);
            }
            if (commentInside) css += data.Comment;
            css += "}" + pick(blanks);
        }
        model.sortRules();
        CssReadResult read = AnalyzeCSS(css);
        ASSERT_EQ(dump(read.Document), dump(model)) << css;
        std::string text = write(read.Document, round % 2);
        ASSERT_EQ(dump(AnalyzeCSS(text).Document), dump(model)) << text;
    }
}
