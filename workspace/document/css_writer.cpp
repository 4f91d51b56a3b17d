#include "workspace/document/css_writer.h"

#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_text.h"

namespace pavik {

namespace {
constexpr std::string_view kEol = "\r\n";

void appendLines(std::string& out, std::string_view comment) {
    if (comment.empty()) return;
    out += comment;
    out += kEol;
}

void appendDeclaration(std::string& out, const Declaration& d) {
    appendLines(out, d.Comment);
    if (d.Value.empty() && !d.Name.starts_with("--")) return;
    if (!css::mayNeedInert(d.Name) && !css::mayNeedInert(d.Value)) {  // " : " keeps "/" and "*" apart
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

void appendRule(std::string& out, const CssRuleNode& rule) {
    const TData2& data = rule.Data;
    out += data.Comment;
    out += kEol;
    // A selector made from "&" and an empty parent may start with "@": escaped, it still
    // reads back as a rule, not as an at-rule.
    if (data.Selector.starts_with('@')) out += '\\';
    css::appendInert(out, data.Selector, true);
    out += " {";
    out += kEol;
    for (const Declaration& d : rule.Declarations) appendDeclaration(out, d);
    appendLines(out, rule.ClosingComment);
    out += "}";
    out += kEol;
    out += kEol;
}

size_t sizeOf(const StyleDocument& doc) {
    size_t size = 64 + doc.charset().size() + doc.trailingComments().size();
    for (const KeptText& k : doc.keptTexts()) size += k.Text.size() + 4;
    for (const CssRuleNode* r : doc.rules()) {
        size += r->Data.Comment.size() + r->Data.Selector.size() + r->ClosingComment.size() + 16;
        for (const Declaration& d : r->Declarations) size += d.Comment.size() + d.Name.size() + d.Value.size() + 8;
    }
    return size;
}

}  // namespace

std::string writeStyleSheet(const StyleDocument& doc, std::chrono::system_clock::time_point now,
                            ProgressSink* sink) {
    std::string out;
    out.reserve(sizeOf(doc));
    appendLines(out, doc.charset());
    out += generatorComment(now);
    out += kEol;
    out += kEol;

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("プレビュー用CSS作成中");
    }
    const auto& rules = doc.rules();
    const auto& kept = doc.keptTexts();
    ProgressSteps progress(sink, rules.size() + kept.size());
    size_t k = 0;
    for (size_t i = 0; i <= rules.size(); ++i) {
        for (; k < kept.size() && kept[k].BeforeRule <= i; ++k) {
            progress.step(i + k);
            out += kept[k].Text;
            out += kEol;
            if (kept[k].Text.ends_with('}')) out += kEol;
        }
        if (i == rules.size()) break;
        progress.step(i + k);
        appendRule(out, *rules[i]);
    }
    appendLines(out, doc.trailingComments());
    if (sink) sink->setProgress(0);
    return out;
}

}  // namespace pavik
