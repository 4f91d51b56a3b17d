#pragma once
#include <string>
#include <utility>
#include <vector>

#include "editor/editor_core.h"

namespace pavik::test {

struct RecordingView : EditorView {
    int paints = 0, repaints = 0, scrollBars = 0, carets = 0;
    void paint() override { ++paints; }
    void repaintRows() override { ++repaints; }
    void refreshScrollBars() override { ++scrollBars; }
    void updateCaret() override { ++carets; }
};

// A clipboard that keeps what was put on it; a test sets `bytes` alone for another
// program's text.
struct FakeClipboard : ClipboardPort {
    std::string bytes;
    std::vector<Row> rows;
    void setContent(const ClipboardContent& c) override {
        bytes = c.text;
        rows = c.rows;
    }
    ClipboardContent content() override { return {bytes, rows}; }
};

// Every event of a core as one line of text, in order.
struct EventLog {
    std::vector<std::string> lines;
    void attach(EditorCore& e, bool withChange = false);
    std::vector<std::string> undoChanges() const;  // only the OnUndoChange lines
    void clear() { lines.clear(); }
};

std::vector<std::string> rowsOf(const EditorCore& e);
std::string joinedRows(const EditorCore& e);
// A core holding `text` (loaded as plain text) with wrap column `wrap` on every row.
void load(EditorCore& e, std::string_view text, int wrap = 60);
// Text made of n copies of `unit`.
std::string repeat(std::string_view unit, size_t n);

}  // namespace pavik::test
