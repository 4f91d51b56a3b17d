// The preview copy of a user's page: the preview's head, then the page from its "<body" on.
#include <gtest/gtest.h>

#include "workspace/document/doc_types.h"
#include "workspace/document/preview_copy.h"

using namespace pavik;

namespace {

const std::string kLink = "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">\r\n";
const std::string kHead = "<HTML><HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n";
const std::string kHead8 = "<HTML><HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n";

SamplePageOptions options(int docType, bool applyCss) {
    SamplePageOptions o;
    o.DocType = docType;
    o.ApplyCss = applyCss;
    return o;
}

TEST(PreviewCopy, TheHeadThenThePageFromItsBodyTag) {
    struct Case {
        const char* what;
        std::string page;
        int docType;
        bool applyCss;
        std::string copy;
    };
    // "\x83\x5C" is the CP932 character ソ, whose second byte is a backslash.
    const Case cases[] = {
        {"a body tag in capitals with attributes, after other text on its line",
         "<html><head><title>t</title>\n<style>p{}</style></head>x <BODY class=\"a\"><p>\x83\x5C</p>\n</body></html>", 0, true,
         kHead + kLink + "</HEAD>\r\n<BODY class=\"a\"><p>\x83\x5C</p>\r\n</body></html>\r\n"},
        {"line ends CR, LF and CR LF; blank and indented lines kept", "<body>\r\n\r\n\t a\rb\n", 0, true,
         kHead + kLink + "</HEAD>\r\n<body>\r\n\r\n\t a\r\nb\r\n"},
        {"the style sheet not applied: no link", "<body>", 0, false, kHead + "</HEAD>\r\n<body>\r\n"},
        {"a document type line first; the XML declaration on the same line", "<Body>", 10, false,
         docTypeLine(10) + "\r\n" + kHead + "</HEAD>\r\n<Body>\r\n"},
        {"no body tag: the head alone", "<html><p>no body here</p></html>\r\n", 5, true,
         docTypeLine(5) + "\r\n" + kHead + kLink + "</HEAD>\r\n"},
        {"an empty page", "", 0, true, kHead + kLink + "</HEAD>\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(buildPreviewCopy(c.page, options(c.docType, c.applyCss)), c.copy) << c.what;
}

// The page's own head, which may have declared its encoding, is gone: the copy declares it,
// and a Unicode page's copy starts with a byte order mark too.
TEST(PreviewCopy, AUnicodePageIsCopiedAsUtf8AfterAByteOrderMark) {
    const std::string body = "<body>\xE3\x80\x9C\xF0\x9F\x98\x80</body>";  // a wave dash and an emoji
    const std::string expected = "\xEF\xBB\xBF" + kHead8 + "</HEAD>\r\n" + body + "\r\n";
    const std::string head = "<head><meta charset=\"utf-8\"></head>\n";
    EXPECT_EQ(buildPreviewCopy(head + body, options(0, false)), expected);
    EXPECT_EQ(buildPreviewCopy("\xEF\xBB\xBF" + head + body, options(0, false)), expected);
    // UTF-16LE with its byte order mark and without: "<body>" and U+301C.
    const std::string utf16 = std::string("<\0b\0o\0d\0y\0>\0\x1C\x30", 14);
    for (const std::string& page : {"\xFF\xFE" + utf16, utf16})
        EXPECT_EQ(buildPreviewCopy(page, options(0, false)), "\xEF\xBB\xBF" + kHead8 + "</HEAD>\r\n<body>\xE3\x80\x9C\r\n");
}

// A UTF-16 page is converted a block at a time: what straddles the end of a block (a
// surrogate pair, a CR LF, the body tag) comes out as it does from the same page in UTF-8.
TEST(PreviewCopy, AUtf16PageCopiesAsTheSamePageInUtf8) {
    struct Piece {
        std::string utf8, utf16le;
    };
    auto ascii = [](const std::string& s) {
        Piece p{s, {}};
        for (char c : s) p.utf16le += std::string{c, '\0'};
        return p;
    };
    const Piece emoji{"\xF0\x9F\x98\x80", std::string("\x3D\xD8\x00\xDE", 4)};
    const size_t boundary = 65536;  // units in a block
    struct Case {
        std::vector<Piece> before;
        Piece straddling;
        size_t unitsBeforeBoundary;
    };
    const Case cases[] = {
        {{ascii("<body>")}, emoji, 1},
        {{ascii("<body>")}, ascii("\r\n"), 1},
        {{ascii("<html>\n")}, ascii("<BODY>"), 3},
    };
    for (const Case& c : cases) {
        Piece page{"\xEF\xBB\xBF", "\xFF\xFE"};  // both marked: an ASCII page would pass for CP932
        size_t units = 0;
        for (const Piece& p : c.before) {
            page.utf8 += p.utf8;
            page.utf16le += p.utf16le;
            units += p.utf16le.size() / 2;
        }
        const Piece pad = ascii(std::string(boundary - c.unitsBeforeBoundary - units, 'a'));
        for (const Piece& p : {pad, c.straddling, ascii("z\nend")}) {
            page.utf8 += p.utf8;
            page.utf16le += p.utf16le;
        }
        EXPECT_EQ(buildPreviewCopy(page.utf16le, options(0, false)), buildPreviewCopy(page.utf8, options(0, false)))
            << c.straddling.utf8;
    }
}

// A document type line with an XML declaration names the encoding the copy is written in.
TEST(PreviewCopy, TheXmlDeclarationNamesTheCopysEncoding) {
    for (int item = 1; item < DocTypeCount; ++item) {
        if (!DocTypeItems[static_cast<size_t>(item)].WithXmlDeclaration) continue;
        EXPECT_TRUE(buildPreviewCopy("<body>\xE3\x80\x9C", options(item, false))
                        .starts_with("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE")) << item;
        EXPECT_TRUE(buildPreviewCopy("<body>", options(item, false)).starts_with(XmlDeclaration)) << item;
    }
}

}  // namespace
