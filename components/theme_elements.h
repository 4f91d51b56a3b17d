#pragma once
// The elements the visual-styles services draw: 24 element kinds with their class names,
// the element details (kind, part, state) and how a detail value of an element becomes its
// part and state. Also what the style draws for a part and state (StyleLookOf), which the
// Qt side turns into style primitives. No Qt.
#include <string_view>

namespace pavik {

enum TThemedElement {
    teButton,
    teClock,
    teComboBox,
    teEdit,
    teExplorerBar,
    teHeader,
    teListView,
    teMenu,
    tePage,
    teProgress,
    teRebar,
    teScrollBar,
    teSpin,
    teStartPanel,
    teStatus,
    teTab,
    teTaskBand,
    teTaskBar,
    teToolBar,
    teToolTip,
    teTrackBar,
    teTrayNotify,
    teTreeview,
    teWindow
};
inline constexpr int ThemedElementCount = 24;

// "button", "clock", ... "window".
std::string_view ThemeClassName(TThemedElement element);

struct TThemedElementDetails {
    TThemedElement Element = teButton;
    int Part = 0;
    int State = 0;
    bool operator==(const TThemedElementDetails&) const = default;
};

// Detail values the handlers use (the value runs are in GetElementDetails).
inline constexpr int tbPushButtonNormal = 2;
inline constexpr int tbPushButtonHot = 3;
inline constexpr int tbPushButtonPressed = 4;
inline constexpr int tbPushButtonDisabled = 5;
inline constexpr int tbPushButtonDefaulted = 6;
inline constexpr int tbGroupBoxNormal = 27;
inline constexpr int tbGroupBoxDisabled = 28;
inline constexpr int teEditTextNormal = 2;
inline constexpr int trBand = 4;
inline constexpr int tsStatusRoot = 1;
inline constexpr int ttBody = 43;
inline constexpr int ttbButtonNormal = 2;
inline constexpr int ttbButtonHot = 3;
inline constexpr int ttbButtonPressed = 4;
inline constexpr int ttbButtonDisabled = 5;
inline constexpr int ttbTrackBarTics = 34;

// The part and state of a detail value. Button, edit, rebar, status, tab, toolbar and
// track bar values are translated by runs; below 2 and outside the runs (and for every
// other element) the part is 0 and the state value + 1.
TThemedElementDetails GetElementDetails(TThemedElement element, int detail);

// What the style draws for a part of an element.
enum class StyleShape {
    Background,     // part 0: the element's own background
    PushButton,
    RadioButton,
    CheckBox,
    GroupBox,
    EditFrame,
    Gripper,        // a band's handle
    Band,           // a band of a control bar
    Chevron,
    StatusPane,
    SizeGrip,
    TabItem,
    TabPane,
    ToolButton,
    ToolSeparator,
    SliderTrack,
    SliderThumb,
    SliderTicks,
    Nothing         // a part with no picture (the edit caret)
};

struct StyleLook {
    StyleShape shape = StyleShape::Background;
    bool enabled = true;
    bool hot = false;
    bool pressed = false;
    bool checked = false;
    bool mixed = false;
    bool defaulted = false;
    bool focused = false;
    bool vertical = false;
    bool operator==(const StyleLook&) const = default;
};

StyleLook StyleLookOf(const TThemedElementDetails& details);

}  // namespace pavik
