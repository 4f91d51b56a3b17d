// The preview copy of a user's page: the preview's head, then the page from its "<body" on.
#include <gtest/gtest.h>

#include "workspace/document/doc_types.h"
#include "workspace/document/preview_copy.h"

using namespace pavik;

namespace {

const std::string kLink = "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">\r\n";

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
         "<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n<BODY class=\"a\"><p>\x83\x5C</p>\r\n</body></html>\r\n"},
        {"line ends CR, LF and CR LF; blank and indented lines kept", "<body>\r\n\r\n\t a\rb\n", 0, true,
         "<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n<body>\r\n\r\n\t a\r\nb\r\n"},
        {"the style sheet not applied: no link", "<body>", 0, false, "<HTML><HEAD>\r\n</HEAD>\r\n<body>\r\n"},
        {"a document type line first; the XML declaration on the same line", "<Body>", 10, false,
         docTypeLine(10) + "\r\n<HTML><HEAD>\r\n</HEAD>\r\n<Body>\r\n"},
        {"no body tag: the head alone", "<html><p>no body here</p></html>\r\n", 5, true,
         docTypeLine(5) + "\r\n<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n"},
        {"an empty page", "", 0, true, "<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(buildPreviewCopy(c.page, options(c.docType, c.applyCss)), c.copy) << c.what;
}

// The browser is told a Unicode page's encoding by a byte order mark; the page's own head,
// which may have declared it, is gone.
TEST(PreviewCopy, AUnicodePageIsCopiedAsUtf8AfterAByteOrderMark) {
    const std::string body = "<body>\xE3\x80\x9C\xF0\x9F\x98\x80</body>";  // a wave dash and an emoji
    const std::string expected = "\xEF\xBB\xBF<HTML><HEAD>\r\n</HEAD>\r\n" + body + "\r\n";
    const std::string head = "<head><meta charset=\"utf-8\"></head>\n";
    EXPECT_EQ(buildPreviewCopy(head + body, options(0, false)), expected);
    EXPECT_EQ(buildPreviewCopy("\xEF\xBB\xBF" + head + body, options(0, false)), expected);
    // UTF-16LE with its byte order mark: "<body>" and U+301C.
    const std::string utf16 = std::string("\xFF\xFE<\0b\0o\0d\0y\0>\0\x1C\x30", 16);
    EXPECT_EQ(buildPreviewCopy(utf16, options(0, false)), "\xEF\xBB\xBF<HTML><HEAD>\r\n</HEAD>\r\n<body>\xE3\x80\x9C\r\n");
}

}  // namespace
