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

TData2 ruleRecordFor(std::string_view selector) {
    TData2 d;
    d.Selector = selector;
    SelectorParts parts = deriveSelectorParts(selector);
    d.Name = parts.Name;
    d.CssClass = parts.CssClass;
    return d;
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

size_t StyleDocument::chunkSize(size_t index) { return std::min(ChunkRules, size_t{16} << std::min(index, size_t{6})); }

CssRuleNode* StyleDocument::newPlace() {
    if (chunks_.empty() || used_ == chunkSize(chunks_.size() - 1)) {
        chunks_.push_back(std::make_unique<CssRuleNode[]>(chunkSize(chunks_.size())));
        used_ = 0;
    }
    return &chunks_.back()[used_++];
}

CssRuleNode* StyleDocument::addRule(TData2 data) {
    CssRuleNode* rule = newPlace();
    rule->Data = std::move(data);
    rules_.push_back(rule);
    if (indexValid_) firstBySelector_.try_emplace(rule->Data.Selector.view(), rule);
    if (log_) log_->push_back(RuleChange{true, {rules_.size() - 1, {}, 0, 0}});
    return rule;
}

void StyleDocument::addKeptText(std::string text) { kept_.push_back({rules_.size(), std::move(text)}); }

Declaration* StyleDocument::addDeclaration(CssRuleNode* rule, std::string name, std::string value) {
    Declaration* decl = &rule->Declarations.emplace_back(Declaration{std::move(name), std::move(value), {}});
    if (log_) log_->push_back(DeclarationChange{true, {indexOf(rule), rule->Declarations.size() - 1, {}, 0}});
    return decl;
}

bool StyleDocument::setValue(CssRuleNode* rule, Declaration* decl, std::string_view value) {
    if (decl->Value == value) return false;
    if (log_)
        log_->push_back(ValueChange{indexOf(rule), static_cast<size_t>(decl - rule->Declarations.data()),
                                    std::string(decl->Value), std::string(value)});
    decl->Value = value;
    return true;
}

size_t StyleDocument::indexOf(const CssRuleNode* rule) const {
    return static_cast<size_t>(std::find(rules_.begin(), rules_.end(), rule) - rules_.begin());
}

namespace {

// `comment` put in front of `to`, on a line of its own: the bytes it added.
template <class Text>
size_t moveCommentBefore(Text& to, std::string_view comment) {
    if (comment.empty()) return 0;
    const size_t before = to.size();
    prependComment(to, std::string(comment));
    return to.size() - before;
}

void dropFront(std::string& text, size_t bytes) { text.erase(0, bytes); }
void dropFront(SmallString& text, size_t bytes) {
    if (bytes > 0) text = text.view().substr(bytes);
}

}  // namespace

TakenRule StyleDocument::takeRule(size_t at) {
    TakenRule taken;
    taken.at = at;
    CssRuleNode* rule = rules_[at];
    // The comments before it go before the item after it: kept text before the next rule,
    // the next rule, or the end.
    auto next = std::lower_bound(kept_.begin(), kept_.end(), at + 1,
                                 [](const KeptText& k, size_t i) { return k.BeforeRule < i; });
    taken.keptFrom = static_cast<size_t>(next - kept_.begin());
    const std::string_view comment = rule->Data.Comment;
    if (next != kept_.end() && next->BeforeRule == at + 1)
        taken.movedComment = moveCommentBefore(next->Text, comment);
    else if (at + 1 < rules_.size())
        taken.movedComment = moveCommentBefore(rules_[at + 1]->Data.Comment, comment);
    else
        taken.movedComment = moveCommentBefore(trailing_, comment);
    taken.node = std::move(*rule);
    *rule = CssRuleNode();  // its place stays empty
    rules_.erase(rules_.begin() + static_cast<std::ptrdiff_t>(at));
    for (; next != kept_.end(); ++next) --next->BeforeRule;
    indexValid_ = false;
    return taken;
}

void StyleDocument::putRule(TakenRule& taken) {
    const size_t at = taken.at;
    CssRuleNode* rule = newPlace();
    *rule = std::move(taken.node);
    rules_.insert(rules_.begin() + static_cast<std::ptrdiff_t>(at), rule);
    for (size_t k = taken.keptFrom; k < kept_.size(); ++k) ++kept_[k].BeforeRule;
    if (taken.keptFrom < kept_.size() && kept_[taken.keptFrom].BeforeRule == at + 1)
        dropFront(kept_[taken.keptFrom].Text, taken.movedComment);
    else if (at + 1 < rules_.size())
        dropFront(rules_[at + 1]->Data.Comment, taken.movedComment);
    else
        dropFront(trailing_, taken.movedComment);
    taken.movedComment = 0;
    indexValid_ = false;
}

void StyleDocument::removeRule(const CssRuleNode* rule) {
    const size_t at = indexOf(rule);
    if (at == rules_.size()) return;
    TakenRule taken = takeRule(at);
    if (log_) log_->push_back(RuleChange{false, std::move(taken)});
}

TakenDeclaration StyleDocument::takeDeclaration(size_t ruleIndex, size_t at) {
    CssRuleNode* rule = rules_[ruleIndex];
    auto& d = rule->Declarations;
    TakenDeclaration taken;
    taken.rule = ruleIndex;
    taken.at = at;
    taken.movedComment = at + 1 < d.size() ? moveCommentBefore(d[at + 1].Comment, d[at].Comment)
                                           : moveCommentBefore(rule->ClosingComment, d[at].Comment);
    taken.decl = std::move(d[at]);
    d.erase(d.begin() + static_cast<std::ptrdiff_t>(at));
    return taken;
}

void StyleDocument::putDeclaration(TakenDeclaration& taken) {
    CssRuleNode* rule = rules_[taken.rule];
    auto& d = rule->Declarations;
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(taken.at), std::move(taken.decl));
    if (taken.at + 1 < d.size())
        dropFront(d[taken.at + 1].Comment, taken.movedComment);
    else
        dropFront(rule->ClosingComment, taken.movedComment);
    taken.movedComment = 0;
}

void StyleDocument::removeDeclaration(CssRuleNode* rule, const Declaration* decl) {
    auto& d = rule->Declarations;
    auto it = std::find_if(d.begin(), d.end(), [decl](const Declaration& x) { return &x == decl; });
    if (it == d.end()) return;
    TakenDeclaration taken = takeDeclaration(indexOf(rule), static_cast<size_t>(it - d.begin()));
    if (log_) log_->push_back(DeclarationChange{false, std::move(taken)});
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

bool sameText(const StyleDocument& a, const StyleDocument& b) {
    if (a.charset() != b.charset() || a.trailingComments() != b.trailingComments() ||
        a.ruleCount() != b.ruleCount() || a.keptTexts().size() != b.keptTexts().size())
        return false;
    for (size_t k = 0; k < a.keptTexts().size(); ++k)
        if (a.keptTexts()[k].BeforeRule != b.keptTexts()[k].BeforeRule || a.keptTexts()[k].Text != b.keptTexts()[k].Text)
            return false;
    const auto sameDeclaration = [](const Declaration& x, const Declaration& y) {
        return x.Name == y.Name && x.Value == y.Value && x.Comment == y.Comment;
    };
    for (size_t r = 0; r < a.ruleCount(); ++r) {
        const CssRuleNode& x = *a.rules()[r];
        const CssRuleNode& y = *b.rules()[r];
        if (x.Data.Selector != y.Data.Selector || x.Data.Comment != y.Data.Comment ||
            x.ClosingComment != y.ClosingComment ||
            !std::equal(x.Declarations.begin(), x.Declarations.end(), y.Declarations.begin(), y.Declarations.end(),
                        sameDeclaration))
            return false;
    }
    return true;
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
