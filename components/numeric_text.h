#pragma once
// Number texts of the numeric edit: formatting with a display format, reading a typed text
// back, which keys a number field accepts, and the range rules. No Qt.
//
// Display formats are sections separated by ";": positive, negative, zero. A section holds
// literal text around one number pattern of "0" (a digit always shown), "#" (a digit shown
// when significant), "," (thousands separators wanted) and "." (the decimal point). Text in
// single or double quotes is literal. A negative value formatted with a section of its own
// shows no minus sign; with only the first section it gets "-" in front.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pavik {

inline constexpr char DecimalSeparator = '.';
inline constexpr char ThousandSeparator = ',';
// The numeric edit's default format: thousands separators, no decimals, negatives in
// parentheses.
inline constexpr std::string_view DefaultNumberFormat = ",0;(,0)";

// `value` through `format`; an empty format gives the shortest plain text of the value.
std::string FormatNumber(double value, std::string_view format);

// The number a field's text stands for: empty text is 0; it is negative when it holds "-" or
// "("; its digits and decimal separators are read, everything else (separators, signs,
// parentheses) dropped. Nothing when no number can be read: no digits, two decimal
// separators, or more than 255 characters.
std::optional<double> ParseNumberText(std::string_view text);

// A key typed into a number field, against the text it would change.
struct NumberKey {
    char key = 0;
    std::string_view text;          // the field's text
    std::string_view selectedText;  // the part the key replaces
    bool atStart = false;           // the caret (or the selection) starts at position 0
    bool integersOnly = true;
};
// Digits always; "+" and "-" at the start while the text has no sign, or over the whole
// text; the decimal separator (not with integersOnly) while the text has none, or over the
// selection that holds it. Control characters other than Enter pass.
bool IsValidNumberKey(const NumberKey& k);

// Text an input method commits into a number field at [selectionStart, +selectionLength)
// of `text`, checked character by character as typed keys are: a full-width digit counts as
// its digit, anything else must be a key IsValidNumberKey takes at its place (no control
// characters). The ASCII text to insert, or nothing when a character is refused.
struct NumberInput {
    std::string_view text;
    size_t selectionStart = 0;
    size_t selectionLength = 0;
    bool integersOnly = true;
};
std::optional<std::string> AcceptNumberInput(std::u32string_view committed, const NumberInput& field);

// `v` held inside min..max when the two differ or checkRange is set; else unchanged.
double CheckNumberRange(double v, double min, double max, bool checkRange);

// `v` rounded to the nearest integer (ties to even), held inside the 32-bit range.
std::int32_t RoundToInt32(double v);

}  // namespace pavik
