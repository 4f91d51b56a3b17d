#pragma once
// The property tree of the selected rule: every property that applies to the rule's
// element, grouped by category, with the rule's own properties marked. Headless: the main
// window renders the node list.
#include <cstdint>
#include <string>
#include <vector>

#include "vocabulary/element_tables.h"
#include "workspace/document/style_document.h"

namespace pavik {

// Record of a property-tree node (and of a selector chooser row).
struct TData {
    std::uint8_t Kind = 0;            // 0 category or sub-group node, 1 property node
    const void* ParentNode = nullptr;  // selector chooser only
    std::string Name;                 // CP932: category name, "スクロールバー" or property name
    std::int32_t IE = 3;
    std::int32_t NS4 = 3;
    std::int32_t NS6 = 3;
    std::int32_t Group = 0;  // property category 0..8 (of a category or sub-group node: its own)
};

// Image numbers of the property tree.
inline constexpr int ImagePropertySet = 32;
inline constexpr int ImagePropertyUnset = 33;
inline constexpr int ImageCategory = 34;
inline constexpr int ImageCategoryOpen = 35;

struct PropertyTreeNode {
    TData Data;
    int Parent = -1;  // index of the parent node in the list, -1 for a root
    int ImageIndex = ImagePropertyUnset;
    int SelectedImageIndex = ImagePropertyUnset;
};

// Nodes in insertion order (a parent always before its children). Side properties nest
// under their shorthand when the shorthand came earlier; the scroll-bar colours go under
// a "スクロールバー" sub-group of their category. Entries without a name are left out.
// A property is marked (image 32) when `rule` declares exactly that name.
std::vector<PropertyTreeNode> buildPropertyTree(const std::vector<AttrEntry>& attrs,
                                                const CssRuleNode* rule);

}  // namespace pavik
