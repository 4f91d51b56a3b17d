#include "components/theme_elements.h"

#include <array>
#include <span>

namespace pavik {
namespace {

constexpr std::array<std::string_view, ThemedElementCount> ClassNames = {
    "button",     "clock",   "combobox", "edit",     "explorerbar", "header",
    "listview",   "menu",    "page",     "progress", "rebar",       "scrollbar",
    "spin",       "startpanel", "status", "tab",     "taskband",    "taskbar",
    "toolbar",    "tooltip", "trackbar", "traynotify", "treeview",  "window"};

// Detail values first..last belong to `part`.
struct Run {
    int first;
    int last;
    int part;
};

constexpr Run ButtonRuns[] = {{2, 6, 1}, {7, 14, 2}, {15, 26, 3}, {27, 28, 4}, {29, 29, 5}};
constexpr Run EditRuns[] = {{2, 8, 1}, {9, 9, 2}};
constexpr Run RebarRuns[] = {{2, 2, 1}, {3, 3, 2}, {4, 9, 3}, {10, 13, 4}, {14, 17, 5}};
constexpr Run StatusRuns[] = {{2, 2, 1}, {3, 3, 2}, {4, 4, 3}};
constexpr Run TabRuns[] = {{2, 6, 1},   {7, 11, 2},  {12, 16, 3}, {17, 21, 4}, {22, 26, 5},
                           {27, 31, 6}, {32, 36, 7}, {37, 41, 8}, {42, 42, 9}, {43, 43, 10}};
constexpr Run ToolBarRuns[] = {{2, 7, 1},   {8, 13, 2},  {14, 19, 3},
                               {20, 25, 4}, {26, 31, 5}, {32, 37, 6}};
constexpr Run TrackBarRuns[] = {{2, 2, 1},   {3, 3, 2},   {4, 8, 3},   {9, 13, 4},  {14, 18, 5},
                                {19, 23, 6}, {24, 28, 7}, {29, 33, 8}, {34, 34, 9}, {35, 35, 10}};

std::span<const Run> runsOf(TThemedElement element) {
    switch (element) {
    case teButton: return ButtonRuns;
    case teEdit: return EditRuns;
    case teRebar: return RebarRuns;
    case teStatus: return StatusRuns;
    case teTab: return TabRuns;
    case teToolBar: return ToolBarRuns;
    case teTrackBar: return TrackBarRuns;
    default: return {};
    }
}

// States 1-6 of buttons, bands and tool buttons: normal, hot, pressed, disabled, checked,
// hot and checked.
StyleLook buttonState(StyleShape shape, int state) {
    StyleLook look{shape};
    look.hot = state == 2 || state == 6;
    look.pressed = state == 3;
    look.enabled = state != 4;
    look.checked = state == 5 || state == 6;
    return look;
}

// Radio buttons and check boxes: runs of four states (normal, hot, pressed, disabled) for
// unchecked, checked and (check boxes) mixed.
StyleLook indicatorState(StyleShape shape, int state) {
    const int index = state - 1;
    StyleLook look = buttonState(shape, index % 4 + 1);
    look.checked = index / 4 == 1;
    look.mixed = index / 4 == 2;
    return look;
}

StyleLook buttonLook(int part, int state) {
    switch (part) {
    case 1: {
        StyleLook look = buttonState(StyleShape::PushButton, state);
        look.defaulted = state == 5;
        look.checked = false;
        return look;
    }
    case 2: return indicatorState(StyleShape::RadioButton, state);
    case 3: return indicatorState(StyleShape::CheckBox, state);
    case 4: return {.shape = StyleShape::GroupBox, .enabled = state != 2};
    case 5: return {.shape = StyleShape::PushButton};
    default: return {};
    }
}

StyleLook editLook(int part, int state) {
    if (part == 2) return {.shape = StyleShape::Nothing};
    if (part != 1) return {};
    return {.shape = StyleShape::EditFrame,
            .enabled = state != 4,
            .hot = state == 2,
            .focused = state == 3 || state == 5};
}

StyleLook rebarLook(int part, int state) {
    StyleLook look;
    switch (part) {
    case 1: look = {.shape = StyleShape::Gripper}; break;
    case 2: look = {.shape = StyleShape::Gripper, .vertical = true}; break;
    case 3: look = buttonState(StyleShape::Band, state); break;
    case 4: look = buttonState(StyleShape::Chevron, state); break;
    case 5:
        look = buttonState(StyleShape::Chevron, state);
        look.vertical = true;
        break;
    default: break;
    }
    return look;
}

StyleLook tabLook(int part, int state) {
    if (part >= 1 && part <= 8)
        return {.shape = StyleShape::TabItem,
                .enabled = state != 4,
                .hot = state == 2,
                .checked = state == 3,
                .focused = state == 5};
    if (part == 9) return {.shape = StyleShape::TabPane};
    return {};
}

StyleLook toolBarLook(int part, int state) {
    if (part >= 1 && part <= 4) return buttonState(StyleShape::ToolButton, state);
    if (part == 5) return {.shape = StyleShape::ToolSeparator};
    if (part == 6) return {.shape = StyleShape::ToolSeparator, .vertical = true};
    return {};
}

StyleLook trackBarLook(int part, int state) {
    switch (part) {
    case 1: return {.shape = StyleShape::SliderTrack};
    case 2: return {.shape = StyleShape::SliderTrack, .vertical = true};
    case 9: return {.shape = StyleShape::SliderTicks};
    case 10: return {.shape = StyleShape::SliderTicks, .vertical = true};
    default: break;
    }
    if (part < 3 || part > 8) return {};
    // Thumb states: normal, hot, pressed, focused, disabled.
    return {.shape = StyleShape::SliderThumb,
            .enabled = state != 5,
            .hot = state == 2,
            .pressed = state == 3,
            .focused = state == 4,
            .vertical = part >= 6};
}

}  // namespace

std::string_view ThemeClassName(TThemedElement element) {
    return ClassNames[static_cast<std::size_t>(element)];
}

TThemedElementDetails GetElementDetails(TThemedElement element, int detail) {
    if (detail >= 2)
        for (const Run& run : runsOf(element))
            if (detail >= run.first && detail <= run.last) return {element, run.part, detail - run.first + 1};
    return {element, 0, detail + 1};
}

StyleLook StyleLookOf(const TThemedElementDetails& d) {
    if (d.Part == 0) return {};
    switch (d.Element) {
    case teButton: return buttonLook(d.Part, d.State);
    case teEdit: return editLook(d.Part, d.State);
    case teRebar: return rebarLook(d.Part, d.State);
    case teStatus:
        return {.shape = d.Part == 3 ? StyleShape::SizeGrip : StyleShape::StatusPane};
    case teTab: return tabLook(d.Part, d.State);
    case teToolBar: return toolBarLook(d.Part, d.State);
    case teTrackBar: return trackBarLook(d.Part, d.State);
    default: return {};
    }
}

}  // namespace pavik
