#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "vocabulary/fixed_texts.h"

using namespace pavik;

namespace {
std::tm localTm(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return t;
}
}  // namespace

TEST(FixedTexts, GeneratorCommentJoinsBuildNumberWithoutBlank) {
    std::tm t = localTm(2026, 12, 8, 19, 45, 0);
    EXPECT_EQ(generatorComment(t), "/* Generator Pavik - Build155 - on 2026/12/08 19:45:00 */");
    EXPECT_EQ(generatorComment(t).rfind(std::string(GeneratorHead) + "155 - on ", 0), 0u);
    EXPECT_EQ(formatDateTime(localTm(2027, 1, 2, 9, 5, 7)), "2027/01/02 9:05:07");
    EXPECT_EQ(formatDateTime(localTm(2027, 1, 2, 0, 0, 0)), "2027/01/02 0:00:00");
}

TEST(FixedTexts, GeneratorCommentUsesLocalTimeOfTheClock) {
    std::tm t = localTm(2030, 6, 15, 12, 34, 56);
    auto now = std::chrono::system_clock::from_time_t(std::mktime(&t));
    EXPECT_EQ(generatorComment(now), "/* Generator Pavik - Build155 - on 2030/06/15 12:34:56 */");
}

TEST(FixedTexts, SavePromptShowsBareFileName) {
    EXPECT_EQ(savePrompt(SaveKind::StyleSheet, "/home/user/a/b/c/style.css"),
              "現在のスタイルシート [ style.css ] への変更を保存しますか?");
    EXPECT_EQ(savePrompt(SaveKind::HtmlPage, "page.html"),
              "現在のHTMLファイル [ page.html ] への変更を保存しますか?");
    // The texts survive the way to CP932 bytes.
    for (std::string_view s : {SavePromptCSS, SavePromptHTML, SavePromptTail})
        EXPECT_TRUE(encodeCp932(s).ok()) << s;
    EXPECT_EQ(toCp932(SavePromptTail).back(), '?');
}

TEST(FixedTexts, CaptionAndDocumentTypeStart) {
    EXPECT_EQ(mainCaption("1.0.0.155"), "Pavik - Build 1.0.0.155-");
    EXPECT_EQ(mainCaption("1.0.0.155", "/tmp/x/Site.CSS"), "Pavik - Build 1.0.0.155- [ /tmp/x/Site.CSS ]");
    EXPECT_EQ(doctypeLineStart(false), "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD ");
    EXPECT_EQ(doctypeLineStart(true),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><!DOCTYPE HTML PUBLIC \"-//W3C//DTD ");
}
