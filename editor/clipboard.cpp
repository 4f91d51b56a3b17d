// Copying the selection, cutting and pasting.
#include <algorithm>

#include "editor/display_text.h"
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

std::string EditorCore::SelectedText(TextPoint start, TextPoint end, bool displayForm) const {
    if (end.col == 0 && end.row == 0) return std::string();
    const int n = RowCount();
    start.row = std::clamp(start.row, 0, n - 1);
    end.row = std::clamp(end.row, 0, n - 1);
    if (end.col < 0) {
        end.col = static_cast<int>(RowText(end.row).size());
    } else if (end.col == 0 && end.row > 0) {
        --end.row;
        end.col = static_cast<int>(RowText(end.row).size());
    }
    if (end < start) return std::string();

    if (displayForm) {
        // Every row a line of its own as it shows: indent and tabs as spaces; the first line
        // keeps its cells before the start as spaces.
        std::string out;
        for (int r = start.row; r <= end.row; ++r) {
            std::string_view t = RowText(r);
            if (!t.empty() && t.back() == '\r') t.remove_suffix(1);
            const int indent = RowIndent(r);
            const int from = r == start.row ? charIndexToCol(t, indent, TabSize, start.col) : 0;
            const int to = charIndexToCol(t, indent, TabSize, r == end.row ? end.col : static_cast<int>(t.size()));
            const std::string line = std::string(static_cast<size_t>(indent), ' ') + tabsToSpaces(t, TabSize);
            out.append(static_cast<size_t>(from), ' ');
            if (to > from) out.append(line, static_cast<size_t>(from), static_cast<size_t>(to - from));
            out += "\r\n";
        }
        return out;
    }

    // Exactly the selected bytes: blanks at the end stay, and the text ends in CR LF only
    // when the selection runs past a paragraph end.
    std::string out;
    for (int r = start.row; r <= end.row; ++r) {
        const std::string& t = RowText(r);
        const size_t from = r == start.row ? std::clamp<size_t>(start.col, 0, t.size()) : 0;
        const size_t to = r == end.row ? std::clamp<size_t>(end.col, from, t.size()) : t.size();
        std::string_view piece = std::string_view(t).substr(from, to - from);
        const bool paraEnd = !piece.empty() && piece.back() == '\r';
        if (paraEnd) piece.remove_suffix(1);
        out += piece;
        if (paraEnd) out += "\r\n";
    }
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
    if (!HasSelection() || !clipboard_) return;
    ClipboardContent content;
    content.text = SelText();
    if (Sel.HasRowRange() && !Sel.HasStream()) {
        const int first = std::clamp(Sel.FirstRangeRow(), 0, RowCount() - 1);
        const int last = std::clamp(Sel.LastRangeRow(), 0, RowCount() - 1);
        for (int r = first; r <= last; ++r) content.rows.push_back(rows_[static_cast<size_t>(r)]);
    }
    clipboard_->setContent(content);
}

void EditorCore::CutToClipboard() {
    if (ReadOnly) return;
    ++OpId;
    CopyToClipboard();
    deleteSelection();
    Sel.Check();  // reported here, not again by the next selection check
    if (OnDisSelect) OnDisSelect(*this);
}

void EditorCore::OpenRowGap(int from, int count, const std::vector<Row>* rows,
                            const std::vector<std::string>& lines) {
    const int at = std::clamp(Caret.row, 0, RowCount());
    // Text lines take the record of the row they are pasted into.
    TRowAttr base = RowAttr(std::min(at, RowCount() - 1));
    base.dirty = true;
    for (int k = 0; k < count; ++k) {
        Row row;
        const size_t src = static_cast<size_t>(from + k);
        if (rows) {
            if (src >= rows->size()) break;
            row = (*rows)[src];
            row.attr = UsableRowAttr(row.attr);
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
    if (ReadOnly || !clipboard_) return;
    const ClipboardContent clip = clipboard_->content();
    if (clip.text.empty()) return;
    if (HasSelection()) {
        deleteSelection();
        --OpId;  // the paste joins the deletion's operation
    }
    const bool wasUpdating = updating_;
    const bool wasInsert = InsertMode;
    updating_ = true;
    InsertMode = true;

    std::string rowsText;
    for (const Row& r : clip.rows) rowsText += r.text;
    if (!clip.rows.empty() && withoutLineEnds(clip.text) == withoutLineEnds(rowsText)) {
        // Rows copied as a row range come back whole, with their records.
        ++OpId;
        Caret = ClampToText(Caret);
        const int first = Caret.row;
        OpenRowGap(0, static_cast<int>(clip.rows.size()) - 1, &clip.rows);
        const Row& lastRow = clip.rows.back();
        if (!lastRow.text.empty()) {
            InsertRow(Caret.row, lastRow.text, UsableRowAttr(lastRow.attr));
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
        const std::vector<std::string> lines = splitClipboardLines(clip.text, endsWithBreak);
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
            OpenRowGap(0, static_cast<int>(middle.size()), nullptr, middle);
        }
        if (!lines.empty()) insertText(lines.back() + (endsWithBreak ? "\r" : ""), false);
        notifyUndo();
    }

    updating_ = wasUpdating;
    InsertMode = wasInsert;
    Sel.CollapseTo(ClampToText(Caret));
    if (VisibleRows > 0 && Caret.row >= TopRow + VisibleRows) {
        TopRow = std::max(Caret.row - VisibleRows + 2, 0);
        view_->paint();
    } else {
        view_->repaintRows();
    }
    view_->updateCaret();
}

}  // namespace pavik
