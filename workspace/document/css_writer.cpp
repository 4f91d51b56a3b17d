#include "workspace/document/css_writer.h"

#include "vocabulary/fixed_texts.h"

namespace pavik {

namespace {
constexpr std::string_view kEol = "\r\n";
}

std::string writeStyleSheet(const RuleTree& tree, std::chrono::system_clock::time_point now,
                            ProgressSink* sink) {
    size_t size = 64;
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
        out += data.Selector;
        out += " {";
        out += kEol;
        // Each rule's own declarations, also when another rule has the same selector.
        for (const auto& d : rule->Declarations) {
            if (d->Value.empty()) continue;
            out += d->Name;
            out += " : ";
            out += d->Value;
            out += " ;";
            out += kEol;
        }
        out += "}";
        out += kEol;
        out += kEol;
        data.Written = true;
    }
    if (sink) sink->setProgress(0);
    return out;
}

}  // namespace pavik
