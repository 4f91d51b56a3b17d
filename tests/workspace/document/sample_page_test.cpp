#include <gtest/gtest.h>

#include <set>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/doc_types.h"
#include "workspace/document/sample_page.h"

using namespace pavik;

namespace {

const std::string kBanner =
    "<div style=\"margin:2px;border:thin green solid;border-width:3px;"
    "background-color:black ;color:lime\">";

std::vector<std::string> pageLines(const StyleDocument& doc, SamplePageOptions options = {}) {
    std::string page = buildSamplePage(buildRuleTree(doc, false), options);
    EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
    EXPECT_EQ(page.find('\n'), page.find("\r\n") + 1);
    std::vector<std::string> lines;
    for (const std::string& l : sjis::splitLines(page)) lines.push_back(decodeCp932(l));
    return lines;
}

// The sample line of a document holding one element rule (with or without a class).
std::string sampleOf(const std::string& css) {
    std::vector<std::string> lines = pageLines(AnalyzeCSS(css).Document);
    return lines.size() >= 8 ? lines[lines.size() - 2] : "(" + std::to_string(lines.size()) + " lines)";
}

}  // namespace

TEST(DocTypes, FifteenItemsWithTheW3cIdentifiers) {
    ASSERT_EQ(DocTypeItems.size(), 15u);
    EXPECT_EQ(docTypeLine(0), "");
    EXPECT_EQ(docTypeLine(15), "");
    EXPECT_EQ(docTypeLine(-1), "");
    EXPECT_EQ(docTypeLine(1), "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">");
    EXPECT_EQ(docTypeLine(4),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" "
              "\"http://www.w3.org/TR/REC-html40/loose.dtd\">");
    EXPECT_EQ(docTypeLine(6),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
              "\"http://www.w3.org/TR/html4/strict.dtd\">");
    EXPECT_EQ(docTypeLine(9),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    EXPECT_EQ(docTypeLine(13),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
              "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">");
    for (int i : {10, 12, 14}) {  // the XHTML items that carry the XML declaration
        EXPECT_TRUE(DocTypeItems[i].WithXmlDeclaration);
        EXPECT_EQ(docTypeLine(i), "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + docTypeLine(i - 1));
    }
    EXPECT_EQ(DocTypeItems[0].Caption, "!DOCTYPE 指定無し");
}

TEST(SamplePage, EmptyDocumentWithAndWithoutStyleSheet) {
    StyleDocument empty;
    EXPECT_EQ(pageLines(empty), (std::vector<std::string>{
                                    "<HTML><HEAD>",
                                    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                                    "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">",
                                    "</HEAD><BODY>", "</BODY></HTML>"}));
    SamplePageOptions opts;
    opts.ApplyCss = false;
    opts.DocType = 12;
    std::vector<std::string> lines = pageLines(empty, opts);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], docTypeLine(12));
    EXPECT_EQ(lines[1], "<HTML><HEAD>");
    EXPECT_EQ(lines[3], "</HEAD><BODY>");
}

TEST(SamplePage, SectionsAnchorsAndSamples) {
    CssReadResult r = AnalyzeCSS("H1 {} A.red {} .note {} DIV P {} A {} A:hover {} BODY {} td {}");
    EXPECT_EQ(pageLines(r.Document),
              (std::vector<std::string>{
                  "<HTML><HEAD>",
                  "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                  "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">",
                  "</HEAD><BODY>",
                  kBanner + "【//////////// エレメント ////////////】</div><br>",
                  "<a name=\"A\"></a><br>",
                  "<A href=\"#1\">エレメント A </a><br><br>",
                  "<a name=\"DIV_P\"></a><br>",
                  "<DIV><P>エレメント DIV P </P></DIV><br>",
                  "<a name=\"H1\"></a><br>",
                  "<H1>エレメント H1 </H1><br>",
                  "<a name=\"td\"></a><br>",
                  "<td>エレメント td </td><br>",
                  "<br>" + kBanner + "【//////////// エレメント + クラス ////////////】</div><br>",
                  "<a name=\"A.red\"></a><br>",
                  "<A class=\"red\" href=\"#9\">クラス A . red </a><br><br>",
                  "<br>" + kBanner + "【//////////// クラス ////////////】</div><br>",
                  "<a name=\".note\"></a><br>",
                  "<DIV class=\"note\">クラス note</DIV><br>",
                  "</BODY></HTML>"}));
}

TEST(SamplePage, TemplatesByElement) {
    struct Case {
        const char* css;
        const char* sample;
    };
    const Case cases[] = {
        {"SPAN {}", "<SPAN>エレメント SPAN </SPAN><br><br>"},
        {"HR {}", "<HR>↑エレメント HR <br>"},
        {"INPUT {}", "<INPUT>エレメント INPUT </INPUT><br><br><br>"},
        {"BUTTON {}", "<BUTTON>エレメント BUTTON </BUTTON><br><br><br>"},
        {"SELECT {}", "<SELECT><option value=\"#\" selected>エレメント SELECT </SELECT><br>"},
        {"TABLE {}", "<TABLE><tr><td>エレメント TABLE </td></tr></TABLE><br>"},
        {"TH {}", "<table><tr><TH>エレメント TH </TH></tr></table><br>"},
        {"TBODY {}", "<table><TBODY><td>エレメント TBODY </td></TBODY></table><br>"},
        {"CAPTION {}", "<table><CAPTION>エレメント CAPTION </CAPTION><tr><td></td></tr></table><br>"},
        {"IMG {}", "<br><IMG>エレメント IMG <br><br><br>"},
        {"LI {}", "<LI>エレメント LI </LI><br>"},
        {"HR P {}", "<br>"},
        {"BODY P {}", "<br>"},
        {"A SPAN {}", "<A href=\"#1\"><SPAN>エレメント A SPAN </SPAN><br></a><br><br>"},
        {"DIV X {}", "<DIV>エレメント DIV X </DIV><br>"},
        {"H1, H2 {}", "<H1><H2>エレメント H1, H2 </H2></H1><br>"},
    };
    for (const Case& c : cases) EXPECT_EQ(sampleOf(c.css), c.sample) << c.css;
}

TEST(SamplePage, EscapesAnchorsLabelsAndClassesFromTheStyleSheet) {
    CssReadResult r = AnalyzeCSS("P[title=\"a&b\"] {} .x<y {} a.b\\\"c {}");
    std::vector<std::string> lines = pageLines(r.Document);
    const std::vector<std::string> expected = {
        "<a name=\"P[title=&quot;a&amp;b&quot;]\"></a><br>",
        "<DIV>エレメント P[title=&quot;a&amp;b&quot;] </DIV><br>",
        "<a name=\"a.b\\&quot;c\"></a><br>",
        "<a class=\"b\\&quot;c\">クラス a . b\\&quot;c </a><br>",
        "<a name=\".x&lt;y\"></a><br>",
        "<DIV class=\"x&lt;y\">クラス x&lt;y</DIV><br>",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

TEST(SamplePage, TheTagIsTheElementABrowserMakesOfTheRuleName) {
    struct Case {
        const char* css;
        const char* sample;
    };
    const Case cases[] = {
        {"svg/onload=console[`log`](`X`) { color: red }",
         "<DIV>エレメント svg/onload=console[`log`](`X`) </DIV><br>"},
        {"img/src/onerror=alert(1) {}", "<DIV>エレメント img/src/onerror=alert(1) </DIV><br>"},
        {"svg/onload=x P {}", "<DIV><P>エレメント svg/onload=x P </P></DIV><br>"},
        {"my-element2 {}", "<my-element2>エレメント my-element2 </my-element2><br>"},
        {"2col {}", "<DIV>エレメント 2col </DIV><br>"},
        {"x_y {}", "<DIV>エレメント x_y </DIV><br>"},
        {"H1 , H2 {}", "<H1>エレメント H1 , H2 </H1><br>"},
        {"H1 + P {}", "<H1>エレメント H1 + P </H1><br>"},
        {"ul li {}", "<ul>エレメント ul li </ul><br>"},
        {"nav a {}", "<nav>エレメント nav a </nav><br>"},
        {"#a {}", "<DIV>エレメント #a </DIV><br>"},
        {"A[title] {}", "<DIV>エレメント A[title] </DIV><br>"},
        {"body {}", "<DIV>エレメント body </DIV><br>"},
        {"Html {}", "<DIV>エレメント Html </DIV><br>"},
        {"SCRIPT P {}", "<DIV><P>エレメント SCRIPT P </P></DIV><br>"},
        {"body .x {}", "<DIV class=\"x\">クラス body  . x </DIV><br>"},
    };
    for (const Case& c : cases) EXPECT_EQ(sampleOf(c.css), c.sample) << c.css;
}

TEST(SamplePage, AnchorNamesAreSharedByPageClickAndRebuild) {
    struct Case {
        const char* selector;
        const char* anchor;
    };
    const Case cases[] = {{"DIV P", "DIV_P"}, {"A:hover", "A"}, {".note", ".note"},
                          {"A.red:hover", "A.red"}, {"H1", "H1"}, {".a:hover", ".a"}};
    for (const Case& c : cases) {
        CssReadResult r = AnalyzeCSS(std::string(c.selector) + " {}");
        const TData2& rule = r.Document.rules()[0]->Data;
        EXPECT_EQ(ruleAnchorName(rule), c.anchor);
        RuleTree tree = buildRuleTree(r.Document, false);
        const RuleTreeNode* node = tree[1].Kind == RuleTreeKind::Rule ? &tree[1] : &tree[2];
        EXPECT_EQ(previewAnchor(node, SampleAnchors(walkOf(tree))), c.anchor);
        std::vector<std::string> lines = pageLines(r.Document);
        std::string anchorLine = "<a name=\"" + std::string(c.anchor) + "\"></a><br>";
        EXPECT_NE(std::find(lines.begin(), lines.end(), anchorLine), lines.end()) << c.selector;
    }
    StyleDocument empty;
    RuleTree tree = buildRuleTree(empty, false);
    const SampleAnchors none(walkOf(tree));
    EXPECT_EQ(previewAnchor(nullptr, none), "");
    EXPECT_EQ(previewAnchor(&tree[0], none), "");
    RuleTreeNode group{RuleTreeKind::Group, 1, ImageGroup, "A", nullptr};
    EXPECT_EQ(previewAnchor(&group, none), "A");
}

// Every anchor on the page is unique, and each rule's anchor (the one a click goes to) stands
// right before the sample that shows it: its own, or the one that stands for it.
TEST(SamplePage, EveryRuleGoesToItsOwnSample) {
    struct Anchor {
        std::string selector, anchor, label;  // label: the sample after the anchor shows it
    };
    struct Case {
        const char* what;
        const char* css;
        std::vector<Anchor> anchors;
    };
    const Case cases[] = {
        {"the issue's sheet", "DIV P{} DIV.a P{} .a .b{} .c .b{} .red{} .red:hover{}",
         {{"DIV P", "DIV_P", "エレメント DIV P "}, {"DIV.a P", "DIV_P_2", "クラス DIV . a P "},
          {".a .b", "_.b", "クラス a .b<"}, {".c .b", "_.b_2", "クラス c .b<"}, {".red", ".red", "クラス red<"},
          {".red:hover", ".red_2", "クラス red:hover<"}}},
        {"a suffix no rule has: .x_2 is taken", ".x{} .x:hover{} .x_2{} .x:focus{}",
         {{".x", ".x", "クラス x<"}, {".x:focus", ".x_3", "クラス x:focus<"}, {".x:hover", ".x_4", "クラス x:hover<"},
          {".x_2", ".x_2", "クラス x_2<"}}},
        {"a rule without a sample goes to the one that stands for it", "A{} A:hover{} DIV.a P{} DIV P{} BODY{}",
         {{"A", "A", "エレメント A "}, {"A:hover", "A", "エレメント A "}, {"DIV P", "DIV_P", "エレメント DIV P "},
          {"DIV.a P", "DIV_P_2", "クラス DIV . a P "}, {"BODY", "BODY", ""}}},
        {"unique anchors stay as they are", "H1{} A.red{} A.red:hover{} .note{} UL LI{}",
         {{"H1", "H1", "エレメント H1 "}, {"A.red", "A.red", "クラス A . red "},
          {"A.red:hover", "A.red", "クラス A . red "}, {".note", ".note", "クラス note<"},
          {"UL LI", "UL_LI", "エレメント UL LI "}}},
    };
    for (const Case& c : cases) {
        const CssReadResult r = AnalyzeCSS(c.css);
        for (bool grouped : {false, true}) {
            const RuleTree tree = buildRuleTree(r.Document, grouped);
            const SampleAnchors anchors(walkOf(tree));
            const std::string page = decodeCp932(buildSamplePage(tree, {}));
            std::vector<std::string> names;
            for (size_t at = page.find("<a name=\""); at != std::string::npos; at = page.find("<a name=\"", at + 1))
                names.push_back(page.substr(at + 9, page.find('"', at + 9) - at - 9));
            EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << c.what;
            for (const Anchor& a : c.anchors) {
                const auto rule = std::find_if(r.Document.rules().begin(), r.Document.rules().end(),
                                               [&](const CssRuleNode* n) { return n->Data.Selector == a.selector; });
                ASSERT_NE(rule, r.Document.rules().end()) << a.selector;
                const std::string where = std::string(c.what) + " / " + a.selector + (grouped ? ", grouped" : "");
                EXPECT_EQ(anchors.of(**rule), a.anchor) << where;
                const size_t line = page.find("<a name=\"" + a.anchor + "\"></a><br>\r\n");
                if (a.label.empty()) {
                    EXPECT_EQ(line, std::string::npos) << where;
                    continue;
                }
                ASSERT_NE(line, std::string::npos) << where;
                const size_t sample = page.find("\r\n", line) + 2;
                EXPECT_NE(page.substr(sample, page.find("\r\n", sample) - sample).find(a.label), std::string::npos)
                    << where;
            }
        }
    }
}

TEST(SamplePage, ReportsStatusPerSection) {
    struct Sink : ProgressSink {
        void setProgress(int) override {}
        void setStatus(std::string_view s) override { status.emplace_back(s); }
        std::vector<std::string> status;
    } sink;
    CssReadResult r = AnalyzeCSS("a {}");
    buildSamplePage(buildRuleTree(r.Document, false), {}, &sink);
    EXPECT_EQ(sink.status, (std::vector<std::string>{"プレビュー用HTML作成中", "プレビュー用HTML作成中(Element)",
                                                     "プレビュー用HTML作成中(Class)"}));
}
