#pragma once
// Storing a value the user chose into the selected rule, and what each value control's
// handler stores and shows. Headless: the main window calls these from its handlers and
// then does the tail (unsaved mark, preview rebuild, status line).
//
// The rule is always the one the clicked rule-tree node carries (by identity), so two
// rules with the same selector are kept apart. Document texts are CP932.
#include <optional>
#include <string>
#include <string_view>

#include "platform/colors.h"
#include "workspace/document/style_document.h"
#include "workspace/values/value_panel.h"

namespace pavik {

// Image of a property-tree node: the rule sets the property / does not.
inline constexpr int ValueImageSet = 32;
inline constexpr int ValueImageUnset = 33;

// Inserted at the caret of the style sheet pane by the "!important" command.
inline constexpr std::string_view ImportantTag = " !important ";

// The rule of `doc` whose record is `ruleRecord` (the record a rule-tree node carries), or
// null when that rule is no longer in the document.
CssRuleNode* findRuleByRecord(const StyleDocument& doc, const TData2* ruleRecord);

// The value the rule gives the property (exact name) in the declaration in effect (see
// declarations.h), or nothing when the rule is gone or does not declare it.
std::optional<std::string> currentValue(const StyleDocument& doc, const TData2* ruleRecord,
                                        std::string_view property);

// Writes `value` into the rule's declaration of `property` in effect, keeping its
// "!important", or adds the declaration at the end of the rule when there is none; other
// declarations of the property stay as they are. An empty value keeps the declaration (the
// writer leaves it out). Returns the declaration, or null (nothing stored) when the rule is
// gone or the property name is empty.
Declaration* storeValue(StyleDocument& doc, const TData2* ruleRecord, std::string_view property,
                   std::string_view value);

// Removes every declaration of `property` from the rule, so that it no longer sets it.
// Returns false, changing nothing, when the rule is gone or does not declare it.
bool clearValue(StyleDocument& doc, const TData2* ruleRecord, std::string_view property);

// What one handler does: store a value or remove the declaration, then show the result.
struct ValueWrite {
    // Refused: the text cannot be stored (a length box's text that is no length).
    enum class Op { None, Store, Remove, Refused };
    Op op = Op::None;
    std::string value;                   // CP932, for Op::Store
    int image = ValueImageSet;           // the property node's image afterwards
    std::optional<std::string> nowData;  // new StaticTxtNowData text (UTF-8)
    std::optional<std::string> fontText; // new StaticTxtFont caption (UTF-8)
    std::optional<SwatchLook> swatch;    // how ShapeColor shows the stored value
    // FileOpenURLAccept rebuilds the preview even while automatic refresh is off.
    bool refreshAlways = false;
};

// CmbBoxCommonChange: the chosen item's text, or the text the user typed into the
// drop-down; an empty one stores the empty value.
ValueWrite keywordWrite(std::string_view text);
// CmbBoxCommon2Change: the chosen item; an empty one does nothing.
ValueWrite secondKeywordWrite(const std::optional<std::string>& chosenItem);
// EditCommonClick (byEnter false) and Enter in EditCommon (byEnter true): the edit text
// with its unit, or inside url("...") for background-image (see composeEditValue). A click
// in an empty box does nothing; Enter in an empty box stores the empty value. A text that
// is no length is refused.
ValueWrite editWrite(std::string_view property, std::string_view editText,
                     std::string_view unitCaption, bool byEnter);
// FileOpenURLAccept: the stored address text (see imagePathText), inside url("...").
ValueWrite imageFileWrite(std::string_view addressCp932);
// CheckBoxColorClick: "transparent" when ticked, the empty value when not.
ValueWrite transparentWrite(bool ticked);
// After OK in the colour picker: its colour text.
ValueWrite colorWrite(std::string_view colorText);
// After OK in the font chooser: the family text.
ValueWrite fontWrite(std::string_view family);
// BitBtnClearClick: removes the declaration.
ValueWrite clearWrite();

// Whether a value typed by the user can go into a rule without breaking the text around it
// when the style sheet is written and read again: every "(" closed by a ")" after it, every
// quote closed, no brace outside a quoted string. A backslash escapes the character after it.
bool writableValue(std::string_view value);

// Applies a write to the rule's property. Returns whether the document changed; when it
// did not (no rule, no property, nothing to remove, Op::None), the handler stops there,
// leaving the display, the saved state and the preview alone.
bool applyValueWrite(StyleDocument& doc, const TData2* ruleRecord, std::string_view property,
                     const ValueWrite& write);

}  // namespace pavik
