#include "editor/view/glyph_table.h"

#include <iconv.h>

#include <cstring>

#include "platform/sjis.h"

namespace pavik {

namespace {

// Decodes one character alone; 0 when it does not come out as exactly one code point.
char32_t decodeAlone(iconv_t cd, const char* bytes, size_t len) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2];
    std::memcpy(in, bytes, len);
    char* src = in;
    size_t srcLeft = len;
    unsigned char out[16];
    char* dst = reinterpret_cast<char*>(out);
    size_t dstLeft = sizeof out;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
        return 0;
    if (sizeof out - dstLeft != 4) return 0;
    const char32_t cp = static_cast<char32_t>(out[0]) | (static_cast<char32_t>(out[1]) << 8) |
                        (static_cast<char32_t>(out[2]) << 16) | (static_cast<char32_t>(out[3]) << 24);
    // Controls and the replacement character draw nothing useful.
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0xFFFD) return 0;
    return cp;
}

}  // namespace

const Cp932GlyphTable& Cp932GlyphTable::instance() {
    static const Cp932GlyphTable table;
    return table;
}

Cp932GlyphTable::Cp932GlyphTable() : pairs_(65536, 0) {
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter only ASCII can be shown.
        for (int b = 0x20; b < 0x7F; ++b) singles_[b] = static_cast<char32_t>(b);
        return;
    }
    for (int b = 0; b < 256; ++b) {
        if (sjis::isLeadByte(static_cast<unsigned char>(b))) continue;
        const char c = static_cast<char>(b);
        singles_[b] = decodeAlone(cd, &c, 1);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!sjis::isTrailByte(static_cast<unsigned char>(trail))) continue;
            const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            pairs_[(static_cast<unsigned>(lead) << 8) | static_cast<unsigned>(trail)] =
                decodeAlone(cd, two, 2);
        }
    }
    iconv_close(cd);
}

char32_t Cp932GlyphTable::decode(std::string_view ch) const {
    if (ch.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(ch[0]);
    if (ch.size() >= 2 && sjis::isLeadByte(b0)) return pair(b0, static_cast<unsigned char>(ch[1]));
    return single(b0);
}

}  // namespace pavik
