#include "platform/sjis.h"

namespace pavik::sjis {

size_t charStart(std::string_view s, size_t i) {
    size_t p = 0;
    while (p < s.size()) {
        size_t n = charLength(s, p);
        if (i < p + n) return p;
        p += n;
    }
    return s.size();
}

size_t find(std::string_view s, char c, size_t from) {
    for (size_t i = from; i < s.size(); i += charLength(s, i))
        if (s[i] == c) return i;
    return npos;
}

size_t find(std::string_view s, std::string_view sub, size_t from) {
    if (sub.empty()) return from <= s.size() ? from : npos;
    for (size_t i = from; i < s.size() && s.size() - i >= sub.size(); i += charLength(s, i))
        if (s.compare(i, sub.size(), sub) == 0) return i;
    return npos;
}

namespace {
template <typename F>
std::string mapAscii(std::string_view s, F f) {
    std::string out(s);
    for (size_t i = 0; i < out.size();) {
        size_t n = charLength(out, i);
        if (n == 1) out[i] = f(out[i]);
        i += n;
    }
    return out;
}
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool blank(char c) { return static_cast<unsigned char>(c) < 33; }
}  // namespace

std::string toUpperAscii(std::string_view s) { return mapAscii(s, upper); }
std::string toLowerAscii(std::string_view s) { return mapAscii(s, lower); }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && toLowerAscii(a) == toLowerAscii(b);
}

std::string_view trimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && blank(s[i])) ++i;
    return s.substr(i);
}

std::string_view trimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && blank(s[n - 1])) --n;
    return s.substr(0, n);
}

std::string_view trim(std::string_view s) { return trimRight(trimLeft(s)); }

std::vector<std::string> splitLines(std::string_view s) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < s.size()) {
        size_t lf = s.find('\n', start);  // LF is never a trail byte
        size_t end = lf == npos ? s.size() : lf;
        size_t len = end - start;
        if (lf != npos && len > 0 && s[end - 1] == '\r') --len;
        lines.emplace_back(s.substr(start, len));
        if (lf == npos) break;
        start = lf + 1;
    }
    return lines;
}

}  // namespace pavik::sjis
