#pragma once
// Display form of a row: the indent as blank cells, then the row text with each tab
// expanded to the next tab stop (stops counted from the start of the row text). Cell kinds
// are kept apart from the bytes, so a text byte 0x01 or 0x0B is never taken for an indent
// or tab-filler cell.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pavik {

inline int effectiveTabSize(int tabSize) { return tabSize < 1 ? 1 : tabSize; }

// Cells a tab takes when it starts at cell `col` of the row text.
inline int tabWidthAt(int col, int tabSize) {
    int t = effectiveTabSize(tabSize);
    return t - col % t;
}

// Width in cells of the text with tabs expanded.
int expandedWidth(std::string_view text, int tabSize);

// Column of the character at `index`: the indent plus the expanded width of the bytes
// before it. `index` is clamped to the text.
int charIndexToCol(std::string_view text, int indent, int tabSize, int index);

// Number of text bytes wholly before display column `col` (a column inside a tab cell
// counts as the tab's own position). Negative inside the indent; at most the text length.
int colToCharIndex(std::string_view text, int indent, int tabSize, int col);

// Tabs replaced by spaces up to the next tab stop.
std::string tabsToSpaces(std::string_view text, int tabSize);

enum class CellKind : std::uint8_t { Indent, Text, TabFill, TabEnd };

struct DisplayLine {
    std::string cells;             // text bytes; blanks in indent and filler cells, the tab at a tab's end
    std::vector<CellKind> kinds;   // one per cell
};

DisplayLine buildDisplayLine(std::string_view text, int indent, int tabSize);

}  // namespace pavik
