// Scrolling: keeping the caret in view, and the scroll bars' requests. The view is two
// numbers on the core (TopRow, LeftCol); the widget repaints when they move.
#include <algorithm>

#include "editor/editor_core.h"

namespace pavik {

namespace {

// Grows during a burst of vertical scroll requests, shared by every editor; EndScroll (sent
// after every key) resets it.
int scrollStep = 0;

// After a scroll request: everything repainted when the view moved, else only the bars and
// the caret brought up to date.
void showScroll(EditorView& view, bool moved) {
    if (moved) {
        view.paint();
    } else {
        view.refreshScrollBars();
        view.updateCaret();
    }
}

}  // namespace

ScrollTarget EditorCore::CaretScrollTarget() const {
    ScrollTarget t{TopRow, LeftCol};
    const int row = Caret.row;
    const int vis = VisibleRows;
    if (vis > 0) {
        if (row < t.topRow - 1) {
            t.topRow = row;
        } else if (row == t.topRow - 1) {
            t.topRow -= 1;
        } else if (row == t.topRow + vis - 1) {
            if (RowCount() - vis >= t.topRow) t.topRow += 1;
        } else if (row > t.topRow + vis - 1) {
            t.topRow = row - vis + 2;
        }
        t.topRow = std::max(t.topRow, 0);
    }
    const int col = Caret.col;
    const int cols = VisibleCols;
    if (cols > 0) {
        if (col < t.leftCol - 1) {
            t.leftCol = col;
        } else if (col == t.leftCol - 1) {
            t.leftCol -= 1;
        } else if (col == t.leftCol + cols - 2) {
            const int widest = std::max(LongestRow(), DefWrapPos() + 2);
            if (widest - cols >= t.leftCol) t.leftCol += 1;
        } else if (col >= t.leftCol + cols - 1) {
            t.leftCol = col - cols + 1;
        }
        t.leftCol = std::max(t.leftCol, 0);
    }
    return t;
}

void EditorCore::ScrollToCaret() {
    NormalizeCaret();
    const ScrollTarget t = CaretScrollTarget();
    const bool moved = t.topRow != TopRow || t.leftCol != LeftCol;
    TopRow = t.topRow;
    LeftCol = t.leftCol;
    if (ShiftHeld) {
        const int oldRow = Sel.MovingEnd.row;
        Sel.MovingEnd = ClampToText(Caret);
        MarkRowsDirty(oldRow, Sel.MovingEnd.row);
    } else {
        if (Sel.HasStream()) MarkRowsDirty(Sel.StartPoint().row, Sel.EndPoint().row);
        Sel.CollapseTo(ClampToText(Caret));
    }
    if (moved) {
        view_->paint();
    } else {
        view_->updateCaret();
        view_->repaintRows();
    }
}

int EditorCore::VScrollMax() const {
    return std::max({RowCount() - 1, VisibleRows + TopRow - 1, Caret.row, 0});
}

int EditorCore::HScrollMax() const {
    return std::max({DefWrapPos(), LongestRow(), Caret.col, 0});
}

void EditorCore::VScroll(ScrollCode code, int pos, bool shift) {
    if (code == ScrollCode::EndScroll) {
        scrollStep = 0;
        return;
    }
    scrollStep = std::max(1, std::min(AccelRate, scrollStep + 1));
    const int vis = std::max(VisibleRows, 1);
    const int last = RowCount() - 1;
    // Without Shift a caret scrolled out of the rows in view is taken along.
    auto keepCaretInView = [&] {
        if (shift) return;
        if (Caret.row < TopRow) Caret.row = TopRow;
        if (Caret.row >= TopRow + vis - 2) Caret.row = std::max(TopRow + vis - 2, TopRow);
        Caret.row = std::min(Caret.row, last);
    };
    const int oldTop = TopRow;
    switch (code) {
    case ScrollCode::LineBack:
        for (int i = 0; i < scrollStep && TopRow > 0; ++i) {
            --TopRow;
            if (!shift && Caret.row > TopRow + vis - 2) --Caret.row;
        }
        break;
    case ScrollCode::LineForward:
        if (RowCount() - vis >= TopRow) {
            TopRow = std::min(TopRow + scrollStep, std::max(RowCount() - vis + 1, 0));
            if (!shift && Caret.row < TopRow) Caret.row = std::min(Caret.row + scrollStep, last);
        }
        break;
    case ScrollCode::PageBack:
        for (int i = 0; i < scrollStep; ++i) {
            TopRow = std::max(0, TopRow - vis);
            if (!shift) Caret.row = std::max(0, Caret.row - vis);
        }
        break;
    case ScrollCode::PageForward:
        for (int i = 0; i < scrollStep; ++i) {
            TopRow = std::max(TopRow, std::min(TopRow + vis, RowCount() - vis));
            if (!shift) Caret.row = std::min(Caret.row + vis, last);
        }
        break;
    case ScrollCode::ThumbTrack:
        if (!ThumbTracking) return;
        TopRow = std::clamp(pos, 0, std::max(VScrollMax(), 0));
        keepCaretInView();
        break;
    case ScrollCode::ThumbPosition:
        // Released while another control has the focus: the view stays where the drag left it.
        if (!view_->focused()) {
            view_->refreshScrollBars();
            return;
        }
        TopRow = std::clamp(pos, 0, std::max(VScrollMax(), 0));
        keepCaretInView();
        break;
    case ScrollCode::Top:
    case ScrollCode::Bottom:
    case ScrollCode::EndScroll:
        return;
    }
    showScroll(*view_, TopRow != oldTop);
}

void EditorCore::HScroll(ScrollCode code, int pos) {
    const int cols = std::max(VisibleCols, 1);
    const int oldLeft = LeftCol;
    switch (code) {
    case ScrollCode::LineBack:
        if (LeftCol > 0) --LeftCol;
        break;
    case ScrollCode::LineForward: {
        const int widest = std::max(LongestRow(), DefWrapPos() + 2);
        if (widest - cols >= LeftCol) ++LeftCol;
        break;
    }
    case ScrollCode::PageBack:
        LeftCol = LeftCol >= cols ? LeftCol - std::max(cols - 2, 1) : 0;
        break;
    case ScrollCode::PageForward:
        if (LeftCol + 2 * cols <= HScrollMax())
            LeftCol += std::max(cols - 2, 1);
        else
            LeftCol = std::max(HScrollMax() - cols + 1, LeftCol);
        break;
    case ScrollCode::ThumbTrack:
        if (!ThumbTracking) return;
        [[fallthrough]];
    case ScrollCode::ThumbPosition:
        LeftCol = std::clamp(pos, 0, std::max(HScrollMax(), 0));
        break;
    case ScrollCode::Top:
    case ScrollCode::Bottom:
    case ScrollCode::EndScroll:
        return;
    }
    showScroll(*view_, LeftCol != oldLeft);
}

}  // namespace pavik
