// Caret steps, inserting and deleting text, and the selection state.
#include <algorithm>

#include "editor/display_text.h"
#include "editor/editor_core.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

// Control characters other than tab and CR are dropped.
std::string filterControls(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 32 || b == '\t' || b == kCR) out.push_back(c);
    }
    return out;
}

// Index i is the second byte of a double-byte character.
bool isSecondByte(std::string_view t, size_t i) { return i > 0 && sjis::charStart(t, i) != i; }

}  // namespace

// ---- columns ----

int EditorCore::ColToCharIndex(int col, int row) const {
    return colToCharIndex(RowText(row), RowIndent(row), TabSize, col);
}

int EditorCore::CharIndexToCol(int index, int row) const {
    return charIndexToCol(RowText(row), RowIndent(row), TabSize, index);
}

int EditorCore::RowEndCol(int row) const { return DisplayLength(row) - (IsParaEnd(row) ? 1 : 0); }

int EditorCore::clampedCharIndex(int col, int row) const {
    const int last = static_cast<int>(RowText(row).size()) - (IsParaEnd(row) ? 1 : 0);
    return std::clamp(ColToCharIndex(col, row), 0, last);
}

TextPoint EditorCore::ClampToText(TextPoint p) const {
    p.row = std::clamp(p.row, 0, RowCount() - 1);
    p.col = std::clamp(p.col, 0, RowEndCol(p.row));
    return p;
}

TextPoint EditorCore::NormalizeMousePoint(TextPoint p) {
    if (p.row < 0 || p.row >= RowCount()) return p;
    const int idx = ColToCharIndex(p.col, p.row);
    const std::string& t = RowText(p.row);
    if (idx < 0 || idx >= static_cast<int>(t.size()) || t[static_cast<size_t>(idx)] == '\t' ||
        !isSecondByte(t, static_cast<size_t>(idx)) || CharIndexToCol(idx, p.row) != p.col)
        return p;
    p.col += mouseSnapLeft_ ? -1 : 1;
    mouseSnapLeft_ = !mouseSnapLeft_;
    return p;
}

void EditorCore::NormalizeCaret() {
    const int row = Caret.row;
    if (row < 0 || row >= RowCount()) return;
    const std::string& t = RowText(row);
    const int idx = ColToCharIndex(Caret.col, row);
    if (idx < 0 || idx >= static_cast<int>(t.size())) return;
    const size_t start = sjis::charStart(t, static_cast<size_t>(idx));
    const int cellStart = CharIndexToCol(static_cast<int>(start), row);
    if (Caret.col > cellStart) Caret.col = cellStart;
}

// ---- caret steps ----

void EditorCore::CaretLeft() {
    const int row = Caret.row;
    if (row >= RowCount()) {
        Caret.col = std::max(Caret.col - 1, 0);
        return;
    }
    const int indent = RowIndent(row);
    if (Caret.col > indent) {
        const std::string& t = RowText(row);
        const int len = DisplayLength(row);
        if (Caret.col <= len) {
            const int before = ColToCharIndex(Caret.col - 1, row);  // byte of the cell before
            if (t[static_cast<size_t>(before)] == '\t')
                Caret.col = CharIndexToCol(before, row);  // back to the tab cell's start
            else if (isSecondByte(t, static_cast<size_t>(before)))
                Caret.col -= 2;
            else
                Caret.col -= 1;
        } else if (!(Options & aoFreeCaret)) {
            Caret.col = std::max(0, len - 1);
        } else {
            Caret.col -= 1;
        }
    } else if (row == 0) {
        Caret.col = indent;
    } else {
        Caret = {RowEndCol(row - 1), row - 1};
    }
}

void EditorCore::CaretRight() {
    const int row = Caret.row;
    if (row >= RowCount()) {
        Caret.col += 1;
        return;
    }
    const int indent = RowIndent(row);
    const int len = DisplayLength(row);
    if (Caret.col < indent) {
        Caret.col = indent;
    } else if (Caret.col < len) {
        const std::string& t = RowText(row);
        const int idx = ColToCharIndex(Caret.col, row);
        if (t[static_cast<size_t>(idx)] == '\t')
            Caret.col = CharIndexToCol(idx + 1, row);
        else
            Caret.col += static_cast<int>(sjis::charLength(t, static_cast<size_t>(idx)));
    } else if (Options & aoFreeCaret) {
        Caret.col += 1;
    }
    if (Caret.col >= len && !(Options & aoFreeCaret) && row + 1 < RowCount())
        Caret = {RowIndent(row + 1), row + 1};
    else if (Caret.col > len && !(Options & aoFreeCaret))
        Caret.col = len;
}

// ---- selection ----

void EditorCore::ClearSelections() {
    Sel.CollapseTo(Caret);
    Sel.ClearRange();
}

int EditorCore::CheckSelection() {
    const int result = Sel.Check();
    if (result == 1 && OnSelect) OnSelect(*this);
    if (result == 2 && OnDisSelect) OnDisSelect(*this);
    return result;
}

void EditorCore::UpdateRangeLimits() {
    Sel.RangeMaxIndent = 0;
    Sel.RangeMinWrap = 100000;
    if (!Sel.HasRowRange()) return;
    const int last = std::min(Sel.LastRangeRow(), RowCount() - 1);
    for (int r = std::max(Sel.FirstRangeRow(), 0); r <= last; ++r) {
        Sel.RangeMaxIndent = std::max(Sel.RangeMaxIndent, RowIndent(r));
        Sel.RangeMinWrap = std::min(Sel.RangeMinWrap, static_cast<int>(RowAttr(r).wrapPos));
    }
}

// ---- inserting ----

void EditorCore::InsertString(std::string_view s) { insertText(s, true); }

// A caret below the last row (free caret): rows of a single CR up to it, then an empty row.
void EditorCore::appendRowsToCaret() {
    const int last = RowCount() - 1;
    if (!IsParaEnd(last)) ChangeRow(last, RowText(last) + '\r', false);
    while (RowCount() < Caret.row) AddRow("\r", RowAttr(RowCount() - 1));
    AddRow(std::string(), RowAttr(RowCount() - 1));
}

void EditorCore::insertText(std::string_view s, bool startOperation) {
    if (HasSelection()) {
        const bool wasUpdating = updating_;
        updating_ = true;
        deleteSelection();
        updating_ = wasUpdating;
    } else if (startOperation) {
        ++OpId;
    }
    std::string ins = filterControls(s);
    if (Caret.row >= RowCount() && (Options & aoFreeCaret))
        appendRowsToCaret();
    else
        Caret.row = std::clamp(Caret.row, 0, RowCount() - 1);

    int row = Caret.row;
    int col = Caret.col;
    const int indent = RowIndent(row);
    {
        // Inside a tab cell the caret goes to the cell's start.
        const std::string& t = RowText(row);
        const int idx = ColToCharIndex(col, row);
        if (idx >= 0 && idx < static_cast<int>(t.size()) && t[static_cast<size_t>(idx)] == '\t')
            col = std::min(col, CharIndexToCol(idx, row));
    }
    col = std::max(col, indent);
    const int endCol = RowEndCol(row);
    if (col > endCol) {
        if (Options & aoFreeCaret) ins.insert(0, static_cast<size_t>(col - endCol), ' ');
        col = endCol;
    }
    int pos = clampedCharIndex(col, row);
    if (row > 0 && pos == 0 && !IsParaEnd(row - 1)) {
        // The start of a continuation row is the end of the row above.
        --row;
        pos = static_cast<int>(RowText(row).size());
    }

    const std::string& t = RowText(row);
    const size_t p = static_cast<size_t>(pos);
    std::string text;
    if (InsertMode) {
        text = t.substr(0, p) + ins + t.substr(p);
    } else if (t.size() - p <= ins.size()) {
        text = t.substr(0, p) + ins + (IsParaEnd(row) ? "\r" : "");
    } else {
        text = t;
        text.replace(p, ins.size(), ins);
        // A pair whose lead byte was overwritten leaves its trail byte as a blank.
        const size_t lastOver = p + ins.size() - 1;
        if (!ins.empty() && sjis::charLength(t, lastOver) == 2 && !isSecondByte(t, lastOver))
            text[lastOver + 1] = ' ';
    }
    const size_t after = p + ins.size();
    raiseLongest(text.size());
    ChangeRow(row, std::move(text), false);
    Caret = {CharIndexToCol(static_cast<int>(after), row), row};
    RewrapRow(row);
    if (!updating_) ScrollToCaret();
}

// ---- deleting ----

void EditorCore::DeleteSelection() {
    if (!ReadOnly) deleteSelection();
}

void EditorCore::deleteSelection() {
    ++OpId;
    if (Sel.HasRowRange() && !Sel.HasStream()) {
        const int first = std::clamp(Sel.FirstRangeRow(), 0, RowCount() - 1);
        const int last = std::clamp(Sel.LastRangeRow(), 0, RowCount() - 1);
        for (int r = last; r >= first; --r) {
            if (r == RowCount() - 1)
                ChangeRow(r, std::string(), false);
            else
                DeleteRow(r);
        }
        markDirtyFrom(first);
        TopRow = std::min(Caret.row, TopRow);
        if (RowCount() == 0) {
            AppendLine(std::string());
            TopRow = 0;
        }
        if (Caret.row < 0) Caret = {0, 0};
        if (Caret.row >= RowCount()) Caret = {RowIndent(RowCount() - 1), RowCount() - 1};
        Sel.ClearRange();
        view_->repaintRows();
        view_->updateCaret();
        return;
    }
    if (!Sel.HasStream()) return;

    const TextPoint s = ClampToText(Sel.StartPoint());
    TextPoint e = ClampToText(Sel.EndPoint());
    const int c1 = clampedCharIndex(s.col, s.row);
    for (int r = e.row - 1; r > s.row; --r) DeleteRow(r);
    if (e.row > s.row) e.row = s.row + 1;
    const int c2 = clampedCharIndex(e.col, e.row);
    const std::string& t1 = RowText(s.row);
    if (e.row == s.row) {
        if (c2 > c1) ChangeRow(s.row, t1.substr(0, c1) + t1.substr(c2), true);
    } else {
        ChangeRow(s.row, t1.substr(0, c1) + RowText(e.row).substr(c2), false);
        if (e.row == RowCount() - 1)
            ChangeRow(e.row, std::string(), false);
        else
            DeleteRow(e.row);
        markDirtyFrom(s.row);
    }
    Caret = {CharIndexToCol(c1, s.row), s.row};
    RewrapRow(s.row);
    TopRow = std::min(Caret.row, TopRow);
    Sel.CollapseTo(Caret);
    view_->repaintRows();
    view_->updateCaret();
}

}  // namespace pavik
