#include "platform/text_encoding.h"

#include <algorithm>
#include <optional>

#include "platform/cp932.h"
#include "platform/file_bytes.h"

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

}  // namespace

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
std::optional<TextEncoding> detectUtf16WithoutBom(std::string_view bytes) {
    if (bytes.empty() || bytes.size() % 2 != 0 || bytes.find('\0') == std::string_view::npos) return std::nullopt;
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

}  // namespace

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf16LEBom)) return TextEncoding::Utf16LE;
    if (bytes.starts_with(kUtf16BEBom)) return TextEncoding::Utf16BE;
    if (const std::optional<TextEncoding> utf16 = detectUtf16WithoutBom(bytes)) return *utf16;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

DecodedText decodeToCp932(std::string_view bytes) {
    DecodedText result;
    result.encoding = detectEncoding(bytes);
    if (result.encoding == TextEncoding::Cp932) {
        result.cp932.assign(bytes);
        return result;
    }
    // UTF-8 is converted where it lies; only UTF-16 is made UTF-8 first.
    const bool utf16 = result.encoding != TextEncoding::Utf8 && result.encoding != TextEncoding::Utf8Bom;
    const std::string fromUtf16 = utf16 ? decodeToUtf8(bytes) : std::string();
    const std::string_view utf8 = utf16 ? std::string_view(fromUtf16)
                                        : bytes.substr(result.encoding == TextEncoding::Utf8Bom ? kUtf8Bom.size() : 0);
    Cp932Encoded encoded = encodeCp932CssEscaped(utf8);
    result.cp932 = std::move(encoded.bytes);
    result.escaped = std::move(encoded.unencodable);
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
    switch (encoding) {
        case TextEncoding::Cp932: return std::string(cp932);
        case TextEncoding::Utf8: return decodeCp932(cp932);
        case TextEncoding::Utf8Bom: return std::string(kUtf8Bom) + decodeCp932(cp932);
        case TextEncoding::Utf16LE: return std::string(kUtf16LEBom) + utf8ToUtf16(decodeCp932(cp932), false);
        case TextEncoding::Utf16BE: return std::string(kUtf16BEBom) + utf8ToUtf16(decodeCp932(cp932), true);
        case TextEncoding::Utf16LENoBom: return utf8ToUtf16(decodeCp932(cp932), false);
        case TextEncoding::Utf16BENoBom: return utf8ToUtf16(decodeCp932(cp932), true);
    }
    return std::string(cp932);
}

std::error_code readTextFile(const std::filesystem::path& file, DecodedText& out) {
    out = DecodedText();
    std::string bytes;
    if (std::error_code ec = readFileBytes(file, bytes)) return ec;
    if (detectEncoding(bytes) == TextEncoding::Cp932)
        out.cp932 = std::move(bytes);  // the text as it is, not a copy
    else
        out = decodeToCp932(bytes);
    return {};
}

std::error_code writeTextFile(const std::filesystem::path& file, std::string_view cp932, TextEncoding encoding) {
    return writeFileSaving(file, encodeFromCp932(cp932, encoding));
}

}  // namespace pavik
