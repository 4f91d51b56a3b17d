#pragma once
// Scroll bar ranges as numbers (keeping the caret in view is the core's: scrolling.cpp).
#include "editor/editor_types.h"
#include "editor/view/paint_types.h"

namespace pavik {

// One bar in the window system's terms: positions 0 ... max, `page` of them in view.
struct ScrollBarState {
    bool shown = false;
    int max = 0;
    int page = 0;
    int pos = 0;
    // The largest position a bar can take with the page in view.
    int lastPos() const { return max - page + 1 > 0 ? max - page + 1 : 0; }
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

struct ScrollInput {
    int rowCount = 1;
    int visibleRows = 0;
    int visibleCols = 0;
    int topRow = 0;
    int leftCol = 0;
    TextPoint caret;
    int defWrapPos = 60;
    int longestRow = 0;  // widest row length plus 2
    TScrollStyle style = TScrollStyle::ssBoth;
};

struct ScrollBarsPlan {
    ScrollBarState vertical;
    ScrollBarState horizontal;
};

// The vertical bar hides while every row fits, the top row is 0 and the caret is in view;
// the horizontal bar while the text's width (at least DefWrapPos) fits and the left column
// is 0. A bar the style leaves out is never shown, but its record is kept.
ScrollBarsPlan planScrollBars(const ScrollInput& in);

}  // namespace pavik
