#pragma once
// The shape of the rule tree that the user sees, derived from the document in one of two
// styles. The main window renders it; the sample page walks it in order.
#include <functional>
#include <string>
#include <vector>

#include "workspace/document/style_document.h"

namespace pavik {

enum class RuleTreeKind { ElementBase, ClassBase, Group, Rule };

// Image indices of the rule tree's nodes.
inline constexpr int ImageElementBase = 26;
inline constexpr int ImageClassBase = 27;
inline constexpr int ImageElementRule = 28;
inline constexpr int ImageClassRule = 29;
inline constexpr int ImageGroup = 59;

struct RuleTreeNode {
    RuleTreeKind Kind;
    int Level;            // 0 base node, 1 its child, 2 a rule inside a group
    int ImageIndex;
    std::string Text;     // CP932, like every document text
    CssRuleNode* Rule;    // the document's rule for Kind::Rule (its Data is the shared record), else null
};

// Nodes in index order (depth first, parents before children); always starts with the
// element base node "エレメント", and the class base node "クラス" follows its subtree.
using RuleTree = std::vector<RuleTreeNode>;

// The rule tree as the sample page reads it, without making its nodes: their count, and a
// walk over them in index order that gives each node's kind and rule (null for a base or
// group node).
struct RuleTreeWalk {
    using Visit = std::function<void(RuleTreeKind, const CssRuleNode*)>;
    size_t count = 0;
    std::function<void(const Visit&)> walk;
};
RuleTreeWalk walkOf(const RuleTree& tree);

// The document's rules in the order the rule tree shows them: by selector (compareSelectors),
// rules with equal selectors in document order.
std::vector<CssRuleNode*> ruleDisplayOrder(const StyleDocument& doc);

// Flat: every rule without a class under the element base node, every rule with one under
// the class base node. Grouped: rules with an element name under a group node per run of
// equal names, rules without one under the class base node.
// Rules appear sorted by selector (compareSelectors), rules with equal selectors in document
// order; the document itself keeps the file's order.
RuleTree buildRuleTree(const StyleDocument& doc, bool grouped);

}  // namespace pavik
