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

// Calls fn(position, byte) for every single-byte character outside strings, escapes and comments.
template <class Fn>
void forEachStructural(std::string_view s, Fn fn) {
    auto escapes = [&](size_t k) { return s[k] == '\\' && k + 1 < s.size() && s[k + 1] != '\r' && s[k + 1] != '\n'; };
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        size_t k = i + 1;
        if (sjis::charLength(s, i) == 2 || escapes(i)) {
            i += c == '\\' ? 1 + sjis::charLength(s, i + 1) : 2;
            continue;
        }
        if (c == '/' && k < s.size() && s[k] == '*') {
            i = std::min(s.find("*/", i + 2), s.size() - 2) + 2;
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

// Never more "}" than "{" so far, as many of each in all.
inline bool bracesBalance(std::string_view s) {
    int depth = 0, lowest = 0;
    forEachStructural(s, [&](size_t, char c) { lowest = std::min(lowest, depth += c == '{' ? 1 : c == '}' ? -1 : 0); });
    return lowest == 0 && depth == 0;
}

// "" when the kept texts stand where the writer puts them (statements after the generator
// line and its empty line, blocks at the end) and balance, and every other brace is a rule
// brace (" {" ending a heading line, then a line holding only "}"); else what is wrong.
inline std::string strayBraces(const std::string& out, const KeptAtRules& kept) {
    std::vector<std::pair<size_t, size_t>> keptAt;
    size_t at = out.find("\r\n\r\n") + 4;
    for (const std::string& t : kept.Statements) {
        if (out.compare(at, t.size() + 2, t + "\r\n") != 0 || !bracesBalance(t)) return "statement " + t;
        keptAt.push_back({at, at + t.size()});
        at += t.size() + 2;
    }
    std::string tail;
    for (const std::string& t : kept.Blocks) tail += t + "\r\n\r\n";
    if (out.size() < tail.size() || out.compare(out.size() - tail.size(), tail.size(), tail) != 0)
        return "blocks not at the end";
    for (at = out.size() - tail.size(); const std::string& t : kept.Blocks) {
        if (!bracesBalance(t)) return "block " + t;
        keptAt.push_back({at, at + t.size()});
        at += t.size() + 4;
    }
    std::string found;
    bool inRule = false;
    forEachStructural(out, [&](size_t i, char c) {
        if ((c != '{' && c != '}') || !found.empty()) return;
        for (auto [b, e] : keptAt)
            if (i >= b && i < e) return;
        const bool ok = out.compare(i + 1, 2, "\r\n") == 0 &&
                        (c == '{' ? !inRule && i > 0 && out[i - 1] == ' ' : inRule && i >= 2 && out.compare(i - 2, 2, "\r\n") == 0);
        if (!ok) found = std::string("stray ") + c + " at " + std::to_string(i);
        inRule = c == '{';
    });
    return found.empty() && inRule ? "rule left open" : found;
}

}  // namespace pavik::test
