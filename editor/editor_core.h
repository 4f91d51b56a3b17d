#pragma once
// Headless core of the source editor: the text as display rows with row records, the four
// row primitives with their events and undo records, paragraph wrapping and undo/redo.
// No Qt: the widget pushes metrics in as numbers and receives paint requests through
// EditorView.
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_ports.h"
#include "editor/editor_types.h"
#include "editor/line_break.h"
#include "editor/row_list.h"
#include "editor/undo_buffer.h"

namespace pavik {

class EditorCore {
public:
    EditorCore();
    EditorCore(const EditorCore&) = delete;
    EditorCore& operator=(const EditorCore&) = delete;

    // ---- Events: called only when set; the sender is the core. ----
    // Before a row is replaced; the handler may alter the new text or veto the change.
    std::function<void(EditorCore&, int index, std::string& newLine, bool& canModify)>
        OnBeforeChange;
    // After a row was replaced. While set, every row change stores two undo records.
    std::function<void(EditorCore&)> OnChange;
    // A row is added or inserted (also by undo and redo); the handler may alter its text.
    std::function<void(EditorCore&, int index, std::string& newLine)> OnLineInsert;
    std::function<void(EditorCore&, int index)> OnLineDelete;
    std::function<void(EditorCore&, bool canUndo, bool canRedo)> OnUndoChange;
    // A row is broken; the handler's position is used unchanged.
    std::function<void(EditorCore&, std::string_view line, int& wrapPos)> OnWordBreak;

    // ---- Plain settings, read on use. ----
    TAFEditOptions Options = aoAutoFormat;
    int TabSize = 4;
    int WrapLeadBytes = 10;
    int WrapTrailBytes = 4;
    bool InsertMode = true;

    // ---- Editing state the widget reads and moves. ----
    TextPoint Caret;             // display coordinates
    std::uint32_t OpId = 0;      // operation counter: raised once per user action
    int TopRow = 0;              // first visible row
    int LeftCol = 0;             // first visible column
    int VisibleRows = 0;         // pushed in by the widget
    int VisibleCols = 0;

    void SetView(EditorView* view) { view_ = view ? view : &nullView_; }

    // ---- Settings with effects. ----
    TColor Color() const { return color_; }
    // Rows whose background is the old colour take the new one; repaints.
    void SetColor(TColor c);
    TColor FontColor() const { return fontColor_; }
    // Rows whose text colour is the old font colour take the new one.
    void SetFontColor(TColor c);
    int DefWrapPos() const { return defWrapPos_; }
    // Rows whose wrap column is the old default take the new one; nothing is re-flowed.
    void SetDefWrapPos(int columns);
    const std::string& BanHead() const { return banHead_.chars(); }
    void SetBanHead(std::string_view chars) { banHead_.assign(chars); }
    const std::string& BanEnd() const { return banEnd_.chars(); }
    void SetBanEnd(std::string_view chars) { banEnd_.assign(chars); }
    // Sorted without regard to case; every byte of a keyword becomes a word character.
    const std::vector<std::string>& Keywords() const { return keywords_; }
    void SetKeywords(std::vector<std::string> words);
    bool IsKeyword(std::string_view word) const;
    bool IsWordChar(unsigned char c) const { return wordChars_.test(c); }
    int UndoMax() const { return undo_.UndoMax; }
    void SetUndoMax(int n) { undo_.UndoMax = n; }

    // ---- Rows. ----
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& RowText(int i) const { return rows_[static_cast<size_t>(i)].text; }
    const TRowAttr& RowAttr(int i) const { return rows_[static_cast<size_t>(i)].attr; }
    void SetRowDirty(int i, bool dirty) { rows_[static_cast<size_t>(i)].attr.dirty = dirty; }
    // Row i is non-empty and ends in CR.
    bool IsParaEnd(int i) const;
    // Indent of row i, never negative.
    int RowIndent(int i) const;
    // Display length of row i (indent plus the text with tabs expanded).
    int DisplayLength(int i) const;
    // Longest row length plus 2: the horizontal scroll range.
    int LongestRow() const { return longestRow_; }

    // ---- Row primitives; index arguments must be valid row indices. ----
    void AddRow(std::string s, const TRowAttr& r);
    void InsertRow(int i, std::string s, const TRowAttr& r);
    void DeleteRow(int i);
    // Replaces row i's text; with newOp the change starts a new operation.
    void ChangeRow(int i, std::string s, bool newOp);
    // Replaces row i's record in place with an undo record; fires no event.
    void ChangeRowAttr(int i, const TRowAttr& attr);
    // Adds a row after the last as a new operation (the closing empty row after loading).
    void AppendLine(std::string s);
    TRowAttr DefaultRowAttr(bool dirty, int indent, int wrapPos) const;

    // ---- Whole text. ----
    // Rows joined; an LF follows every row that ends a paragraph.
    std::string Text() const;
    // Loads the bytes as plain text with load flags 0; the undo history is gone.
    void SetText(std::string_view text);
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();
    bool Updating() const { return updating_; }
    void Clear();
    void RepaintRows() { view_->repaintRows(); }

    // ---- Wrapping. ----
    int GetWrapPos(std::string_view s, int pos, int minPos);
    // Re-flows the paragraph from row r down; returns the last row it laid out.
    int RewrapRow(int r);

    // ---- Undo. ----
    void Undo();
    void Redo();
    bool CanUndo() const { return undo_.LastRecord() != nullptr; }
    bool CanRedo() const { return undo_.NextRecord() != nullptr; }
    bool Edited() const { return undo_.Edited(); }
    // False stores the current state as saved; True stores position 0 as saved.
    void SetEdited(bool edited);
    const TUndoBuff& UndoBuffer() const { return undo_; }

private:
    struct BreakResult {
        size_t length;     // bytes that stay on the row
        bool emptyAfter;   // the text ends here and an empty row follows
    };
    class Paragraph;

    void notifyUndo();
    void record(int row, const TRowAttr& oldAttr, const TRowAttr& newAttr, std::string oldText,
                std::string newText, TUndoKind kind);
    void raiseLongest(size_t len);
    // Marks rows from r through the end of the view, and the last row, for repainting.
    // Rows below the view are painted whole when they scroll in.
    void markDirtyFrom(int r);
    void resetContent();
    void replayUndo(const TUndoRec& rec);
    void replayRedo(const TUndoRec& rec);
    BreakRules breakRules() const;
    BreakResult breakRow(const Paragraph& para, size_t pos, const TRowAttr& attr);
    void loadPlainText(std::string_view bytes);

    RowList rows_;
    TUndoBuff undo_;
    EditorView nullView_;
    EditorView* view_ = &nullView_;

    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    int defWrapPos_ = 60;
    CharSet banHead_{kDefaultBanHead};
    CharSet banEnd_{kDefaultBanEnd};
    std::vector<std::string> keywords_;
    std::bitset<256> wordChars_;
    bool updating_ = false;
    int longestRow_ = 0;
};

}  // namespace pavik
