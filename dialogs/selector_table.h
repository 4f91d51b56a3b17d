#pragma once
// The selector chooser's rows: every element it offers, each followed by its pseudo-classes
// and pseudo-elements, with three support levels and the element group. No Qt.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pavik {

struct SelectorRow {
    std::uint8_t Kind;      // 0 element row, 1 child row (a pseudo name of the element row above it)
    std::string_view Name;  // "A", ":hover"
    std::int32_t IE;        // support levels: 0 not supported, 1 supported, 2 partly
    std::int32_t NS4;
    std::int32_t NS6;
    std::int32_t Group;     // index into SelectorGroupNames; a child row has its element's
};

inline constexpr int SelectorRowCount = 196;
extern const std::array<SelectorRow, SelectorRowCount> SelectorTable;

// The row at `row`, or null outside the table.
const SelectorRow* selectorRow(int row);
// The element row that `row` belongs to (itself for an element row); -1 outside the table.
int selectorElementRow(int row);
// A row's text: the element's name, or the element's name followed by the child's ("A:hover").
// Empty outside the table.
std::string selectorRowText(int row);

}  // namespace pavik
