#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "tests/workspace/document/document_dump.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/rule_tree.h"
#include "workspace/document/style_document.h"

using namespace pavik;

namespace {

CssRuleNode* addRule(StyleDocument& doc, const std::string& selector) {
    SelectorParts p = deriveSelectorParts(selector);
    TData2 d;
    d.Selector = selector;
    d.Name = p.Name;
    d.CssClass = p.CssClass;
    return doc.addRule(std::move(d));
}

std::vector<std::string> selectors(const StyleDocument& doc) {
    std::vector<std::string> out;
    for (const auto& r : doc.rules()) out.emplace_back(r->Data.Selector);
    return out;
}

// "text@level" per node, group nodes marked with "+", base nodes with "#".
std::vector<std::string> shape(const RuleTree& tree) {
    std::vector<std::string> out;
    for (const RuleTreeNode& n : tree) {
        std::string mark = n.Kind == RuleTreeKind::Group  ? "+"
                           : n.Kind == RuleTreeKind::Rule ? ""
                                                          : "#";
        out.push_back(mark + decodeCp932(n.Text) + "@" + std::to_string(n.Level) + ":" +
                      std::to_string(n.ImageIndex));
    }
    return out;
}

}  // namespace

TEST(SelectorParts, DerivesNameAndClassFromTheSelector) {
    struct Case {
        const char* selector;
        const char* name;
        const char* cssClass;
    };
    const Case cases[] = {
        {"A.red:hover", "A", "red"},
        {".red:hover", "", "red:hover"},
        {"H1, H2", "H1", ""},
        {"DIV P", "DIV", ""},
        {"A:visited", "A", ""},
        {"A.red", "A", "red"},
        {".note", "", "note"},
        {"P", "P", ""},
        {":root", "", ""},
        {"*", "*", ""},
        {"#id", "#id", ""},
        {"A:hover P", "A", ""},
        {"A:hover.x", "A", "x"},
        {"DIV.a P", "DIV", "a P"},
        {"div, .b", "div, ", "b"},
    };
    for (const Case& c : cases) {
        SelectorParts p = deriveSelectorParts(c.selector);
        EXPECT_EQ(p.Name, c.name) << c.selector;
        EXPECT_EQ(p.CssClass, c.cssClass) << c.selector;
    }
}

TEST(RuleOrder, FoldsCaseFirstThenLowerBeforeUpperThenBytes) {
    EXPECT_LT(compareSelectors("a", "B"), 0);
    EXPECT_LT(compareSelectors("A", "b"), 0);
    EXPECT_LT(compareSelectors("a", "A"), 0);
    EXPECT_GT(compareSelectors("Ab", "aB"), 0);  // first difference: "A" against "a"
    EXPECT_LT(compareSelectors("aB", "ab0"), 0);  // fold first: "ab" is a prefix of "ab0"
    EXPECT_LT(compareSelectors("_x", "a"), 0);
    EXPECT_EQ(compareSelectors("DIV P", "DIV P"), 0);
    // A trail byte that equals a letter is not folded: 83 61 and 83 41 differ as bytes.
    EXPECT_LT(compareSelectors("\x83\x41", "\x83\x61"), 0);
    EXPECT_GT(compareSelectors("\x83\x61", "\x83\x41"), 0);
}

TEST(StyleDocumentTest, TheTreeSortsStablyWhileTheDocumentKeepsFileOrder) {
    StyleDocument doc;
    CssRuleNode* first = addRule(doc, "p");
    addRule(doc, "B");
    addRule(doc, "a");
    CssRuleNode* second = addRule(doc, "p");
    addRule(doc, "A");
    EXPECT_EQ(selectors(doc), (std::vector<std::string>{"p", "B", "a", "p", "A"}));
    const RuleTree tree = buildRuleTree(doc, false);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"#エレメント@0:26", "a@1:28", "A@1:28", "B@1:28", "p@1:28",
                                                     "p@1:28", "#クラス@0:27"}));
    EXPECT_EQ(tree[4].Rule, first);
    EXPECT_EQ(tree[5].Rule, second);
}

TEST(StyleDocumentTest, RemovalsKeepTheCommentsBeforeWhatWasRemoved) {
    CssReadResult r = AnalyzeCSS("/*a*/ a { /*c*/ color: red; /*m*/ margin: 0 } /*b*/ b { } @media x { } /*c*/ c { } /*end*/");
    StyleDocument& doc = r.Document;
    CssRuleNode* a = doc.rules()[0];
    doc.removeDeclaration(a, a->Declarations.data());
    doc.removeDeclaration(a, a->Declarations.data());
    EXPECT_EQ(a->ClosingComment, "/*c*/\r\n/*m*/");
    for (int i = 0; i < 3; ++i) doc.removeRule(doc.rules()[0]);
    EXPECT_EQ(test::dump(doc), "@ /*a*/\r\n/*b*/\r\n@media x { }\ntrailing /*c*/\r\n/*end*/\n");
}

TEST(StyleDocumentTest, LookupsFindTheFirstExactMatch) {
    StyleDocument doc;
    CssRuleNode* a1 = addRule(doc, "A");
    CssRuleNode* a2 = addRule(doc, "A");
    CssRuleNode* h1 = addRule(doc, "H1");
    doc.addDeclaration(h1, "COLOR", "red");
    doc.addDeclaration(h1, "color", "blue");
    doc.addDeclaration(h1, "color", "green");
    const Declaration* upper = &h1->Declarations[0];
    const Declaration* c1 = &h1->Declarations[1];

    EXPECT_EQ(doc.GetNodeParent("A"), a1);
    EXPECT_EQ(doc.GetNodeParent("a"), nullptr);
    EXPECT_EQ(doc.GetNodeParent("H1 "), nullptr);
    EXPECT_EQ(StyleDocument::GetNodeSame("color", h1), c1);
    EXPECT_EQ(StyleDocument::GetNodeSame("COLOR", h1), upper);
    EXPECT_EQ(StyleDocument::GetNodeSame("Color", h1), nullptr);
    EXPECT_EQ(StyleDocument::GetNodeSame("color", a1), nullptr);
    EXPECT_EQ(StyleDocument::GetNodeSame("color", static_cast<const CssRuleNode*>(nullptr)), nullptr);

    // Removing the first of two rules with one selector makes the second the match.
    doc.removeRule(a1);
    EXPECT_EQ(doc.GetNodeParent("A"), a2);
    doc.removeRule(a2);
    EXPECT_EQ(doc.GetNodeParent("A"), nullptr);
    // Additions keep the lookups right.
    CssRuleNode* b1 = addRule(doc, "B");
    addRule(doc, "B");
    addRule(doc, "AA");
    EXPECT_EQ(doc.GetNodeParent("B"), b1);
    EXPECT_EQ(doc.GetNodeParent("H1"), h1);

    doc.removeDeclaration(h1, upper);
    EXPECT_EQ(StyleDocument::GetNodeSame("COLOR", h1), nullptr);
    EXPECT_EQ(h1->Declarations.size(), 2u);
    doc.clear();
    EXPECT_EQ(doc.GetNodeParent("H1"), nullptr);
    EXPECT_EQ(doc.ruleCount(), 0u);
}

TEST(StyleDocumentTest, ARuleIsFoundAgainByItsPlaceInADocumentReadAnew) {
    const std::string text = "P { color: red; }\r\nH1 { margin: 0; }\r\nP { margin: 0; }\r\nP.a { top: 0; }\r\n";
    const StyleDocument before = AnalyzeCSS(text).Document;
    const StyleDocument after = AnalyzeCSS(text).Document;
    // Every rule of the old document finds its own counterpart, the second "P" too.
    for (size_t i = 0; i < before.ruleCount(); ++i) {
        const std::optional<RulePlace> place = placeOfRule(before, before.rules()[i]);
        ASSERT_TRUE(place) << i;
        EXPECT_EQ(ruleAtPlace(after, *place), after.rules()[i]) << i;
    }
    EXPECT_EQ(placeOfRule(before, before.rules()[2]), (RulePlace{"P", 1}));
    // A rule not in the document has no place; a place past the rules of its selector has no rule.
    EXPECT_EQ(placeOfRule(before, after.rules()[0]), std::nullopt);
    EXPECT_EQ(placeOfRule(before, nullptr), std::nullopt);
    EXPECT_EQ(ruleAtPlace(after, RulePlace{"P", 2}), nullptr);
    EXPECT_EQ(ruleAtPlace(after, RulePlace{"p", 0}), nullptr);
}

TEST(RuleTreeTest, EmptyDocumentHasOnlyTheBaseNodes) {
    StyleDocument doc;
    for (bool grouped : {false, true})
        EXPECT_EQ(shape(buildRuleTree(doc, grouped)),
                  (std::vector<std::string>{"#エレメント@0:26", "#クラス@0:27"}));
}

TEST(RuleTreeTest, FlatAndGroupedShapes) {
    StyleDocument doc;
    for (const char* s : {"A", "A.red", "A:hover", "B", ".note", ":root", "A"}) addRule(doc, s);
    // Sorted: .note :root A A A.red A:hover B

    EXPECT_EQ(shape(buildRuleTree(doc, false)),
              (std::vector<std::string>{"#エレメント@0:26", ":root@1:28", "A@1:28", "A@1:28",
                                        "A:hover@1:28", "B@1:28", "#クラス@0:27", ".note@1:29",
                                        "A.red@1:29"}));
    EXPECT_EQ(shape(buildRuleTree(doc, true)),
              (std::vector<std::string>{"#エレメント@0:26", "+A@1:59", "A@2:28", "A@2:28",
                                        "A.red@2:28", "A:hover@2:28", "+B@1:59", "B@2:28",
                                        "#クラス@0:27", ".note@1:29", ":root@1:29"}));

    // A group starts again when its element's rules are not adjacent.
    StyleDocument split;
    for (const char* s : {"A", "a.b", "A:x"}) addRule(split, s);
    EXPECT_EQ(shape(buildRuleTree(split, true)),
              (std::vector<std::string>{"#エレメント@0:26", "+A@1:59", "A@2:28", "+a@1:59",
                                        "a.b@2:28", "+A@1:59", "A:x@2:28", "#クラス@0:27"}));

    // Tree nodes share the document's records.
    RuleTree tree = buildRuleTree(doc, false);
    EXPECT_EQ(tree[1].Rule, doc.rules()[5]);
}
