#include "editor/mouse_input.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sjis.h"

namespace pavik {

namespace {

// Per byte of a row: the byte is a single-byte ASCII letter or digit (never the second
// byte of a pair).
std::vector<bool> wordBytes(const std::string& t) {
    std::vector<bool> word(t.size(), false);
    for (size_t i = 0; i < t.size();) {
        const size_t len = sjis::charLength(t, i);
        const auto c = static_cast<unsigned char>(t[i]);
        word[i] = len == 1 && ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                               (c >= 'a' && c <= 'z'));
        i += len;
    }
    return word;
}

// One axis of a drag pass. With the pointer before (side < 0) or after (side > 0) the view,
// the point goes at least one row or column beyond it, within 0 ... last, and the view's
// first row or column follows so that the point is just in view.
struct Axis {
    int point;
    int first;
};
Axis dragAxis(int side, int point, int first, int visible, int last) {
    if (side > 0) {
        point = std::min(std::max(point, first + visible), last);
        return {point, std::max(first, point - visible + 1)};
    }
    if (side < 0) {
        point = std::max(std::min(point, first - 1), 0);
        return {point, std::min(first, point)};
    }
    return {std::min(point, last), first};
}

int sideOf(int pos, int low, int high) { return pos < low ? -1 : pos >= high ? 1 : 0; }

}  // namespace

MouseInput::MouseInput(EditorCore& core, std::unique_ptr<Timer> autoScroll)
    : e_(core), timer_(std::move(autoScroll)) {
    timer_->setInterval(kAutoScrollMs);
    timer_->OnTimer = [this] {
        if (mode_ == MouseMode::None || !pastEdge() || !dragPass()) timer_->setEnabled(false);
    };
}

TextPoint MouseInput::PointToCell(int x, int y) const {
    const int pitch = std::max(Geometry.cellPitch, 1);
    const int height = std::max(Geometry.rowHeight, 1);
    const int col = std::max((x + 3 - Geometry.textLeft) / pitch + e_.LeftCol, 0);
    const int row = std::clamp((y - Geometry.textTop) / height + e_.TopRow, 0, e_.RowCount() - 1);
    return {col, row};
}

MouseCursor MouseInput::CursorAt(int x, int y) const {
    const MouseGeometry& g = Geometry;
    if (x < 1 || y < 1 || x >= g.textRight || y >= g.textBottom) return MouseCursor::Default;
    if (x >= g.textLeft && y >= g.textTop) return MouseCursor::IBeam;
    if (y >= g.textTop) return MouseCursor::RowSelect;
    if (x >= g.textLeft && e_.Sel.HasRowRange() && (e_.Options & aoAutoFormat)) {
        const int first = std::clamp(e_.Sel.FirstRangeRow(), 0, e_.RowCount() - 1);
        const int col = PointToCell(x, y).col;
        if (col == e_.UsableRowAttr(e_.RowAttr(first)).wrapPos || col == e_.RowIndent(first))
            return MouseCursor::SplitH;
    }
    return MouseCursor::Default;
}

// ---- press ----

void MouseInput::Press(int x, int y, bool shift) {
    timer_->setEnabled(false);
    caretHidden_ = false;
    lastX_ = x;
    lastY_ = y;
    const TextPoint p = PointToCell(x, y);
    switch (CursorAt(x, y)) {
    case MouseCursor::SplitH:
        pressRuler(p);
        break;
    case MouseCursor::IBeam:
        pressText(p, shift);
        break;
    case MouseCursor::RowSelect:
        pressMargin(p, shift);
        break;
    case MouseCursor::Default:
        break;
    }
    e_.View().updateCaret();
    e_.RepaintRows();
    e_.CheckSelection();
}

void MouseInput::pressRuler(TextPoint p) {
    const int first = std::clamp(e_.Sel.FirstRangeRow(), 0, e_.RowCount() - 1);
    const int wrap = e_.UsableRowAttr(e_.RowAttr(first)).wrapPos;
    const int indent = e_.RowIndent(first);
    if (p.col == wrap)
        mode_ = MouseMode::WrapColumn;
    else if (p.col == indent && indent == std::min(p.col, wrap - 8))
        mode_ = MouseMode::Indent;
    else
        return;
    e_.UpdateRangeLimits();
    e_.Sel.DragCol = p.col;
    e_.View().showGuideLine(p.col);
}

void MouseInput::pressText(TextPoint p, bool shift) {
    TextPoint q = e_.NormalizeMousePoint(p);
    // Past the end of a row the caret goes to the end of its text.
    if (!(e_.Options & aoFreeCaret)) q = e_.ClampToText(q);
    TSelArea& sel = e_.Sel;
    if (sel.HasRowRange()) {
        e_.MarkRowsDirty(sel.FirstRangeRow(), sel.LastRangeRow());
        sel.ClearRange();
    }
    if (sel.HasStream()) e_.MarkRowsDirty(sel.StartPoint().row, sel.EndPoint().row);
    if (shift) {
        // From the caret to the point; the caret follows once the pointer moves.
        sel.AnchorPoint = e_.ClampToText(e_.Caret);
        sel.MovingEnd = e_.ClampToText(q);
        e_.MarkRowsDirty(sel.StartPoint().row, sel.EndPoint().row);
    } else {
        sel.CollapseTo(e_.ClampToText(q));
        e_.Caret = q;
        caretHidden_ = true;
    }
    mode_ = MouseMode::Text;
}

void MouseInput::pressMargin(TextPoint p, bool shift) {
    TSelArea& sel = e_.Sel;
    if (sel.HasStream()) {
        e_.MarkRowsDirty(sel.StartPoint().row, sel.EndPoint().row);
        sel.Collapse();
    }
    if (sel.HasRowRange()) e_.MarkRowsDirty(sel.FirstRangeRow(), sel.LastRangeRow());
    if (!shift || !sel.HasRowRange()) sel.RowAnchor = p.row;
    sel.RowMoving = p.row;
    e_.MarkRowsDirty(sel.FirstRangeRow(), sel.LastRangeRow());
    e_.UpdateRangeLimits();
    mode_ = MouseMode::RowRange;
}

// ---- drag ----

void MouseInput::Move(int x, int y, bool leftHeld) {
    lastX_ = x;
    lastY_ = y;
    TSelArea& sel = e_.Sel;
    switch (mode_) {
    case MouseMode::None:
        return;
    case MouseMode::WrapColumn:
    case MouseMode::Indent: {
        const int col = PointToCell(x, y).col;
        // The wrap column stays 8 beyond every indent of the range, the indent 8 before every
        // wrap column, and both within what a row record holds.
        const int next = mode_ == MouseMode::WrapColumn
                             ? std::clamp(std::max(col, sel.RangeMaxIndent + 8), 0, 65535)
                             : std::clamp(std::min(col, sel.RangeMinWrap - 8), 0, 32767);
        if (next != sel.DragCol) {
            sel.DragCol = next;
            e_.View().showGuideLine(next);
        }
        return;
    }
    case MouseMode::RowRange:
    case MouseMode::Text:
        if (!leftHeld) return;
        dragPass();
        timer_->setEnabled(pastEdge());
        return;
    }
}

bool MouseInput::pastEdge() const {
    const MouseGeometry& g = Geometry;
    if (lastY_ < g.textTop || lastY_ >= g.textBottom) return true;
    return mode_ == MouseMode::Text && (lastX_ < g.textLeft || lastX_ >= g.textRight);
}

bool MouseInput::dragPass() {
    const MouseGeometry& g = Geometry;
    const TextPoint at = PointToCell(lastX_, lastY_);
    const Axis rows = dragAxis(sideOf(lastY_, g.textTop, g.textBottom), at.row, e_.TopRow,
                               std::max(e_.VisibleRows, 1), e_.RowCount() - 1);
    // Text drags also scroll sideways, up to the widest row.
    const Axis cols = mode_ == MouseMode::Text
                          ? dragAxis(sideOf(lastX_, g.textLeft, g.textRight), at.col, e_.LeftCol,
                                     std::max(e_.VisibleCols, 1), std::max(e_.LongestRow(), 0))
                          : Axis{at.col, e_.LeftCol};
    const bool scrolled = rows.first != e_.TopRow || cols.first != e_.LeftCol;
    e_.TopRow = rows.first;
    e_.LeftCol = cols.first;
    if (mode_ == MouseMode::Text)
        moveTextEnd({cols.point, rows.point});
    else
        moveRowRange(rows.point);
    if (scrolled)
        e_.View().paint();
    else
        e_.RepaintRows();
    return scrolled;
}

void MouseInput::moveRowRange(int row) {
    TSelArea& sel = e_.Sel;
    if (row == sel.RowMoving) return;
    e_.MarkRowsDirty(sel.RowMoving, row);
    sel.RowMoving = row;
    e_.UpdateRangeLimits();
}

void MouseInput::moveTextEnd(TextPoint p) {
    TextPoint q = e_.NormalizeMousePoint(p);
    if (!(e_.Options & aoFreeCaret)) q = e_.ClampToText(q);
    if (q == e_.Caret) return;
    TSelArea& sel = e_.Sel;
    const int oldRow = sel.MovingEnd.row;
    sel.MovingEnd = e_.ClampToText(q);
    e_.MarkRowsDirty(oldRow, sel.MovingEnd.row);
    e_.Caret = q;
    e_.View().updateCaret();
}

// ---- release ----

void MouseInput::Release(bool shift) {
    timer_->setEnabled(false);
    caretHidden_ = false;
    TSelArea& sel = e_.Sel;
    switch (mode_) {
    case MouseMode::RowRange:
        // The caret goes below the range, or to the last row when the range ends there.
        if (sel.HasRowRange()) e_.Caret = e_.ClampToText({0, sel.LastRangeRow() + 1});
        e_.View().updateCaret();
        break;
    case MouseMode::WrapColumn:
    case MouseMode::Indent:
        e_.View().hideGuideLine();
        applyRangeDrag(shift);
        break;
    case MouseMode::Text:
        e_.View().updateCaret();
        break;
    case MouseMode::None:
        break;
    }
    mode_ = MouseMode::None;
    e_.CheckSelection();
}

void MouseInput::applyRangeDrag(bool shift) {
    TSelArea& sel = e_.Sel;
    if (!e_.ReadOnly && sel.HasRowRange()) {
        const int first = std::clamp(sel.FirstRangeRow(), 0, e_.RowCount() - 1);
        const int last = std::clamp(sel.LastRangeRow(), 0, e_.RowCount() - 1);
        const int shiftBy = sel.DragCol - e_.RowIndent(first);
        ++e_.OpId;
        for (int r = first; r <= last; ++r) {
            TRowAttr a = e_.UsableRowAttr(e_.RowAttr(r));
            a.dirty = true;
            if (mode_ == MouseMode::WrapColumn) {
                a.wrapPos = static_cast<std::uint16_t>(std::clamp(sel.DragCol, 0, 65535));
            } else {
                // With Shift every row takes the new indent; without, every row moves by as
                // much as the first.
                const int indent = shift ? std::min(sel.DragCol, a.wrapPos - 8) : a.indent + shiftBy;
                a.indent = static_cast<std::int16_t>(std::clamp(indent, 0, 32767));
            }
            e_.ChangeRowAttr(r, a);
        }
        for (int r = first; r <= sel.LastRangeRow() && r < e_.RowCount();) r = e_.RewrapRow(r) + 1;
    }
    e_.UpdateRangeLimits();
    e_.View().paint();
}

// ---- double-click ----

void MouseInput::DoubleClick(int x, int /*y*/) {
    const int row = e_.Caret.row;
    if (row < 0 || row >= e_.RowCount() || x <= Geometry.textLeft) return;
    const std::string& t = e_.RowText(row);
    const int n = e_.ColToCharIndex(e_.Caret.col, row);
    if (n < 0 || n >= static_cast<int>(t.size())) return;
    const size_t at = sjis::charStart(t, static_cast<size_t>(n));
    TSelArea& sel = e_.Sel;
    const TextPoint oldStart = sel.StartPoint();
    const TextPoint oldEnd = sel.EndPoint();
    if (sjis::charLength(t, at) == 2) {
        const int col = e_.CharIndexToCol(static_cast<int>(at), row);
        sel.AnchorPoint = {col, row};
        sel.MovingEnd = {col + 2, row};
    } else {
        if (!wordBytes(t)[at]) return;
        // Back to the word's first byte, crossing into rows above through their last byte.
        int r = row;
        size_t i = at;
        std::vector<bool> word = wordBytes(t);
        for (;;) {
            if (i > 0 && word[i - 1]) {
                --i;
            } else if (i == 0 && r > 0 && !e_.RowText(r - 1).empty() &&
                       wordBytes(e_.RowText(r - 1)).back()) {
                --r;
                word = wordBytes(e_.RowText(r));
                i = word.size() - 1;
            } else {
                break;
            }
        }
        sel.AnchorPoint = {e_.CharIndexToCol(static_cast<int>(i), r), r};
        // On past its last byte, crossing into rows below through their first byte.
        r = row;
        i = at + 1;
        word = wordBytes(t);
        for (;;) {
            if (i < word.size() && word[i]) {
                ++i;
            } else if (i == word.size() && r + 1 < e_.RowCount() && !e_.RowText(r + 1).empty() &&
                       wordBytes(e_.RowText(r + 1)).front()) {
                ++r;
                word = wordBytes(e_.RowText(r));
                i = 1;
            } else {
                break;
            }
        }
        sel.MovingEnd = {e_.CharIndexToCol(static_cast<int>(i), r), r};
    }
    e_.MarkRowsDirty(std::min(oldStart.row, sel.StartPoint().row),
                     std::max(oldEnd.row, sel.EndPoint().row));
    e_.RepaintRows();
    if (e_.CheckSelection() != 1 && sel.HasStream() && e_.OnSelect) e_.OnSelect(e_);
}

}  // namespace pavik
