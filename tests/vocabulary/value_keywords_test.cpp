#include <gtest/gtest.h>

#include <set>

#include "vocabulary/element_tables.h"
#include "vocabulary/value_keywords.h"

using namespace pavik;

namespace {
using Items = std::vector<std::string>;
const std::string Head = "\r\n----\r\n";
}  // namespace

TEST(ValueKeywords, PanelNamesAreKnownProperties) {
    for (std::string_view name : SizeAttrNames) EXPECT_GE(attrIndex(name), 0) << name;
    // These keyword properties are offered without being in the property table.
    const std::set<std::string_view> extra = {"ime-mode", "direction", "unicode-bidi",
                                              "page-break-after", "page-break-before"};
    for (std::string_view name : KeywordAttrNames) {
        if (!name.empty() && !extra.count(name)) {
            EXPECT_GE(attrIndex(name), 0) << name;
        }
    }
    EXPECT_EQ(sizeAttrIndex("zoom"), 28);
    EXPECT_EQ(keywordAttrIndex("border-style"), 43);
    EXPECT_EQ(keywordAttrIndex("color"), -1);
}

TEST(ValueKeywords, LengthPanels) {
    ValuePanelFill f = sizeAttrPanelFill(sizeAttrIndex("vertical-align"));
    EXPECT_TRUE(f.useSizeSelect && f.useCombo1 && f.useMemo);
    EXPECT_FALSE(f.useCombo2);
    EXPECT_EQ(f.combo1, (Items{"", "baseline", "super", "sub", "top", "middle", "bottom"}));
    EXPECT_EQ(f.combo2, Items{""});
    EXPECT_EQ(f.hint, "★文字の垂直位置★" + Head +
                          "baseline\tデフォルト\r\nsuper\t上付き\r\nsub\t下付き\r\ntop\t上詰め\r\n"
                          "middle\t中詰め\r\nbottom\t下詰め\r\n");

    f = sizeAttrPanelFill(sizeAttrIndex("background-position"));
    EXPECT_TRUE(f.useCombo1 && f.useCombo2 && f.useMemo);
    EXPECT_EQ(f.combo1, (Items{"", "top", "center", "bottom"}));
    EXPECT_EQ(f.combo2, (Items{"", "left", "center", "right"}));

    EXPECT_EQ(sizeAttrPanelFill(1).hint, "★段落文章の開始位置★\r\n----\r\n");
    EXPECT_FALSE(sizeAttrPanelFill(1).useCombo1);
    EXPECT_EQ(sizeAttrPanelFill(9).hint, "★グリッド★\r\n----\r\n行方向のグリッドサイズ\r\n");
    EXPECT_EQ(sizeAttrPanelFill(17).hint, "★枠線の太さ(下)★" + Head +
                                             "thin\t細い線\r\nmedium\tデフォルト\r\nthick\t太い線\r\n");
    EXPECT_EQ(sizeAttrPanelFill(26).hint, "★ボックスとエレメントの間隔(左)★" + Head + "auto\tおまかせ\r\n");
}

TEST(ValueKeywords, LengthPanelsWithoutKeywords) {
    ValuePanelFill editorOnly;
    editorOnly.useSizeSelect = true;
    editorOnly.combo1 = editorOnly.combo2 = {""};
    for (std::string_view name : {"top", "bottom", "left", "right", "z-index"})
        EXPECT_EQ(sizeAttrPanelFill(sizeAttrIndex(name)), editorOnly) << name;
    EXPECT_EQ(sizeAttrPanelFill(35), editorOnly);
    EXPECT_EQ(sizeAttrPanelFill(-1), editorOnly);

    ValuePanelFill zoom = sizeAttrPanelFill(sizeAttrIndex("zoom"));
    EXPECT_TRUE(zoom.useCombo1 && zoom.useMemo && !zoom.useCombo2);
    EXPECT_EQ(zoom.combo1, Items{""});
    EXPECT_EQ(zoom.hint, "サイズ比率");

    ValuePanelFill spacing = sizeAttrPanelFill(sizeAttrIndex("border-spacing"));
    EXPECT_TRUE(spacing.useCombo1 && spacing.useCombo2 && spacing.useMemo);
    EXPECT_EQ(spacing.combo1, Items{""});
    EXPECT_EQ(spacing.combo2, Items{""});
    EXPECT_EQ(spacing.hint, "★セルの間隔★" + Head + "＊border-collapse が separate\r\n上下左右の値\r\n左右　上下\r\n");
}

TEST(ValueKeywords, KeywordPanelsWithSpecialRows) {
    ValuePanelFill f = keywordAttrPanelFill(keywordAttrIndex("text-align"));
    EXPECT_TRUE(f.useCombo1 && f.useMemo && !f.useCombo2 && !f.useSizeSelect);
    EXPECT_EQ(f.combo1, (Items{"", "left", "right", "center", "justify"}));
    EXPECT_TRUE(f.combo2.empty());
    EXPECT_EQ(f.hint, "★文字の水平位置★" + Head +
                          "left\t左寄せ\r\nright\t右寄せ\r\ncenter\tセンタリング\r\njustify\t均等割付 *1\r\n"
                          "----\r\n*1 text-justify と共に使用\r\n");

    EXPECT_EQ(keywordAttrPanelFill(2).hint,
              "★文字の均等割付★" + Head + "auto\t\tブラウザ依存\r\ndistribute-all-lines\t均等割付\r\n");
    EXPECT_EQ(keywordAttrPanelFill(keywordAttrIndex("font-weight")).hint,
              "★文字の太さ★" + Head +
                  "bold\t太字\r\n----\r\n900～100\tサイズ\r\n----\r\nbolder\t太く（相対的）\r\n"
                  "lighter\t細く（相対的）\r\n");
    EXPECT_EQ(keywordAttrPanelFill(keywordAttrIndex("text-decoration")).hint,
              "★文字飾り★" + Head +
                  "none\t  デフォルト\r\noverline\t  上線\r\nunderline\t  下線\r\n"
                  "line-through 取り消し線\r\nblink\t  点滅\r\n");
    EXPECT_EQ(keywordAttrPanelFill(keywordAttrIndex("word-break")).hint,
              "★単語中の改行処理★" + Head +
                  "normal\tデフォルト\r\n (英文)単語を保持\r\n (和文)右端で改行\r\n"
                  "break-all\t右端で改行\r\n (英文)右端で改行、単語保持しない\r\n (和文)normalと同\r\n"
                  "keep-all\t単語を保持して改行\r\n (和文のみ有効)\r\n");

    // The hint lists hiragana-iroha before katakana, the drop-down after it.
    f = keywordAttrPanelFill(keywordAttrIndex("list-style-type"));
    EXPECT_EQ(f.combo1[1], "disk");
    EXPECT_EQ(f.combo1[12], "hiragana");
    EXPECT_EQ(f.combo1[13], "katakana");
    EXPECT_NE(f.hint.find("hiragana\tひらがな\r\nhiragana-iroha\t〃（いろは順）\r\nkatakana\t"), std::string::npos);
    EXPECT_EQ(keywordAttrPanelFill(33).combo1, (Items{"", "active", "inactive", "desabled", "auto"}));
}

TEST(ValueKeywords, EmptyAndOutOfRangeKeywordPanels) {
    ValuePanelFill empty;
    empty.useCombo1 = empty.useMemo = true;
    empty.combo1 = {""};
    EXPECT_EQ(keywordAttrPanelFill(0), empty);
    EXPECT_EQ(keywordAttrPanelFill(3), empty);
    EXPECT_EQ(keywordAttrPanelFill(44), empty);
    EXPECT_EQ(keywordAttrIndex(""), 0);
}

TEST(ValueKeywords, EveryKeywordHasAHintRowAndNoSeparatorItem) {
    for (int i = 0; i < int(KeywordAttrNames.size()); ++i) {
        ValuePanelFill f = keywordAttrPanelFill(i);
        ASSERT_FALSE(f.combo1.empty());
        EXPECT_EQ(f.combo1[0], "");
        if (f.hint.empty()) continue;
        EXPECT_EQ(f.hint.rfind("★", 0), 0u) << i;
        EXPECT_NE(f.hint.find("★" + Head), std::string::npos) << i;
        EXPECT_EQ(f.hint.substr(f.hint.size() - 2), "\r\n") << i;
        for (size_t k = 1; k < f.combo1.size(); ++k) {
            const std::string& kw = f.combo1[k];
            EXPECT_NE(kw, "----");
            if (KeywordAttrNames[i] == "font-weight" && kw != "bold" && kw != "bolder" && kw != "lighter")
                continue;
            bool row = f.hint.find("\n" + kw + "\t") != std::string::npos ||
                       f.hint.find("\n" + kw + " ") != std::string::npos;
            EXPECT_TRUE(row) << KeywordAttrNames[i] << ": " << kw;
        }
    }
    for (int i = 0; i < int(SizeAttrNames.size()); ++i)
        for (const std::string& item : sizeAttrPanelFill(i).combo1) EXPECT_NE(item, "----");
}
