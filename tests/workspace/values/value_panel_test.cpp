#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "vocabulary/shared_routines.h"
#include "workspace/values/value_panel.h"

using namespace pavik;
using VC = ValueControl;

namespace {

PropertyNodeInfo property(std::string name, int group = 0, int ie = 1, int ns4 = 0, int ns6 = 2) {
    return {false, std::move(name), ie, ns4, ns6, group};
}

PropertyNodeInfo category(std::string_view utf8, int group = 0) { return {true, toCp932(utf8), 3, 3, 3, group}; }

ValuePanelPlan plan(const PropertyNodeInfo& node, std::optional<std::string> value = std::nullopt) {
    return planValuePanel(&node, value);
}

}  // namespace

TEST(ColorTextToColor, ReadsEveryForm) {
    struct Case {
        std::string_view text;
        TColor expected;
    };
    const Case cases[] = {
        {"#ff0000", 0x020000FF},
        {"#12AbCd", 0x02CDAB12},
        {"#f00", clWhite},         // only six digits count
        {"x#123456", clWhite},     // the mark must lead
        {"red", clRed},
        {"RED", clRed},
        {"Black", clBlack},        // a starred name, compared without its mark
        {"navajowhite", 0xFFDEAD},
        {"inidianred", 0x5C5CCD},  // the table's spelling
        {"buttonface", clBtnFace},
        {"windowtext", clWindowText},
        {"Buttonface", clWhite},   // system keywords only in lower case
        {"rgb(0, 128, 255)", RGBToColor(0, 128, 255)},
        {"RGB(1,2,3)", RGBToColor(1, 2, 3)},
        {"rgb(10,20)", RGBToColor(10, 20, 255)},  // a missing component counts as 255
        {"rgb(300,-1,0)", RGBToColor(44, 255, 0)},
        {"rgb", clWhite},
        {"transparent", clWhite},
        {"", clWhite},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorTextToColor(c.text), c.expected) << c.text;
}

TEST(ColorTextToColor, UnreadableTextGivesWhiteWithoutThrowing) {
    for (std::string_view text : {"rgb(10%,20%,30%)", "#gggggg", "rgb(99999999999,0,0)",
                                  "rgb(,1,2)", "rgb(1 2 3)", "#12345\x82"}) {
        EXPECT_NO_THROW(EXPECT_EQ(ColorTextToColor(text), clWhite) << text);
    }
    EXPECT_EQ(ColorTextToColor(toCp932("赤")), clWhite);
}

TEST(ValuePanel, ColourPanels) {
    ValuePanelPlan p = plan(property("color"), "#ff0000");
    EXPECT_EQ(p.kind, ValuePanelKind::Color);
    EXPECT_EQ(p.swatch.color, 0x020000FFu);
    EXPECT_EQ(p.nowData, "#ff0000");
    EXPECT_FALSE(p.transparentTicked);
    EXPECT_EQ(p.controls, (std::vector{VC::ShapeColor, VC::BitBtnClear}));

    p = plan(property("border-top-color"), "transparent");
    EXPECT_TRUE(p.transparentTicked);
    EXPECT_EQ(p.nowData, "指定無し");
    EXPECT_EQ(p.controls, (std::vector{VC::ShapeColor, VC::BitBtnClear, VC::CheckBoxColor}));

    // The swatch paints every colour form the picker reads. A value it cannot paint says so
    // (no colour, crossed out, its text beside), unlike no value at all.
    const SwatchLook none{}, white{clWhite, false, ""};
    for (const auto& [text, look] : std::vector<std::pair<std::string, SwatchLook>>{
             {"#f00", {0x0000FFu, false, ""}},
             {"rgba(0,128,255,.5)", {0xFF8000u, false, ""}},
             {"hsl(120,100%,50%)", {0x00FF00u, false, ""}},
             {"white", white},
             {"#fff", white},
             {"buttonface", {clBtnFace, false, ""}},
             {"inherit", {clNone, true, "inherit"}},
             {"currentColor", {clNone, true, "currentColor"}},
             {"var(--bs-body-bg)", {clNone, true, "var(--bs-body-bg)"}},
             {"transparent", {clNone, true, "transparent"}},
             {"inherit !important", {clNone, true, "inherit"}},
             {"rgb(1 2", {clNone, true, "rgb(1 2"}},
             {toCp932("青"), {clNone, true, "青"}}}) {
        p = plan(property("background-color"), text);
        EXPECT_TRUE(p.showPanel);
        EXPECT_EQ(p.swatch, look) << text;
        EXPECT_EQ(p.transparentTicked, text == "transparent");
        if (!p.transparentTicked) EXPECT_EQ(p.nowData, decodeCp932(text));
    }
    EXPECT_EQ(plan(property("color"), "").swatch, none);

    p = plan(property("scrollbar-track-color"));
    EXPECT_TRUE(p.showPanel);
    EXPECT_EQ(p.swatch, none);
    EXPECT_EQ(p.nowData, "");
    EXPECT_EQ(p.controls.size(), 2u);
}

TEST(ValuePanel, KeywordPanelSelectsTheValueIgnoringCase) {
    ValuePanelPlan p = plan(property("text-align"), "CENTER");
    EXPECT_EQ(p.kind, ValuePanelKind::Keyword);
    EXPECT_EQ(p.fill, keywordAttrPanelFill(keywordAttrIndex("text-align")));
    EXPECT_EQ(p.controls, (std::vector{VC::CmbBoxCommon, VC::MemoHint}));
    ASSERT_GE(p.comboIndex, 0);
    EXPECT_EQ(p.fill.combo1[static_cast<size_t>(p.comboIndex)], "center");
    EXPECT_EQ(p.nowData, "CENTER");

    p = plan(property("list-style-type"), "inherit");
    EXPECT_EQ(p.comboIndex, -1);
    EXPECT_EQ(p.nowData, "inherit");

    p = plan(property("ime-mode"), "desabled");  // the list's own spelling
    EXPECT_GT(p.comboIndex, 0);
}

TEST(ValuePanel, LengthPanelSplitsNumberAndUnit) {
    struct Case {
        std::string value;
        std::string number;
        std::optional<int> unit;
    };
    const Case cases[] = {
        {"12px", "12", 2},      {"1.5em", "1.5", 0}, {"50%", "50", 3},
        {"2EX", "2", 1},        {" 3 px", "3", 2},   {"medium", "", std::nullopt},
        {"12pt", "", std::nullopt},
    };
    for (const Case& c : cases) {
        const ValuePanelPlan p = plan(property("font-size", 1), c.value);
        EXPECT_EQ(p.kind, ValuePanelKind::Length);
        EXPECT_EQ(p.editText, c.number) << c.value;
        EXPECT_EQ(p.unitIndex, c.unit) << c.value;
        EXPECT_EQ(p.nowData, c.value);
        EXPECT_TRUE(p.focusEdit);
    }
    EXPECT_EQ(plan(property("font-size")).controls,
              (std::vector{VC::PanelSizeSelect, VC::CmbBoxCommon, VC::MemoHint}));
    EXPECT_EQ(plan(property("top")).controls, (std::vector{VC::PanelSizeSelect}));
    EXPECT_EQ(plan(property("background-position")).controls,
              (std::vector{VC::PanelSizeSelect, VC::CmbBoxCommon, VC::CmbBoxCommon2, VC::MemoHint}));
    EXPECT_EQ(plan(property("text-indent")).controls,
              (std::vector{VC::PanelSizeSelect, VC::MemoHint}));
    EXPECT_EQ(plan(property("margin"), "auto").fill.combo1, (std::vector<std::string>{"", "auto"}));
}

TEST(ValuePanel, EditBoxSaysWhenItShowsOnlyPartOfTheValue) {
    struct Case {
        const char* property;
        std::string value;
        std::string editText;
        bool part;
    };
    const Case cases[] = {
        {"margin", "10px 20px", "10", true},
        {"font-size", "12px !important", "12", false},  // the store keeps the mark
        {"width", "calc(100% - 10px)", "calc(100% - 10", true},
        {"font-size", " 3 PX ", "3", false},
        {"width", "auto", "", false},
        {"background-image", "url(\"a.gif\")", "a.gif", false},
        {"background-image", "url(\"a.gif\"), url(\"b.gif\")", "a.gif", true},
        {"background-image", "none url(\"a.gif\")", "a.gif", true},
        {"background-image", "url(\"a.gif", "", false},
    };
    for (const Case& c : cases) {
        const ValuePanelPlan p = plan(property(c.property), c.value);
        EXPECT_EQ(p.editText, c.editText) << c.value;
        EXPECT_EQ(p.editPartOf, c.part ? c.value : std::string()) << c.value;
    }
}

TEST(ValuePanel, EditorsShowTheValueWithoutImportantAndAsTextWhereNoItemOrNumberFits) {
    const struct {
        const char* property;
        std::string value, shown;  // "[item]" chosen in the drop-down, "<text>" in its edit line, "|box|"
    } cases[] = {
        {"text-align", "Center  !IMPORTANT", "[center]"}, {"margin-top", "auto", "[auto]"},
        {"font-size", "inherit", "<inherit>"},           {"font-size", "1.5em ! important", "|1.5|"},
        {"top", "auto", ""},  // no drop-down, and no number to show
        {"background-image", "url(\"a.gif\") !important", "|a.gif|"}, {"background-image", "none", "|none|"},
    };
    for (const auto& c : cases) {
        const ValuePanelPlan p = plan(property(c.property), c.value);
        std::string shown;
        if (p.comboIndex >= 0) shown += "[" + p.fill.combo1[static_cast<size_t>(p.comboIndex)] + "]";
        if (!p.comboText.empty()) shown += "<" + p.comboText + ">";
        if (!p.editText.empty()) shown += "|" + p.editText + "|";
        EXPECT_EQ(shown, c.shown) << c.value;
        EXPECT_EQ(p.nowData, c.value) << c.value;
    }
    EXPECT_EQ(plan(property("color"), "rgba(0,0,0,.5) !important").color, (CssColor{clBlack, 0.5}));
}

TEST(ValuePanel, FontAndImagePanels) {
    const std::string family = toCp932("ＭＳ ゴシック");
    ValuePanelPlan p = plan(property("font-family", 1), family);
    EXPECT_EQ(p.kind, ValuePanelKind::FontFamily);
    EXPECT_EQ(p.fontText, "ＭＳ ゴシック");
    EXPECT_EQ(p.nowData, "指定無し");
    EXPECT_EQ(p.controls, (std::vector{VC::StaticTxtFont, VC::BitBtnClear}));
    EXPECT_EQ(plan(property("font-family")).fontText, "指定無し");

    p = plan(property("background-image", 2), "url(\"img/a.gif\")");
    EXPECT_EQ(p.kind, ValuePanelKind::Image);
    EXPECT_EQ(p.editText, "img/a.gif");
    EXPECT_EQ(p.nowData, "url(\"img/a.gif\")");
    EXPECT_EQ(p.controls, (std::vector{VC::EditCommon, VC::SBOpenURL}));
    EXPECT_EQ(plan(property("background-image"), toCp932("url(\" 画像.gif \")")).editText, "画像.gif");
    EXPECT_EQ(plan(property("background-image"), "url(a.gif)").editText, "url(a.gif)");
    EXPECT_EQ(plan(property("background-image"), "url(\"a.gif").editText, "");
    EXPECT_TRUE(plan(property("background-image")).showPanel);
}

TEST(ValuePanel, CategoryAndOtherNodes) {
    ValuePanelPlan p = plan(category("ボックス"));
    EXPECT_EQ(p.kind, ValuePanelKind::Category);
    EXPECT_TRUE(p.enableEditBox);
    EXPECT_EQ(p.pageName, "TYPEBOX");
    EXPECT_EQ(p.controls, (std::vector{VC::RichEditHint}));
    EXPECT_FALSE(p.selectsProperty);
    EXPECT_EQ(p.lamps, (std::array{3, 3, 3}));
    // A category node shows its own category (the scroll-bar sub-group its category's).
    EXPECT_EQ(plan(category("背景", 2)).childInfo, "背景");
    EXPECT_EQ(plan(category("スクロールバー", 3)).childInfo, "ボックス");

    EXPECT_EQ(plan(category("スクロールバー")).pageName, "TYPESCROLLBAR");
    EXPECT_FALSE(plan(category("テキスト")).enableEditBox);
    p = plan(category("フィルタ"));
    EXPECT_EQ(p.pageName, "");
    EXPECT_FALSE(p.showPanel);

    p = plan(property("clip", 4, 1, 0, 2), "rect(0 0 0 0)");
    EXPECT_EQ(p.kind, ValuePanelKind::Other);
    EXPECT_FALSE(p.showPanel);
    EXPECT_TRUE(p.selectsProperty);
    EXPECT_EQ(p.childInfo, "位置");
    EXPECT_EQ(p.lamps, (std::array{1, 0, 2}));

    p = planValuePanel(nullptr, std::nullopt);
    EXPECT_EQ(p.kind, ValuePanelKind::None);
    EXPECT_EQ(p.childInfo, std::nullopt);
    EXPECT_EQ(p.lamps, (std::array{3, 3, 3}));
    EXPECT_FALSE(p.selectsProperty);
}

TEST(ValueText, EditValueAndUnitCaption) {
    EXPECT_EQ(composeEditValue("font-size", "12", "px"), "12px");
    EXPECT_EQ(composeEditValue("width", "12", "%"), "12%");
    EXPECT_EQ(composeEditValue("background-image", "a.gif", "%"), "url(\"a.gif\")");
    EXPECT_EQ(composeEditValue("width", "", "px"), "");
    EXPECT_EQ(sizeUnitCaption(0), "em");
    EXPECT_EQ(sizeUnitCaption(3), "%");
    EXPECT_EQ(sizeUnitCaption(-1), "");
}

// A length box stores a number with its unit, or what browsers read as a length or a keyword
// of the property; anything else is refused rather than stored as a broken declaration.
TEST(ValueText, LengthBoxTakesNumbersUnitsKeywordsAndFunctionsOnly) {
    const std::pair<const char*, const char*> stored[] = {
        {"12", "12px"}, {" -1.5 ", "-1.5px"}, {".5", ".5px"}, {"+2e1", "+2e1px"}, {"12pt", "12pt"},
        {"2REM", "2REM"}, {"50%", "50%"}, {"medium", "medium"} /* its list's */, {"Inherit", "Inherit"},
        {"calc(100% - 2em)", "calc(100% - 2em)"}};
    for (const auto& [text, value] : stored) EXPECT_EQ(lengthEditValue("font-size", text, "px"), value) << text;
    for (const char* text : {"1.2.3", "12x3", "1.", "12 px", "1e", "-", "big", "auto" /* width's */, "calc(1"})
        EXPECT_EQ(lengthEditValue("font-size", text, "px"), std::nullopt) << text;
    EXPECT_EQ(lengthEditValue("top", "auto", "px"), "auto");
    EXPECT_EQ(lengthEditValue("line-height", "normal", "px"), "normal");
    EXPECT_EQ(composeEditValue("background-image", "1.2.3", "px"), "url(\"1.2.3\")");
}

TEST(ValueText, ImagePathRelativeToThePreviewPage) {
    const std::filesystem::path page = "/home/u/site/index.html";
    EXPECT_EQ(imagePathText("/home/u/site/img/a.gif", page).text, "img/a.gif");
    EXPECT_EQ(imagePathText("/home/u/pics/b.png", page).text, "../pics/b.png");
    EXPECT_EQ(imagePathText("/home/u/site/img/a.gif", std::nullopt).text, "/home/u/site/img/a.gif");

    const ImagePathText jp = imagePathText("/home/u/site/画像.gif", page);
    EXPECT_TRUE(jp.ok());
    EXPECT_EQ(jp.cp932, toCp932("画像.gif"));

    const ImagePathText bad = imagePathText("/tmp/\xF0\x9F\x98\x80.gif", std::nullopt);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.unencodable, (std::vector<std::string>{"\xF0\x9F\x98\x80"}));
}
