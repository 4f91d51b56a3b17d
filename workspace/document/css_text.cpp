#include "workspace/document/css_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/sjis.h"

namespace pavik::css {

namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// Bytes a block scan must look at; lead bytes so that their trail byte is taken with them.
constexpr std::array<bool, 256> makeBlockSpecial() {
    std::array<bool, 256> t{};
    for (unsigned char c : {'/', '"', '\'', '\\', '{', '}'}) t[c] = true;
    for (int c = 0x81; c <= 0x9F; ++c) t[c] = true;
    for (int c = 0xE0; c <= 0xFC; ++c) t[c] = true;
    return t;
}
constexpr std::array<bool, 256> kBlockSpecial = makeBlockSpecial();

// Whether the piece of `len` bytes at k (a character, an escape or a string) ends in a lead
// byte without its trail byte: the character itself, or the one an escape holds.
bool endsInLoneLead(std::string_view s, size_t k, size_t len) {
    const size_t last = len == 2 && s[k] == '\\' ? k + 1 : k;
    return (len == 1 || last != k) && sjis::isLeadByte(static_cast<unsigned char>(s[last]));
}

}  // namespace

size_t QuoteFinder::closing(size_t i) {
    const char q = s_[i];
    size_t& known = noPartnerBefore_[q == '"' ? 0 : 1];
    if (i < known) return npos;
    for (size_t k = i + 1; k < s_.size();) {
        char c = s_[k];
        if (c == q) return k;
        if (isLineEnd(c)) {
            known = k;
            return npos;
        }
        if (c == '\\' && k + 1 < s_.size() && !isLineEnd(s_[k + 1])) {
            k += 1 + sjis::charLength(s_, k + 1);
            continue;
        }
        k += sjis::charLength(s_, k);
    }
    known = s_.size();
    return npos;
}

BlockEnd findBlockEnd(std::string_view s, size_t open, QuoteFinder& quotes) {
    const size_t n = s.size();
    int depth = 1;
    for (size_t k = open + 1; k < n;) {
        unsigned char c = static_cast<unsigned char>(s[k]);
        if (!kBlockSpecial[c]) {
            ++k;
            continue;
        }
        switch (c) {
            case '/':
                if (k + 1 < n && s[k + 1] == '*') {
                    size_t close = s.find("*/", k + 2);  // below 0x40: never a trail byte
                    if (close == npos) return {n, depth, true};
                    k = close + 2;
                    continue;
                }
                break;
            case '"':
            case '\'':
                if (size_t e = quotes.closing(k); e != npos) {
                    k = e + 1;
                    continue;
                }
                break;
            case '\\':
                if (k + 1 < n && !isLineEnd(s[k + 1])) {
                    k += 1 + sjis::charLength(s, k + 1);
                    continue;
                }
                break;
            case '{':
                ++depth;
                break;
            case '}':
                if (--depth == 0) return {k + 1, 0, false};
                break;
            default:  // a lead byte
                k += sjis::charLength(s, k);
                continue;
        }
        ++k;
    }
    return {n, depth, false};
}

void appendCrLf(std::string& out, std::string_view text) {
    // CR and LF lie below 0x40 and are never trail bytes.
    size_t from = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        if (!isLineEnd(text[k])) continue;
        out.append(text, from, k - from);
        out += "\r\n";
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
        from = k + 1;
    }
    out.append(text, from);
}

void appendClosing(std::string& out, bool inComment, std::string_view closers) {
    if (inComment) out += "*/";
    if (out.empty() || out.back() != '\n') out += "\r\n";
    out += closers;
}

bool mayNeedInert(std::string_view line, bool semicolons) {
    // A plain loop: find_first_of with a set of characters calls memchr per byte.
    for (size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (c == '{' || c == '}' || (c == ';' && semicolons) || (c == '/' && k + 1 < line.size() && line[k + 1] == '*'))
            return true;
    }
    return false;
}

void appendInert(std::string& out, std::string_view line, bool semicolons) {
    if (!mayNeedInert(line, semicolons)) {
        out += line;
        return;
    }
    QuoteFinder quotes(line);
    bool loneLead = false;  // the last character was a lead byte without its trail byte
    size_t k = 0;
    while (k < line.size()) {
        const char c = line[k];
        size_t len = sjis::charLength(line, k);
        if (c == '"' || c == '\'') {
            if (size_t e = quotes.closing(k); e != npos) len = e + 1 - k;
        } else if (c == '\\' && k + 1 < line.size() && !isLineEnd(line[k + 1])) {
            len = 1 + sjis::charLength(line, k + 1);
        } else if (c == '{' || c == '}' || (c == ';' && semicolons) ||
                   (c == '/' && k + 1 < line.size() && line[k + 1] == '*')) {
            if (c == '/') {
                out += '/';
                ++k;
            } else if (loneLead) {
                out += ' ';  // else the backslash would become its trail byte
            }
            out += '\\';
            len = 1;
        }
        loneLead = endsInLoneLead(line, k, len);
        out.append(line, k, len);
        k += len;
    }
}

DeclarationMarks declarationMarks(std::string_view s) {
    QuoteFinder quotes(s);
    std::vector<TextSpan> guarded;
    for (size_t k = 0; k < s.size();) {
        const char c = s[k];
        size_t len = sjis::charLength(s, k);
        if (c == '"' || c == '\'') {
            if (size_t e = quotes.closing(k); e != npos) {
                guarded.push_back({k, e + 1});
                len = e + 1 - k;
            }
        } else if (c == '\\' && k + 1 < s.size() && !isLineEnd(s[k + 1])) {
            len = 1 + sjis::charLength(s, k + 1);
            guarded.push_back({k, k + len});
        }
        k += len;
    }
    // Parentheses count where they are matched; ":", ";", "(" and ")" are never trail bytes.
    std::vector<size_t> open, matched;
    size_t g = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        if (g < guarded.size() && guarded[g].begin == k) {
            k = guarded[g++].end - 1;
        } else if (s[k] == '(') {
            open.push_back(k);
        } else if (s[k] == ')' && !open.empty()) {
            matched.push_back(open.back());
            open.pop_back();
        }
    }
    std::sort(matched.begin(), matched.end());
    DeclarationMarks marks;
    int depth = 0;
    size_t m = 0;
    g = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        if (g < guarded.size() && guarded[g].begin == k) {
            k = guarded[g++].end - 1;
        } else if (s[k] == '(' && m < matched.size() && matched[m] == k) {
            ++m;
            ++depth;
        } else if (s[k] == ')' && depth > 0) {
            --depth;
        } else if (depth == 0 && s[k] == ':' && marks.colon == npos) {
            marks.colon = k;
        } else if (depth == 0 && s[k] == ';') {
            marks.semicolon = k;
            break;
        }
    }
    return marks;
}

void appendEscaped(std::string& out, std::string_view text, bool name) {
    bool loneLead = false;
    for (size_t k = 0; k < text.size();) {
        const char c = text[k];
        size_t len = sjis::charLength(text, k);
        if (c == '\\' && k + 1 < text.size() && !isLineEnd(text[k + 1])) {
            len = 1 + sjis::charLength(text, k + 1);
        } else if (c == '"' || c == '\'' || c == ';' || c == '{' || c == '}' || (c == '*' && k > 0 && text[k - 1] == '/') ||
                   (name && (c == ':' || c == '(' || c == ')'))) {
            if (loneLead) out += ' ';  // else the backslash would become its trail byte
            out += '\\';
        }
        loneLead = endsInLoneLead(text, k, len);
        out.append(text, k, len);
        k += len;
    }
}

}  // namespace pavik::css
