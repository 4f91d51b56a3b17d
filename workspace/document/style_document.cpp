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

// The bytes compared with ASCII letters folded to lower case, except trail bytes (as
// sjis::toLowerAscii folds), without making the folded copies.
int compareFolded(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    bool trailA = false, trailB = false;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        const unsigned char fa = trailA ? ca : lowerAscii(ca), fb = trailB ? cb : lowerAscii(cb);
        if (fa != fb) return fa < fb ? -1 : 1;
        trailA = !trailA && sjis::charLength(a, i) == 2;
        trailB = !trailB && sjis::charLength(b, i) == 2;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Both texts fold to the same key: the first differing byte is a letter in one case and
// in the other; the lower-case one sorts first.
int compareCase(std::string_view a, std::string_view b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) return isLowerAscii(static_cast<unsigned char>(a[i])) ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// `comment` in front of what `to` holds, on a line of its own.
template <class Text>
void prependComment(Text& to, std::string comment) {
    if (comment.empty()) return;
    if (!to.empty()) {
        comment += "\r\n";
        comment += std::string_view(to);
    }
    to = std::move(comment);
}

}  // namespace

int compareSelectors(std::string_view a, std::string_view b) {
    const int c = compareFolded(a, b);
    return c != 0 ? c : compareCase(a, b);
}

void appendComment(std::string& to, std::string_view comment) {
    if (comment.empty()) return;
    if (!to.empty()) to += "\r\n";
    to += comment;
}

void appendComment(SmallString& to, std::string_view comment) {
    if (comment.empty()) return;
    std::string joined(to.view());
    appendComment(joined, comment);
    to = std::string_view(joined);
}

CssRuleNode* StyleDocument::addRule(TData2 data) {
    if (chunks_.empty() || used_ == ChunkRules) {
        chunks_.push_back(std::make_unique<CssRuleNode[]>(ChunkRules));
        used_ = 0;
    }
    CssRuleNode* rule = &chunks_.back()[used_++];
    rule->Data = std::move(data);
    rules_.push_back(rule);
    if (indexValid_) firstBySelector_.try_emplace(rule->Data.Selector.view(), rule);
    return rule;
}

void StyleDocument::addKeptText(std::string text) { kept_.push_back({rules_.size(), std::move(text)}); }

Declaration* StyleDocument::addDeclaration(CssRuleNode* rule, std::string name, std::string value) {
    return &rule->Declarations.emplace_back(Declaration{std::move(name), std::move(value), {}});
}

void StyleDocument::removeRule(const CssRuleNode* rule) {
    auto it = std::find(rules_.begin(), rules_.end(), rule);
    if (it == rules_.end()) return;
    const size_t at = static_cast<size_t>(it - rules_.begin());
    // The item after it: kept text before the next rule, the next rule, or the end.
    std::string comment((*it)->Data.Comment);
    auto next = std::lower_bound(kept_.begin(), kept_.end(), at + 1,
                                 [](const KeptText& k, size_t i) { return k.BeforeRule < i; });
    if (next != kept_.end() && next->BeforeRule == at + 1)
        prependComment(next->Text, std::move(comment));
    else if (at + 1 < rules_.size())
        prependComment(rules_[at + 1]->Data.Comment, std::move(comment));
    else
        prependComment(trailing_, std::move(comment));
    **it = CssRuleNode();  // its place stays empty
    rules_.erase(it);
    for (; next != kept_.end(); ++next) --next->BeforeRule;
    indexValid_ = false;
}

void StyleDocument::removeDeclaration(CssRuleNode* rule, const Declaration* decl) {
    auto& d = rule->Declarations;
    auto it = std::find_if(d.begin(), d.end(), [decl](const Declaration& x) { return &x == decl; });
    if (it == d.end()) return;
    std::string comment(it->Comment);
    prependComment(it + 1 != d.end() ? (it + 1)->Comment : rule->ClosingComment, std::move(comment));
    d.erase(it);
}

void StyleDocument::clear() {
    rules_.clear();
    chunks_.clear();
    used_ = 0;
    kept_.clear();
    charset_.clear();
    trailing_.clear();
    firstBySelector_.clear();
    indexValid_ = false;
}

void StyleDocument::rebuildIndex() const {
    firstBySelector_.clear();
    for (CssRuleNode* r : rules_) firstBySelector_.try_emplace(r->Data.Selector.view(), r);
    indexValid_ = true;
}

CssRuleNode* StyleDocument::GetNodeParent(std::string_view selector) const {
    if (!indexValid_) rebuildIndex();
    auto it = firstBySelector_.find(selector);
    if (it == firstBySelector_.end()) return nullptr;
    return it->second;
}

const Declaration* StyleDocument::GetNodeSame(std::string_view name, const CssRuleNode* rule) {
    if (!rule) return nullptr;
    for (const Declaration& d : rule->Declarations)
        if (d.Name == name) return &d;
    return nullptr;
}

Declaration* StyleDocument::GetNodeSame(std::string_view name, CssRuleNode* rule) {
    return const_cast<Declaration*>(GetNodeSame(name, static_cast<const CssRuleNode*>(rule)));
}

size_t StyleDocument::declarationCount() const {
    size_t n = 0;
    for (const CssRuleNode* r : rules_) n += r->Declarations.size();
    return n;
}

std::optional<RulePlace> placeOfRule(const StyleDocument& doc, const CssRuleNode* rule) {
    if (!rule) return std::nullopt;
    RulePlace place{std::string(rule->Data.Selector), 0};
    for (const CssRuleNode* r : doc.rules()) {
        if (r == rule) return place;
        if (r->Data.Selector == place.Selector) ++place.Occurrence;
    }
    return std::nullopt;
}

CssRuleNode* ruleAtPlace(const StyleDocument& doc, const RulePlace& place) {
    size_t seen = 0;
    for (CssRuleNode* r : doc.rules())
        if (r->Data.Selector == place.Selector && seen++ == place.Occurrence) return r;
    return nullptr;
}

}  // namespace pavik
