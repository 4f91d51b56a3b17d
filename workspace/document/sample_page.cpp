#include "workspace/document/sample_page.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "vocabulary/element_tables.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/doc_types.h"

namespace pavik {

SampleRange sampleRange(size_t nodeCount, std::optional<size_t> selected, SampleRange shown) {
    if (nodeCount <= WholePageNodes) return {};
    const size_t at = std::min(selected.value_or(0), nodeCount - 1);
    if (shown.Last != SIZE_MAX && shown.holds(at)) return shown;
    constexpr size_t half = PageWindowNodes / 2;
    const size_t first = at < half / 2 ? 0 : (at - half / 2) / half * half;
    return {first, std::min(first + PageWindowNodes, nodeCount)};
}

namespace {

// "&", "<", ">" and '"' as character references. These bytes are never trail bytes.
void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

struct Texts {
    std::string elementLabel = toCp932("エレメント ");
    std::string classLabel = toCp932("クラス ");
    std::string upArrow = toCp932("↑");
    std::string elementBand = toCp932("【//////////// エレメント ////////////】</div><br>");
    std::string elementClassBand =
        toCp932("【//////////// エレメント + クラス ////////////】</div><br>");
    std::string classBand = toCp932("【//////////// クラス ////////////】</div><br>");
};
const Texts& texts() {
    static const Texts t;
    return t;
}

// Elements that change how the rest of a page is read, or act on the whole page: a sample
// never is one of them.
constexpr std::string_view kPageElements[] = {
    "html", "head", "body", "title", "base", "link", "meta", "style", "script", "noscript", "template",
    "xmp", "iframe", "noembed", "noframes", "plaintext", "frameset", "frame", "svg", "math", "image"};

// The element a browser makes of a rule's name: its leading plain name (an ASCII letter,
// then ASCII letters, digits or "-") when a blank or the end of the name follows, unless it
// is one of kPageElements; else the generic template's element. So the page holds no
// markup of the sheet's making.
std::string_view sampleTag(std::string_view name) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    size_t n = 0;
    while (n < name.size() && (letter(name[n]) || (n > 0 && ((name[n] >= '0' && name[n] <= '9') || name[n] == '-')))) ++n;
    const std::string_view tag = name.substr(0, n);
    if (tag.empty() || (n < name.size() && name[n] != ' ')) return TagNames[0];
    for (std::string_view page : kPageElements)
        if (sjis::equalsIgnoreCase(tag, page)) return TagNames[0];
    return tag;
}

// Appends the sample of one element. The template is that of the TagNames entry equal to
// `entry` (exact, case-sensitive), the generic one when there is none; the tag is sampleTag's.
void appendSample(std::string& out, std::string_view entry, std::string_view tag, std::string_view cls,
                  std::string_view label, size_t nodeIndex) {
    const std::string_view t = sampleTag(tag);
    const auto open = [&] {
        out += '<';
        out += t;
        out += cls;
    };
    const auto close = [&] {
        out += "</";
        out += t;
        out += '>';
    };
    const auto element = [&](std::string_view afterOpen, std::string_view afterClose) {
        open();
        out += afterOpen;
        out += label;
        close();
        out += afterClose;
    };
    const int index = tagIndex(entry);
    const std::string_view e = index < 0 ? std::string_view() : TagNames[static_cast<size_t>(index)];
    if (e == "SPAN") return element(">", "<br>");
    if (e == "BODY") return;
    if (e == "HR") {
        open();
        out += '>';
        out += texts().upArrow;
        out += label;
        return;
    }
    if (e == "A") {
        open();
        out += " href=\"#";
        out += std::to_string(nodeIndex);
        out += "\">";
        out += label;
        out += "</a><br>";
        return;
    }
    if (e == "INPUT" || e == "BUTTON") return element(">", "<br><br>");
    if (e == "SELECT") return element("><option value=\"#\" selected>", "");
    if (e == "TABLE") {
        open();
        out += "><tr><td>";
        out += label;
        out += "</td></tr>";
        return close();
    }
    if (e == "TD" || e == "TH") {
        out += "<table><tr>";
        return element(">", "</tr></table>");
    }
    if (e == "TR" || e == "TBODY" || e == "THEAD" || e == "TFOOT") {
        out += "<table>";
        open();
        out += "><td>";
        out += label;
        out += "</td>";
        close();
        out += "</table>";
        return;
    }
    if (e == "CAPTION") {
        out += "<table>";
        return element(">", "<tr><td></td></tr></table>");
    }
    if (e == "IMG") {
        out += "<br>";
        open();
        out += '>';
        out += label;
        out += "<br><br>";
        return;
    }
    element(">", "");
}

void appendAnchorLine(std::string& out, const std::string& anchor) {
    out += "<a name=\"";
    appendEscaped(out, anchor);
    out += "\"></a><br>\r\n";
}

bool isGrouped(const TData2& r) { return r.Selector.find_first_of(" ,") != std::string::npos; }

// The class attribute of a rule's sample, empty when it has no class.
void appendClassAttribute(std::string& out, const TData2& r) {
    if (r.CssClass.empty()) return;
    out += " class=\"";
    appendEscaped(out, r.CssClass);
    out += '"';
}

// The keys of the rules with an element name that made a sample: a rule's selector when it
// holds a blank or a comma, else its name and class attribute. A rule whose key was made
// before makes none. The set holds the rules, and makes their keys when it compares them.
class SampleKeys {
public:
    explicit SampleKeys(size_t rules) : set_(rules, Hash{this}, Equal{this}) {}
    // The earlier rule that made the key of `rule`; null when the key is new.
    const CssRuleNode* insert(const CssRuleNode& rule) {
        const auto [at, inserted] = set_.insert(&rule);
        return inserted ? nullptr : *at;
    }

    static void appendKey(std::string& out, const TData2& r) {
        if (isGrouped(r)) {
            out += r.Selector;
        } else {
            out += r.Name;
            appendClassAttribute(out, r);
        }
    }

private:
    struct Hash {
        SampleKeys* keys;
        size_t operator()(const CssRuleNode* r) const {
            std::string& k = keys->a_;
            k.clear();
            appendKey(k, r->Data);
            return std::hash<std::string_view>{}(k);
        }
    };
    struct Equal {
        SampleKeys* keys;
        bool operator()(const CssRuleNode* x, const CssRuleNode* y) const {
            keys->a_.clear();
            keys->b_.clear();
            appendKey(keys->a_, x->Data);
            appendKey(keys->b_, y->Data);
            return keys->a_ == keys->b_;
        }
    };
    std::string a_, b_;
    std::unordered_set<const CssRuleNode*, Hash, Equal> set_;
};

// The rule whose sample stands for `rule` on the page: itself when it makes one (every rule
// without an element name does), the earlier rule that made its key, or null (BODY). Rules
// come in tree order; `keys` remembers those with an element name.
const CssRuleNode* sampleOwner(const CssRuleNode& rule, SampleKeys& keys) {
    const TData2& r = rule.Data;
    if (r.Name.empty()) return &rule;
    if (!isGrouped(r) && r.CssClass.empty() && r.Name == "BODY") return nullptr;
    const CssRuleNode* earlier = keys.insert(rule);
    return earlier ? earlier : &rule;
}

// Writes the page's lines to the sink once a piece has gathered.
class PageOut {
public:
    explicit PageOut(const TextSink& sink) : sink_(sink) { text.reserve(kPiece + 4096); }
    void line(std::string_view s) {
        text += s;
        text += "\r\n";
        flush(kPiece);
    }
    void flush(size_t atLeast = 1) {
        if (text.size() < atLeast) return;
        sink_(text);
        text.clear();
    }
    std::string text;  // what is not yet written

private:
    static constexpr size_t kPiece = 65536;
    const TextSink& sink_;
};

// The line of a page that holds the samples of only some rules: how many it leaves out.
std::string omittedRulesLine(const RuleTreeWalk& tree, const SampleRange& range) {
    size_t rules = 0, shown = 0, i = 0;
    tree.walk([&](RuleTreeKind kind, const CssRuleNode*) {
        if (kind == RuleTreeKind::Rule) {
            ++rules;
            shown += range.holds(i);
        }
        ++i;
    });
    return toCp932(std::string("<div style=\"margin:2px;padding:2px;border:thin gray solid;background-color:white;color:black\">") +
                   "規則 " + std::to_string(rules) + " 個のうち " + std::to_string(shown) +
                   " 個の見本を載せています (" + std::to_string(rules - shown) +
                   " 個は省略)。ほかの規則の見本は、規則ツリーでその規則を選ぶと表示されます。</div><br>");
}

// The sample line of a rule with an element name (ending in "<br>", without a line end).
void appendSampleLine(std::string& out, const TData2& r, size_t nodeIndex, std::string& label, std::string& inner) {
    const size_t blank = r.Selector.find(' ');
    const std::string_view child = blank == std::string::npos ? std::string_view() : std::string_view(r.Selector).substr(blank + 1);
    label.clear();
    if (r.CssClass.empty()) {
        label += texts().elementLabel;
        appendEscaped(label, r.Selector);
    } else {
        label += texts().classLabel;
        appendEscaped(label, r.Name);
        label += " . ";
        appendEscaped(label, r.CssClass);
    }
    label += ' ';
    if (blank != std::string::npos && tagIndex(child) >= 0) {
        inner.clear();
        appendSample(inner, child, child, "", label, nodeIndex);
        if (r.Name != "BODY" && r.Name != "HR") appendSample(out, r.Name, r.Name, "", inner, nodeIndex);
    } else {
        std::string cls;
        appendClassAttribute(cls, r);
        appendSample(out, r.Name, r.Name, cls, label, nodeIndex);
    }
    out += "<br>";
}

}  // namespace

std::string ruleAnchorName(const TData2& rule) {
    const std::string_view sel = rule.Selector;
    if (size_t blank = sel.find(' '); blank != std::string::npos)
        return (rule.Name + "_").append(sel.substr(blank + 1));
    return std::string(sel.substr(0, sel.find(':')));
}

SampleAnchors::SampleAnchors(const RuleTreeWalk& tree) {
    // The rules with a sample in tree order, and those that another rule's sample stands for.
    std::vector<const CssRuleNode*> sampled;
    std::vector<std::pair<const CssRuleNode*, const CssRuleNode*>> standIns;
    {
        SampleKeys keys(tree.count);
        tree.walk([&](RuleTreeKind kind, const CssRuleNode* rule) {
            if (kind != RuleTreeKind::Rule) return;
            const CssRuleNode* owner = sampleOwner(*rule, keys);
            if (owner == rule)
                sampled.push_back(rule);
            else if (owner)
                standIns.emplace_back(rule, owner);
        });
    }
    // The natural anchors, and which of them more than one sample would carry: found by
    // sorting their hashes, which is many times quicker on a big sheet than a hash table.
    const size_t n = sampled.size();
    std::vector<std::string> names;
    names.reserve(n);
    std::vector<std::pair<size_t, size_t>> byHash;  // (hash of the natural anchor, sample)
    byHash.reserve(n);
    for (const CssRuleNode* rule : sampled) {
        names.push_back(ruleAnchorName(rule->Data));
        byHash.emplace_back(std::hash<std::string_view>{}(names.back()), byHash.size());
    }
    std::sort(byHash.begin(), byHash.end());
    std::vector<bool> later(n);  // shares its natural anchor with a sample before it
    for (size_t from = 0, to; from < n; from = to) {
        for (to = from + 1; to < n && byHash[to].first == byHash[from].first;) ++to;
        for (size_t i = from + 1; i < to; ++i)
            for (size_t j = from; j < i && !later[byHash[i].second]; ++j)
                later[byHash[i].second] = names[byHash[j].second] == names[byHash[i].second];
    }
    // A natural anchor taken by a sample. A suffixed one is never taken by another suffixed
    // one: it splits into its natural anchor and number at its last "_".
    const auto taken = [&](const std::string& anchor) {
        const size_t h = std::hash<std::string_view>{}(anchor);
        for (auto at = std::lower_bound(byHash.begin(), byHash.end(), std::pair(h, size_t{0}));
             at != byHash.end() && at->first == h; ++at)
            if (names[at->second] == anchor) return true;
        return false;
    };
    // The first sample of a shared natural anchor keeps it; the others get the first free
    // suffix after it, in tree order.
    std::unordered_map<std::string_view, size_t> nextSuffix;
    for (size_t s = 0; s < n; ++s) {
        if (!later[s]) continue;
        size_t& next = nextSuffix[names[s]];
        if (next == 0) next = 2;
        std::string anchor;
        do anchor = names[s] + "_" + std::to_string(next++);
        while (taken(anchor));
        moved_.emplace_back(sampled[s], std::move(anchor));
    }
    const auto byRule = [](const auto& x, const auto& y) { return std::less<const CssRuleNode*>{}(x.first, y.first); };
    std::sort(moved_.begin(), moved_.end(), byRule);
    std::vector<std::pair<const CssRuleNode*, std::string>> standing;
    for (const auto& [rule, owner] : standIns)
        if (std::string anchor = of(*owner); anchor != ruleAnchorName(rule->Data)) standing.emplace_back(rule, std::move(anchor));
    moved_.insert(moved_.end(), std::make_move_iterator(standing.begin()), std::make_move_iterator(standing.end()));
    std::sort(moved_.begin(), moved_.end(), byRule);
}

std::string SampleAnchors::of(const CssRuleNode& rule) const {
    const auto moved = std::lower_bound(moved_.begin(), moved_.end(), &rule,
                                        [](const auto& entry, const CssRuleNode* r) {
                                            return std::less<const CssRuleNode*>{}(entry.first, r);
                                        });
    return moved != moved_.end() && moved->first == &rule ? moved->second : ruleAnchorName(rule.Data);
}

std::string previewAnchor(const RuleTreeNode* selected, const SampleAnchors& anchors) {
    if (!selected) return {};
    switch (selected->Kind) {
        case RuleTreeKind::Rule: return anchors.of(*selected->Rule);
        case RuleTreeKind::Group: return selected->Text;
        default: return {};
    }
}

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

bool samePage(const SamplePageOptions& a, const SamplePageOptions& b) {
    return a.DocType == b.DocType && a.ApplyCss == b.ApplyCss && a.CssFileName == b.CssFileName &&
           a.Charset == b.Charset && a.Range == b.Range;
}

std::string previewHeadLines(const SamplePageOptions& options) {
    std::string out;
    if (std::string doctype = docTypeLine(options.DocType); !doctype.empty()) out += doctype + "\r\n";
    out += std::string(HtmlHeadOpen) + "\r\n";
    out += charsetDeclaration(options.Charset) + "\r\n";
    if (options.ApplyCss)
        out += "<link rel=\"stylesheet\" href=\"" + options.CssFileName + "\" type=\"text/css\">\r\n";
    return out;
}

std::string samplePageHead(const SamplePageOptions& options) {
    return previewHeadLines(options) + std::string(HeadCloseBodyOpen);
}

void buildSamplePage(const RuleTreeWalk& tree, const SamplePageOptions& options, const TextSink& sink,
                     ProgressSink* progress) {
    const Texts& tx = texts();
    const SampleRange range = options.Range;
    std::optional<SampleAnchors> ownAnchors;
    if (!options.Anchors) ownAnchors.emplace(tree);
    const SampleAnchors& anchors = options.Anchors ? *options.Anchors : *ownAnchors;
    PageOut out(sink);
    out.text += samplePageHead(options);
    out.line("");
    if (range.First > 0 || range.Last < tree.count) out.line(omittedRulesLine(tree, range));
    if (tree.count > 2) out.line(std::string(SectionBanner) + tx.elementBand);

    const auto startPass = [progress](std::string_view status) {
        if (!progress) return;
        progress->setProgress(0);
        progress->setStatus(status);
    };
    // The element rules; the element and class rules that made a sample are marked for the
    // second section, and the class rules counted for the third.
    startPass("プレビュー用HTML作成中");
    std::vector<bool> withClass(tree.count);
    size_t withClassCount = 0, classOnlyCount = 0;
    std::string label, inner;
    {
        SampleKeys keys(tree.count);
        ProgressSteps steps(progress, tree.count);
        size_t i = 0;
        tree.walk([&](RuleTreeKind kind, const CssRuleNode* rule) {
            const size_t at = i++;
            steps.step(at);
            if (kind != RuleTreeKind::Rule) return;
            const TData2& r = rule->Data;
            const bool shown = range.holds(at);
            if (r.Name.empty()) {
                classOnlyCount += shown;
                return;
            }
            if (sampleOwner(*rule, keys) != rule || !shown) return;
            if (!r.CssClass.empty()) {
                withClass[at] = true;
                ++withClassCount;
                return;
            }
            appendAnchorLine(out.text, anchors.of(*rule));
            appendSampleLine(out.text, r, at, label, inner);
            out.line("");
        });
    }

    startPass("プレビュー用HTML作成中(Element)");
    if (withClassCount > 0) {
        out.line("<br>" + std::string(SectionBanner) + tx.elementClassBand);
        ProgressSteps steps(progress, withClassCount);
        size_t i = 0, k = 0;
        tree.walk([&](RuleTreeKind, const CssRuleNode* rule) {
            const size_t at = i++;
            if (!withClass[at]) return;
            steps.step(k++);
            appendAnchorLine(out.text, anchors.of(*rule));
            appendSampleLine(out.text, rule->Data, at, label, inner);
            out.line("");
        });
    }

    startPass("プレビュー用HTML作成中(Class)");
    if (classOnlyCount > 0) {
        out.line("<br>" + std::string(SectionBanner) + tx.classBand);
        ProgressSteps steps(progress, classOnlyCount);
        size_t i = 0, k = 0;
        tree.walk([&](RuleTreeKind kind, const CssRuleNode* rule) {
            const size_t at = i++;
            if (kind != RuleTreeKind::Rule || !rule->Data.Name.empty() || !range.holds(at)) return;
            steps.step(k++);
            const TData2& r = rule->Data;
            appendAnchorLine(out.text, anchors.of(*rule));
            out.text += "<DIV class=\"";
            appendEscaped(out.text, r.CssClass);
            out.text += "\">";
            out.text += tx.classLabel;
            appendEscaped(out.text, r.CssClass);
            out.line("</DIV><br>");
        });
    }
    out.line(BodyHtmlClose);
    out.flush();
    if (progress) progress->setProgress(0);
}

std::string buildSamplePage(const RuleTree& tree, const SamplePageOptions& options, ProgressSink* progress) {
    std::string page;
    buildSamplePage(walkOf(tree), options, [&page](std::string_view piece) { page += piece; }, progress);
    return page;
}

}  // namespace pavik
