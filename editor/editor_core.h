#pragma once
// Headless core of the source editor: the text as display rows with row records, the four
// row primitives with their events and undo records, paragraph wrapping, undo/redo, the
// editing operations with the selection and the clipboard, scrolling, and loading and
// saving. Keys and the mouse are mapped onto it by KeyInput and MouseInput.
// No Qt: the widget pushes metrics in as numbers, receives paint requests through
// EditorView and lends a ClipboardPort. Loading and saving throw EditorFileError, which
// the widget catches in its handlers.
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "editor/editor_ports.h"
#include "platform/file_bytes.h"
#include "editor/editor_types.h"
#include "editor/line_break.h"
#include "editor/row_list.h"
#include "editor/sel_area.h"
#include "editor/undo_buffer.h"

namespace pavik {

// A load or save that failed. The editor's text is left as it was, and a file being
// replaced is left whole.
class EditorFileError : public std::runtime_error {
public:
    enum class Kind {
        Read,    // the file or stream could not be read
        Write,   // the file or stream could not be written
        Format,  // not a valid file of the editor's own format
    };
    EditorFileError(Kind kind, const std::string& what, std::error_code code = {})
        : std::runtime_error(what), kind_(kind), code_(code) {}
    Kind kind() const { return kind_; }
    std::error_code code() const { return code_; }

private:
    Kind kind_;
    std::error_code code_;
};

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
    // The selection became non-empty / empty (CheckSelection; cut fires OnDisSelect).
    std::function<void(EditorCore&)> OnSelect;
    std::function<void(EditorCore&)> OnDisSelect;

    // ---- Plain settings, read on use. ----
    TAFEditOptions Options = aoAutoFormat;
    int TabSize = 4;
    int WrapLeadBytes = 10;
    int WrapTrailBytes = 4;
    bool InsertMode = true;
    // Blocks every change a user makes: typing, the input method, cut, clear, paste, undo,
    // redo and the mouse's wrap-column and indent drags. Selecting, copying, scrolling and
    // loading stay available; InsertString and SetSelText (the program's own inserts) too.
    bool ReadOnly = false;
    // Steps per auto-repeated key (at most 4) and per burst of scroll requests.
    int AccelRate = 2;
    // The view follows the scroll bar's thumb while it is dragged.
    bool ThumbTracking = true;

    // ---- Editing state the widget reads and moves. ----
    TextPoint Caret;             // display coordinates
    std::uint32_t OpId = 0;      // operation counter: raised once per user action
    int TopRow = 0;              // first visible row
    int LeftCol = 0;             // first visible column
    int VisibleRows = 0;         // pushed in by the widget
    int VisibleCols = 0;
    TSelArea Sel;
    // A Shift selection is being extended: caret moves carry the selection's moving end.
    bool ShiftHeld = false;

    void SetView(EditorView* view) { view_ = view ? view : &nullView_; }
    EditorView& View() const { return *view_; }
    // Without a clipboard, copy and paste do nothing.
    void SetClipboard(ClipboardPort* clipboard) { clipboard_ = clipboard; }

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
    // Marks rows first ... last (in either order, clamped to the text) for repainting.
    void MarkRowsDirty(int first, int last);
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
    // Replaces row i's record in place with an undo record; fires OnUndoChange.
    void ChangeRowAttr(int i, const TRowAttr& attr);
    // Adds a row after the last as a new operation (the closing empty row after loading).
    void AppendLine(std::string s);
    TRowAttr DefaultRowAttr(bool dirty, int indent, int wrapPos) const;
    // A record whose wrap column is 0 (it would wrap after every character) is replaced by a
    // default record with DefWrapPos.
    TRowAttr UsableRowAttr(const TRowAttr& attr) const;

    // ---- Whole text. ----
    // Rows joined; an LF follows every row that ends a paragraph.
    std::string Text() const;
    // Loads the bytes as plain text with load flags 0; the undo history is gone.
    void SetText(std::string_view text);
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();
    bool Updating() const { return updating_; }
    void Clear();
    // Clear(), giving the rows back (in no order) so that a long text can be freed elsewhere.
    std::vector<Row> ClearTakingRows();
    void RepaintRows() { view_->repaintRows(); }

    // ---- Wrapping. ----
    int GetWrapPos(std::string_view s, int pos, int minPos);
    // Re-flows the paragraph from row r down; returns the last row it laid out.
    int RewrapRow(int r);

    // ---- Caret and columns. ----
    // Text index at a display column of a row: negative inside the indent, at most the
    // text length.
    int ColToCharIndex(int col, int row) const;
    int CharIndexToCol(int index, int row) const;
    // Where End puts the caret: the display length, less the paragraph end.
    int RowEndCol(int row) const;
    // One step of the caret over cells, tab cells and double-byte characters.
    void CaretLeft();
    void CaretRight();
    // Row within the text, column within 0 ... the row's End column.
    TextPoint ClampToText(TextPoint p) const;
    // A point on the second byte of a pair moves one byte, alternately left and right.
    TextPoint NormalizeMousePoint(TextPoint p);
    // The caret off a pair's second byte and out of a tab cell's fillers, to the cell's start.
    void NormalizeCaret();

    // ---- Scrolling (scrolling.cpp). ----
    // Top row and left column that bring the caret into view: one row or column when it
    // stepped just out of view (never resting on the last fully visible row), else a jump.
    ScrollTarget CaretScrollTarget() const;
    // After the caret moved: scrolls it into view; while ShiftHeld the selection's moving end
    // follows it, else a stream selection collapses to it; repaints what changed.
    void ScrollToCaret();
    // The vertical and horizontal scroll bars' requests; `pos` is the thumb's position.
    // Without `shift` the caret keeps to the rows in view. A thumb released while the view
    // has no focus only refreshes the bars.
    void VScroll(ScrollCode code, int pos = 0, bool shift = false);
    void HScroll(ScrollCode code, int pos = 0);
    // The bars' ranges: rows (and the caret) and columns (at least DefWrapPos).
    int VScrollMax() const;
    int HScrollMax() const;

    // ---- Editing; each is one undo operation. ----
    // Inserts at the caret, replacing the selection; control characters other than tab and
    // CR are dropped; overwrites instead without InsertMode.
    void InsertString(std::string_view s);
    void SetSelText(std::string_view s) { InsertString(s); }
    // Nothing under ReadOnly.
    void DeleteSelection();
    bool HasSelection() const { return Sel.HasStream() || Sel.HasRowRange(); }
    // Collapses the stream selection to the caret and clears the row range.
    void ClearSelections();
    // The selection check: fires OnSelect or OnDisSelect when the state changed.
    int CheckSelection();
    // Maximum indent and minimum wrap column over the rows of the row range.
    void UpdateRangeLimits();

    // ---- Clipboard (every byte kept: the port carries the CP932 bytes). ----
    // The selection's text as copied: soft rows joined, paragraph ends as CR LF.
    std::string SelText() const;
    // Text between two points given as (text index, row), exactly as it stands. An end index
    // below 0 is the end of its row, 0 the end of the row before. In display form every row
    // is a line of its own, ended by CR LF, with its indent and tabs as spaces and the first
    // line's cells before the start as spaces.
    std::string SelectedText(TextPoint start, TextPoint end, bool displayForm = false) const;
    // The selection's text, and for a row range its rows with their records.
    void CopyToClipboard();
    // Copy and delete the selection, then OnDisSelect. Nothing under ReadOnly.
    void CutToClipboard();
    // Rows copied as a row range come back whole with their records; anything else is
    // pasted as text. Replaces the selection. Nothing under ReadOnly.
    void PasteFromClipboard();
    // Inserts `count` whole rows at the caret row: `rows` from `from` on with their
    // records, or the `lines` from `from` on, each ending in CR. The caret row moves down.
    void OpenRowGap(int from, int count, const std::vector<Row>* rows,
                    const std::vector<std::string>& lines = {});

    // ---- Loading and saving; flags lf... and sf... (editor_types.h). ----
    // Replaces the whole content; on an error (EditorFileError) the text is unchanged.
    void LoadFromBytes(std::string_view bytes, std::uint8_t flags);
    // The two halves of LoadFromBytes. PrepareLoad makes the rows without touching the text
    // (it throws what LoadFromBytes throws); it may run on another thread while nothing
    // changes the editor's settings and no OnWordBreak handler is set. LoadPrepared then
    // shows them, with the events and the state LoadFromBytes leaves.
    struct PreparedLoad {
        std::vector<Row> rows;
        std::uint8_t flags = 0;
        size_t longest = 0;    // before wrapping
        bool closingRow = false;  // an empty row goes after them
    };
    PreparedLoad PrepareLoad(std::string_view bytes, std::uint8_t flags);
    void LoadPrepared(PreparedLoad load);

    // Plain text that arrives in pieces, made into rows as PrepareLoad makes them of the
    // whole text: add() each piece in order, then PrepareLoad(reader). Only the line being
    // read is held besides the rows, which are reserved up front for `lines` lines.
    class RowReader {
    public:
        void add(std::string_view piece);

    private:
        friend class EditorCore;
        RowReader(const EditorCore& editor, std::uint8_t flags, size_t lines);
        // A whole line: pieces of kMaxLine bytes or less without a line end, then the rest.
        void addLine(std::string_view content, bool lineEnd);
        void addRow(std::string_view content, bool lineEnd);
        void finish();

        std::uint8_t flags_;
        int tabSize_;
        TRowAttr attr_;
        std::vector<Row> rows_;
        std::string partial_;  // the line read so far, when a piece ended inside it
        char skip_ = 0;        // a line end ended the last piece: the other kind may follow it
    };
    RowReader StartLoad(std::uint8_t flags, size_t lines) const { return RowReader(*this, flags, lines); }
    // How many lines plain text makes at most, when its line ends are all of one kind.
    static size_t LinesOf(std::string_view text);
    PreparedLoad PrepareLoad(RowReader reader);

    // What SaveToBytes(flags) (plain text) gives once `load` is shown, in pieces; as
    // PrepareLoad, it may run on another thread.
    void SavedTextOf(const PreparedLoad& load, std::uint8_t flags, const TextSink& sink) const;
    // What SaveToBytes(flags) gives (plain text), in pieces.
    void SaveToPieces(std::uint8_t flags, const TextSink& sink) const;
    void LoadFromStream(std::istream& in, std::uint8_t flags);
    void LoadFromFile(const std::filesystem::path& file, std::uint8_t flags);
    std::string SaveToBytes(std::uint8_t flags) const;
    // Writes at the stream's current position (the own format too).
    void SaveToStream(std::ostream& out, std::uint8_t flags) const;
    // Replaces the file safely (new file renamed over it), then marks the text saved.
    void SaveToFile(const std::filesystem::path& file, std::uint8_t flags);

    // ---- Undo; nothing under ReadOnly. ----
    void Undo();
    void Redo();
    bool CanUndo() const { return undo_.LastRecord() != nullptr; }
    bool CanRedo() const { return undo_.NextRecord() != nullptr; }
    bool Edited() const { return undo_.Edited(); }
    // False stores the current state as saved; True stores position 0 as saved.
    void SetEdited(bool edited);
    const TUndoBuff& UndoBuffer() const { return undo_; }
    // Empties the undo history; the text counts as saved. Fires no event.
    void ResetUndo() { undo_.ClearRecords(); }
    // Goes up with every change of a row, every undo and redo and every load: the text is
    // the same as long as it stays.
    std::uint64_t ChangeCount() const { return changes_; }

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
    // Text index at a column, within 0 ... the text before the paragraph end.
    int clampedCharIndex(int col, int row) const;
    void insertText(std::string_view s, bool startOperation);
    void deleteSelection();
    void appendRowsToCaret();
    // Loaded rows re-flowed paragraph by paragraph as RewrapRow does it, without the row
    // primitives (no undo records, no events).
    std::vector<Row> rewrapLoaded(std::vector<Row> rows);
    // The rest of PrepareLoad, once plain text or the own format made the rows.
    PreparedLoad finishLoad(std::vector<Row> rows, std::uint8_t flags);
    // Plain text of `count` rows, row i given by rowAt(i), to `sink` in pieces.
    template <class RowAt>
    void plainTextOf(size_t count, RowAt rowAt, std::uint8_t flags, const TextSink& sink) const;

    RowList rows_;
    TUndoBuff undo_;
    EditorView nullView_;
    EditorView* view_ = &nullView_;
    ClipboardPort* clipboard_ = nullptr;
    bool mouseSnapLeft_ = true;

    TColor color_ = clWindow;
    TColor fontColor_ = clWindowText;
    int defWrapPos_ = 60;
    CharSet banHead_{kDefaultBanHead};
    CharSet banEnd_{kDefaultBanEnd};
    std::vector<std::string> keywords_;
    std::bitset<256> wordChars_;
    bool updating_ = false;
    int longestRow_ = 0;
    std::uint64_t changes_ = 0;
};

}  // namespace pavik
