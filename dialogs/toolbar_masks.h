#pragma once
// Which buttons of the main window's four upper toolbars show: one bit mask per toolbar in
// section "Tbar" of the settings file (bit k for button k), and the 19 rows of the toolbar
// dialog that show them. No Qt.
//
//   toolbar   key           default  accepted  rows
//   TBFile    "mnuFile"     3        1..31     1..5
//   TBStyle   "mnuStyle"    15       1..31     7..11
//   TBTools   "mnuTool"     1        1         13
//   TBBrowser "mnuBrowser"  0        1..15     15..18
// Rows 0, 6, 12 and 14 separate the groups. A mask outside its range shows no button.
#include <array>
#include <string_view>

namespace pavik {

inline constexpr std::string_view SectionTbar = "Tbar";

struct ToolBarMaskSpec {
    std::string_view key;
    int defaultMask;
    int buttons;   // the mask accepts 1 .. 2^buttons - 1
    int firstRow;  // dialog row of button 0
    bool accepts(int mask) const { return mask >= 1 && mask < (1 << buttons); }
};

// In the order TBFile, TBStyle, TBTools, TBBrowser.
inline constexpr std::array<ToolBarMaskSpec, 4> ToolBarMaskSpecs = {{
    {"mnuFile", 3, 5, 1},
    {"mnuStyle", 15, 5, 7},
    {"mnuTool", 1, 1, 13},
    {"mnuBrowser", 0, 4, 15},
}};

inline constexpr int ToolBarRows = 19;
using ToolBarMasks = std::array<int, 4>;
using ToolBarTicks = std::array<bool, ToolBarRows>;

constexpr bool isSeparatorRow(int row) { return row == 0 || row == 6 || row == 12 || row == 14; }

// The rows ticked for the toolbars' masks; a mask its toolbar does not accept ticks nothing.
ToolBarTicks ticksFromMasks(const ToolBarMasks& masks);

// The masks of the ticked rows (separator rows count for nothing).
ToolBarMasks masksFromTicks(const ToolBarTicks& ticks);

}  // namespace pavik
