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

}  // namespace pavik
