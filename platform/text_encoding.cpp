#include "platform/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/cp932.h"
#include "platform/file_bytes.h"
#include "platform/sjis.h"

namespace pavik {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | cp >> 6));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | cp >> 12));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | cp >> 18));
        out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16 code units to UTF-8. A lone surrogate or an odd last byte becomes U+FFFD, which
// CP932 cannot hold, so it is escaped and reported like any such character.
std::string utf16ToUtf8(std::string_view units, bool bigEndian) {
    std::string out;
    out.reserve(units.size() * 3 / 2);
    auto unit = [&](size_t at) -> char32_t {
        const unsigned char a = static_cast<unsigned char>(units[at]);
        const unsigned char b = static_cast<unsigned char>(units[at + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    size_t i = 0;
    while (i + 1 < units.size()) {
        char32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && unit(i) >= 0xDC00 && unit(i) <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (unit(i) - 0xDC00);
            i += 2;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = 0xFFFD;
        }
        appendUtf8(out, u);
    }
    if (i < units.size()) appendUtf8(out, 0xFFFD);
    return out;
}

void appendUtf16(std::string& out, char32_t unit, bool bigEndian) {
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
}

// Well-formed UTF-8 (as decodeCp932 gives) to UTF-16 code units.
std::string utf8ToUtf16(std::string_view s, bool bigEndian) {
    std::string out;
    out.reserve(s.size() * 2);
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
        len = std::min(len, s.size() - i);
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += len;
        if (cp >= 0x10000) {
            appendUtf16(out, 0xD800 + ((cp - 0x10000) >> 10), bigEndian);
            appendUtf16(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), bigEndian);
        } else {
            appendUtf16(out, cp, bigEndian);
        }
    }
    return out;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// The digits a CSS escape takes at most.
constexpr size_t kMaxEscapeDigits = 6;

// Every leading part, as written, of the hexadecimal digits after each backslash of texts
// (CP932 texts stepped by whole characters, UTF-8 byte by byte): an escape whose digits are
// among them may stand in the text already, or come out of it once blanks change.
class HeldEscapeDigits {
public:
    void add(std::string_view text, bool cp932) {
        for (size_t i = 0; i < text.size(); i += cp932 ? sjis::charLength(text, i) : 1) {
            // UTF-8 has no trail byte that reads as a backslash: straight to the next one.
            if (!cp932 && (i = text.find('\\', i)) == std::string_view::npos) return;
            if (text[i] != '\\') continue;
            for (size_t k = i + 1; k < text.size() && k - i <= kMaxEscapeDigits && isHexDigit(text[k]); ++k)
                held_.emplace(text.substr(i + 1, k - i));
        }
    }
    bool holds(const std::string& digits) const { return held_.count(digits) > 0; }

private:
    std::unordered_set<std::string> held_;
};

// Makes the CSS escapes of characters CP932 cannot hold, each in a form the texts do not
// hold: "\1F600 ", else with more leading zeros or in lower case. Each character keeps the
// form it got first; new ones join `made`. When every form is taken, the escape is the
// plain one and is not listed, so it stays an escape when written.
class EscapeMaker {
public:
    EscapeMaker(const HeldEscapeDigits& held, std::vector<MadeEscape>& made) : held_(held), made_(made) {
        for (size_t i = 0; i < made_.size(); ++i) byCharacter_.emplace(made_[i].character, i);
    }

    std::string operator()(char32_t cp) {
        std::string character;
        appendUtf8(character, cp);
        if (auto it = byCharacter_.find(character); it != byCharacter_.end()) return made_[it->second].escape;
        const std::string upper = cssEscape(cp).substr(1, std::string::npos);
        const std::string hex = upper.substr(0, upper.size() - 1);
        std::string lower = hex;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'F' ? c + 32 : c; });
        for (size_t width = hex.size(); width <= kMaxEscapeDigits; ++width) {
            for (const std::string* digits : {&hex, static_cast<const std::string*>(&lower)}) {
                const std::string d = std::string(width - hex.size(), '0') + *digits;
                if (held_.holds(d)) continue;
                byCharacter_.emplace(character, made_.size());
                made_.push_back({"\\" + d + " ", character});
                return made_.back().escape;
            }
        }
        return cssEscape(cp);
    }

private:
    const HeldEscapeDigits& held_;
    std::vector<MadeEscape>& made_;
    std::unordered_map<std::string, size_t> byCharacter_;
};

// UTF-8 text with each escape of `escapes` that stands in it replaced by its character.
void restoreEscapes(std::string& text, const std::vector<MadeEscape>& escapes) {
    if (escapes.empty()) return;
    std::unordered_map<std::string_view, std::string_view> character;
    for (const MadeEscape& m : escapes) character.emplace(m.escape, m.character);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        // A backslash is never part of a longer UTF-8 character.
        if (text[i] == '\\') {
            size_t k = i + 1;
            while (k < text.size() && k - i <= kMaxEscapeDigits && isHexDigit(text[k])) ++k;
            if (k < text.size() && text[k] == ' ') {
                if (auto it = character.find(std::string_view(text).substr(i, k + 1 - i)); it != character.end()) {
                    out += it->second;
                    i = k + 1;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    text = std::move(out);
}

void crLfToLf(std::string& text) {
    size_t to = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        text[to++] = text[i];
    }
    text.resize(to);
}

}  // namespace

namespace {

// What one pass over a file's bytes finds, eight bytes at a time: whether they are all ASCII,
// whether one is zero, and the first line end (CR and LF are never trail bytes).
struct ByteScan {
    bool ascii = true;
    bool zero = false;
    size_t lineEnd = std::string_view::npos;
};

ByteScan scanBytes(std::string_view bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    const auto hasZero = [](std::uint64_t w) { return ((w - ones) & ~w & highs) != 0; };
    ByteScan scan;
    std::uint64_t high = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        high |= w;
        if (hasZero(w)) scan.zero = true;
        if (scan.lineEnd == std::string_view::npos && (hasZero(w ^ (ones * '\r')) || hasZero(w ^ (ones * '\n')))) {
            for (size_t k = i; k < i + 8; ++k)
                if (bytes[k] == '\r' || bytes[k] == '\n') {
                    scan.lineEnd = k;
                    break;
                }
        }
    }
    for (; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        high |= c;
        if (c == 0) scan.zero = true;
        if (scan.lineEnd == std::string_view::npos && (c == '\r' || c == '\n')) scan.lineEnd = i;
    }
    scan.ascii = (high & highs) == 0;
    return scan;
}

LineEnd lineEndAt(std::string_view text, size_t at) {
    return at != std::string_view::npos && text[at] == '\n' ? LineEnd::Lf : LineEnd::CrLf;
}

}  // namespace

LineEnd detectLineEnd(std::string_view text) {
    const size_t cr = text.find('\r');  // never trail bytes
    const size_t lf = text.substr(0, cr).find('\n');
    return lineEndAt(text, std::min(cr, lf));
}

Cp932Encoded encodeCssEscapedInto(std::string_view utf8, std::string_view cp932Context,
                                  std::vector<MadeEscape>& made) {
    HeldEscapeDigits held;
    held.add(cp932Context, true);
    held.add(utf8, false);
    EscapeMaker maker(held, made);
    return encodeCp932Escaped(utf8, [&maker](char32_t cp) { return maker(cp); });
}

std::string_view encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932: return "Shift_JIS";
        case TextEncoding::Utf8: return "UTF-8";
        case TextEncoding::Utf8Bom: return "UTF-8 BOM";
        case TextEncoding::Utf16LE: return "UTF-16LE";
        case TextEncoding::Utf16BE: return "UTF-16BE";
        case TextEncoding::Utf16LENoBom: return "UTF-16LE";
        case TextEncoding::Utf16BENoBom: return "UTF-16BE";
    }
    return "";
}

namespace {

// UTF-16 without a byte order mark: ASCII in pairs with one zero byte (see the header).
std::optional<TextEncoding> detectUtf16WithoutBom(std::string_view bytes, bool zero) {
    if (bytes.empty() || bytes.size() % 2 != 0 || !zero) return std::nullopt;
    size_t le = 0, be = 0;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        if (a == 0 && b == 0) return std::nullopt;
        if (b == 0 && a < 0x80) ++le;
        if (a == 0 && b < 0x80) ++be;
    }
    const size_t pairs = bytes.size() / 2;
    if (le * 4 >= pairs && le > 2 * be) return TextEncoding::Utf16LENoBom;
    if (be * 4 >= pairs && be > 2 * le) return TextEncoding::Utf16BENoBom;
    return std::nullopt;
}

// The encoding, from a scan of the bytes.
TextEncoding encodingOf(std::string_view bytes, const ByteScan& scan) {
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf16LEBom)) return TextEncoding::Utf16LE;
    if (bytes.starts_with(kUtf16BEBom)) return TextEncoding::Utf16BE;
    if (const std::optional<TextEncoding> utf16 = detectUtf16WithoutBom(bytes, scan.zero)) return *utf16;
    return !scan.ascii && isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

}  // namespace

TextEncoding detectEncoding(std::string_view bytes) { return encodingOf(bytes, scanBytes(bytes)); }

DecodedText decodeToCp932(std::string_view bytes) { return decodeToCp932(bytes, detectEncoding(bytes)); }

DecodedText decodeToCp932(std::string_view bytes, TextEncoding encoding) {
    DecodedText result;
    result.encoding = encoding;
    if (result.encoding == TextEncoding::Cp932) {
        result.cp932.assign(bytes);
    } else {
        // UTF-8 is converted where it lies; only UTF-16 is made UTF-8 first.
        const bool utf16 = result.encoding != TextEncoding::Utf8 && result.encoding != TextEncoding::Utf8Bom;
        const std::string fromUtf16 = utf16 ? decodeToUtf8(bytes) : std::string();
        const size_t bom = result.encoding == TextEncoding::Utf8Bom ? kUtf8Bom.size() : 0;
        const std::string_view utf8 = utf16 ? std::string_view(fromUtf16) : bytes.substr(bom);
        HeldEscapeDigits held;
        held.add(utf8, false);
        EscapeMaker maker(held, result.madeEscapes);
        Cp932Encoded encoded = encodeCp932Escaped(utf8, [&maker](char32_t cp) { return maker(cp); });
        result.cp932 = std::move(encoded.bytes);
        result.escaped = std::move(encoded.unencodable);
    }
    result.lineEnd = detectLineEnd(result.cp932);
    return result;
}

bool isEditableCp932(std::string_view cp932) {
    return cp932.find('\0') == std::string_view::npos && decodesWhole(cp932);
}

std::string decodeToUtf8(std::string_view bytes) {
    switch (detectEncoding(bytes)) {
        case TextEncoding::Cp932: return decodeCp932(bytes);
        case TextEncoding::Utf8: return std::string(bytes);
        case TextEncoding::Utf8Bom: return std::string(bytes.substr(kUtf8Bom.size()));
        case TextEncoding::Utf16LE: return utf16ToUtf8(bytes.substr(2), false);
        case TextEncoding::Utf16BE: return utf16ToUtf8(bytes.substr(2), true);
        case TextEncoding::Utf16LENoBom: return utf16ToUtf8(bytes, false);
        case TextEncoding::Utf16BENoBom: return utf16ToUtf8(bytes, true);
    }
    return std::string(bytes);
}

std::string encodeFromCp932(std::string_view cp932, TextEncoding encoding) {
    return encodeForFile(cp932, {encoding, LineEnd::CrLf, {}});
}

std::string encodeForFile(std::string_view cp932, const TextForm& form) {
    std::string text;
    if (form.encoding == TextEncoding::Cp932) {
        text.assign(cp932);
    } else {
        text = decodeCp932(cp932);
        restoreEscapes(text, form.escapes);
    }
    if (form.lineEnd == LineEnd::Lf) crLfToLf(text);
    switch (form.encoding) {
        case TextEncoding::Cp932:
        case TextEncoding::Utf8: return text;
        case TextEncoding::Utf8Bom: return std::string(kUtf8Bom) + text;
        case TextEncoding::Utf16LE: return std::string(kUtf16LEBom) + utf8ToUtf16(text, false);
        case TextEncoding::Utf16BE: return std::string(kUtf16BEBom) + utf8ToUtf16(text, true);
        case TextEncoding::Utf16LENoBom: return utf8ToUtf16(text, false);
        case TextEncoding::Utf16BENoBom: return utf8ToUtf16(text, true);
    }
    return text;
}

std::error_code readTextFile(const std::filesystem::path& file, DecodedText& out) {
    out = DecodedText();
    std::string bytes;
    if (std::error_code ec = readFileBytes(file, bytes)) return ec;
    const ByteScan scan = scanBytes(bytes);
    const TextEncoding encoding = encodingOf(bytes, scan);
    if (encoding == TextEncoding::Cp932) {
        out.lineEnd = lineEndAt(bytes, scan.lineEnd);
        out.cp932 = std::move(bytes);  // the text as it is, not a copy
    } else {
        out = decodeToCp932(bytes, encoding);
    }
    return {};
}

std::error_code writeTextFile(const std::filesystem::path& file, std::string_view cp932, const TextForm& form) {
    return writeFileSaving(file, encodeForFile(cp932, form));
}

}  // namespace pavik
