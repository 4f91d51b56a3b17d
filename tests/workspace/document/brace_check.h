#pragma once
// Checks on written style sheets, scanned independently of the reader: where "{" and "}"
// stand outside strings (closed on their line), escapes and comments. No test framework:
// the fuzz target uses it too.
#include <string>
#include <string_view>
#include <vector>

#include "platform/sjis.h"
#include "workspace/document/style_document.h"

namespace pavik::test {

// Calls fn(position, byte) for every single-byte character outside strings, escapes and
// comments, and comment(begin, end) for every comment.
template <class Fn, class CommentFn>
void scanStructure(std::string_view s, Fn fn, CommentFn comment) {
    auto escapes = [&](size_t k) { return s[k] == '\\' && k + 1 < s.size() && s[k + 1] != '\r' && s[k + 1] != '\n'; };
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        size_t k = i + 1;
        if (sjis::charLength(s, i) == 2 || escapes(i)) {
            i += c == '\\' ? 1 + sjis::charLength(s, i + 1) : 2;
            continue;
        }
        if (c == '/' && k < s.size() && s[k] == '*') {
            const size_t end = std::min(s.find("*/", i + 2), s.size() - 2) + 2;
            comment(i, end);
            i = end;
            continue;
        }
        if (c == '"' || c == '\'') {
            while (k < s.size() && s[k] != c && s[k] != '\r' && s[k] != '\n')
                k += escapes(k) ? 1 + sjis::charLength(s, k + 1) : sjis::charLength(s, k);
            if (k < s.size() && s[k] == c) {
                i = k + 1;
                continue;
            }
        }
        fn(i++, c);
    }
}

template <class Fn>
void forEachStructural(std::string_view s, Fn fn) {
    scanStructure(s, fn, [](size_t, size_t) {});
}

// Never more "}" than "{" so far, as many of each in all.
inline bool bracesBalance(std::string_view s) {
    int depth = 0, lowest = 0;
    forEachStructural(s, [&](size_t, char c) { lowest = std::min(lowest, depth += c == '{' ? 1 : c == '}' ? -1 : 0); });
    return lowest == 0 && depth == 0;
}

// "" when the kept texts stand in the text in document order and balance, and every other
// brace is a rule brace (" {" ending a heading line, then a line holding only "}") or one of
// a block kept in a rule (a line starting with "{", balanced); else what is wrong.
inline std::string strayBraces(const std::string& out, const StyleDocument& doc) {
    std::vector<std::pair<size_t, size_t>> keptAt, comments;
    scanStructure(out, [](size_t, char) {}, [&](size_t b, size_t e) { comments.push_back({b, e}); });
    auto inComment = [&](size_t i) {
        for (auto [b, e] : comments)
            if (i > b && i < e) return true;
        return false;
    };
    size_t at = 0;
    for (const KeptText& k : doc.keptTexts()) {
        at = out.find(k.Text, at);
        while (at != std::string::npos && inComment(at)) at = out.find(k.Text, at + 1);
        if (at == std::string::npos || !bracesBalance(k.Text)) return "kept text " + k.Text;
        keptAt.push_back({at, at + k.Text.size()});
        at += k.Text.size();
    }
    std::string found;
    bool inRule = false;
    int blockDepth = 0;
    forEachStructural(out, [&](size_t i, char c) {
        if ((c != '{' && c != '}') || !found.empty()) return;
        for (auto [b, e] : keptAt)
            if (i >= b && i < e) return;
        if (inRule && (blockDepth > 0 || (c == '{' && i >= 2 && out.compare(i - 2, 2, "\r\n") == 0))) {
            blockDepth += c == '{' ? 1 : -1;
            return;
        }
        const bool ok = out.compare(i + 1, 2, "\r\n") == 0 &&
                        (c == '{' ? !inRule && i > 0 && out[i - 1] == ' ' : inRule && i >= 2 && out.compare(i - 2, 2, "\r\n") == 0);
        if (!ok) found = std::string("stray ") + c + " at " + std::to_string(i);
        inRule = c == '{';
    });
    return found.empty() && inRule ? "rule left open" : found;
}

}  // namespace pavik::test
