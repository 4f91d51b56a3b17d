#include "editor/editor_core.h"

#include <algorithm>
#include <utility>

#include "editor/display_text.h"
#include "platform/sjis.h"

namespace pavik {

EditorCore::EditorCore() {
    SetKeywords({});
    rows_.push_back({std::string(), DefaultRowAttr(false, 0, defWrapPos_)});
}

// ---- settings ----

void EditorCore::SetColor(TColor c) {
    if (c == color_) return;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].attr.backColor == color_) rows_[i].attr.backColor = c;
    color_ = c;
    view_->paint();
}

void EditorCore::SetFontColor(TColor c) {
    if (c == fontColor_) return;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].attr.textColor == fontColor_) rows_[i].attr.textColor = c;
    fontColor_ = c;
}

void EditorCore::SetDefWrapPos(int columns) {
    columns = std::clamp(columns, 0, 65535);
    if (columns == defWrapPos_) return;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].attr.wrapPos == defWrapPos_)
            rows_[i].attr.wrapPos = static_cast<std::uint16_t>(columns);
    defWrapPos_ = columns;
}

void EditorCore::SetKeywords(std::vector<std::string> words) {
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return sjis::toLowerAscii(a) < sjis::toLowerAscii(b);
    });
    keywords_ = std::move(words);
    wordChars_.reset();
    for (int c = 'A'; c <= 'Z'; ++c) wordChars_.set(static_cast<size_t>(c));
    for (int c = 'a'; c <= 'z'; ++c) wordChars_.set(static_cast<size_t>(c));
    for (const auto& w : keywords_)
        for (char c : w) wordChars_.set(static_cast<unsigned char>(c));
}

bool EditorCore::IsKeyword(std::string_view word) const {
    return std::any_of(keywords_.begin(), keywords_.end(),
                       [&](const std::string& k) { return sjis::equalsIgnoreCase(k, word); });
}

void EditorCore::SetEdited(bool edited) {
    if (edited)
        undo_.MarkSavedAtStart();
    else
        undo_.MarkSaved();
}

// ---- rows ----

bool EditorCore::IsParaEnd(int i) const {
    const std::string& t = RowText(i);
    return !t.empty() && static_cast<unsigned char>(t.back()) == kCR;
}

int EditorCore::RowIndent(int i) const { return std::max<int>(RowAttr(i).indent, 0); }

int EditorCore::DisplayLength(int i) const {
    return RowIndent(i) + expandedWidth(RowText(i), TabSize);
}

TRowAttr EditorCore::DefaultRowAttr(bool dirty, int indent, int wrapPos) const {
    TRowAttr a;
    a.textColor = fontColor_;
    a.backColor = color_;
    a.indent = static_cast<std::int16_t>(std::clamp(indent, 0, 32767));
    a.wrapPos = static_cast<std::uint16_t>(std::clamp(wrapPos, 0, 65535));
    a.dirty = dirty;
    return a;
}

TRowAttr EditorCore::UsableRowAttr(const TRowAttr& attr) const {
    return attr.wrapPos != 0 ? attr : DefaultRowAttr(true, 0, defWrapPos_);
}

void EditorCore::notifyUndo() {
    if (OnUndoChange) OnUndoChange(*this, undo_.UndoAvailable(), false);
}

void EditorCore::record(int row, const TRowAttr& oldAttr, const TRowAttr& newAttr,
                        std::string oldText, std::string newText, TUndoKind kind) {
    ++changes_;
    undo_.AddUndo(OpId, row, oldAttr, newAttr, std::move(oldText), std::move(newText), kind,
                  Caret);
}

void EditorCore::raiseLongest(size_t len) {
    longestRow_ = std::max(longestRow_, static_cast<int>(std::min<size_t>(len, 1u << 30)) + 2);
}

void EditorCore::MarkRowsDirty(int first, int last) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    for (int i = first; i <= last; ++i) SetRowDirty(i, true);
}

void EditorCore::markDirtyFrom(int r) {
    const int last = RowCount() - 1;
    const int end = std::min(last, std::max(r, TopRow + std::max(VisibleRows, 0) + 1));
    for (int i = std::max(r, 0); i <= end; ++i) SetRowDirty(i, true);
    if (last >= 0) SetRowDirty(last, true);
}

void EditorCore::AddRow(std::string s, const TRowAttr& r) {
    const int index = RowCount();
    if (OnLineInsert) OnLineInsert(*this, index, s);
    record(index, TRowAttr{}, r, std::string(), s, ukInsertRow);
    raiseLongest(s.size());
    rows_.push_back({std::move(s), r});
    notifyUndo();
}

void EditorCore::InsertRow(int i, std::string s, const TRowAttr& r) {
    if (OnLineInsert) OnLineInsert(*this, i, s);
    record(i, TRowAttr{}, r, std::string(), s, ukInsertRow);
    raiseLongest(s.size());
    TRowAttr a = r;
    a.dirty = true;
    rows_.insert(static_cast<size_t>(i), {std::move(s), a});
    if (!updating_) view_->refreshScrollBars();
    notifyUndo();
}

void EditorCore::DeleteRow(int i) {
    if (OnLineDelete) OnLineDelete(*this, i);
    Row& row = rows_[static_cast<size_t>(i)];
    record(i, row.attr, TRowAttr{}, std::move(row.text), std::string(), ukDeleteRow);
    rows_.erase(static_cast<size_t>(i));
    if (i < Caret.row) --Caret.row;
    view_->refreshScrollBars();
    notifyUndo();
}

void EditorCore::ChangeRow(int i, std::string s, bool newOp) {
    bool canModify = true;
    if (OnBeforeChange) OnBeforeChange(*this, i, s, canModify);
    if (!canModify) return;
    Row& row = rows_[static_cast<size_t>(i)];
    TRowAttr changed = row.attr;
    changed.dirty = true;
    if (newOp) ++OpId;
    const TRowAttr oldAttr = row.attr;
    std::string oldText = std::move(row.text);
    row.text = s;
    row.attr = changed;
    if (!OnChange) {
        record(i, oldAttr, changed, std::move(oldText), std::move(s), ukChangeRow);
    } else {
        record(i, oldAttr, changed, std::move(oldText), s, ukChangeRow);
        OnChange(*this);
        if (i < RowCount()) {
            const Row& after = rows_[static_cast<size_t>(i)];
            record(i, changed, after.attr, std::move(s), after.text, ukChangeRow);
        }
    }
    notifyUndo();
}

void EditorCore::ChangeRowAttr(int i, const TRowAttr& attr) {
    Row& row = rows_[static_cast<size_t>(i)];
    record(i, row.attr, attr, row.text, row.text, ukChangeRow);
    row.attr = attr;
    notifyUndo();
}

void EditorCore::AppendLine(std::string s) {
    ++OpId;
    if (rows_.empty()) {
        AddRow(std::move(s), DefaultRowAttr(true, 0, defWrapPos_));
    } else {
        TRowAttr a = rows_.back().attr;
        AddRow(std::move(s), a);
        rows_.back().attr.dirty = true;
    }
    view_->refreshScrollBars();
}

// ---- whole text ----

std::string EditorCore::Text() const {
    size_t total = 0;
    for (size_t i = 0; i < rows_.size(); ++i) total += rows_[i].text.size() + 1;
    std::string out;
    out.reserve(total);
    for (size_t i = 0; i < rows_.size(); ++i) {
        out += rows_[i].text;
        if (IsParaEnd(static_cast<int>(i))) out += '\n';
    }
    return out;
}

void EditorCore::EndUpdate() {
    updating_ = false;
    view_->paint();
}

void EditorCore::resetContent() {
    ++changes_;
    rows_.clear();
    TopRow = 0;
    longestRow_ = 0;
}

std::vector<Row> EditorCore::ClearTakingRows() {
    std::vector<Row> rows = rows_.release();
    Clear();
    return rows;
}

void EditorCore::Clear() {
    resetContent();
    AddRow(std::string(), DefaultRowAttr(false, 0, defWrapPos_));
    undo_.ClearRecords();
    if (OnUndoChange) OnUndoChange(*this, false, false);
    Sel.CollapseTo({0, 0});
    Sel.ClearRange();
    longestRow_ = 0;
    view_->refreshScrollBars();
    view_->repaintRows();
    Caret = {0, 0};
    view_->updateCaret();
}

// ---- undo ----

void EditorCore::replayUndo(const TUndoRec& rec) {
    ++changes_;
    const int n = RowCount();
    switch (rec.kind) {
    case ukInsertRow:
        if (rec.row < 0 || rec.row >= n) break;
        if (OnLineDelete) OnLineDelete(*this, rec.row);
        rows_.erase(static_cast<size_t>(rec.row));
        break;
    case ukDeleteRow: {
        if (rec.row < 0 || rec.row > n) break;
        std::string text = rec.oldText;
        if (OnLineInsert) OnLineInsert(*this, rec.row, text);
        rows_.insert(static_cast<size_t>(rec.row), {std::move(text), rec.oldAttr});
        break;
    }
    case ukChangeRow:
        if (rec.row < 0 || rec.row >= n) break;
        rows_[static_cast<size_t>(rec.row)] = {rec.oldText, rec.oldAttr};
        break;
    }
    Caret = rec.caret;
}

void EditorCore::replayRedo(const TUndoRec& rec) {
    ++changes_;
    const int n = RowCount();
    switch (rec.kind) {
    case ukInsertRow: {
        if (rec.row < 0 || rec.row > n) break;
        std::string text = rec.newText;
        if (OnLineInsert) OnLineInsert(*this, rec.row, text);
        rows_.insert(static_cast<size_t>(rec.row), {std::move(text), rec.newAttr});
        break;
    }
    case ukDeleteRow:
        if (rec.row < 0 || rec.row >= n) break;
        if (OnLineDelete) OnLineDelete(*this, rec.row);
        rows_.erase(static_cast<size_t>(rec.row));
        break;
    case ukChangeRow:
        if (rec.row < 0 || rec.row >= n) break;
        rows_[static_cast<size_t>(rec.row)] = {rec.newText, rec.newAttr};
        break;
    }
    Caret = rec.caret;
}

void EditorCore::Undo() {
    if (ReadOnly) return;
    if (const TUndoRec* last = undo_.LastRecord()) {
        const std::uint32_t op = last->opId;
        do {
            TUndoRec rec = *last;  // a handler may touch the buffer
            replayUndo(rec);
            undo_.StepBack();
            last = undo_.LastRecord();
        } while (last && last->opId == op);
        if (OnUndoChange) OnUndoChange(*this, undo_.LastRecord() != nullptr, true);
    }
    if (VisibleRows > 0) {
        if (Caret.row < TopRow)
            TopRow = std::max(Caret.row - 1, 0);
        else if (TopRow + VisibleRows < Caret.row + 2)
            TopRow = std::max(Caret.row - VisibleRows + 2, 0);
    }
    view_->refreshScrollBars();
    view_->paint();
}

void EditorCore::Redo() {
    if (ReadOnly) return;
    const TUndoRec* next = undo_.NextRecord();
    if (!next) {
        view_->refreshScrollBars();
        view_->paint();
        return;
    }
    const std::uint32_t op = next->opId;
    do {
        TUndoRec rec = *next;
        replayRedo(rec);
        undo_.StepForward();
        next = undo_.NextRecord();
    } while (next && next->opId == op);
    view_->refreshScrollBars();
    view_->paint();
    if (OnUndoChange) OnUndoChange(*this, true, undo_.NextRecord() != nullptr);
}

}  // namespace pavik
