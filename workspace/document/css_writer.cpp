#include "workspace/document/css_writer.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "platform/sjis.h"
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

bool hasQuote(std::string_view s) { return s.find_first_of("\"'") != std::string_view::npos; }

// Text kept without a name: a piece browsers ignore, or a block without a selector.
void appendUnnamed(std::string& out, std::string_view text) {
    if (text.starts_with('{')) {
        out += text;  // a block, as written: the reader took it whole
    } else if (!hasQuote(text)) {
        css::appendInert(out, text);
    } else {
        const css::DeclarationMarks m = css::declarationMarks(text);
        if (m.semicolon == css::npos && (m.colon == css::npos || sjis::trim(text.substr(0, m.colon)).empty()))
            css::appendInert(out, text);
        else
            css::appendEscaped(out, text, true);
    }
}

// "<name> : <value>", so that it reads back as the same declaration. Only quotes can prevent
// that: a quote left without a partner on its line in the file may pair with one that now
// shares its line. The value then goes on a line of its own, so that the name's quotes pair
// only among themselves; where it still reads differently, the quotes are escaped.
void appendNamed(std::string& out, std::string_view name, std::string_view value) {
    if (!hasQuote(name) && !hasQuote(value)) {
        if (!css::mayNeedInert(name) && !css::mayNeedInert(value)) {  // " : " keeps "/" and "*" apart
            out += name;
            out += " : ";
            out += value;
        } else {
            css::appendInert(out, std::string(name) + " : " + std::string(value));
        }
        return;
    }
    const auto readsBack = [&](std::string_view sep) {
        const std::string line = std::string(name) + std::string(sep) + std::string(value);
        const css::DeclarationMarks m = css::declarationMarks(line);
        return m.colon == name.size() + 1 && m.semicolon == css::npos;
    };
    if (readsBack(" : ")) {
        css::appendInert(out, std::string(name) + " : " + std::string(value));
    } else if (readsBack(" :\r\n")) {
        css::appendInert(out, std::string(name) + " :");
        out += kEol;
        css::appendInert(out, value);
    } else {
        css::appendEscaped(out, name, true);
        out += " : ";
        css::appendEscaped(out, value, false);
    }
}

void appendDeclaration(std::string& out, const Declaration& d) {
    appendLines(out, d.Comment);
    if (d.Value.empty() && !d.Name.starts_with("--")) return;
    if (d.Name.empty())
        appendUnnamed(out, d.Value);
    else
        appendNamed(out, d.Name, d.Value);
    out += " ;";
    out += kEol;
}

void appendSelector(std::string& out, const TData2& data) {
    // A selector made from "&" and an empty parent may start with "@": escaped, it still
    // reads back as a rule, not as an at-rule.
    if (data.Selector.starts_with('@')) out += '\\';
    css::appendInert(out, data.Selector, true);
}

void appendBlock(std::string& out, const CssRuleNode& rule) {
    out += kEol;
    for (const Declaration& d : rule.Declarations) appendDeclaration(out, d);
    appendLines(out, rule.ClosingComment);
}

void appendRule(std::string& out, const CssRuleNode& rule) {
    out += rule.Data.Comment;
    out += kEol;
    appendSelector(out, rule.Data);
    out += " {";
    appendBlock(out, rule);
    out += "}";
    out += kEol;
    out += kEol;
}

std::uint64_t hashOf(std::string_view text) { return std::hash<std::string_view>{}(text); }

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
                     ProgressSink* progress, WrittenDigest* digest) {
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
    if (digest) {
        *digest = {};
        digest->frame = hashOf(doc.charset());
        digest->selectors.reserve(rules.size());
        digest->rules.reserve(rules.size());
    }
    ProgressSteps steps(progress, rules.size() + kept.size());
    size_t k = 0;
    for (size_t i = 0; i <= rules.size(); ++i) {
        for (; k < kept.size() && kept[k].BeforeRule <= i; ++k) {
            steps.step(i + k);
            appendWrittenKeptText(out, kept[k]);
            if (digest) digest->frame = digest->frame * 31 + hashOf(kept[k].Text) + i;
            flush(kPiece);
        }
        if (i == rules.size()) break;
        steps.step(i + k);
        const size_t start = out.size();
        appendRule(out, *rules[i]);
        if (digest) {
            digest->selectors.push_back(hashOf(rules[i]->Data.Selector));
            digest->rules.push_back(hashOf(std::string_view(out).substr(start)));
        }
        flush(kPiece);
    }
    appendLines(out, doc.trailingComments());
    flush(1);
    if (progress) progress->setProgress(0);
}

std::optional<std::vector<size_t>> changedRules(const WrittenDigest& before, const WrittenDigest& after) {
    if (before.frame != after.frame || before.selectors != after.selectors) return std::nullopt;
    std::vector<size_t> changed;
    for (size_t i = 0; i < after.rules.size(); ++i)
        if (before.rules[i] != after.rules[i]) changed.push_back(i);
    return changed;
}

void appendWrittenSelector(std::string& out, const TData2& rule) { appendSelector(out, rule); }

void appendWrittenKeptText(std::string& out, const KeptText& kept) {
    out += kept.Text;
    out += kEol;
    if (kept.Text.ends_with('}')) out += kEol;  // a block stands apart
}

WrittenRule writtenRule(const CssRuleNode& rule) {
    WrittenRule w;
    appendSelector(w.selector, rule.Data);
    appendBlock(w.block, rule);
    return w;
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
