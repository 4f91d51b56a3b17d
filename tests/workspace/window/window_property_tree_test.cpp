// The property tree of a selected rule, without widgets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "workspace/window/property_tree.h"

namespace pavik {
namespace {

std::string nameOf(const std::vector<PropertyTreeNode>& nodes, int i) {
    return i < 0 ? std::string("<root>") : decodeCp932(nodes[static_cast<size_t>(i)].Data.Name);
}

int find(const std::vector<PropertyTreeNode>& nodes, const std::string& utf8) {
    for (size_t i = 0; i < nodes.size(); ++i)
        if (decodeCp932(nodes[i].Data.Name) == utf8) return static_cast<int>(i);
    return -1;
}

CssRuleNode ruleWith(std::vector<std::pair<std::string, std::string>> decls) {
    CssRuleNode r;
    r.Data.Name = "DIV";
    r.Data.Selector = "DIV";
    for (auto& [n, v] : decls) r.Declarations.push_back({n, v, {}});
    return r;
}

TEST(PropertyTree, CategoriesSideNestingAndMarks) {
    const CssRuleNode rule = ruleWith({{"margin-top", "1px"}, {"COLOR", "red"}, {"scrollbar-face-color", "red"}});
    const auto nodes = buildPropertyTree(attrListFor("DIV"), &rule);
    ASSERT_FALSE(nodes.empty());

    // Every parent comes before its children, and roots are category nodes.
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_LT(nodes[i].Parent, static_cast<int>(i));
        if (nodes[i].Parent < 0) {
            EXPECT_EQ(nodes[i].Data.Kind, 0) << nameOf(nodes, static_cast<int>(i));
            EXPECT_EQ(nodes[i].ImageIndex, ImageCategory);
            EXPECT_EQ(nodes[i].SelectedImageIndex, ImageCategoryOpen);
        }
    }
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "margin-top"))].Parent), "margin");
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "padding-left"))].Parent), "padding");
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "border-top-width"))].Parent), "border-width");
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "border-left-color"))].Parent), "border-color");
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "border-right-style"))].Parent), "border-style");
    EXPECT_EQ(nameOf(nodes, nodes[static_cast<size_t>(find(nodes, "margin"))].Parent), "ボックス");

    const int scroll = find(nodes, "スクロールバー");
    ASSERT_GE(scroll, 0);
    EXPECT_EQ(nodes[static_cast<size_t>(scroll)].Data.Kind, 0);
    EXPECT_EQ(nodes[static_cast<size_t>(nodes[static_cast<size_t>(scroll)].Parent)].Parent, -1);
    for (const char* s : {"scrollbar-base-color", "scrollbar-track-color", "scrollbar-face-color"})
        EXPECT_EQ(nodes[static_cast<size_t>(find(nodes, s))].Parent, scroll) << s;

    // Marked: exactly the declared names; "COLOR" does not mark "color".
    const PropertyTreeNode& marginTop = nodes[static_cast<size_t>(find(nodes, "margin-top"))];
    EXPECT_EQ(marginTop.ImageIndex, ImagePropertySet);
    EXPECT_EQ(marginTop.SelectedImageIndex, ImagePropertySet);
    EXPECT_EQ(nodes[static_cast<size_t>(find(nodes, "scrollbar-face-color"))].ImageIndex, ImagePropertySet);
    EXPECT_EQ(nodes[static_cast<size_t>(find(nodes, "color"))].ImageIndex, ImagePropertyUnset);
    EXPECT_EQ(nodes[static_cast<size_t>(find(nodes, "margin"))].ImageIndex, ImagePropertyUnset);

    // Property records carry levels and category.
    const PropertyTreeNode& color = nodes[static_cast<size_t>(find(nodes, "color"))];
    EXPECT_EQ(color.Data.Kind, 1);
    EXPECT_EQ(color.Data.Group, 0);
    EXPECT_EQ(decodeCp932(nodes[static_cast<size_t>(color.Parent)].Data.Name), "テキスト");
}

TEST(PropertyTree, SideWithoutItsShorthandStaysUnderTheCategory) {
    // A hand-made list: the side property comes first, so it cannot nest.
    const std::vector<AttrEntry> attrs = {
        {"border-top-width", 1, 1, 1, 3}, {"border-width", 1, 1, 1, 3}, {"border-left-width", 1, 1, 1, 3}};
    const auto nodes = buildPropertyTree(attrs, nullptr);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[1].Parent, 0);
    EXPECT_EQ(nodes[2].Parent, 0);
    EXPECT_EQ(nodes[3].Parent, 2);
    for (const auto& n : nodes) EXPECT_NE(n.ImageIndex, ImagePropertySet);
}

TEST(PropertyTree, NamelessEntryIsLeftOutAndACategoryMayRecur) {
    std::vector<AttrEntry> attrs = attrListFor("INPUT");
    bool hasNameless = false;
    for (const auto& a : attrs) hasNameless = hasNameless || a.name.empty();
    ASSERT_TRUE(hasNameless);
    for (const auto& n : buildPropertyTree(attrs, nullptr)) EXPECT_FALSE(n.Data.Name.empty());

    const std::vector<AttrEntry> split = {{"color", 1, 1, 1, 0}, {"font-size", 1, 1, 1, 1}, {"text-indent", 1, 1, 1, 0}};
    const auto nodes = buildPropertyTree(split, nullptr);
    ASSERT_EQ(nodes.size(), 6u);  // text, color, font, font-size, text again, text-indent
    EXPECT_EQ(nodes[4].Parent, -1);
    EXPECT_EQ(nodes[5].Parent, 4);
}

}  // namespace
}  // namespace pavik
