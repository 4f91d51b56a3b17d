#include <gtest/gtest.h>
#include <cstdio>
#include <iconv.h>
#include <optional>

#include "platform/cp932.h"
#include "platform/sjis.h"

using namespace pavik;

namespace {
const std::string kMa = "\x83\x7D";  // マ: trail byte equals '}'
const std::string kBo = "\x83\x7B";  // ボ: trail byte equals '{'
}

TEST(Cp932Codec, EncodesJapaneseToPinnedBytes) {
    EXPECT_EQ(encodeCp932("エレメント").bytes, "\x83\x47\x83\x8C\x83\x81\x83\x93\x83\x67");
    EXPECT_EQ(encodeCp932("マ").bytes, kMa);
    EXPECT_EQ(encodeCp932("ボ").bytes, kBo);
    EXPECT_EQ(encodeCp932("abc").bytes, "abc");
    EXPECT_EQ(encodeCp932("ｱ").bytes, "\xB1");  // half-width katakana is one byte
}

TEST(Cp932Codec, RoundTripsTextAndReportsUnencodable) {
    for (const char* s : {"テキスト", "背景 {color: red}", "★文字の垂直位置★", "①Ⅱ㈱"}) {
        Cp932Encoded e = encodeCp932(s);
        EXPECT_TRUE(e.ok()) << s;
        EXPECT_EQ(decodeCp932(e.bytes), s);
    }
    Cp932Encoded bad = encodeCp932("a😀b€");
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.bytes, "a?b?");
    ASSERT_EQ(bad.unencodable.size(), 2u);
    EXPECT_EQ(bad.unencodable[0], "😀");
    EXPECT_EQ(bad.unencodable[1], "€");
    // Malformed UTF-8 is unencodable, not a crash.
    EXPECT_FALSE(encodeCp932("\xE3\x81").ok());
}

TEST(Cp932Codec, DecodesInvalidBytesAsReplacementWithoutSwallowingControls) {
    EXPECT_EQ(decodeCp932("\x83\n"), "\xEF\xBF\xBD\n");  // lead byte before LF stays apart
    EXPECT_EQ(decodeCp932("\xFF"), "\xEF\xBF\xBD");
    EXPECT_EQ(decodeCp932(""), "");
}

// Ill-formed UTF-8, also after ASCII runs longer than eight bytes: refused as a whole and,
// when escaped, each bad byte becomes a replacement character while the rest converts.
TEST(Cp932Codec, IllFormedUtf8IsRefusedAndItsBytesEscapedAsReplacements) {
    const std::string ascii = "0123456789abcdef";
    const struct {
        std::string utf8;
        bool valid;
        std::string escaped;
    } cases[] = {
        {ascii + "\xE3\x81\x82" + ascii, true, ascii + "\x82\xA0" + ascii},
        {ascii + "\xC0\x80", false, ascii + "\\FFFD \\FFFD "},           // overlong
        {"\xED\xA0\x80x", false, "\\FFFD \\FFFD \\FFFD x"},            // surrogate
        {"\xF4\x90\x80\x80", false, "\\FFFD \\FFFD \\FFFD \\FFFD "},  // past U+10FFFF
        {ascii + "\xE3\x81", false, ascii + "\\FFFD \\FFFD "},            // cut short
        {"\xE3\x41\x82", false, "\\FFFD A\\FFFD "},                       // bad trail byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(c.utf8), c.valid) << c.utf8;
        EXPECT_EQ(encodeCp932CssEscaped(c.utf8).bytes, c.escaped) << c.utf8;
    }
}

namespace {

// One character through iconv, as the codec converts it; nullopt when iconv refuses it.
std::optional<std::string> viaIconv(const char* to, const char* from, std::string_view ch) {
    iconv_t cd = iconv_open(to, from);
    char out[16];
    char* src = const_cast<char*>(ch.data());
    char* dst = out;
    size_t srcLeft = ch.size(), dstLeft = sizeof out;
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && dst != out;
    iconv_close(cd);
    return ok ? std::optional<std::string>(std::string(out, dst)) : std::nullopt;
}

std::string utf8Of(char32_t cp) {
    if (cp < 0x80) return std::string(1, static_cast<char>(cp));
    if (cp < 0x800) return {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
    return {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
            static_cast<char>(0x80 | (cp & 0x3F))};
}

}  // namespace

// Every character of a long text converts as iconv converts it alone, the first time it
// is met and every time after (the codec keeps what it learnt).
TEST(Cp932Codec, LongTextsConvertEachCharacterAsIconvDoes) {
    std::string cp932, expectUtf8;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x3F; trail <= 0xFC; ++trail) {  // 0x3F: no trail byte, the lead alone
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const bool leadByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
            if (!leadByte && trail > 0x3F) break;
            const std::string ch = leadByte && trail != 0x3F && trail != 0x7F ? pair : pair.substr(0, 1);
            cp932 += ch + " ";
            expectUtf8 += viaIconv("UTF-8", "CP932", ch).value_or("\xEF\xBF\xBD") + " ";
        }
    }
    EXPECT_EQ(decodeCp932(cp932), expectUtf8);
    EXPECT_EQ(decodeCp932(cp932), expectUtf8);

    std::string utf8, expectCp932;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const std::string ch = utf8Of(cp);
        const std::optional<std::string> to = viaIconv("CP932", "UTF-8", ch);
        const bool kept = to && viaIconv("UTF-8", "CP932", *to) == ch;
        utf8 += ch;
        if (kept) {
            expectCp932 += *to;
        } else {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\%X ", static_cast<unsigned>(cp));
            expectCp932 += escape;
        }
    }
    utf8 += "\xF0\x9F\x98\x80";  // beyond the plane: always an escape
    expectCp932 += "\\1F600 ";
    EXPECT_EQ(encodeCp932CssEscaped(utf8).bytes, expectCp932);
    EXPECT_EQ(encodeCp932CssEscaped(utf8).bytes, expectCp932);
}

TEST(SjisBytes, FindStepsOverTrailBytes) {
    std::string s = kMa + "}" + kBo + "{";
    EXPECT_EQ(sjis::find(s, '}'), 2u);
    EXPECT_EQ(sjis::find(s, '{'), 5u);
    EXPECT_EQ(sjis::find(s, "}" + kBo), 2u);
    EXPECT_EQ(sjis::find(s, "}{"), sjis::npos);  // the bytes 7D 83 7B... only match on a boundary
    EXPECT_FALSE(sjis::contains(kMa, '}'));
    EXPECT_TRUE(sjis::contains(s, kBo));
    EXPECT_EQ(sjis::find(s, ""), 0u);
    EXPECT_EQ(sjis::charStart(s, 1), 0u);
    EXPECT_EQ(sjis::charStart(s, 2), 2u);
}

TEST(SjisBytes, CaseChangeLeavesTrailBytesAlone) {
    // "ア" is 83 41: its trail byte is 'A' and must not become 'a'.
    std::string a = "\x83\x41";
    EXPECT_EQ(sjis::toLowerAscii("DIV" + a + "Z"), "div" + a + "z");
    // "ヂ" is 83 61: trail byte 'a'.
    std::string di = "\x83\x61";
    EXPECT_EQ(sjis::toUpperAscii("h1" + di), "H1" + di);
    EXPECT_TRUE(sjis::equalsIgnoreCase("Preview", "PREVIEW"));
    EXPECT_FALSE(sjis::equalsIgnoreCase(a, "\x83\x61"));
}

TEST(SjisBytes, TrimAndSplitLines) {
    EXPECT_EQ(sjis::trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(sjis::trim("   "), "");
    EXPECT_EQ(sjis::trimLeft("  x "), "x ");
    EXPECT_EQ(sjis::trimRight("  x "), "  x");
    using V = std::vector<std::string>;
    EXPECT_EQ(sjis::splitLines("a\r\nb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(sjis::splitLines("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(sjis::splitLines(""), V{});
    EXPECT_EQ(sjis::splitLines("a\rb\n"), (V{"a\rb"}));  // a lone CR is kept
}
