#pragma once
// What the value area shows for the node clicked in the property tree: which controls, in
// which order, filled with what. A pure decision; the main window applies it to its widgets.
//
// Document texts (node names, values, edit texts going into the document) are CP932 bytes;
// texts meant for display (captions, the "current value" label, the edit box) are UTF-8.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/color_choice.h"
#include "platform/colors.h"
#include "vocabulary/value_keywords.h"

namespace pavik {

// Fixed texts of the value area (UTF-8).
inline constexpr std::string_view NoValueText = "指定無し";
inline constexpr std::string_view TransparentCaption = "透過";
inline constexpr std::string_view BoxCategoryName = "ボックス";
inline constexpr std::string_view TransparentValue = "transparent";
// An image address is stored inside url(" ... ").
inline constexpr std::string_view ImageWrapOpen = "url(\"";
inline constexpr std::string_view ImageWrapClose = "\")";

// Units of the length editor by RadioGroupSize item index.
inline constexpr std::array<std::string_view, 4> SizeUnits = {"em", "ex", "px", "%"};
inline constexpr int DefaultSizeUnit = 3;
// TxtCommon's caption for a RadioGroupSize item; empty (caption unchanged) outside 0..3.
std::string_view sizeUnitCaption(int itemIndex);

// The category page resource ("TYPETEXT" ...) for a category or sub-group node's text
// (CP932), or empty when the node has none (the filter category).
std::string_view categoryPageName(std::string_view nodeText);

// A CSS colour value (CP932) as a colour for the swatch:
// "rgb(r,g,b)" (a missing component counts as 255, each taken modulo 256);
// "#rrggbb" as the palette-relative $02BBGGRR; a colour name (any letter case, without
// its "★"); a system-colour keyword (the listed spelling, lower case). Anything else,
// and any component that does not read as a number, gives white.
TColor ColorTextToColor(std::string_view text);

// The swatch's colour for a CSS colour value: as ColorTextToColor reads it, or, where that
// gives white, any other colour form the picker reads (#rgb, rgba(), hsl(), percentages).
TColor swatchColorOf(std::string_view text);

// How the colour swatch shows a value. No value: plain white, no text. A value naming a
// colour (as swatchColorOf reads it): that colour. Any other value ("inherit",
// "currentColor", var(...), "transparent", a typing error): no colour of its own (clNone,
// drawn crossed out) with the value's text beside the swatch, so that it differs from no
// value at all.
struct SwatchLook {
    TColor color = clWhite;
    bool crossed = false;
    std::string text;  // UTF-8; set only when crossed
    friend bool operator==(const SwatchLook&, const SwatchLook&) = default;
};
// `value`: CP932, without "!important"; an empty value counts as none.
SwatchLook swatchLookOf(const std::optional<std::string>& value);

// Whether a property takes a colour (the properties the colour panel is shown for).
bool isColorProperty(std::string_view name);

// The value controls, as the main window names them.
enum class ValueControl {
    PanelSizeSelect,  // the length editor: RadioGroupSize, EditCommon, TxtCommon
    CmbBoxCommon,
    CmbBoxCommon2,
    MemoHint,
    RichEditHint,
    ShapeColor,
    BitBtnClear,
    CheckBoxColor,
    StaticTxtFont,
    EditCommon,  // the edit box alone (image address), with SBOpenURL to its right
    SBOpenURL,
};

enum class ValuePanelKind { None, Category, Color, Keyword, Length, FontFamily, Image, Other };

// The clicked node of the property tree.
struct PropertyNodeInfo {
    bool isCategory = false;  // TData.Kind == 0 (category or sub-group node)
    std::string name;         // TData.Name, CP932
    int ie = 3, ns4 = 3, ns6 = 3;
    int group = 0;  // property category
};

struct ValuePanelPlan {
    ValuePanelKind kind = ValuePanelKind::None;
    // Levels for the three lamps (3: off).
    std::array<int, 3> lamps = {3, 3, 3};
    // A property node: it becomes CurTargetNode.
    bool selectsProperty = false;
    // lblChildInfo (UTF-8): the category of a property node, or of a category node itself;
    // nothing (kept as it is) without a node.
    std::optional<std::string> childInfo;
    bool enableEditBox = false;  // the box model editor command
    std::string_view pageName;   // category page to load into RichEditHint; empty: none

    // PanelCommon is shown holding these controls, top to bottom (every other value control
    // is hidden). For Image, SBOpenURL sits to the right of EditCommon.
    bool showPanel = false;
    std::vector<ValueControl> controls;
    ValuePanelFill fill;   // drop-down items and hint text (keyword and length panels)
    int comboIndex = -1;   // CmbBoxCommon.ItemIndex; -1 no selection
    // CmbBoxCommon's edit line (UTF-8) when no item equals the value: the value as it stands.
    std::string comboText;
    std::string nowData;   // StaticTxtNowData, UTF-8

    // Length panel: the edit box text (UTF-8) and the unit to select, when the value has
    // a unit; without one the unit choice stays as it was.
    std::string editText;
    std::optional<int> unitIndex;
    bool focusEdit = false;
    // Length and image panels: the whole value (UTF-8) when the edit box shows only part
    // of it (a shorthand of several words, "!important", a function around the number or
    // the address); empty when it shows all of it or nothing.
    std::string editPartOf;

    // Colour panel: the swatch, and the current colour read whole (the colour picker starts
    // from it and keeps its alpha).
    SwatchLook swatch;
    std::optional<CssColor> color;
    bool transparentTicked = false;

    // StaticTxtFont's caption (UTF-8).
    std::string fontText = std::string(NoValueText);
};

// The panel for `node`; `currentValue` is the value the selected rule gives the property
// (CP932), nothing when the rule does not set it. No node: lamps off, nothing shown. The
// current-value label shows the whole value; the editors show it without "!important",
// which the store keeps. A value no item or number can show is shown as its text: in the
// drop-down's edit line (keyword and unitless length values) or in the image box.
ValuePanelPlan planValuePanel(const PropertyNodeInfo* node,
                              const std::optional<std::string>& currentValue);

// Number and unit of a length value (CP932): the text before the first unit found, trying
// "em", "ex", "px", "%" in turn (letter case ignored), trimmed; nothing without a unit.
// `whole`: the number and the unit are all the value holds, apart from blanks.
struct LengthParts {
    std::string number;  // CP932
    int unitIndex;
    bool whole;
};
std::optional<LengthParts> splitLength(std::string_view value);

// The address inside url("...") of an image value (CP932), trimmed; empty when the value
// has no closing quote and parenthesis; nothing when it has no url(" at all. `whole`: the
// value is that url("...") alone, apart from blanks.
struct ImageAddress {
    std::string address;  // CP932
    bool whole;
};
std::optional<ImageAddress> imageAddress(std::string_view value);

// The value EditCommon stores (all CP932): for background-image the edit text inside
// url("..."), or as it stands when it is an image value of its own (a function such as
// url(...) or a keyword such as none); else the length of lengthEditValue. An empty edit
// text gives an empty value. Nothing when the text is no length (refused).
std::optional<std::string> composeEditValue(std::string_view property, std::string_view editText,
                                            std::string_view unitCaption);

// What the length box of `property` stores for its text (CP932), blanks around it dropped: a
// number ("12", "-1.5", ".5") followed by the unit caption; as typed, a number with a length
// unit of its own ("12pt", "2rem"), a keyword the property's lists offer or any property
// takes ("auto", "inherit") and a function ("calc(...)"). Nothing for any other text
// ("1.2.3", "12x3"), which would make a declaration browsers ignore.
std::optional<std::string> lengthEditValue(std::string_view property, std::string_view editText,
                                           std::string_view unitCaption);
std::string wrapImageAddress(std::string_view address);

// The text stored for a chosen image file (UTF-8 path): relative to the folder of the
// user's preview page with "/" separators when a page is chosen, else the full path.
// Fails when the text cannot be written in CP932.
struct ImagePathText {
    std::string text;                      // UTF-8, for the edit box
    std::string cp932;                     // the same, for the document
    std::vector<std::string> unencodable;  // characters CP932 lacks; non-empty: refuse
    bool ok() const { return unencodable.empty(); }
};
ImagePathText imagePathText(const std::filesystem::path& file,
                            const std::optional<std::filesystem::path>& previewPage);

}  // namespace pavik
