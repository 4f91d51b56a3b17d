#include "workspace/document/style_document.h"

#include <algorithm>

#include "platform/sjis.h"

namespace pavik {

// ".", ":", "," and " " lie below 0x40 and so never occur inside a double-byte character:
// plain byte searches are safe for them.
SelectorParts deriveSelectorParts(std::string_view sel) {
    constexpr auto npos = std::string_view::npos;
    SelectorParts p;
    size_t dot = sel.find('.');
    if (dot != npos) {
        std::string_view element = sel.substr(0, dot);
        if (element.empty()) {
            p.CssClass = sel.substr(1);
            return p;
        }
        std::string_view cls = sel.substr(dot + 1);
        if (size_t colon = cls.find(':'); colon != npos) cls = cls.substr(0, colon);
        p.CssClass = cls;
        p.Name = element;  // a pseudo-class in it is cut off below
    } else if (size_t comma = sel.find(','); comma != npos) {
        p.Name = sel.substr(0, comma);
    } else if (size_t blank = sel.find(' '); blank != npos) {
        p.Name = sel.substr(0, blank);
    } else {
        p.Name = sel;
    }
    if (size_t colon = p.Name.find(':'); colon != npos) p.Name.resize(colon);
    return p;
}

namespace {

inline unsigned char lowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
inline bool isLowerAscii(unsigned char c) { return c >= 'a' && c <= 'z'; }

// Both texts fold to the same key: the first differing byte is a letter in one case and
// in the other; the lower-case one sorts first.
int compareCase(std::string_view a, std::string_view b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) return isLowerAscii(static_cast<unsigned char>(a[i])) ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int compareBytes(std::string_view a, std::string_view b) {
    int c = a.compare(b);  // char_traits<char>::compare orders bytes as unsigned
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

int compareSelectors(std::string_view a, std::string_view b) {
    int c = compareBytes(sjis::toLowerAscii(a), sjis::toLowerAscii(b));
    return c != 0 ? c : compareCase(a, b);
}

CssRuleNode* StyleDocument::addRule(TData2 data) {
    auto node = std::make_unique<CssRuleNode>();
    node->Data = std::move(data);
    CssRuleNode* raw = node.get();
    rules_.push_back(std::move(node));
    if (indexValid_) firstBySelector_.try_emplace(raw->Data.Selector, raw);
    return raw;
}

TData2* StyleDocument::addDeclaration(CssRuleNode* rule, std::string name, std::string value) {
    auto decl = std::make_unique<TData2>();
    decl->Name = std::move(name);
    decl->Value = std::move(value);
    TData2* raw = decl.get();
    rule->Declarations.push_back(std::move(decl));
    return raw;
}

void StyleDocument::removeRule(const CssRuleNode* rule) {
    auto it = std::find_if(rules_.begin(), rules_.end(),
                           [rule](const auto& r) { return r.get() == rule; });
    if (it == rules_.end()) return;
    rules_.erase(it);
    indexValid_ = false;
}

void StyleDocument::removeDeclaration(CssRuleNode* rule, const TData2* decl) {
    auto& d = rule->Declarations;
    auto it = std::find_if(d.begin(), d.end(), [decl](const auto& p) { return p.get() == decl; });
    if (it != d.end()) d.erase(it);
}

void StyleDocument::clear() {
    rules_.clear();
    kept_ = {};
    firstBySelector_.clear();
    indexValid_ = false;
}

void StyleDocument::sortRules() {
    struct Keyed {
        std::string key;
        std::unique_ptr<CssRuleNode> rule;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rules_.size());
    for (auto& r : rules_) keyed.push_back({sjis::toLowerAscii(r->Data.Selector), std::move(r)});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        int c = compareBytes(a.key, b.key);
        return c != 0 ? c < 0 : compareCase(a.rule->Data.Selector, b.rule->Data.Selector) < 0;
    });
    for (size_t i = 0; i < keyed.size(); ++i) rules_[i] = std::move(keyed[i].rule);
    // A stable sort keeps equal selectors in order: the first of each stays the first.
}

void StyleDocument::rebuildIndex() const {
    firstBySelector_.clear();
    for (const auto& r : rules_) firstBySelector_.try_emplace(r->Data.Selector, r.get());
    indexValid_ = true;
}

CssRuleNode* StyleDocument::GetNodeParent(std::string_view selector) const {
    if (!indexValid_) rebuildIndex();
    auto it = firstBySelector_.find(selector);
    if (it == firstBySelector_.end()) return nullptr;
    return it->second;
}

TData2* StyleDocument::GetNodeSame(std::string_view name, const CssRuleNode* rule) {
    if (!rule) return nullptr;
    for (const auto& d : rule->Declarations)
        if (d->Name == name) return d.get();
    return nullptr;
}

size_t StyleDocument::declarationCount() const {
    size_t n = 0;
    for (const auto& r : rules_) n += r->Declarations.size();
    return n;
}

}  // namespace pavik
