// Files in UTF-8 or UTF-16 become CP932 inside and go back to their own encoding.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/text_encoding.h"

using namespace pavik;

namespace {

const std::string kBom8 = "\xEF\xBB\xBF";
// "メイリオ" in UTF-8 and in CP932; the CP932 "リ" (83 8A) is no trail byte problem, but
// "ソ" (83 5C) ends in a backslash and "表" (95 5C) too.
const std::string kMeiryo8 = "メイリオ";
const std::string kMeiryoSjis = "\x83\x81\x83\x43\x83\x8A\x83\x49";

std::string utf16le(std::u16string_view s) {
    std::string out;
    for (char16_t u : s) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}
std::string utf16be(std::u16string_view s) {
    std::string out;
    for (char16_t u : s) {
        out.push_back(static_cast<char>(u >> 8));
        out.push_back(static_cast<char>(u & 0xFF));
    }
    return out;
}

}  // namespace

// UTF-16 without a byte order mark is told by its ASCII in pairs with one zero byte. Text
// that is none of the encodings is not editable as CP932.
TEST(TextEncoding, EncodingIsFoundByByteOrderMarkOrValidUtf8OrZeroBytePairs) {
    const std::u16string japanese = u"/* 一二三上下、表示 */\r\nP{}\r\n";  // U+4E00 is 00 4E in UTF-16LE
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding expected;
        bool editable = true;
    };
    for (const Case& c : {
             Case{"ASCII only", "H1 { color: red }", TextEncoding::Cp932},
             Case{"empty", "", TextEncoding::Cp932},
             Case{"UTF-8 Japanese", "/* 見出し */ H1 {}", TextEncoding::Utf8},
             Case{"UTF-8 with BOM", kBom8 + "H1 {}", TextEncoding::Utf8Bom},
             Case{"CP932 Japanese", "/* " + kMeiryoSjis + " */", TextEncoding::Cp932},
             Case{"overlong UTF-8 (two CP932 characters)", "\xC0\xBB", TextEncoding::Cp932},
             Case{"UTF-8 cut short", "\xE3\x81", TextEncoding::Cp932},
             Case{"Latin-1", "caf\xE9 au lait", TextEncoding::Cp932, false},
             Case{"UTF-16LE", "\xFF\xFE" + utf16le(u"a"), TextEncoding::Utf16LE},
             Case{"UTF-16BE", "\xFE\xFF" + utf16be(u"a"), TextEncoding::Utf16BE},
             Case{"UTF-16LE without BOM", utf16le(u"P { color: red }\r\n"), TextEncoding::Utf16LENoBom},
             Case{"UTF-16BE without BOM", utf16be(u"P { color: red }\r\n"), TextEncoding::Utf16BENoBom},
             Case{"UTF-16LE without BOM, mostly Japanese", utf16le(japanese), TextEncoding::Utf16LENoBom},
             Case{"UTF-16BE without BOM, mostly Japanese", utf16be(japanese), TextEncoding::Utf16BENoBom},
             Case{"a zero byte in CP932", std::string("P { }\r\n\0P { }\r\n", 15), TextEncoding::Cp932, false},
             Case{"UTF-16LE of odd length", utf16le(u"P { }") + "x", TextEncoding::Cp932, false},
             Case{"UTF-16LE holding U+0000", utf16le(std::u16string(u"P\0{}", 4)), TextEncoding::Cp932, false},
         }) {
        EXPECT_EQ(detectEncoding(c.bytes), c.expected) << c.what;
        EXPECT_EQ(isEditableCp932(decodeToCp932(c.bytes).cp932), c.editable) << c.what;
    }
}

// A file is looked at once, eight bytes at a time: what it holds counts wherever it stands.
TEST(TextEncoding, ReadingFindsEncodingAndFirstLineEndAnywhereInTheFile) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("pavik_text_" + std::to_string(::getpid()) + ".css");
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        LineEnd lineEnd;
    };
    for (const Case& c : {
             Case{"LF in the first eight bytes", "a{}\nb{}\r\n", TextEncoding::Cp932, LineEnd::Lf},
             Case{"CR LF after them", "0123456789ab{}\r\nc\n", TextEncoding::Cp932, LineEnd::CrLf},
             Case{"LF in the last bytes, after whole words", "0123456789abcdef{}\n", TextEncoding::Cp932, LineEnd::Lf},
             Case{"no line end", std::string(100, 'x'), TextEncoding::Cp932, LineEnd::CrLf},
             Case{"UTF-8 past the first words", "0123456789abcdef/* " + kMeiryo8 + " */\n", TextEncoding::Utf8, LineEnd::Lf},
             Case{"UTF-16 without BOM, zero bytes past them", utf16le(u"P { color: red }\n"), TextEncoding::Utf16LENoBom,
                  LineEnd::Lf},
         }) {
        std::ofstream(file, std::ios::binary) << c.bytes;
        DecodedText d;
        ASSERT_FALSE(readTextFile(file, d)) << c.what;
        EXPECT_EQ(d.encoding, c.encoding) << c.what;
        EXPECT_EQ(d.lineEnd, c.lineEnd) << c.what;
    }
    std::filesystem::remove(file);
}

TEST(TextEncoding, UnchangedTextRoundTripsByteForByte) {
    // "ソ" and "表" end in 5C in CP932; "{" after them must stay a brace.
    const std::u16string text16 = u"/* ソ表 */\r\nP { font-family: \"メイリオ\"; content: \"①\" }\r\n";
    const std::string text8 = "/* ソ表 */\r\nP { font-family: \"メイリオ\"; content: \"①\" }\r\n";
    struct Case {
        const char* what;
        std::string file;
        TextEncoding encoding;
    };
    for (const Case& c : {Case{"UTF-8", text8, TextEncoding::Utf8},
                          Case{"UTF-8 BOM", kBom8 + text8, TextEncoding::Utf8Bom},
                          Case{"UTF-16LE", "\xFF\xFE" + utf16le(text16), TextEncoding::Utf16LE},
                          Case{"UTF-16BE", "\xFE\xFF" + utf16be(text16), TextEncoding::Utf16BE},
                          Case{"UTF-16LE without BOM", utf16le(text16), TextEncoding::Utf16LENoBom},
                          Case{"CP932", "/* \x83\x5C */ " + kMeiryoSjis + "\xFF\x80", TextEncoding::Cp932}}) {
        DecodedText d = decodeToCp932(c.file);
        EXPECT_EQ(d.encoding, c.encoding) << c.what;
        EXPECT_TRUE(d.escaped.empty()) << c.what;
        EXPECT_EQ(encodeFromCp932(d.cp932, d.encoding), c.file) << c.what;
        if (c.encoding != TextEncoding::Cp932) {
            EXPECT_NE(d.cp932.find("\"" + kMeiryoSjis + "\""), std::string::npos) << c.what;
            EXPECT_EQ(d.cp932.find('\0'), std::string::npos) << c.what;
        }
    }
}

// Reading escapes what CP932 cannot hold in a form the file does not hold; writing turns
// just those escapes back into the characters, and LF files get LF again.
TEST(TextEncoding, EscapesMadeOnReadingComeBackAsTheCharactersTheFilesOwnStay) {
    struct Case {
        const char* what;
        std::string file, cp932;
        LineEnd lineEnd;
    };
    for (const Case& c : {
             // U+301C has no CP932 form of its own (it would come back as U+FF5E): escaped too.
             Case{"plain forms", "P { content: \"😀€\" } /* 〜 */", "P { content: \"\\1F600 \\20AC \" } /* \\301C  */",
                  LineEnd::CrLf},
             Case{"the file holds the plain form", "/* \\1F600 */\r\n😀", "/* \\1F600 */\r\n\\1f600 ", LineEnd::CrLf},
             Case{"and the lower-case one", "\\1F600A \\1f600\n😀\n", "\\1F600A \\1f600\n\\01F600 \n", LineEnd::Lf},
             Case{"after a backslash of the file", "\\😀\n", "\\\\1F600 \n", LineEnd::Lf},
             Case{"UTF-16 with LF", "\xFF\xFE" + utf16le(u"a\n\U0001F600"), "a\n\\1F600 ", LineEnd::Lf},
         }) {
        const DecodedText d = decodeToCp932(c.file);
        EXPECT_EQ(d.cp932, c.cp932) << c.what;
        EXPECT_EQ(d.lineEnd, c.lineEnd) << c.what;
        std::string inside = d.cp932;  // the program works with CR LF
        for (size_t at = 0; (at = inside.find('\n', at)) != std::string::npos; at += 2)
            if (at == 0 || inside[at - 1] != '\r') inside.insert(at, 1, '\r');
        EXPECT_EQ(encodeForFile(inside, d.form()), c.file) << c.what;
        EXPECT_EQ(encodeFromCp932(d.cp932, d.encoding), encodeForFile(d.cp932, {d.encoding, LineEnd::CrLf, {}})) << c.what;
    }
    EXPECT_EQ(decodeToCp932("😀€").escaped, (std::vector<std::string>{"😀", "€"}));
    EXPECT_EQ(detectLineEnd("a\rb\nc"), LineEnd::CrLf);
    EXPECT_EQ(encodeForFile("a\r\nb", {TextEncoding::Cp932, LineEnd::Lf, {}}), "a\nb");

    // Pasted text: the form the character has already, else one the text around does not hold.
    std::vector<MadeEscape> made = {{"\\1f600 ", "😀"}};
    const Cp932Encoded pasted = encodeCssEscapedInto("😀✓", "a { b: \\2713 }", made);
    EXPECT_EQ(pasted.bytes, "\\1f600 \\02713 ");
    EXPECT_EQ(pasted.unencodable, (std::vector<std::string>{"😀", "✓"}));
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(encodeForFile("\\02713 \\2713 ", {TextEncoding::Utf8, LineEnd::CrLf, made}), "✓\\2713 ");
}

TEST(TextEncoding, BrokenUtf16BecomesReplacementCharacters) {
    // UTF-16: a surrogate pair is one character; a lone surrogate and an odd last byte are
    // replacement characters.
    DecodedText u = decodeToCp932("\xFF\xFE" + utf16le(u"a\U0001F600b") + utf16le(std::u16string(1, char16_t(0xD800))) + "x");
    EXPECT_EQ(u.cp932, "a\\1F600 b\\FFFD \\FFFD ");
    EXPECT_EQ(u.escaped.size(), 3u);
    EXPECT_EQ(encodeFromCp932("a\x83\x5C", TextEncoding::Utf16BE), "\xFE\xFF" + utf16be(u"aソ"));
}
