// At-rules kept as written, nested rules expanded, open blocks closed at the end of the
// file, and no stray brace in what the writer makes of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/workspace/document/brace_check.h"
#include "tests/workspace/document/document_dump.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;

namespace {

const auto kTime = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));
const std::string kMa = "\x83\x7D";  // マ: trail byte "}"
const std::string kBo = "\x83\x7B";  // ボ: trail byte "{"

std::string writeAll(const CssReadResult& r) { return writeStyleSheet(r.Document, kTime); }

// A rule as the writer puts it, with "\n" for CR LF.
std::string rule(std::string_view selector, std::initializer_list<std::string_view> decls = {},
                 std::string_view comment = "") {
    std::string s = std::string(comment) + "\n" + std::string(selector) + " {\n";
    for (std::string_view d : decls) s += std::string(d) + "\n";
    return s + "}\n\n";
}

struct Case {
    const char* what;
    std::string input;
    std::string expected;  // what follows the generator line and its empty line; "\n" for CR LF
};

// Each case is also read back: the written text must read to itself.
void runCases(const std::vector<Case>& cases) {
    const std::string head = generatorComment(kTime) + "\r\n\r\n";
    for (const Case& c : cases) {
        std::string expected;
        for (char ch : c.expected) expected += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        CssReadResult r = AnalyzeCSS(c.input);
        const std::string out = writeAll(r);
        EXPECT_EQ(out, head + expected) << c.what;
        EXPECT_EQ(test::strayBraces(out, r.Document), "") << c.what << "\n" << out;
        EXPECT_EQ(writeAll(AnalyzeCSS(out)), out) << c.what << ", read back";
    }
}

}  // namespace

TEST(AtRules, StatementsAreKeptAsWrittenWhereTheyStood) {
    runCases({
        {"in file order", "A { b: c }\n@charset \"x\";\n@import url(a.css)\n  screen;\n@layer a, b;",
         rule("A", {"b : c ;"}) + "@charset \"x\";\n@import url(a.css)\n  screen;\n@layer a, b;\n"},
        {"their comments stay in them, those before them lead them",
         "/* c */ @import /* i */ 'x.css'; A { }", "/* c */\n@import /* i */ 'x.css';\n" + rule("A")},
        {"double-byte characters", "@import " + kMa + kBo + ";", "@import " + kMa + kBo + ";\n"},
        {"cut short by the end", "A { } @import 'x.css'  ", rule("A") + "@import 'x.css'\n;\n"},
        {"cut short in a comment", "@import x /* y", "@import x /* y*/\n;\n"},
        {"ended by a stray brace", "@import x } A { b: c }", "@import x\n;\n" + rule("A", {"b : c ;"})},
    });
    EXPECT_EQ(AnalyzeCSS("@charset \"x\"; @media a { } .a { @supports b { } } @media c { } @-x-y;").AtRules,
              (std::vector<std::string>{"@charset", "@media", "@supports", "@-x-y"}));
}

TEST(AtRules, BlocksAreKeptAsWrittenWhereTheyStoodAndHoldNoRules) {
    runCases({
        {"rules inside stay inside", "@media print { .x { display: none } }\nA { b: c }",
         "@media print { .x { display: none } }\n\n" + rule("A", {"b : c ;"})},
        {"kinds, line ends, comments and nested blocks in file order",
         "@font-face { font-family: x;\r\n  src: url(a.woff) }\n"
         "@keyframes k { /* c */ from { opacity: 0 }\n to { opacity: 1 } }\nP { }\n"
         "@supports (d: g) { @media x { .y { z: 0 } } }\r@page :first { margin: 1in; }\n"
         "@layer base { a { b: c } } @foo bar { }",
         "@font-face { font-family: x;\n  src: url(a.woff) }\n\n"
         "@keyframes k { /* c */ from { opacity: 0 }\n to { opacity: 1 } }\n\n" +
             rule("P") +
             "@supports (d: g) { @media x { .y { z: 0 } } }\n\n@page :first { margin: 1in; }\n\n"
             "@layer base { a { b: c } }\n\n@foo bar { }\n\n"},
        {"braces in strings, escapes, comments and double-byte characters do not count",
         "@media x { a:after { content: \"}\" } /* } */ .b\\} { c: '{' } ." + kMa + " { } }",
         "@media x { a:after { content: \"}\" } /* } */ .b\\} { c: '{' } ." + kMa + " { } }\n\n"},
        {"a comment before one leads it", "/* m */ @media x { } A { }", "/* m */\n@media x { }\n\n" + rule("A")},
    });
}

TEST(Nesting, NestedRulesBecomeRulesOfTheirOwn) {
    runCases({
        {"the parent keeps what is around them", "A { color: red; &:hover { color: blue } margin: 0 }",
         rule("A", {"color : red ;", "margin : 0 ;"}) + rule("A:hover", {"color : blue ;"})},
        {"the next rule is not swallowed", "A { color: red; &:hover { color: blue } } B { x: y }",
         rule("A", {"color : red ;"}) + rule("A:hover", {"color : blue ;"}) + rule("B", {"x : y ;"})},
        {"lists multiply, the parent's parts outside", "a, b { c, d { x: y } }",
         rule("a, b") + rule("a c, a d, b c, b d", {"x : y ;"})},
        {"& stands for the parent", "a { &.x, .y & { x: y } }", rule("a") + rule("a.x, .y a", {"x : y ;"})},
        {"deeper levels combine with the combined selector", "a { b { c { x: y } } }",
         rule("a") + rule("a b") + rule("a b c", {"x : y ;"})},
        {"commas in strings and parentheses do not split", "a { [t=\"x,y\"], :is(b, c) { x: y } }",
         rule("a") + rule("a [t=\"x,y\"], a :is(b, c)", {"x : y ;"})},
        {"the selector starts after the last semicolon", "a { x: 1; y: 2 b { z: 3 } }",
         rule("a", {"x : 1 ;"}) + rule("a y: 2 b", {"z : 3 ;"})},
        {"comments stay where they stood, in the innermost open rule",
         "/* 1 */ A { /* 2 */ &:hover { /* 3 */ } /* 4 */ }",
         "/* 1 */\nA {\n/* 4 */\n}\n\n/* 2 */\nA:hover {\n/* 3 */\n}\n\n"},
        {"in the order of their \"{\", after the parent", "A { & { x: 1 } } A { y: 2 }",
         rule("A") + rule("A", {"x : 1 ;"}) + rule("A", {"y : 2 ;"})},
        {"a trail byte equal to a brace opens nothing", "a { ." + kBo + " { b: c } }",
         rule("a") + rule("a ." + kBo, {"b : c ;"})},
        {"a lone lead byte before \"&\" leaves the parent's characters whole", kMa + "{\x83&{",
         rule(kMa) + rule("\x83 " + kMa)},
        {"and after it", "a\x83 { &b { } }", rule("a\x83") + rule("a\x83 b")},
    });
    EXPECT_EQ(test::dump(AnalyzeCSS("A { &.red:hover { } }").Document), "A [A|] {}\nA.red:hover [A|red] {}\n");
}

TEST(Nesting, AtRulesInsideRulesAreKeptAroundTheRuleSelector) {
    runCases({
        {"the rule keeps its declarations", ".a { color: red; @media (x) { color: blue } }",
         rule(".a", {"color : red ;"}) + "@media (x) { .a {  color: blue  } }\n\n"},
        {"in the order of their @ among the rules, with the combined selector",
         ".a { @media x { y: z } .b { @supports (d) { c: d } } } @media w { }",
         rule(".a") + "@media x { .a {  y: z  } }\n\n" + rule(".a .b") +
             "@supports (d) { .a .b {  c: d  } }\n\n@media w { }\n\n"},
        {"inner text as written, its comments belong to no rule",
         ".a { @media x { /* c */ &:hover { d: e } } }",
         rule(".a") + "@media x { .a {  /* c */ &:hover { d: e }  } }\n\n"},
        {"a selector with a quote goes on a line of its own", "a[x='1'] { @media y { b: c } }",
         rule("a[x='1']") + "@media y\n{ a[x='1']\n{  b: c  } }\n\n"},
    });
}

TEST(Nesting, TheEndOfTheFileClosesWhatIsOpenInnermostFirst) {
    runCases({
        {"an open rule keeps its body", "A { b: c", rule("A", {"b : c ;"})},
        {"innermost first", "A { b: c; & { d: e", rule("A", {"b : c ;"}) + rule("A", {"d : e ;"})},
        {"a rule's open comment is closed", "A { b: c; /* d", "\nA {\nb : c ;\n/* d*/\n}\n\n"},
        {"an at-rule block", "@media x { a { b: c }", "@media x { a { b: c }\n}\n\n"},
        {"inside a comment", "@media x { a { /* b", "@media x { a { /* b*/\n}}\n\n"},
        {"where a string may run to the line end", "@media x { a { content: \"b",
         "@media x { a { content: \"b\n}}\n\n"},
        {"an at-rule inside a rule", ".a { @media x { y: z", rule(".a") + "@media x { .a {  y: z\n } }\n\n"},
    });
}

TEST(Writer, BracesAndCommentMarksOfStringsRepairedOverLinesAreEscaped) {
    // Each quote below has no partner on its own line; written on one line, they pair.
    runCases({
        {"in a value", "a { b: x'\n'}' }", rule("a", {"b : x' '\\}' ;"})},
        {"a comment mark", "a { b: x'\n'/*' }", rule("a", {"b : x' '/\\*' ;"})},
        {"in a selector", "x[a='\n'}'] { }", rule("x[a=' '\\}']")},
        {"a selector's semicolon, apart from a lone lead byte", "a'\n'\x83;' { }", rule("a' '\x83 \\;'")},
        {"also from one an escape holds", "a'\n'\\\x83;' { }", rule("a' '\\\x83 \\;'")},
    });
}

TEST(Nesting, LongListsMoveTheParentIntoIsAndHostileNestingIsBounded) {
    // Nine levels of "a, b" ask for 512 parts: the ninth level puts the eighth's 256 in :is().
    std::string css;
    for (int i = 0; i < 9; ++i) css += "a, b { ";
    CssReadResult r = AnalyzeCSS(css + std::string(9, '}'));
    const std::string ninth(r.Document.rules().back()->Data.Selector);  // the innermost
    const std::string eighth = ninth.substr(4, ninth.find(") a, ") - 4);
    EXPECT_EQ(std::count(eighth.begin(), eighth.end(), ','), 255);
    EXPECT_NE(r.Document.GetNodeParent(eighth), nullptr);
    EXPECT_EQ(ninth, ":is(" + eighth + ") a, :is(" + eighth + ") b");
    // Over 64 KB of text: "&" becomes ":is(parent)".
    const std::string big = std::string(40000, 'p') + ", q" + std::string(40000, 'p');
    EXPECT_EQ(AnalyzeCSS(big + " { &.z, w { } }").Document.rules().back()->Data.Selector,
              ":is(" + big + ").z, :is(" + big + ") w");

    // Beyond 64 levels, or 32 MB of selectors made by nesting, nested rules are left out.
    std::string deep;
    for (int i = 0; i < 70; ++i) deep += "a { ";
    r = AnalyzeCSS(deep + std::string(70, '}') + " B { c: d }");
    EXPECT_EQ(r.Document.ruleCount(), 64u + 1u);
    EXPECT_EQ(r.DroppedRules, 1u);
    std::string many;  // 256 parts of 250 bytes, then 600 nested rules of 65 KB each
    for (int i = 0; i < 256; ++i) many += (i ? ", p" : "p") + std::string(249, 'a' + i % 26);
    for (int i = 0; i < 600; ++i) many += i ? "x { } " : " { x { } ";
    r = AnalyzeCSS(many + "}");
    size_t bytes = 0;
    for (const auto& rule : r.Document.rules()) bytes += rule->Data.Selector.size();
    EXPECT_GT(r.DroppedRules, 0u);
    EXPECT_EQ(r.NestedRules + r.DroppedRules, 600u);
    EXPECT_LE(bytes, size_t{33} << 20);
}

// Junk made of braces, at-rules, nesting, quotes and double-byte characters: whatever is read,
// the writer puts no stray brace, and the kept texts read back as they were.
TEST(Writer, RandomJunkNeverGetsAStrayBrace) {
    const std::vector<std::string> pieces = {
        "{", "}", "{", "}", ";", ":", "@media x", "@import y", "&", ",", " ", "\n", "\r\n", "/*", "*/",
        "\"", "'", "\\", "a", ".b", "(", ")", "[", "]", kMa, kBo, "\x83\x5C", "\x83"};
    std::mt19937 rng(1313);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int k = rng() % 40; k > 0; --k) text += pieces[rng() % pieces.size()];
        CssReadResult first = AnalyzeCSS(text);
        const std::string out = writeAll(first);
        ASSERT_EQ(test::strayBraces(out, first.Document), "") << text;
        CssReadResult second = AnalyzeCSS(out);
        ASSERT_EQ(second.Document.keptTexts().size(), first.Document.keptTexts().size()) << text;
        for (size_t k = 0; k < first.Document.keptTexts().size(); ++k)
            ASSERT_EQ(second.Document.keptTexts()[k].Text, first.Document.keptTexts()[k].Text) << text;
    }
}
