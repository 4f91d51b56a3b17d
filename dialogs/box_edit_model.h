#pragma once
// What the box model editor holds and decides, without widgets: the twenty rows (margins,
// border widths, paddings, border styles), reading a rule's box values into them, the
// edits of the "set All" rows, the values the preview shows, the preview page itself and
// the result the main window writes back. No Qt; texts are CP932.
//
// A length row holds a number (0 means "not set"), a unit text and whether its spinner is
// enabled (off while a border width holds a keyword width). A style row holds a style text.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/style_document.h"

namespace pavik {

// The rows in the order the main window writes them back.
enum class BoxRow {
    Margin, MarginTop, MarginLeft, MarginBottom, MarginRight,
    BorderWidth, BorderTopWidth, BorderLeftWidth, BorderBottomWidth, BorderRightWidth,
    Padding, PaddingTop, PaddingLeft, PaddingBottom, PaddingRight,
    BorderStyle, BorderTopStyle, BorderLeftStyle, BorderBottomStyle, BorderRightStyle,
};
inline constexpr int BoxRowCount = 20;

// The property a row sets ("margin", "margin-top", ...).
std::string_view boxRowProperty(BoxRow row);
inline bool isStyleRow(BoxRow row) { return row >= BoxRow::BorderStyle; }
inline bool isBorderWidthRow(BoxRow row) { return row >= BoxRow::BorderWidth && row <= BoxRow::BorderRightWidth; }
// The "set All" row of each page and of the styles.
inline bool isAllRow(BoxRow row) {
    return row == BoxRow::Margin || row == BoxRow::BorderWidth || row == BoxRow::Padding ||
           row == BoxRow::BorderStyle;
}
// The "set All" row of the row's group (itself for an All row).
BoxRow allRowOf(BoxRow row);

// Items of the unit and style drop-downs.
inline constexpr std::array<std::string_view, 4> BoxLengthUnits{"%", "ex", "em", "px"};
inline constexpr std::array<std::string_view, 7> BoxBorderWidthUnits{"%", "ex", "em", "px", "thin", "medium", "thick"};
inline constexpr std::array<std::string_view, 9> BoxBorderStyles{"solid", "double", "groove", "ridge", "inset",
                                                                  "outset", "dotted", "dashed", "none"};
// Whether a unit text is a keyword width ("thin", "medium", "thick").
bool isKeywordWidth(std::string_view unit);

// The spinners' range.
inline constexpr int BoxNumberMin = -500;
inline constexpr int BoxNumberMax = 500;

struct BoxLength {
    int value = 0;
    std::string unit{"%"};
    bool enabled = true;
    friend bool operator==(const BoxLength&, const BoxLength&) = default;
};

// A value per row as the preview shows it; the All rows are not shown and stay empty.
using BoxPreview = std::array<std::string, BoxRowCount>;

class BoxEditModel {
public:
    // Every number 0 with unit "%", every style "none".
    BoxEditModel();

    const BoxLength& length(BoxRow row) const { return lengths_[index(row)]; }
    const std::string& style(BoxRow row) const { return styles_[index(row)]; }

    // Reads one value of the rule (exact, case-sensitive names and units):
    // - a length: the first of "%", "ex", "em", "px" that occurs in the value is its unit;
    //   the text before that unit must be a decimal integer (clamped to -500..500), else the
    //   value is skipped; a shorthand sets its page's four sides and the "set All" row;
    // - a border width may instead be a keyword width, which disables the spinner (the
    //   shorthand also zeroes its page's numbers);
    // - a border style must equal one of the style items; the shorthand sets the four sides.
    // Anything else changes nothing.
    void SetBoxValue(std::string_view name, std::string_view value);

    // The user's edits. A "set All" row passes the number, unit or style on to its four
    // sides. Numbers are clamped to -500..500.
    void setNumber(BoxRow row, int value);
    void setUnit(BoxRow row, std::string_view unit);
    void setStyle(BoxRow row, std::string_view style);

    // The row's value as the main window stores it: a keyword width alone, else the number
    // (0 included) followed by the unit; for a style row its text.
    std::string composed(BoxRow row) const;
    // The twelve sides and four styles as the preview shows them: a number of 0 shows
    // nothing.
    BoxPreview preview() const;

    friend bool operator==(const BoxEditModel&, const BoxEditModel&) = default;

private:
    static size_t index(BoxRow row) { return static_cast<size_t>(row); }
    BoxLength& lengthRef(BoxRow row) { return lengths_[index(row)]; }
    void setLength(BoxRow row, int value, std::string_view unit);

    std::array<BoxLength, BoxRowCount> lengths_;  // style rows unused
    std::array<std::string, BoxRowCount> styles_;  // length rows unused
};

// The state a rule opens the dialog with, and the preview of its values exactly as the rule
// writes them (a side property overrides its shorthand). No rule: the defaults and a preview
// with the four styles "none".
struct BoxOpening {
    BoxEditModel model;
    BoxPreview preview;
};
BoxOpening readBoxRule(const CssRuleNode* rule);

// The preview page: CP932 with CR LF line ends, declared as Shift_JIS. A value holding "<",
// "{", "}" or ";" as the browser decodes it, or bytes that do not decode, could leave the
// style element or the rule, so it is left out.
std::string boxPreviewPage(const BoxPreview& values);

// One row of the dialog's result.
struct BoxResultRow {
    BoxRow row;
    std::string value;     // as composed
    // Differs from what the dialog opened with; a length row whose number is 0 only when
    // its number changed or it held a keyword width.
    bool changed = false;
};
// All twenty rows in write-back order.
std::vector<BoxResultRow> boxResult(const BoxEditModel& opening, const BoxEditModel& now);

}  // namespace pavik
