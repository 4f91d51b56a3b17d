#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/cp932.h"
#include "tests/workspace/document/document_dump.h"
#include "workspace/document/css_reader.h"

using namespace pavik;
using pavik::test::dump;

namespace {

const std::string kMa = "\x83\x7D";  // マ: trail byte "}"
const std::string kBo = "\x83\x7B";  // ボ: trail byte "{"

struct Case {
    const char* what;
    std::string input;
    std::string expected;  // dump of the document
};

void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(dump(AnalyzeCSS(c.input).Document), c.expected) << c.what;
}

class RecordingSink : public ProgressSink {
public:
    void setProgress(int p) override { progress.push_back(p); }
    void setStatus(std::string_view s) override { status.emplace_back(s); }
    std::vector<int> progress;
    std::vector<std::string> status;
};

}  // namespace

TEST(CssReader, SelectorsAsInTheirExamples) {
    runCases({
        {"empty", "", ""},
        {"class and pseudo-class", "A.red:hover { color: red; }", "A.red:hover [A|red] {color=red}\n"},
        {"class only", ".red:hover { }", ".red:hover [|red:hover] {}\n"},
        {"group", "H1, H2 { }", "H1, H2 [H1|] {}\n"},
        {"descendant", "DIV P { }", "DIV P [DIV|] {}\n"},
        {"pseudo-class", "A:visited { }", "A:visited [A|] {}\n"},
        {"kept as read", "A:hover P { }", "A:hover P [A|] {}\n"},
        {"file order", "p{} B{} a{} A{}", "p [p|] {}\nB [B|] {}\na [a|] {}\nA [A|] {}\n"},
    });
}

TEST(CssReader, SelectorsSpanningLinesAndRulesSharingLines) {
    runCases({
        {"two rules on a line", "H1 { color: red; } H2 { color: blue; }",
         "H1 [H1|] {color=red}\nH2 [H2|] {color=blue}\n"},
        {"minified", "a{b:c}d{e:f;g:h}", "a [a|] {b=c}\nd [d|] {e=f; g=h}\n"},
        {"selector on its own line", "H1\r\n{\r\ncolor: red;\r\n}\r\n", "H1 [H1|] {color=red}\n"},
        {"group over lines", "H1,\nH2\n{ }", "H1, H2 [H1|] {}\n"},
        {"group over CR LF lines", "H1,\r\n\tH2 { }", "H1,  H2 [H1|] {}\n"},
        {"statements kept in place", "@import url(a.css);\n@charset \"x\";H1 { }",
         "@ @import url(a.css);\n@ @charset \"x\";\nH1 [H1|] {}\n"},
    });
}

TEST(CssReader, DoubleByteCharactersNeverOpenOrCloseARule) {
    runCases({
        {"trail bytes in a value", "a { font-family: " + kMa + kBo + "; color: red }",
         "a [a|] {font-family=" + kMa + kBo + "; color=red}\n"},
        {"trail bytes in a comment in a rule",
         "a { margin: 0; /* " + kMa + "-" + kBo + " */ padding: 1px }",
         "a [a|] {margin=0; /* " + kMa + "-" + kBo + " */ padding=1px}\n"},
        {"trail bytes in a selector", "." + kBo + kMa + " { x: y }",
         "." + kBo + kMa + " [|" + kBo + kMa + "] {x=y}\n"},
        {"a trail byte equal to a backslash", "a { content: \"\x83\x5C\"; b: c }",
         "a [a|] {content=\"\x83\x5C\"; b=c}\n"},
    });
}

TEST(CssReader, EveryCommentStaysWithTheItemItStoodBefore) {
    runCases({
        {"all before a rule, in order", "/* one */ /* two */\nA { }", "A [A|] /* one */\r\n/* two */ {}\n"},
        {"in a body, before the declaration that follows", "/* a */ A { /* b */ c: d; /* e */ }",
         "A [A|] /* a */ {/* b */ c=d /* e */}\n"},
        {"in a declaration", "a { col/* x */or: red; b: c }", "a [a|] {/* x */ col or=red; b=c}\n"},
        {"after a value, with what follows", "a { b: c /* d */; e: f /* g */ }", "a [a|] {b=c; /* d */ e=f /* g */}\n"},
        {"after the last item", "a { b: c } /* x */\n/*# y */", "a [a|] {b=c}\ntrailing /* x */\r\n/*# y */\n"},
        {"line ends kept as CR LF", "/* a\r\n b\n c\r*/\nx { }", "x [x|] /* a\r\n b\r\n c\r\n*/ {}\n"},
        {"before kept text, in front of it", "/* m */ @media x { } /* i */ @import y;",
         "@ /* m */\r\n@media x { }\n@ /* i */\r\n@import y;\n"},
        {"in a nested rule's selector, before it", "a { b: c; /* n */ &:x { } }", "a [a|] {b=c}\na:x [a|] /* n */ {}\n"},
        {"comment as a separator", "a/**/b{}", "a b [a|] /**/ {}\n"},
        {"stray close is text", "a */ b { }", "a */ b [a|] {}\n"},
        {"generator comment dropped, the others kept",
         "/* mine */\n/* Generator Pavik - Build155 - on x */\r\n\r\nA { }", "A [A|] /* mine */ {}\n"},
        {"comment marks inside a string", "a { content: \"/*\"; b: c }",
         "a [a|] {content=\"/*\"; b=c}\n"},
    });
}

TEST(CssReader, DeclarationsSplitOutsideStringsAndParentheses) {
    runCases({
        {"url", "a { background-image: url(a.gif); color: red }",
         "a [a|] {background-image=url(a.gif); color=red}\n"},
        {"none", "a { background-image: none; color: red }",
         "a [a|] {background-image=none; color=red}\n"},
        {"url with scheme", "a { background: url(http://x.jp/a.gif) no-repeat; b: c }",
         "a [a|] {background=url(http://x.jp/a.gif) no-repeat; b=c}\n"},
        {"data uri", "a { background-image: url(data:image/png;base64,AB==); b: c }",
         "a [a|] {background-image=url(data:image/png;base64,AB==); b=c}\n"},
        {"quoted data uri", "a{b:url(\"data:x;y,%3c\");c:d}",
         "a [a|] {b=url(\"data:x;y,%3c\"); c=d}\n"},
        {"quotes", "a { content: \"x;y:z\"; font-family: 'a;b' }",
         "a [a|] {content=\"x;y:z\"; font-family='a;b'}\n"},
        {"braces in strings", "a { content: \"}\"; b: '{' } c { }",
         "a [a|] {content=\"}\"; b='{'}\nc [c|] {}\n"},
        {"escaped brace", "a { content: \\}; b: c }", "a [a|] {content=\\}; b=c}\n"},
        {"value holding a colon", "a { b: c:d }", "a [a|] {b=c:d}\n"},
        {"empty repeat declares nothing", "a { --x: 1;; color: ; }", "a [a|] {--x=1; color=}\n"},
        {"no closing semicolon", "H1 { color: red }", "H1 [H1|] {color=red}\n"},
        {"name keeps its case", "a { COLOR : Red }", "a [a|] {COLOR=Red}\n"},
        {"unmatched parenthesis", "a { b: url(x; c: d }", "a [a|] {b=url(x; c=d}\n"},
        {"unmatched quote", "a { b: it's; c: d }", "a [a|] {b=it's; c=d}\n"},
        {"nested parentheses", "a { b: calc(1px + (2px; 3px)); c: d }",
         "a [a|] {b=calc(1px + (2px; 3px)); c=d}\n"},
        {"line end and tab are blanks", "a { font-family: x,\ny;\tmargin:\t1px\t2px }",
         "a [a|] {font-family=x, y; margin=1px 2px}\n"},
    });
}

// Kept as written, where browsers ignore it: a declaration without a name, a rule whose
// prelude holds a ";" (browsers take the text before it as part of the prelude) and a block
// without a selector in a rule.
TEST(CssReader, TextBrowsersIgnoreIsKeptAsWritten) {
    runCases({
        {"a piece without a colon declares nothing", "p { color: red; blue; x: y }", "p [p|] {color=red; =blue; x=y}\n"},
        {"nothing before the colon", "a { : red; b: c }", "a [a|] {=: red; b=c}\n"},
        {"only a value", "a { red }", "a [a|] {=red}\n"},
        {"a statement before a rule", "foo; .a { color: red }", "@ foo; .a { color: red }\n"},
        {"a lone semicolon", "a { } ; b { c: d } e { }", "a [a|] {}\n@ ; b { c: d }\ne [e|] {}\n"},
        {"an at-rule after it is part of it", "x; @media y { a { } } b { }", "@ x; @media y { a { } }\nb [b|] {}\n"},
        {"the comments before it lead it", "/* c */ foo; /* d */ .a { }", "@ /* c */\r\nfoo; /* d */ .a { }\n"},
        {"at the end of the text", "a { } foo; bar /* c */", "a [a|] {}\n@ foo; bar /* c */\n"},
        {"without a semicolon at the end", "a { } foo", "a [a|] {}\n@ foo\n"},
        {"a block without a selector", "A { { x: 1 } B { y: 2 } }", "A [A|] {={ x: 1 }}\nA B [A|] {y=2}\n"},
        {"one in a nested rule", "E { F { { z: 3 } } }", "E [E|] {}\nE F [E|] {={ z: 3 }}\n"},
        {"after a declaration, with its line ends", "A { x: 1; /* c */ {\n\ty: 2 } z: 3 }",
         "A [A|] {x=1; /* c */ ={\r\n\ty: 2 }; z=3}\n"},
        {"closed where the text ends", "A { { x: 'y", "A [A|] {={ x: 'y\r\n}}\n"},
    });
    EXPECT_TRUE(AnalyzeCSS("x; @media y { }").AtRules.empty());
}

TEST(CssReader, JunkDoesNotDisturbTheRulesAroundIt) {
    runCases({
        {"stray close", "a { b: c } } d { e: f }", "a [a|] {b=c}\nd [d|] {e=f}\n"},
        {"leading closes", "}} a { b: c }", "a [a|] {b=c}\n"},
        {"unclosed rule at the end", "a { b: c } d { e: f", "a [a|] {b=c}\nd [d|] {e=f}\n"},
        {"unclosed comment at the end", "a { b: c } /* d { e: f }", "a [a|] {b=c}\ntrailing /* d { e: f }*/\n"},
        {"unclosed at-rule", "a { b: c } @media x { d { e: f }", "a [a|] {b=c}\n@ @media x { d { e: f }\r\n}\n"},
        {"byte-order mark", "\xEF\xBB\xBF" "body { x: y }", "body [body|] {x=y}\n"},
        {"empty selector", "{ x: y }", " [|] {x=y}\n"},
        {"lone lead byte at the end", "a { b: c }\x83", "a [a|] {b=c}\n@ \x83\n"},
        {"lone lead byte before a brace", "a\x83 { b: c }", "a\x83 [a\x83|] {b=c}\n"},
    });
    // NUL bytes are kept as text.
    std::string nul("a\0b { c: d\0e }", 14);
    CssReadResult r = AnalyzeCSS(nul);
    ASSERT_EQ(r.Document.ruleCount(), 1u);
    EXPECT_EQ(r.Document.rules()[0]->Data.Selector, std::string("a\0b", 3));
    EXPECT_EQ(r.Document.rules()[0]->Declarations[0].Value, std::string("d\0e", 3));
}

TEST(CssReader, RandomBytesNeitherCrashNorLeakLineEndsIntoSelectorsOrDeclarations) {
    std::mt19937 rng(20240607);
    const std::string alphabet = "{}{};:;:/**/\"'()\\@ \r\n\tab.#,\x83\x7D\x7B\x5C\x81\xFF";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        size_t len = rng() % 400;
        for (size_t i = 0; i < len; ++i)
            text += rng() % 4 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
        CssReadResult r = AnalyzeCSS(text);
        for (const auto& rule : r.Document.rules()) {
            EXPECT_EQ(rule->Data.Selector.find_first_of("\r\n\t"), std::string::npos) << text;
            if (!rule->Data.Comment.empty())
                EXPECT_TRUE(rule->Data.Comment.starts_with("/*") && rule->Data.Comment.ends_with("*/")) << text;
            for (const auto& d : rule->Declarations)  // a block without a selector is kept as written
                if (!d.Value.starts_with('{'))
                    EXPECT_EQ((d.Name + d.Value).find_first_of("\r\n\t"), std::string::npos) << text;
        }
    }
}

TEST(CssReader, LargeInputsStayLinear) {
    // One 2 MB line without any line end, a rule per 12 bytes.
    std::string line;
    for (int i = 0; i < 170000; ++i) line += "a{b:c;d:e}";
    EXPECT_EQ(AnalyzeCSS(line).Document.ruleCount(), 170000u);
    // Unmatched quotes and parentheses on one long line.
    std::string quotes = "a { b: " + std::string(1 << 20, '\'') + " }";
    quotes += std::string(1 << 19, '"') + "x { y: " + std::string(1 << 19, '(') + "; z: w }";
    EXPECT_EQ(AnalyzeCSS(quotes).Document.ruleCount(), 2u);
    // An unclosed comment, a million blocks without a selector left open (kept as one), and a
    // million nested rules left open (64 levels are read).
    EXPECT_EQ(AnalyzeCSS("/*" + std::string(1 << 20, '*')).Document.ruleCount(), 0u);
    EXPECT_EQ(AnalyzeCSS("a {" + std::string(1 << 20, '{')).Document.ruleCount(), 1u);
    std::string deep = "a {";
    for (int i = 0; i < (1 << 20); ++i) deep += "b{";
    EXPECT_EQ(AnalyzeCSS(deep).Document.ruleCount(), 64u);
    // Nested rules and at-rules, fifty thousand each.
    std::string nested = "a { ";
    for (int i = 0; i < 50000; ++i) nested += "&:b { c: d } @media e { f: g } ";
    CssReadResult r = AnalyzeCSS(nested + "}");
    EXPECT_EQ(r.NestedRules, 50000u);
    EXPECT_EQ(r.Document.keptTexts().size(), 50000u);
}

TEST(CssReader, ReportsProgressWhileReadingAndZeroAtTheEnd) {
    std::string text;
    while (text.size() < (size_t{1} << 20)) text += "a.b { color: red; margin: 0 }\n";
    RecordingSink sink;
    AnalyzeCSS(text, &sink);
    EXPECT_EQ(sink.status, (std::vector<std::string>{"スタイルシートの解析中"}));
    ASSERT_GE(sink.progress.size(), 5u);
    EXPECT_EQ(sink.progress.front(), 0);
    EXPECT_EQ(sink.progress.back(), 0);
    const std::vector<int> during(sink.progress.begin() + 1, sink.progress.end() - 1);
    EXPECT_TRUE(std::is_sorted(during.begin(), during.end()) && during.front() > 0 && during.back() <= 100);
}
