#include "workspace/document/css_reader.h"

#include <algorithm>
#include <array>
#include <deque>
#include <iterator>
#include <optional>
#include <span>
#include <unordered_set>

#include "platform/sjis.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_text.h"
#include "workspace/document/selector_nesting.h"

namespace pavik {

namespace {

using css::TextSpan;

// A comment cut out of the text: where it stood in its frame's text and in the source, and
// its text (line ends CR LF) in the scanner's comment store.
struct Note {
    size_t at, source;
    TextSpan text;
};

// Bytes the scanner must look at; every other single byte is copied as it is. Lead bytes
// are special so that their trail byte (which may be "{", "}", "\" or "@") is taken with them.
constexpr std::array<bool, 256> makeSpecial() {
    std::array<bool, 256> t{};
    for (unsigned char c : {'/', '"', '\'', '\\', '{', '}', ';', '@', '\r', '\n', '\t'}) t[c] = true;
    for (int c = 0x81; c <= 0x9F; ++c) t[c] = true;
    for (int c = 0xE0; c <= 0xFC; ++c) t[c] = true;
    return t;
}
constexpr std::array<bool, 256> kSpecial = makeSpecial();

// Nested style rules deeper than this are left out, and so is a nested rule whose selector
// (or a nested at-rule whose copy of its rule's selector) would take the text made by
// expanding beyond the budget. Real style sheets stay far below both; they bound what a
// hostile file costs.
constexpr size_t kMaxDepth = 64;
constexpr size_t kNestingBudget = size_t{32} << 20;

bool isNameChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '_';
}

// The text gathered at one level: at top level the prelude of what comes next, in an open
// rule its body without its nested blocks. Line ends and tabs are blanks, comments are cut
// out. A segment is the text since the last ";", the last nested block or the start.
struct Frame {
    std::string text;
    std::vector<TextSpan> guarded;  // strings and escapes in text, in order
    size_t segment = 0, segmentGuard = 0;
    size_t atSource = sjis::npos;   // where the "@" that begins the segment is in the source
    bool segmentChecked = false;    // whether an "@" of this segment was looked at
    // The comments cut out here, in order; at top level those not yet given to an item.
    std::vector<Note> notes;
    // Open rules only: the selector (combined for a nested rule), with its parts once needed,
    // the comments before the rule and the rule, made in the document when it was opened.
    SelectorList selector;
    std::vector<TextSpan> selectorGuarded;
    bool partsReady = false;
    std::vector<TextSpan> lead;
    CssRuleNode* rule = nullptr;

    void startSegment() {
        segment = text.size();
        segmentGuard = guarded.size();
        atSource = sjis::npos;
        segmentChecked = false;
    }
    void reset() {
        text.clear();
        guarded.clear();
        startSegment();
    }
    void cutSegment() {
        text.resize(segment);
        guarded.resize(segmentGuard);
        startSegment();
    }
    // The segment trimmed, with its guarded spans relative to it.
    std::string_view trimmedSegment(std::vector<TextSpan>& spans) const {
        std::string_view seg = std::string_view(text).substr(segment);
        std::string_view t = sjis::trim(seg);
        const size_t from = segment + (t.empty() ? 0 : static_cast<size_t>(t.data() - seg.data()));
        const size_t to = from + t.size();
        spans.clear();
        for (size_t g = segmentGuard; g < guarded.size(); ++g)
            if (guarded[g].begin < to)
                spans.push_back({guarded[g].begin - from, std::min(guarded[g].end, to) - from});
        return t;
    }
};

// Splits a body into declarations. Guarded spans and matched parentheses are opaque. A
// comment goes to the first declaration that does not end before it, else before the "}".
// One splitter serves every rule of a read; a rule's declarations are gathered first, so that
// the rule holds them in a block of their own size.
class BodySplitter {
public:
    explicit BodySplitter(const std::string& comments) : comments_(comments) {}

    // The declarations of a rule whose body (without its nested blocks) is `body`, with the
    // comments cut out of it.
    void run(std::string_view body, std::span<const TextSpan> guarded, std::span<const Note> notes, CssRuleNode& rule) {
        body_ = body;
        guarded_ = guarded;
        notes_ = notes;
        note_ = 0;
        decls_.clear();
        findMatchedOpens();
        size_t pieceStart = 0, colon = sjis::npos;
        int depth = 0;
        size_t g = 0, m = 0;
        for (size_t k = 0; k < body_.size();) {
            if (g < guarded_.size() && guarded_[g].begin == k) {
                k = guarded_[g++].end;
                continue;
            }
            char c = body_[k];
            if (c == '(' && m < matchedOpens_.size() && matchedOpens_[m] == k) {
                ++m;
                ++depth;
            } else if (c == ')' && depth > 0) {
                --depth;
            } else if (depth == 0 && c == ':' && colon == sjis::npos) {
                colon = k;
            } else if (depth == 0 && c == ';') {
                piece(pieceStart, k, colon);
                pieceStart = k + 1;
                colon = sjis::npos;
            }
            ++k;  // ":", ";", "(" and ")" are never trail bytes
        }
        piece(pieceStart, body_.size(), colon);
        for (; note_ < notes_.size(); ++note_) appendComment(rule.ClosingComment, comment(notes_[note_]));
        rule.Declarations.reserve(decls_.size());
        std::move(decls_.begin(), decls_.end(), std::back_inserter(rule.Declarations));
    }

private:
    std::string_view comment(const Note& n) const {
        return std::string_view(comments_).substr(n.text.begin, n.text.end - n.text.begin);
    }

    void findMatchedOpens() {
        std::vector<size_t>& open = open_;
        open.clear();
        matchedOpens_.clear();
        size_t g = 0;
        for (size_t k = 0; k < body_.size();) {
            if (g < guarded_.size() && guarded_[g].begin == k) {
                k = guarded_[g++].end;
                continue;
            }
            if (body_[k] == '(') {
                open.push_back(k);
            } else if (body_[k] == ')' && !open.empty()) {
                matchedOpens_.push_back(open.back());
                open.pop_back();
            }
            ++k;
        }
        std::sort(matchedOpens_.begin(), matchedOpens_.end());
    }

    // A piece of nothing but blanks declares nothing; one without a name (no ":", or only
    // blanks before it) is kept whole as the value of a declaration without a name. The
    // declaration takes the comments up to its last character; the later ones go with what
    // follows it.
    void piece(size_t begin, size_t end, size_t colon) {
        std::string_view text(body_.data() + begin, end - begin);
        end = begin + sjis::trimRight(text).size();
        const std::string_view name = colon == sjis::npos ? std::string_view() : sjis::trim(text.substr(0, colon - begin));
        if (name.empty()) {
            std::string_view whole = sjis::trim(text);
            if (whole.empty()) return;
            decls_.push_back({{}, std::string(whole), {}});
        } else {
            decls_.push_back({std::string(name), std::string(sjis::trim(text.substr(colon - begin + 1))), {}});
        }
        for (; note_ < notes_.size() && notes_[note_].at < end; ++note_) appendComment(decls_.back().Comment, comment(notes_[note_]));
    }

    const std::string& comments_;
    std::string_view body_;
    std::span<const TextSpan> guarded_;
    std::span<const Note> notes_;
    size_t note_ = 0;
    std::vector<Declaration> decls_;
    std::vector<size_t> matchedOpens_, open_;
};

// Reads the text into the document in one pass: a rule is made when its "{" opens it (so the
// rules stand in the order of their "{") and gets its declarations when its "}" closes it.
class Scanner {
public:
    Scanner(std::string_view text, StyleDocument& doc, ProgressSink* sink)
        : s_(text), quotes_(text), doc_(doc), splitter_(comments_), progress_(sink, text.size()) {
        frames_.resize(2);
        f_ = &frames_[0];
    }

    void run() {
        const size_t n = s_.size();
        size_t i = 0;
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") i = 3;  // UTF-8 byte-order mark
        start_ = topFrom_ = i;
        size_t report = 0;  // where progress is reported next
        while (i < n) {
            if (i >= report) {
                progress_.step(i);
                report = i + kReportEvery;
            }
            // Copy a run of ordinary characters in one go.
            size_t run = i;
            while (i < n) {
                unsigned char c = static_cast<unsigned char>(s_[i]);
                if (!kSpecial[c]) {
                    ++i;
                } else if (sjis::isLeadByte(c) && i + 1 < n &&
                           sjis::isTrailByte(static_cast<unsigned char>(s_[i + 1]))) {
                    i += 2;
                } else {
                    break;
                }
            }
            f_->text.append(s_.data() + run, i - run);
            if (i >= n) break;

            char c = s_[i];
            switch (c) {
                case '/':
                    if (i + 1 < n && s_[i + 1] == '*') {
                        i = comment(i);
                        continue;
                    }
                    break;
                case '"':
                case '\'':
                    if (size_t end = quotes_.closing(i); end != sjis::npos) {
                        guard(i, end + 1);
                        i = end + 1;
                        continue;
                    }
                    break;
                case '\\':
                    if (i + 1 < n && s_[i + 1] != '\n' && s_[i + 1] != '\r') {
                        size_t end = i + 1 + sjis::charLength(s_, i + 1);
                        guard(i, end);
                        i = end;
                        continue;
                    }
                    break;
                case '@':
                    atSign(i);
                    break;
                case '{':
                    i = openBlock(i);
                    continue;
                case '}':
                    closeBlock(i);
                    ++i;
                    continue;
                case ';':
                    semicolon(i);
                    ++i;
                    continue;
                case '\r':
                    if (i + 1 < n && s_[i + 1] == '\n') {
                        ++i;  // CR LF counts as one blank
                        continue;
                    }
                    f_->text += ' ';
                    ++i;
                    continue;
                case '\n':
                case '\t':
                    f_->text += ' ';
                    ++i;
                    continue;
                default:
                    break;
            }
            f_->text += c;  // a special byte with no meaning here
            ++i;
        }
        finishAtEnd();
    }

    std::vector<std::string> atRules;
    size_t nestedRules = 0, droppedRules = 0;

private:
    // Progress is reported after this many bytes of text.
    static constexpr size_t kReportEvery = size_t{1} << 18;

    std::string_view text(TextSpan s) const { return std::string_view(comments_).substr(s.begin, s.end - s.begin); }

    // "/*" at i: cuts the comment out, leaving one blank, and notes its text for the item it
    // belongs to; text that a kept at-rule holds sorts that out when it is kept. The
    // generator comment is dropped. Returns the index after the comment.
    // "*" and "/" are below 0x40 and never trail bytes, so a byte search finds "*/" safely.
    size_t comment(size_t i) {
        size_t close = s_.find("*/", i + 2);
        size_t end = close == sjis::npos ? s_.size() : close + 2;
        std::string_view text = s_.substr(i, end - i);
        if (close == sjis::npos) endsInComment_ = true;
        if (!text.starts_with(GeneratorHead)) {
            const size_t at = comments_.size();
            css::appendCrLf(comments_, text);
            if (close == sjis::npos) comments_ += "*/";  // the end of the file closes it
            f_->notes.push_back({f_->text.size(), i, {at, comments_.size()}});
        }
        f_->text += ' ';
        return end;
    }

    void guard(size_t begin, size_t end) {
        std::string& t = f_->text;
        size_t at = t.size();
        for (size_t k = begin; k < end; ++k) t += s_[k] == '\t' ? ' ' : s_[k];
        f_->guarded.push_back({at, t.size()});
    }

    // An "@" that is the first thing of its segment begins an at-rule.
    void atSign(size_t i) {
        Frame& f = *f_;
        if (f.segmentChecked) return;
        f.segmentChecked = true;
        if (sjis::trim(std::string_view(f.text).substr(f.segment)).empty()) f.atSource = i;
    }

    // A frame for a rule opened now, which is made in the document after every item.
    Frame& push() {
        if (++depth_ == frames_.size()) frames_.emplace_back();
        f_ = &frames_[depth_];
        f_->reset();
        f_->notes.clear();
        f_->lead.clear();
        f_->selectorGuarded.clear();
        f_->partsReady = false;
        f_->rule = doc_.addRule({});
        return *f_;
    }

    // Takes the notes of frame f from index `from` on: the text of those that stood before
    // `before` in the source goes to `lead` (when given), the others are dropped.
    static void takeNotes(Frame& f, size_t from, size_t before, std::vector<TextSpan>* lead) {
        for (size_t k = from; k < f.notes.size(); ++k)
            if (lead && f.notes[k].source < before) lead->push_back(f.notes[k].text);
        f.notes.resize(from);
    }

    // The first note of frame f that stands in its current segment.
    static size_t segmentNotes(const Frame& f) {
        size_t k = f.notes.size();
        while (k > 0 && f.notes[k - 1].at >= f.segment) --k;
        return k;
    }

    // "{" at i; returns the index to go on from.
    size_t openBlock(size_t i) {
        if (f_->atSource != sjis::npos) return depth_ == 0 ? keepAtRuleBlock(i) : keepNestedAtRule(i);
        if (depth_ == 0) {
            openRule();
            return i + 1;
        }
        return openNestedRule(i);
    }

    void openRule() {
        Frame& top = frames_[0];
        std::vector<TextSpan>& spans = spans_;
        std::string_view sel = top.trimmedSegment(spans);
        Frame& rule = push();
        rule.selector.Text = sel;
        rule.selector.Parts.clear();
        rule.selectorGuarded.assign(spans.begin(), spans.end());
        takeNotes(top, 0, sjis::npos, &rule.lead);  // comments outside every rule go to the next one
        top.reset();
    }

    size_t openNestedRule(size_t i) {
        Frame& parent = *f_;
        std::string_view prelude = parent.trimmedSegment(spans_);
        if (prelude.empty()) return keepBlock(i);
        std::optional<SelectorList> combined;
        if (depth_ < kMaxDepth) {
            if (!parent.partsReady) {
                parent.selector = splitSelectorList(parent.selector.Text, parent.selectorGuarded);
                parent.partsReady = true;
            }
            combined = nestSelector(parent.selector, prelude, spans_, budget_);
        }
        if (!combined) return dropBlock(i);
        std::vector<TextSpan> lead;  // the comments of its selector lead the nested rule
        takeNotes(parent, segmentNotes(parent), sjis::npos, &lead);
        parent.cutSegment();
        Frame& rule = push();
        rule.lead = std::move(lead);
        rule.selector = std::move(*combined);
        rule.partsReady = true;
        ++nestedRules;
        return i + 1;
    }

    // A block without a selector in a rule, which browsers drop, as written (line ends CR LF,
    // closed where the text ends): a piece of the rule's body of its own, opaque, ended by a
    // ";", so that it becomes a declaration without a name.
    size_t keepBlock(size_t i) {
        const css::BlockEnd end = css::findBlockEnd(s_, i, quotes_);
        Frame& f = *f_;
        const size_t at = f.text.size();
        css::appendCrLf(f.text, s_.substr(i, end.End - i));
        if (end.OpenBlocks > 0) css::appendClosing(f.text, end.InComment, std::string(end.OpenBlocks, '}'));
        f.guarded.push_back({at, f.text.size()});
        f.text += ';';
        f.startSegment();
        return end.End;
    }

    // Comments before the block stay in the frame, for what follows it.
    size_t dropBlock(size_t i) {
        ++droppedRules;
        f_->cutSegment();
        return css::findBlockEnd(s_, i, quotes_).End;
    }

    // The rule of the innermost frame gets its record and its declarations.
    void closeRule() {
        Frame& f = *f_;
        CssRuleNode& rule = *f.rule;
        SelectorParts parts = deriveSelectorParts(f.selector.Text);
        rule.Data.Name = std::move(parts.Name);
        rule.Data.CssClass = std::move(parts.CssClass);
        rule.Data.Selector = std::move(f.selector.Text);
        for (TextSpan t : f.lead) appendComment(rule.Data.Comment, text(t));
        splitter_.run(f.text, f.guarded, f.notes, rule);
        f_ = &frames_[--depth_];
        if (depth_ == 0)
            f_->reset();
        else
            f_->startSegment();  // the parent's text goes on after the nested block
    }

    void closeBlock(size_t i) {
        if (depth_ > 0) {
            closeRule();
            if (depth_ == 0) resetTop(i + 1);
            return;
        }
        // A stray "}" ends an at-rule statement and drops any other text before it.
        if (f_->atSource != sjis::npos && !junk_)
            keepStatement(sjis::trimRight(s_.substr(f_->atSource, i - f_->atSource)), true, false);
        resetTop(i + 1);
    }

    void semicolon(size_t i) {
        if (depth_ > 0) {
            f_->text += ';';
            f_->startSegment();
            return;
        }
        if (f_->atSource == sjis::npos) {
            // Not an at-rule: browsers read on to the next "{", taking the text as the prelude
            // of a rule they then drop. It is kept as written from its first character.
            f_->atSource = junkStart();
            f_->segmentChecked = true;
            junk_ = true;
        }
        if (junk_) return;
        keepStatement(s_.substr(f_->atSource, i + 1 - f_->atSource), false, false);
        resetTop(i + 1);
    }

    // The top level starts afresh at `from` in the source.
    void resetTop(size_t from) {
        frames_[0].reset();
        topFrom_ = from;
        junk_ = false;
    }

    // Where the text of the top level's current segment begins: its first character that is
    // no blank and not in a comment.
    size_t junkStart() const {
        size_t k = topFrom_;
        while (k < s_.size()) {
            if (static_cast<unsigned char>(s_[k]) < 33) {
                ++k;
            } else if (s_.compare(k, 2, "/*") == 0) {
                const size_t close = s_.find("*/", k + 2);
                k = close == sjis::npos ? s_.size() : close + 2;
            } else {
                break;
            }
        }
        return k;
    }

    // The end of the text closes what is open, innermost first; other text left at top level
    // is kept as written (browsers drop it), comments after it trail the last item.
    void finishAtEnd() {
        if (depth_ == 0 && f_->atSource == sjis::npos && !sjis::trim(std::string_view(f_->text).substr(f_->segment)).empty()) {
            f_->atSource = junkStart();
            junk_ = true;
        }
        if (depth_ == 0 && f_->atSource != sjis::npos)
            keepStatement(sjis::trimRight(s_.substr(f_->atSource)), !junk_, endsInComment_);
        while (depth_ > 0) closeRule();
        std::vector<TextSpan> rest;
        takeNotes(frames_[0], 0, sjis::npos, &rest);
        doc_.setTrailingComments(joined(rest));
    }

    // Kept text led by the comments noted before its "@" in frame f from note `from` on; the
    // later ones are in the text itself.
    std::string keptText(Frame& f, size_t from) {
        std::vector<TextSpan> lead;
        takeNotes(f, from, f.atSource, &lead);
        std::string t = joined(lead);
        if (!t.empty()) t += "\r\n";
        return t;
    }

    // An at-rule statement (closed by a ";" when `unfinished`) or, at the end of the text,
    // other text kept as written.
    void keepStatement(std::string_view source, bool unfinished, bool inComment) {
        if (!junk_) noteAtRule(source);
        std::string t = keptText(*f_, 0);
        css::appendCrLf(t, source);
        if (unfinished)
            css::appendClosing(t, inComment, ";");
        else if (inComment)
            t += "*/";
        if (f_->atSource == start_ && t.starts_with("@charset") && doc_.charset().empty() && doc_.empty() &&
            doc_.keptTexts().empty())
            doc_.setCharset(std::move(t));
        else
            doc_.addKeptText(std::move(t));
    }

    // The at-rule block whose "{" is at i, kept from its "@" to its matching "}".
    size_t keepAtRuleBlock(size_t i) {
        const css::BlockEnd end = css::findBlockEnd(s_, i, quotes_);
        std::string_view source = s_.substr(f_->atSource, end.End - f_->atSource);
        if (!junk_) noteAtRule(source);
        std::string t = keptText(*f_, 0);
        css::appendCrLf(t, source);
        if (end.OpenBlocks > 0) css::appendClosing(t, end.InComment, std::string(end.OpenBlocks, '}'));
        doc_.addKeptText(std::move(t));
        resetTop(end.End);
        return end.End;
    }

    // An at-rule block inside a rule: kept as a block at top level that holds the rule's
    // selector around the at-rule's inner text. When the prelude or the selector holds a
    // quote, which could pair with one after it once they share a line, the selector goes on
    // a line of its own between them.
    size_t keepNestedAtRule(size_t i) {
        Frame& f = *f_;
        const std::string& sel = f.selector.Text;
        if (sel.size() > budget_) return dropBlock(i);
        budget_ -= sel.size();
        const css::BlockEnd end = css::findBlockEnd(s_, i, quotes_);
        std::string_view prelude = sjis::trimRight(s_.substr(f.atSource, i - f.atSource));
        const size_t innerEnd = end.OpenBlocks > 0 ? end.End : end.End - 1;
        const bool quoted = sel.find_first_of("\"'") != std::string::npos ||
                            prelude.find_first_of("\"'") != std::string_view::npos;  // never trail bytes
        const std::string_view open = quoted ? "\r\n{ " : " { ";
        noteAtRule(prelude);
        std::string t = keptText(f, segmentNotes(f));
        css::appendCrLf(t, prelude);
        t += open;
        css::appendInert(t, sel);
        t += open;
        css::appendCrLf(t, s_.substr(i + 1, innerEnd - (i + 1)));
        if (end.OpenBlocks > 0) css::appendClosing(t, end.InComment, std::string(end.OpenBlocks - 1, '}'));
        t += " } }";
        doc_.addKeptText(std::move(t));
        f.cutSegment();
        return end.End;
    }

    void noteAtRule(std::string_view source) {
        size_t k = 1;
        while (k < source.size() && isNameChar(static_cast<unsigned char>(source[k]))) ++k;
        std::string name(source.substr(0, k));
        if (seenAtRules_.insert(name).second) atRules.push_back(std::move(name));
    }

    std::string joined(std::span<const TextSpan> comments) const {
        std::string out;
        for (TextSpan c : comments) appendComment(out, text(c));
        return out;
    }

    std::string_view s_;
    size_t start_ = 0;  // after the byte-order mark
    size_t topFrom_ = 0;  // where the top level's current segment begins in the source
    bool junk_ = false;   // the top level's segment is text browsers take as a rule's prelude
    css::QuoteFinder quotes_;
    StyleDocument& doc_;
    std::string comments_;  // the text of every comment noted
    BodySplitter splitter_;
    ProgressSteps progress_;
    std::deque<Frame> frames_;  // [0] top level, then the open rules; references stay valid
    size_t depth_ = 0;
    Frame* f_;                  // frames_[depth_]
    std::vector<TextSpan> spans_;
    size_t budget_ = kNestingBudget;
    bool endsInComment_ = false;
    std::unordered_set<std::string> seenAtRules_;
};

}  // namespace

CssReadResult AnalyzeCSS(std::string_view text, ProgressSink* sink) {
    if (sink) {
        sink->setProgress(0);
        sink->setStatus("スタイルシートの解析中");
    }
    CssReadResult result;
    Scanner scanner(text, result.Document, sink);
    scanner.run();
    result.AtRules = std::move(scanner.atRules);
    result.NestedRules = scanner.nestedRules;
    result.DroppedRules = scanner.droppedRules;
    if (sink) sink->setProgress(0);
    return result;
}

}  // namespace pavik
