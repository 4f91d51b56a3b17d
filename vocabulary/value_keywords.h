#pragma once
// Keyword lists and hint texts of the value panel, and what the panel shows for each
// length-type and keyword-type property. Filling the widgets is the main window's job;
// this says what to fill.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pavik {

// Length-type properties; the position is the index for sizeAttrPanelFill.
inline constexpr std::array<std::string_view, 35> SizeAttrNames = {
    "vertical-align", "text-indent", "letter-spacing", "word-spacing", "line-height",
    "top", "bottom", "left", "right", "layout-grid-line",
    "layout-grid-char", "font-size", "background-position", "background-position-x",
    "background-position-y", "border-top-width", "border-right-width", "border-bottom-width",
    "border-left-width", "margin-top", "margin-right", "margin-bottom", "margin-left",
    "padding-top", "padding-right", "padding-bottom", "padding-left", "z-index", "zoom",
    "border-spacing", "border-width", "margin", "padding", "width", "height",
};

// Keyword-type properties; the position is the index for keywordAttrPanelFill.
// Entries 0 and 3 are empty and never match a property.
inline constexpr std::array<std::string_view, 44> KeywordAttrNames = {
    "", "text-align", "text-justify", "", "text-transform", "text-decoration", "white-space",
    "line-break", "word-break", "word-wrap", "writing-mode", "text-underline-position",
    "layout-grid-type", "font-weight", "font-style", "font-variant", "background-attachment",
    "background-repeat", "overflow", "overflow-x", "overflow-y", "position", "display",
    "visibility", "float", "clear", "list-style-type", "list-style-position", "table-layout",
    "caption-side", "border-collapse", "empty-cells", "cursor", "ime-mode", "direction",
    "unicode-bidi", "page-break-after", "page-break-before", "layout-grid-mode",
    "border-top-style", "border-right-style", "border-bottom-style", "border-left-style",
    "border-style",
};

inline constexpr std::string_view TAB = "\t";
inline constexpr std::string_view CRLF = "\r\n";
// Between a hint's "★title★" line and its rows.
inline constexpr std::string_view HintSeparator = "\r\n----\r\n";

// Position of a property name in SizeAttrNames / KeywordAttrNames (exact, first match), or -1.
// An empty name finds the empty entry 0 of KeywordAttrNames, whose panel is empty.
int sizeAttrIndex(std::string_view property);
int keywordAttrIndex(std::string_view property);

// What the value panel shows. The controls named here are moved into the visible panel,
// top to bottom in this order: the length editor, the first drop-down, the second
// drop-down, the hint memo.
struct ValuePanelFill {
    bool useSizeSelect = false;  // the length editor (number, unit choice)
    bool useCombo1 = false;
    bool useCombo2 = false;
    bool useMemo = false;
    // Items of the two drop-downs; every list that is filled starts with an empty item.
    std::vector<std::string> combo1;
    std::vector<std::string> combo2;
    // The hint text (UTF-8), added to the memo as one item; empty: nothing is added.
    std::string hint;

    bool operator==(const ValuePanelFill&) const = default;
};

// The panel of SizeAttrNames[index]. An index outside the list gives the length editor alone.
ValuePanelFill sizeAttrPanelFill(int index);
// The panel of KeywordAttrNames[index]. An index outside the list gives the drop-down with
// its empty item above an empty memo.
ValuePanelFill keywordAttrPanelFill(int index);

}  // namespace pavik
