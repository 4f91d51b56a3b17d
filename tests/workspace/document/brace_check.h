#pragma once
// Checks on written style sheets, scanned independently of the reader: where "{" and "}"
// stand outside strings, escapes and comments. No test framework: the fuzz target uses it too.
#include <string>
#include <string_view>
#include <vector>

#include "platform/sjis.h"
#include "workspace/document/style_document.h"

namespace pavik::test {

// Calls fn(position, byte) for every single-byte character outside strings (closed on their
// line), escapes and comments.
template <class Fn>
void forEachStructural(std::string_view s, Fn fn) {
    const size_t n = s.size();
    auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    for (size_t i = 0; i < n;) {
        const char c = s[i];
        if (sjis::charLength(s, i) == 2) {
            i += 2;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            size_t e = s.find("*/", i + 2);
            i = e == std::string_view::npos ? n : e + 2;
        } else if (c == '\\' && i + 1 < n && !lineEnd(s[i + 1])) {
            i += 1 + sjis::charLength(s, i + 1);
        } else if (c == '"' || c == '\'') {
            size_t k = i + 1;
            while (k < n && s[k] != c && !lineEnd(s[k]))
                k += s[k] == '\\' && k + 1 < n && !lineEnd(s[k + 1]) ? 1 + sjis::charLength(s, k + 1)
                                                                    : sjis::charLength(s, k);
            if (k < n && s[k] == c) {
                i = k + 1;
            } else {
                fn(i, c);
                ++i;
            }
        } else {
            fn(i, c);
            ++i;
        }
    }
}

// Braces of a text balance: never more "}" than "{" so far, as many of each in all.
inline bool bracesBalance(std::string_view s) {
    int depth = 0;
    bool ok = true;
    forEachStructural(s, [&](size_t, char c) {
        if (c == '{') ++depth;
        if (c == '}') ok = ok && --depth >= 0;
    });
    return ok && depth == 0;
}

// Where the writer's output has a brace other than a rule brace (" {" ending a heading
// line, a line holding only "}", in turn) outside the kept at-rule texts, or where the kept
// texts are not where the writer puts them or do not balance: a description, or "" when
// there is none.
inline std::string strayBraces(const std::string& out, const KeptAtRules& kept) {
    std::vector<std::pair<size_t, size_t>> keptAt;
    size_t at = out.find("\r\n\r\n") + 4;  // after the generator line and its empty line
    for (const std::string& t : kept.Statements) {
        if (out.compare(at, t.size() + 2, t + "\r\n") != 0) return "statement not in place: " + t;
        keptAt.push_back({at, at + t.size()});
        at += t.size() + 2;
    }
    std::string tail;
    for (const std::string& t : kept.Blocks) tail += t + "\r\n\r\n";
    if (out.size() < tail.size() || out.compare(out.size() - tail.size(), tail.size(), tail) != 0)
        return "blocks not at the end";
    at = out.size() - tail.size();
    for (const std::vector<std::string>* list : {&kept.Statements, &kept.Blocks})
        for (const std::string& t : *list)
            if (!bracesBalance(t)) return "kept text does not balance: " + t;
    for (const std::string& t : kept.Blocks) {
        keptAt.push_back({at, at + t.size()});
        at += t.size() + 4;
    }
    std::string found;
    bool inRule = false;
    forEachStructural(out, [&](size_t i, char c) {
        if ((c != '{' && c != '}') || !found.empty()) return;
        for (auto [b, e] : keptAt)
            if (i >= b && i < e) return;
        const bool lineEnds = out.compare(i + 1, 2, "\r\n") == 0;
        const bool ok = c == '{' ? !inRule && lineEnds && i > 0 && out[i - 1] == ' '
                                 : inRule && lineEnds && i >= 2 && out.compare(i - 2, 2, "\r\n") == 0;
        if (!ok) found = std::string("stray ") + c + " at " + std::to_string(i);
        inRule = c == '{';
    });
    if (found.empty() && inRule) found = "rule left open";
    return found;
}

}  // namespace pavik::test
