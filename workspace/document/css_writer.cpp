#include "workspace/document/css_writer.h"

#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_text.h"

namespace pavik {

namespace {
constexpr std::string_view kEol = "\r\n";

bool mayHoldStructure(std::string_view s) { return s.find_first_of("{}/") != std::string_view::npos; }

void appendDeclaration(std::string& out, const TData2& d) {
    if (!mayHoldStructure(d.Name) && !mayHoldStructure(d.Value)) {
        out += d.Name;
        out += " : ";
        out += d.Value;
    } else {
        // A quote of the name may pair with one of the value: the line is checked as a whole.
        css::appendInert(out, d.Name + " : " + d.Value);
    }
    out += " ;";
    out += kEol;
}
}  // namespace

std::string writeStyleSheet(const RuleTree& tree, const KeptAtRules& kept,
                            std::chrono::system_clock::time_point now, ProgressSink* sink) {
    size_t size = 64;
    for (const std::string& t : kept.Statements) size += t.size() + 2;
    for (const std::string& t : kept.Blocks) size += t.size() + 4;
    for (const RuleTreeNode& node : tree) {
        if (!node.Rule) continue;
        node.Rule->Data.Written = false;
        size += node.Rule->Data.Comment.size() + node.Rule->Data.Selector.size() + 16;
        for (const auto& d : node.Rule->Declarations) size += d->Name.size() + d->Value.size() + 8;
    }
    std::string out;
    out.reserve(size);
    out += generatorComment(now);
    out += kEol;
    out += kEol;
    for (const std::string& t : kept.Statements) {
        out += t;
        out += kEol;
    }
    if (!kept.Statements.empty()) out += kEol;

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("プレビュー用CSS作成中");
    }
    ProgressSteps progress(sink, tree.size());
    for (size_t i = 0; i < tree.size(); ++i) {
        progress.step(i);
        CssRuleNode* rule = tree[i].Rule;
        if (!rule || rule->Data.Selector.empty()) continue;
        TData2& data = rule->Data;
        out += data.Comment;
        out += kEol;
        if (data.Written) continue;
        // A selector made from "&" and an empty parent may start with "@": escaped, it still
        // reads back as a rule, not as an at-rule.
        if (data.Selector[0] == '@') out += '\\';
        css::appendInert(out, data.Selector);
        out += " {";
        out += kEol;
        // Each rule's own declarations, also when another rule has the same selector.
        for (const auto& d : rule->Declarations)
            if (!d->Value.empty()) appendDeclaration(out, *d);
        out += "}";
        out += kEol;
        out += kEol;
        data.Written = true;
    }
    for (const std::string& t : kept.Blocks) {
        out += t;
        out += kEol;
        out += kEol;
    }
    if (sink) sink->setProgress(0);
    return out;
}

}  // namespace pavik
