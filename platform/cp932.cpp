#include "platform/cp932.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <optional>
#include <stdexcept>

namespace pavik {
namespace {

// One iconv descriptor per direction and call; iconv_t is not shareable across threads.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts one chunk; returns false when the input was rejected (EILSEQ or EINVAL).
    bool convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[64];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, dst - buf);
        return true;
    }

private:
    iconv_t cd_;
};

size_t utf8Length(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 0;
}

// Where the run of ASCII bytes from `i` ends, eight bytes at a time.
size_t asciiRunEnd(std::string_view s, size_t i) {
    constexpr std::uint64_t highs = 0x8080808080808080u;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        if (w & highs) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

// The length of the well-formed UTF-8 character at s[i] (a lead byte), or 0: bad trail
// bytes, cut short, an overlong form, a surrogate or a code point past U+10FFFF.
[[gnu::always_inline]] inline size_t wellFormedLength(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len;
    char32_t cp, min;
    if ((c & 0xE0) == 0xC0) len = 2, cp = c & 0x1F, min = 0x80;
    else if ((c & 0xF0) == 0xE0) len = 3, cp = c & 0x0F, min = 0x800;
    else if ((c & 0xF8) == 0xF0) len = 4, cp = c & 0x07, min = 0x10000;
    else return 0;
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (t & 0x3F);
    }
    return cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? 0 : len;
}

// The code point of one well-formed UTF-8 character.
char32_t codePoint(std::string_view ch) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t cp = static_cast<unsigned char>(ch[0]) & kLeadMask[ch.size()];
    for (size_t k = 1; k < ch.size(); ++k) cp = cp << 6 | (static_cast<unsigned char>(ch[k]) & 0x3F);
    return cp;
}

std::string upperHex(char32_t cp) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[cp & 0xF]);
        cp >>= 4;
    } while (cp != 0);
    return digits;
}

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// What iconv makes of one character never changes, so each answer is kept for the rest of
// the run: a big text costs one iconv call per distinct character, not per character.
// An entry is 0 until known, then 0x80000000 | length << 24 | the bytes (at most 3), the
// first byte lowest. Threads may fill an entry at the same time: they store the same value.
class Memo {
public:
    static constexpr std::uint32_t Known = 0x80000000u;

    explicit Memo(size_t size) : entries_(std::make_unique<std::atomic<std::uint32_t>[]>(size)) {}

    template <class Compute>
    std::uint32_t get(size_t key, Compute compute) {
        std::uint32_t e = entries_[key].load(std::memory_order_relaxed);
        if (e == 0) {
            e = compute();
            entries_[key].store(e, std::memory_order_relaxed);
        }
        return e;
    }

    // An entry for `bytes` (at most 3); an empty view stands for "none".
    static std::uint32_t pack(std::string_view bytes) {
        std::uint32_t e = Known | static_cast<std::uint32_t>(bytes.size()) << 24;
        for (size_t k = 0; k < bytes.size(); ++k) e |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k])) << (8 * k);
        return e;
    }
    static void append(std::string& out, std::uint32_t e) {
        const char bytes[3] = {static_cast<char>(e), static_cast<char>(e >> 8), static_cast<char>(e >> 16)};
        out.append(bytes, e >> 24 & 0x3);
    }
    static bool empty(std::uint32_t e) { return (e >> 24 & 0x3) == 0; }

private:
    std::unique_ptr<std::atomic<std::uint32_t>[]> entries_;
};

// CP932 for each code point of the Basic Multilingual Plane, as encodeCp932CssEscaped takes
// it (none: the character becomes its escape).
Memo& escapedMemo() {
    static Memo memo(0x10000);
    return memo;
}

// UTF-8 for each single byte from 0x80 and each pair with a lead byte (none: U+FFFD).
Memo& decodeMemo() {
    static Memo memo(0x8000);
    return memo;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            i = asciiRunEnd(s, i + 1);
            continue;
        }
        const size_t len = wellFormedLength(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

Cp932Encoded encodeCp932(std::string_view utf8) {
    Cp932Encoded result;
    result.bytes.reserve(utf8.size());
    Iconv cv("CP932", "UTF-8");
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {  // ASCII maps to itself
            result.bytes.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        size_t len = utf8Length(c);
        if (len == 0 || i + len > utf8.size()) len = 1;
        std::string_view ch = utf8.substr(i, len);
        std::string out;
        if (utf8Length(c) == len && cv.convert(ch, out) && !out.empty()) {
            result.bytes += out;
        } else {
            result.bytes.push_back('?');
            result.unencodable.emplace_back(ch);
        }
        i += len;
    }
    return result;
}

std::string cssEscape(char32_t codePoint) { return "\\" + upperHex(codePoint) + " "; }

std::string htmlReference(char32_t codePoint) { return "&#x" + upperHex(codePoint) + ";"; }

Cp932Encoded encodeCp932CssEscaped(std::string_view utf8) { return encodeCp932Escaped(utf8, cssEscape); }

Cp932Encoded encodeCp932Escaped(std::string_view utf8, const std::function<std::string(char32_t)>& escape) {
    Cp932Encoded result;
    result.bytes.reserve(utf8.size());
    struct Both {
        Iconv to{"CP932", "UTF-8"};
        Iconv back{"UTF-8", "CP932"};
    };
    std::optional<Both> iconvs;  // opened at the first character not known yet
    std::string out, again;
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            const size_t end = asciiRunEnd(utf8, i + 1);
            result.bytes.append(utf8.substr(i, end - i));
            i = end;
            continue;
        }
        const size_t len = wellFormedLength(utf8, i);
        if (len == 0) {
            result.bytes += escape(0xFFFD);
            result.unencodable.emplace_back("\xEF\xBF\xBD");
            ++i;
            continue;
        }
        const std::string_view ch = utf8.substr(i, len);
        auto convert = [&] {
            if (!iconvs) iconvs.emplace();
            out.clear();
            again.clear();
            const bool ok = iconvs->to.convert(ch, out) && !out.empty() && out.size() <= 3 &&
                            iconvs->back.convert(out, again) && again == ch;
            return Memo::pack(ok ? std::string_view(out) : std::string_view());
        };
        const char32_t cp = codePoint(ch);
        const std::uint32_t e = cp < 0x10000 ? escapedMemo().get(cp, convert) : convert();
        if (!Memo::empty(e)) {
            Memo::append(result.bytes, e);
        } else {
            result.bytes += escape(cp);
            result.unencodable.emplace_back(ch);
        }
        i += len;
    }
    return result;
}

namespace {

// Calls take(entry) for each character of CP932 text that is not ASCII, with its decode
// memo entry (empty when it does not decode), and takeAscii(byte) for each ASCII byte; stops
// at the first false either returns.
template <class TakeAscii, class Take>
bool eachCharacter(std::string_view cp932, TakeAscii takeAscii, Take take) {
    std::optional<Iconv> cv;  // opened at the first character not known yet
    size_t i = 0;
    while (i < cp932.size()) {
        unsigned char c = static_cast<unsigned char>(cp932[i]);
        if (c < 0x80) {
            const size_t end = asciiRunEnd(cp932, i + 1);
            if (!takeAscii(cp932.substr(i, end - i))) return false;
            i = end;
            continue;
        }
        const unsigned char next = i + 1 < cp932.size() ? static_cast<unsigned char>(cp932[i + 1]) : 0;
        const size_t len = isLead(c) && isTrail(next) ? 2 : 1;
        const size_t key = static_cast<size_t>(c - 0x80) << 8 | (len == 2 ? next : 0);
        const std::uint32_t e = decodeMemo().get(key, [&] {
            if (!cv) cv.emplace("UTF-8", "CP932");
            std::string out;
            const bool ok = cv->convert(cp932.substr(i, len), out) && !out.empty() && out.size() <= 3;
            return Memo::pack(ok ? std::string_view(out) : std::string_view());
        });
        if (!take(e)) return false;
        i += len;
    }
    return true;
}

}  // namespace

std::string decodeCp932(std::string_view cp932) {
    std::string result;
    result.reserve(cp932.size() * 3 / 2);
    eachCharacter(
        cp932, [&](std::string_view ascii) { return result.append(ascii), true; },
        [&](std::uint32_t e) {
            if (!Memo::empty(e))
                Memo::append(result, e);
            else
                result += "\xEF\xBF\xBD";
            return true;
        });
    return result;
}

bool decodesWhole(std::string_view cp932) {
    return eachCharacter(cp932, [](std::string_view) { return true; }, [](std::uint32_t e) { return !Memo::empty(e); });
}

}  // namespace pavik
