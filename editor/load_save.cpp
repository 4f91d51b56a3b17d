// Loading and saving text.
#include <algorithm>
#include <utility>

#include "editor/editor_core.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

constexpr size_t kMaxLine = 65536;  // longer lines continue on the next row

// Splits plain text into rows. CR, LF, CR LF and LF CR each end a line; the row keeps a CR
// in its place. A final line without a line end gets no CR. A NUL byte is ordinary text.
// A line of kMaxLine bytes or more is cut into rows without CR, never inside a
// double-byte character.
std::vector<std::string> splitPlainText(std::string_view bytes) {
    std::vector<std::string> lines;
    lines.reserve(bytes.size() / 30 + 1);
    size_t i = 0;
    while (i < bytes.size()) {
        size_t end = i;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        std::string_view content = bytes.substr(i, end - i);
        while (content.size() >= kMaxLine) {
            size_t cut = kMaxLine;
            if (sjis::charStart(content.substr(0, kMaxLine + 1), kMaxLine) != kMaxLine) --cut;
            lines.emplace_back(content.substr(0, cut));
            content.remove_prefix(cut);
        }
        if (end == bytes.size()) {
            if (!content.empty()) lines.emplace_back(content);
            break;
        }
        std::string line(content);
        line.push_back('\r');
        lines.push_back(std::move(line));
        const char first = bytes[end];
        i = end + 1;
        if (i < bytes.size() && (bytes[i] == '\r' || bytes[i] == '\n') && bytes[i] != first) ++i;
    }
    return lines;
}

}  // namespace

void EditorCore::loadPlainText(std::string_view bytes) {
    std::vector<std::string> lines = splitPlainText(bytes);
    std::vector<Row> rows;
    rows.reserve(lines.size());
    const TRowAttr attr = DefaultRowAttr(true, 0, defWrapPos_);
    size_t longest = 0;
    for (auto& line : lines) {
        longest = std::max(longest, line.size());
        rows.push_back({std::move(line), attr});
    }

    resetContent();
    undo_.ClearRecords();
    if (OnUndoChange) OnUndoChange(*this, false, false);
    rows_.assign(std::move(rows));
    if (!rows_.empty()) raiseLongest(longest);
    if (rows_.empty() || IsParaEnd(RowCount() - 1)) AppendLine(std::string());

    undo_.ClearRecords();
    if (OnUndoChange) OnUndoChange(*this, false, false);
    OpId = 0;
    Caret = {0, 0};
    view_->paint();
    view_->updateCaret();
    view_->refreshScrollBars();
}

void EditorCore::SetText(std::string_view text) { loadPlainText(text); }

}  // namespace pavik
