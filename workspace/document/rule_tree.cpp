#include "workspace/document/rule_tree.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/sjis.h"

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

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Appends `selector` with every letter that is a character of its own in lower case (a trail
// byte never is), as compareSelectors folds it.
void appendFolded(std::string& out, std::string_view selector) {
    for (size_t i = 0; i < selector.size();) {
        const size_t n = sjis::charLength(selector, i);
        if (n == 1)
            out += lowerAscii(selector[i]);
        else
            out.append(selector.substr(i, n));
        i += n;
    }
}

}  // namespace

std::vector<CssRuleNode*> ruleDisplayOrder(const StyleDocument& doc) {
    // compareSelectors, with every selector folded once into one buffer: the sort compares
    // the first eight bytes as a number, then bytes, and only selectors equal but for letter
    // case ask compareSelectors.
    const size_t n = doc.ruleCount();
    size_t bytes = 0;
    for (const CssRuleNode* r : doc.rules()) bytes += r->Data.Selector.size();
    std::string folded;
    folded.reserve(bytes);
    std::vector<size_t> starts;
    starts.reserve(n + 1);
    for (const CssRuleNode* r : doc.rules()) {
        starts.push_back(folded.size());
        appendFolded(folded, r->Data.Selector);
    }
    starts.push_back(folded.size());
    const auto key = [&](size_t i) { return std::string_view(folded).substr(starts[i], starts[i + 1] - starts[i]); };
    struct Entry {
        std::uint64_t prefix;  // the key's first bytes, the first one highest
        size_t index;
    };
    std::vector<Entry> order(n);
    for (size_t i = 0; i < n; ++i) {
        const std::string_view k = key(i);
        std::uint64_t prefix = 0;
        for (size_t b = 0; b < 8; ++b) prefix = prefix << 8 | (b < k.size() ? static_cast<unsigned char>(k[b]) : 0);
        order[i] = {prefix, i};
    }
    const auto before = [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        const int c = key(a.index).compare(key(b.index));  // bytes compared as unsigned
        if (c != 0) return c < 0;
        const std::string_view x = doc.rules()[a.index]->Data.Selector;
        const std::string_view y = doc.rules()[b.index]->Data.Selector;
        return x != y && compareSelectors(x, y) < 0;
    };
    if (!std::is_sorted(order.begin(), order.end(), before)) std::stable_sort(order.begin(), order.end(), before);
    std::vector<CssRuleNode*> rules;
    rules.reserve(n);
    for (const Entry& e : order) rules.push_back(doc.rules()[e.index]);
    return rules;
}

RuleTree buildRuleTree(const StyleDocument& doc, bool grouped) {
    RuleTree elements{{RuleTreeKind::ElementBase, 0, ImageElementBase, elementBaseText(), nullptr}};
    RuleTree classes{{RuleTreeKind::ClassBase, 0, ImageClassBase, classBaseText(), nullptr}};
    const std::vector<CssRuleNode*> sorted = ruleDisplayOrder(doc);
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
