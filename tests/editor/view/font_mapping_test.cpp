// Font names of the original panes mapped to installed fonts.
#include <gtest/gtest.h>

#include <set>

#include "editor/view/font_mapping.h"

namespace pavik {
namespace {

std::function<bool(const std::string&)> having(std::set<std::string> families) {
    return [families](const std::string& f) { return families.count(f) > 0; };
}

TEST(FontMappingTest, GothicNamesGoToTheBestInstalledJapaneseFont) {
    const auto all = having({"Noto Sans Mono CJK JP", "IPAGothic", "DejaVu Sans"});
    EXPECT_EQ(mapFontFamily("ＭＳ ゴシック", all, "Mono"), "Noto Sans Mono CJK JP");
    EXPECT_EQ(mapFontFamily("MS UI Gothic", all, "Mono"), "Noto Sans Mono CJK JP");
    EXPECT_EQ(mapFontFamily("MS UI Gothic", having({"IPAGothic"}), "Mono"), "IPAGothic");
    EXPECT_EQ(mapFontFamily("ＭＳ ゴシック", having({}), "Mono"), "Mono");
}

TEST(FontMappingTest, InstalledNamesStayAndOthersFallBackToMonospace) {
    const auto some = having({"Noto Sans Mono CJK JP", "DejaVu Sans"});
    EXPECT_EQ(mapFontFamily("DejaVu Sans", some, "Mono"), "DejaVu Sans");
    EXPECT_EQ(mapFontFamily("Courier New", some, "Mono"), "Mono");
    EXPECT_EQ(mapFontFamily("", some, "Mono"), "Mono");
}

}  // namespace
}  // namespace pavik
