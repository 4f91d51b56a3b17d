#include "workspace/window/property_tree.h"

#include <array>
#include <string_view>

#include "platform/cp932.h"

namespace pavik {
namespace {

// Shorthands that side properties nest under, and their sides.
struct Nesting {
    std::string_view shorthand;
    std::array<std::string_view, 4> sides;
};
constexpr std::array<Nesting, 5> kNestings = {{
    {"border-width",
     {"border-top-width", "border-right-width", "border-bottom-width", "border-left-width"}},
    {"border-color",
     {"border-top-color", "border-right-color", "border-bottom-color", "border-left-color"}},
    {"border-style",
     {"border-top-style", "border-right-style", "border-bottom-style", "border-left-style"}},
    {"margin", {"margin-top", "margin-right", "margin-bottom", "margin-left"}},
    {"padding", {"padding-top", "padding-right", "padding-bottom", "padding-left"}},
}};

constexpr std::array<std::string_view, 8> kScrollbarColors = {
    "scrollbar-base-color",      "scrollbar-face-color",    "scrollbar-arrow-color",
    "scrollbar-highlight-color", "scrollbar-3dlight-color", "scrollbar-shadow-color",
    "scrollbar-darkshadow-color", "scrollbar-track-color",
};

bool isScrollbarColor(std::string_view name) {
    for (std::string_view s : kScrollbarColors)
        if (s == name) return true;
    return false;
}

}  // namespace

std::vector<PropertyTreeNode> buildPropertyTree(const std::vector<AttrEntry>& attrs,
                                                const CssRuleNode* rule) {
    std::vector<PropertyTreeNode> nodes;
    std::array<int, kNestings.size()> shorthandNode;
    shorthandNode.fill(-1);
    int category = -1;
    int categoryNode = -1;
    int scrollbarNode = -1;

    auto add = [&nodes](TData data, int parent, int image, int selected) {
        nodes.push_back(PropertyTreeNode{std::move(data), parent, image, selected});
        return static_cast<int>(nodes.size()) - 1;
    };

    for (const AttrEntry& a : attrs) {
        if (a.name.empty()) continue;  // the nameless extra entry of some elements
        if (a.category != category || categoryNode < 0) {
            category = a.category;
            TData c;
            c.Kind = 0;
            c.Group = category;
            if (category >= 0 && category < CategoryCount)
                c.Name = toCp932(CategoryNames[static_cast<size_t>(category)]);
            categoryNode = add(std::move(c), -1, ImageCategory, ImageCategoryOpen);
            scrollbarNode = -1;
        }

        int parent = categoryNode;
        for (size_t n = 0; n < kNestings.size(); ++n)
            for (std::string_view side : kNestings[n].sides)
                if (side == a.name && shorthandNode[n] >= 0) parent = shorthandNode[n];
        if (isScrollbarColor(a.name)) {
            if (scrollbarNode < 0) {
                TData s;
                s.Kind = 0;
                s.Group = category;
                s.Name = toCp932("スクロールバー");
                scrollbarNode = add(std::move(s), categoryNode, ImageCategory, ImageCategoryOpen);
            }
            parent = scrollbarNode;
        }

        TData p;
        p.Kind = 1;
        p.Name = a.name;
        p.IE = a.ie;
        p.NS4 = a.ns4;
        p.NS6 = a.ns6;
        p.Group = a.category;
        const bool set = rule && StyleDocument::GetNodeSame(a.name, rule) != nullptr;
        const int image = set ? ImagePropertySet : ImagePropertyUnset;
        const int node = add(std::move(p), parent, image, image);

        for (size_t n = 0; n < kNestings.size(); ++n)
            if (kNestings[n].shorthand == a.name) shorthandNode[n] = node;
    }
    return nodes;
}

}  // namespace pavik
