// Copying the selection, cutting and pasting.
#include <algorithm>

#include "editor/editor_core.h"

namespace pavik {

namespace {

// The bytes of `s` without CR and LF.
std::string withoutLineEnds(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

// Lines ended by CR, LF or CR LF; a final line end adds no empty line.
std::vector<std::string> splitClipboardLines(std::string_view s, bool& endsWithBreak) {
    std::vector<std::string> lines;
    size_t i = 0;
    endsWithBreak = false;
    while (i < s.size()) {
        size_t end = s.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            lines.emplace_back(s.substr(i));
            return lines;
        }
        lines.emplace_back(s.substr(i, end - i));
        i = end + 1;
        if (s[end] == '\r' && i < s.size() && s[i] == '\n') ++i;
    }
    endsWithBreak = !lines.empty();
    return lines;
}

}  // namespace

std::string EditorCore::SelectedText(TextPoint start, TextPoint end) const {
    if (end.col == 0 && end.row == 0) return std::string();
    const int n = RowCount();
    start.row = std::clamp(start.row, 0, n - 1);
    end.row = std::clamp(end.row, 0, n - 1);
    const bool endIndexZero = end.col == 0;
    if (end.col < 0) {
        end.col = static_cast<int>(RowText(end.row).size());
    } else if (end.col == 0 && end.row > 0) {
        --end.row;
        end.col = static_cast<int>(RowText(end.row).size());
    }
    if (end < start) return std::string();
    const bool afterParaEnd =
        end.col == static_cast<int>(RowText(end.row).size()) && IsParaEnd(end.row);

    std::string out;
    std::string line;
    for (int r = start.row; r <= end.row; ++r) {
        const std::string& t = RowText(r);
        const size_t from = r == start.row ? std::clamp<size_t>(start.col, 0, t.size()) : 0;
        const size_t to = r == end.row ? std::clamp<size_t>(end.col, from, t.size()) : t.size();
        std::string_view piece = std::string_view(t).substr(from, to - from);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        if (r > start.row && IsParaEnd(r - 1)) {
            out += line;
            out += "\r\n";
            line.clear();
        }
        line += piece;
    }
    out += line;
    out += "\r\n";
    if (afterParaEnd) return out;
    if (endIndexZero) {
        // The selection ended at the start of a continuation row: no line end was selected.
        out.resize(out.size() - 2);
        return out;
    }
    while (!out.empty() && static_cast<unsigned char>(out.back()) < 33) out.pop_back();
    return out;
}

std::string EditorCore::SelText() const {
    if (Sel.HasStream()) {
        const TextPoint s = ClampToText(Sel.StartPoint());
        const TextPoint e = ClampToText(Sel.EndPoint());
        return SelectedText({clampedCharIndex(s.col, s.row), s.row},
                            {clampedCharIndex(e.col, e.row), e.row});
    }
    if (Sel.HasRowRange()) {
        const int first = std::clamp(Sel.FirstRangeRow(), 0, RowCount() - 1);
        const int last = std::clamp(Sel.LastRangeRow(), 0, RowCount() - 1);
        return SelectedText({0, first}, {static_cast<int>(RowText(last).size()), last});
    }
    return std::string();
}

void EditorCore::CopyToClipboard() {
    if (!HasSelection()) return;
    if (clipboard_) clipboard_->setText(SelText());
    kept_.clear();
    if (Sel.HasRowRange() && !Sel.HasStream()) {
        const int first = std::clamp(Sel.FirstRangeRow(), 0, RowCount() - 1);
        const int last = std::clamp(Sel.LastRangeRow(), 0, RowCount() - 1);
        for (int r = first; r <= last; ++r) kept_.push_back(rows_[static_cast<size_t>(r)]);
    }
}

void EditorCore::CutToClipboard() {
    ++OpId;
    CopyToClipboard();
    DeleteSelection();
    if (OnDisSelect) OnDisSelect(*this);
}

void EditorCore::OpenRowGap(int from, int count, bool useKept,
                            const std::vector<std::string>& lines) {
    const int at = std::clamp(Caret.row, 0, RowCount());
    // New rows take the record of the row they are pasted into.
    TRowAttr base = RowAttr(std::min(at, RowCount() - 1));
    base.dirty = true;
    for (int k = 0; k < count; ++k) {
        Row row;
        const size_t src = static_cast<size_t>(from + k);
        if (useKept) {
            if (src >= kept_.size()) break;
            row = kept_[src];
            row.attr.dirty = true;
        } else {
            if (src >= lines.size()) break;
            row = {lines[src] + '\r', base};
        }
        record(at + k, TRowAttr{}, row.attr, std::string(), row.text, ukInsertRow);
        raiseLongest(row.text.size());
        rows_.insert(static_cast<size_t>(at + k), std::move(row));
        Sel.RowInserted(at + k);
        Caret.row += 1;
    }
}

void EditorCore::PasteFromClipboard() {
    if (!clipboard_) return;
    const std::string clip = clipboard_->text();
    if (clip.empty()) return;
    if (HasSelection()) {
        DeleteSelection();
        --OpId;  // the paste joins the deletion's operation
    }
    const bool wasUpdating = updating_;
    const bool wasInsert = InsertMode;
    updating_ = true;
    InsertMode = true;

    std::string keptText;
    for (const Row& r : kept_) keptText += r.text;
    if (!kept_.empty() && withoutLineEnds(clip) == withoutLineEnds(keptText)) {
        // Rows copied as a row range come back whole, with their records.
        ++OpId;
        Caret = ClampToText(Caret);
        const int first = Caret.row;
        OpenRowGap(0, static_cast<int>(kept_.size()) - 1, true);
        const Row& lastKept = kept_.back();
        if (!lastKept.text.empty()) {
            InsertRow(Caret.row, lastKept.text, lastKept.attr);
            Sel.RowInserted(Caret.row);
            Caret.row += 1;
        } else {
            notifyUndo();
        }
        markDirtyFrom(first);
    } else {
        // Text: the first line ends where the caret was, whole rows follow, and the last
        // line goes in front of the rest of the caret's row; all one operation.
        bool endsWithBreak = false;
        const std::vector<std::string> lines = splitClipboardLines(clip, endsWithBreak);
        ++OpId;
        if (lines.size() >= 2) {
            insertText(lines.front() + '\r', false);
            std::vector<std::string> middle;
            for (size_t i = 1; i + 1 < lines.size(); ++i) {
                std::string filtered;
                for (char c : lines[i])
                    if (static_cast<unsigned char>(c) >= 32 || c == '\t') filtered.push_back(c);
                middle.push_back(std::move(filtered));
            }
            OpenRowGap(0, static_cast<int>(middle.size()), false, middle);
        }
        if (!lines.empty()) insertText(lines.back() + (endsWithBreak ? "\r" : ""), false);
        notifyUndo();
    }

    updating_ = wasUpdating;
    InsertMode = wasInsert;
    if (VisibleRows > 0 && Caret.row >= TopRow + VisibleRows) {
        TopRow = std::max(Caret.row - VisibleRows + 2, 0);
        view_->paint();
    } else {
        view_->repaintRows();
    }
    view_->updateCaret();
}

}  // namespace pavik
