#include "editor/view/scroll_plan.h"

#include <algorithm>

namespace pavik {

ScrollBarsPlan planScrollBars(const ScrollInput& in) {
    ScrollBarsPlan p;
    const bool vAllowed = in.style == TScrollStyle::ssBoth || in.style == TScrollStyle::ssVertical;
    const bool hAllowed = in.style == TScrollStyle::ssBoth || in.style == TScrollStyle::ssHorizontal;

    auto& v = p.vertical;
    v.max = std::max({in.rowCount - 1, in.visibleRows + in.topRow - 1, in.caret.row, 0});
    v.page = std::max(in.visibleRows, 0);
    v.pos = in.topRow;
    const bool rowsFit = in.rowCount < in.visibleRows && in.topRow == 0 &&
                         in.caret.row >= 0 && in.caret.row < in.visibleRows;
    v.shown = vAllowed && !rowsFit;

    auto& h = p.horizontal;
    const int width = std::max(in.defWrapPos, in.longestRow);
    h.max = std::max(width, in.caret.col);
    h.page = std::max(in.visibleCols, 0);
    h.pos = in.leftCol;
    const bool colsFit = width <= in.visibleCols && in.leftCol == 0;
    h.shown = hAllowed && !colsFit;
    return p;
}

ScrollTarget scrollForCaret(const ScrollInput& in) {
    ScrollTarget t{in.topRow, in.leftCol};
    const int row = in.caret.row;
    const int vis = in.visibleRows;
    if (vis > 0) {
        if (row < t.topRow - 1) {
            t.topRow = row;
        } else if (row == t.topRow - 1) {
            t.topRow -= 1;
        } else if (row == t.topRow + vis - 1) {
            if (in.rowCount - vis >= t.topRow) t.topRow += 1;
        } else if (row > t.topRow + vis - 1) {
            t.topRow = row - vis + 2;
        }
        t.topRow = std::max(t.topRow, 0);
    }
    const int col = in.caret.col;
    const int cols = in.visibleCols;
    if (cols > 0) {
        if (col < t.leftCol - 1) {
            t.leftCol = col;
        } else if (col == t.leftCol - 1) {
            t.leftCol -= 1;
        } else if (col == t.leftCol + cols - 2) {
            const int widest = std::max(in.longestRow, in.defWrapPos + 2);
            if (widest - cols >= t.leftCol) t.leftCol += 1;
        } else if (col >= t.leftCol + cols - 1) {
            t.leftCol = col - cols + 1;
        }
        t.leftCol = std::max(t.leftCol, 0);
    }
    return t;
}

}  // namespace pavik
