#include "workspace/document/css_reader.h"

#include <algorithm>
#include <array>
#include <span>
#include <unordered_set>

#include "platform/sjis.h"
#include "vocabulary/fixed_texts.h"

namespace pavik {

namespace {

struct Span {
    size_t begin, end;  // [begin, end) in the text they were taken from
};

// A rule as gathered by the first pass: its texts lie in the scanner's shared store, its
// guarded spans (strings and escapes, relative to the body) in the shared span list.
struct RawRule {
    Span selector, body, comment;
    size_t firstGuard, guardEnd;
};

// Bytes the scanner must look at; every other single byte is copied as it is. Lead bytes
// are special so that their trail byte (which may be "{", "}" or "\") is taken with them.
constexpr std::array<bool, 256> makeSpecial() {
    std::array<bool, 256> t{};
    for (unsigned char c : {'/', '"', '\'', '\\', '{', '}', ';', '\r', '\n', '\t'}) t[c] = true;
    for (int c = 0x81; c <= 0x9F; ++c) t[c] = true;
    for (int c = 0xE0; c <= 0xFC; ++c) t[c] = true;
    return t;
}
constexpr std::array<bool, 256> kSpecial = makeSpecial();

bool isNameChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '_';
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : s_(text) {
        store_.reserve(text.size() + 64);  // rule texts never outgrow the text they came from
    }

    void run() {
        const size_t n = s_.size();
        size_t i = 0;
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") i = 3;  // UTF-8 byte-order mark
        while (i < n) {
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
            pending_.append(s_.data() + run, i - run);
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
                    if (size_t end = stringEnd(i); end != sjis::npos) {
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
                case '{':
                    if (!inRule_) {
                        openBlock();
                        ++i;
                        continue;
                    }
                    break;
                case '}':
                    closeBlock();
                    ++i;
                    continue;
                case ';':
                    if (!inRule_) {
                        endStatement();
                        ++i;
                        continue;
                    }
                    break;
                case '\r':
                    if (i + 1 < n && s_[i + 1] == '\n') {
                        ++i;  // CR LF counts as one blank
                        continue;
                    }
                    pending_ += ' ';
                    ++i;
                    continue;
                case '\n':
                case '\t':
                    pending_ += ' ';
                    ++i;
                    continue;
                default:
                    break;
            }
            pending_ += c;  // a special byte with no meaning here
            ++i;
        }
    }

    std::string_view text(Span s) const { return std::string_view(store_).substr(s.begin, s.end - s.begin); }
    std::span<const Span> guards(const RawRule& r) const {
        return std::span<const Span>(guards_).subspan(r.firstGuard, r.guardEnd - r.firstGuard);
    }

    std::vector<RawRule> rules;
    std::vector<std::string> atRules;

private:
    // "/*" at i: cuts the comment out, leaving one blank. Returns the index after it.
    // "*" and "/" are below 0x40 and never trail bytes, so a byte search finds "*/" safely.
    size_t comment(size_t i) {
        size_t close = s_.find("*/", i + 2);
        size_t end = close == sjis::npos ? s_.size() : close + 2;
        std::string_view text = s_.substr(i, end - i);
        if (text.find(GeneratorHead) == std::string_view::npos) {
            // Lines are joined without a separator, except where "*" and "/" would meet
            // and close the comment early when it is read again.
            pendingComment_.clear();
            bool joined = false;
            for (size_t k = 0; k < text.size(); ++k) {
                char c = text[k];
                if (c == '\n' || (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')) {
                    joined = true;
                    continue;
                }
                if (joined && c == '/' && pendingComment_.back() == '*') pendingComment_ += ' ';
                joined = false;
                pendingComment_ += c;
            }
        }
        pending_ += ' ';
        return end;
    }

    // A quote at i: the index of its closing quote on the same line, or npos. Once a quote
    // found no partner, later quotes of its kind up to that line end find none either.
    size_t stringEnd(size_t i) {
        const char q = s_[i];
        size_t& known = noPartnerBefore_[q == '"' ? 0 : 1];
        if (i < known) return sjis::npos;
        for (size_t k = i + 1; k < s_.size();) {
            char c = s_[k];
            if (c == q) return k;
            if (c == '\n' || c == '\r') {
                known = k;
                return sjis::npos;
            }
            if (c == '\\' && k + 1 < s_.size() && s_[k + 1] != '\n' && s_[k + 1] != '\r') {
                k += 1 + sjis::charLength(s_, k + 1);
                continue;
            }
            k += sjis::charLength(s_, k);
        }
        known = s_.size();
        return sjis::npos;
    }

    void guard(size_t begin, size_t end) {
        size_t at = pending_.size();
        for (size_t k = begin; k < end; ++k) pending_ += s_[k] == '\t' ? ' ' : s_[k];
        guarded_.push_back({at, pending_.size()});
    }

    void resetPending() {
        pending_.clear();
        guarded_.clear();
    }

    void noteAtRule(std::string_view head) {
        size_t k = 1;
        while (k < head.size() && isNameChar(static_cast<unsigned char>(head[k]))) ++k;
        std::string name(head.substr(0, k));
        if (seenAtRules_.insert(name).second) atRules.push_back(std::move(name));
    }

    void openBlock() {
        std::string_view sel = sjis::trim(pending_);
        if (!sel.empty() && sel[0] == '@') {
            noteAtRule(sel);
            ++atDepth_;
        } else {
            selector_ = sel;
            inRule_ = true;
        }
        resetPending();
    }

    void closeBlock() {
        if (inRule_) {
            RawRule r;
            r.selector = store(selector_);
            r.body = store(pending_);
            r.comment = store(pendingComment_);
            r.firstGuard = guards_.size();
            guards_.insert(guards_.end(), guarded_.begin(), guarded_.end());
            r.guardEnd = guards_.size();
            rules.push_back(r);
            pendingComment_.clear();
            inRule_ = false;
        } else if (atDepth_ > 0) {
            --atDepth_;  // whatever the block held besides rules is dropped
        }
        resetPending();
    }

    void endStatement() {
        std::string_view text = sjis::trim(pending_);
        if (!text.empty() && text[0] == '@') noteAtRule(text);
        resetPending();
    }

    Span store(std::string_view t) {
        size_t at = store_.size();
        store_ += t;
        return {at, store_.size()};
    }

    std::string_view s_;
    std::string store_;
    std::vector<Span> guards_;
    std::string pending_;
    std::vector<Span> guarded_;
    std::string selector_;
    std::string pendingComment_;
    bool inRule_ = false;
    int atDepth_ = 0;
    size_t noPartnerBefore_[2] = {0, 0};
    std::unordered_set<std::string> seenAtRules_;
};

// Splits a body into declarations. Guarded spans and matched parentheses are opaque.
class BodySplitter {
public:
    BodySplitter(std::string_view body, std::span<const Span> guarded, StyleDocument& doc,
                 CssRuleNode* rule)
        : body_(body), guarded_(guarded), doc_(doc), rule_(rule) {}

    void run() {
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
                piece(pieceStart, k, colon, false);
                pieceStart = k + 1;
                colon = sjis::npos;
            }
            ++k;  // ":", ";", "(" and ")" are never trail bytes
        }
        piece(pieceStart, body_.size(), colon, true);
    }

private:
    void findMatchedOpens() {
        std::vector<size_t> open;
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

    void piece(size_t begin, size_t end, size_t colon, bool last) {
        std::string_view text(body_.data() + begin, end - begin);
        if (colon == sjis::npos) {
            std::string_view value = sjis::trim(text);
            if (last && value.empty()) return;
            doc_.addDeclaration(rule_, std::string(lastName_), std::string(value));
            return;
        }
        size_t at = colon - begin;
        lastName_ = sjis::trim(text.substr(0, at));
        doc_.addDeclaration(rule_, std::string(lastName_),
                            std::string(sjis::trim(text.substr(at + 1))));
    }

    std::string_view body_;
    std::span<const Span> guarded_;
    StyleDocument& doc_;
    CssRuleNode* rule_;
    std::vector<size_t> matchedOpens_;
    std::string_view lastName_;  // into body_
};

}  // namespace

CssReadResult AnalyzeCSS(std::string_view text, ProgressSink* sink) {
    Scanner scanner(text);
    scanner.run();

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("スタイルシートの解析中");
    }
    CssReadResult result;
    result.AtRules = std::move(scanner.atRules);
    StyleDocument& doc = result.Document;
    ProgressSteps progress(sink, scanner.rules.size());
    for (size_t i = 0; i < scanner.rules.size(); ++i) {
        const RawRule& raw = scanner.rules[i];
        std::string_view selector = scanner.text(raw.selector);
        SelectorParts parts = deriveSelectorParts(selector);
        TData2 data;
        data.Name = std::move(parts.Name);
        data.CssClass = std::move(parts.CssClass);
        data.Selector = selector;
        data.Comment = scanner.text(raw.comment);
        CssRuleNode* rule = doc.addRule(std::move(data));
        BodySplitter(scanner.text(raw.body), scanner.guards(raw), doc, rule).run();
        progress.step(i);
    }
    if (sink) sink->setProgress(0);
    doc.sortRules();
    return result;
}

}  // namespace pavik
