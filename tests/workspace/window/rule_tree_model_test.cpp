// The rule tree's model: display order, the two styles, removal.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <algorithm>
#include <random>

#include "workspace/window/rule_tree_model.h"

namespace pavik {
namespace {

TData2 ruleRecord(const std::string& selector) { return ruleRecordFor(selector); }

std::vector<const CssRuleNode*> rulesUnder(const RuleTreeModel& m, const QModelIndex& parent) {
    std::vector<const CssRuleNode*> out;
    for (int i = 0; i < m.rowCount(parent); ++i) out.push_back(m.rule(m.index(i, 0, parent)));
    return out;
}

// Seeded random selectors, in random document order: each base node holds its rules in the
// order compareSelectors gives, equal selectors in document order.
TEST(RuleTreeModel, RulesShowInSelectorOrderWhateverTheDocumentOrder) {
    const std::vector<std::string> pieces = {"a", "A", "b", "B", "z", ".", ":", " ", "-", "1",
                                             "\x83\x41", "\x83\x61", "\x82\xA0", "\x83"};
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        StyleDocument doc;
        for (int r = 0; r < 300; ++r) {
            std::string sel;
            for (size_t n = 1 + rng() % 5; n > 0; --n) sel += pieces[rng() % pieces.size()];
            doc.addRule(ruleRecord(sel));
        }
        RuleTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.rebuild(doc, false);

        std::vector<const CssRuleNode*> expected;
        for (CssRuleNode* r : doc.rules()) expected.push_back(r);
        std::stable_sort(expected.begin(), expected.end(), [](const CssRuleNode* a, const CssRuleNode* b) {
            return compareSelectors(a->Data.Selector, b->Data.Selector) < 0;
        });
        std::stable_partition(expected.begin(), expected.end(),
                              [](const CssRuleNode* r) { return r->Data.CssClass.empty(); });
        std::vector<const CssRuleNode*> shown = rulesUnder(model, model.elementBase());
        const std::vector<const CssRuleNode*> classes = rulesUnder(model, model.classBase());
        shown.insert(shown.end(), classes.begin(), classes.end());
        ASSERT_EQ(shown, expected) << "round " << round;
    }
}

// The grouped style, the node list the writer walks, and a removal that takes its group
// with it: nodes further down keep pointing at their rules.
TEST(RuleTreeModel, GroupsNodeListAndRemoval) {
    StyleDocument doc;
    for (const char* s : {"P", "A:hover", ".note", "B", "A", "A.red", ":root"}) doc.addRule(ruleRecord(s));
    RuleTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.rebuild(doc, true);

    auto outline = [&] {
        std::string out;
        for (const RuleTreeNode& n : model.nodes()) out += std::string(static_cast<size_t>(n.Level) * 2, ' ') + n.Text + "\n";
        return out;
    };
    EXPECT_EQ(outline(), std::string("\x83\x47\x83\x8C\x83\x81\x83\x93\x83\x67\n"
                                     "  A\n    A\n    A.red\n    A:hover\n  B\n    B\n  P\n    P\n"
                                     "\x83\x4E\x83\x89\x83\x58\n  .note\n  :root\n"));
    const QModelIndex groupP = model.index(2, 0, model.elementBase());
    const QPersistentModelIndex p = model.index(0, 0, groupP);
    ASSERT_EQ(model.rule(p)->Data.Selector, "P");
    EXPECT_EQ(model.node(p).Level, 2);
    EXPECT_EQ(model.node(p).ImageIndex, ImageElementRule);
    EXPECT_EQ(model.kind(groupP), RuleTreeKind::Group);

    model.removeRule(model.rule(model.index(0, 0, model.index(1, 0, model.elementBase()))));  // B
    EXPECT_EQ(model.rowCount(model.elementBase()), 2);
    ASSERT_TRUE(p.isValid());
    EXPECT_EQ(model.rule(p)->Data.Selector, "P");
    EXPECT_EQ(p.parent().row(), 1);
    EXPECT_EQ(model.indexOfRule(model.rule(p)), QModelIndex(p));
}

}  // namespace
}  // namespace pavik
