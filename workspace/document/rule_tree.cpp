#include "workspace/document/rule_tree.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pavik {

namespace {
const std::string& elementBaseText() {
    static const std::string s = toCp932("エレメント");
    return s;
}
const std::string& classBaseText() {
    static const std::string s = toCp932("クラス");
    return s;
}
}  // namespace

RuleTree buildRuleTree(const StyleDocument& doc, bool grouped) {
    RuleTree elements{{RuleTreeKind::ElementBase, 0, ImageElementBase, elementBaseText(), nullptr}};
    RuleTree classes{{RuleTreeKind::ClassBase, 0, ImageClassBase, classBaseText(), nullptr}};
    std::vector<CssRuleNode*> sorted;
    sorted.reserve(doc.ruleCount());
    sorted.assign(doc.rules().begin(), doc.rules().end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const CssRuleNode* a, const CssRuleNode* b) {
        return compareSelectors(a->Data.Selector, b->Data.Selector) < 0;
    });
    const SmallString* lastGroup = nullptr;
    for (CssRuleNode* r : sorted) {
        const TData2& d = r->Data;
        if (!grouped) {
            if (d.CssClass.empty())
                elements.push_back({RuleTreeKind::Rule, 1, ImageElementRule, std::string(d.Selector), r});
            else
                classes.push_back({RuleTreeKind::Rule, 1, ImageClassRule, std::string(d.Selector), r});
        } else if (!d.Name.empty()) {
            if (!lastGroup || *lastGroup != d.Name) {
                lastGroup = &d.Name;
                elements.push_back({RuleTreeKind::Group, 1, ImageGroup, std::string(d.Name), nullptr});
            }
            elements.push_back({RuleTreeKind::Rule, 2, ImageElementRule, std::string(d.Selector), r});
        } else {
            // "." + class is the selector itself; a rule with neither part (":root")
            // shows its selector rather than a bare ".".
            std::string text = d.CssClass.empty() ? std::string(d.Selector) : "." + d.CssClass;
            classes.push_back({RuleTreeKind::Rule, 1, ImageClassRule, std::move(text), r});
        }
    }
    elements.insert(elements.end(), std::make_move_iterator(classes.begin()),
                    std::make_move_iterator(classes.end()));
    return elements;
}

RuleTreeWalk walkOf(const RuleTree& tree) {
    return {tree.size(), [&tree](const RuleTreeWalk::Visit& visit) {
                for (const RuleTreeNode& n : tree) visit(n.Kind, n.Rule);
            }};
}

}  // namespace pavik
