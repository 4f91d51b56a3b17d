#include "workspace/document/css_writer.h"

#include <algorithm>

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

size_t lineEnds(std::string_view text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }
// The lines appendLines writes for stored text (line ends CR LF).
size_t linesOf(std::string_view comment) { return comment.empty() ? 0 : lineEnds(comment) + 1; }

// Pieces go to the sink once they reach this size.
constexpr size_t kPiece = 65536;

}  // namespace

TextExtent styleSheetExtent(const StyleDocument& doc) {
    TextExtent e;
    e.bytes = 64 + doc.charset().size() + doc.trailingComments().size();
    e.lines = linesOf(doc.charset()) + 2 + linesOf(doc.trailingComments());
    for (const KeptText& k : doc.keptTexts()) {
        e.bytes += k.Text.size() + 4;
        e.lines += lineEnds(k.Text) + (k.Text.ends_with('}') ? 2 : 1);
    }
    for (const CssRuleNode* r : doc.rules()) {
        e.bytes += r->Data.Comment.size() + r->Data.Selector.size() + r->ClosingComment.size() + 16;
        e.lines += lineEnds(r->Data.Comment) + 4 + linesOf(r->ClosingComment);
        for (const Declaration& d : r->Declarations) {
            e.bytes += d.Comment.size() + d.Name.size() + d.Value.size() + 8;
            e.lines += linesOf(d.Comment) + (d.Value.empty() && !d.Name.starts_with("--") ? 0 : 1);
        }
    }
    return e;
}

void writeStyleSheet(const StyleDocument& doc, std::chrono::system_clock::time_point now, const TextSink& sink,
                     ProgressSink* progress) {
    std::string out;
    out.reserve(kPiece + 4096);
    const auto flush = [&](size_t atLeast) {
        if (out.size() < atLeast) return;
        sink(out);
        out.clear();
    };
    appendLines(out, doc.charset());
    out += generatorComment(now);
    out += kEol;
    out += kEol;

    if (progress) {
        progress->setProgress(0);
        progress->setStatus("プレビュー用CSS作成中");
    }
    const auto& rules = doc.rules();
    const auto& kept = doc.keptTexts();
    ProgressSteps steps(progress, rules.size() + kept.size());
    size_t k = 0;
    for (size_t i = 0; i <= rules.size(); ++i) {
        for (; k < kept.size() && kept[k].BeforeRule <= i; ++k) {
            steps.step(i + k);
            out += kept[k].Text;
            out += kEol;
            if (kept[k].Text.ends_with('}')) out += kEol;
            flush(kPiece);
        }
        if (i == rules.size()) break;
        steps.step(i + k);
        appendRule(out, *rules[i]);
        flush(kPiece);
    }
    appendLines(out, doc.trailingComments());
    flush(1);
    if (progress) progress->setProgress(0);
}

TextSink previewStyleSheetSink(const StyleDocument& doc, TextSink file) {
    // writeStyleSheet begins with the statement and its line end, when there is one.
    size_t skip = doc.charset().empty() ? 0 : doc.charset().size() + kEol.size();
    return [file = std::move(file), skip, started = false](std::string_view piece) mutable {
        if (!started) {
            started = true;
            file(PreviewCharset);
            file(kEol);
        }
        const size_t dropped = std::min(skip, piece.size());
        skip -= dropped;
        piece.remove_prefix(dropped);
        if (!piece.empty()) file(piece);
    };
}

std::string writeStyleSheet(const StyleDocument& doc, std::chrono::system_clock::time_point now,
                            ProgressSink* progress) {
    std::string out;
    out.reserve(styleSheetExtent(doc).bytes);
    writeStyleSheet(doc, now, [&out](std::string_view piece) { out += piece; }, progress);
    return out;
}

}  // namespace pavik
