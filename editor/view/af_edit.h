#pragma once
// TAFEdit: the fixed-pitch CP932 source editor of the style sheet and HTML panes, a scroll
// area over the headless EditorCore. The core holds the text, wrapping, undo, editing,
// scrolling and loading; KeyInput and MouseInput decide what keys and the mouse do; the
// paint planner decides what every row shows. This widget measures the font, renders the
// plans, maps Qt's key, input-method, mouse, focus and scroll-bar events onto the core,
// puts text on the clipboard and shows the caret and the input method's composition.
// Text crosses the interface as CP932 bytes. Loading and saving throw EditorFileError.
//
// Shortcuts: the editor takes the keys it handles itself (typing, moving, Delete, Insert...)
// before any window shortcut, but never Ctrl with a letter: the main window's pane actions
// carry Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z and Ctrl+R. While such an action is enabled its
// shortcut runs it (once); otherwise the key reaches the editor, which cuts, copies and
// pastes by itself and swallows the other Ctrl letters.
#include <QAbstractScrollArea>
#include <QChar>
#include <QFont>
#include <QRect>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_core.h"
#include "editor/key_input.h"
#include "editor/mouse_input.h"
#include "editor/view/event_slot.h"
#include "editor/view/paint_planner.h"
#include "editor/view/paint_types.h"
#include "editor/view/plan_painter.h"
#include "editor/view/scroll_plan.h"

class QPainter;
class QWheelEvent;
class QKeyEvent;
class QInputMethodEvent;
class QMouseEvent;

namespace pavik {

class Timer;

class TAFEdit : public QAbstractScrollArea, private EditorView {
    Q_OBJECT

public:
    explicit TAFEdit(QWidget* parent = nullptr);
    ~TAFEdit() override;

    // The core, for the input code and for anything the wrapper does not forward.
    EditorCore& core() { return core_; }
    const EditorCore& core() const { return core_; }

    // ---- Events; each is called only when set, with this editor as the sender. ----
    // Before a display row is replaced: the handler may alter the new text or veto.
    EventSlot<void(TAFEdit&, int index, std::string& newLine, bool& canModify)> OnBeforeChange;
    // After a display row was replaced. While set, each row change stores two undo records.
    EventSlot<void(TAFEdit&)> OnChange;
    // A display row is added or inserted, also by undo and redo; the text may be altered.
    EventSlot<void(TAFEdit&, int index, std::string& newLine)> OnLineInsert;
    EventSlot<void(TAFEdit&, int index)> OnLineDelete;
    EventSlot<void(TAFEdit&, bool canUndo, bool canRedo)> OnUndoChange;
    EventSlot<void(TAFEdit&)> OnSelect;
    EventSlot<void(TAFEdit&)> OnDisSelect;
    // A row is broken; the handler's position is used unchanged.
    EventSlot<void(TAFEdit&, std::string_view line, int& wrapPos)> OnWordBreak;
    // Before a row's text is drawn; clearing defaultDraw leaves the row filled only (and
    // still dirty). Canvas() is the painter meanwhile.
    std::function<void(TAFEdit&, int index, const QRect& rect, const std::string& tabExStr,
                       bool& defaultDraw)> OnDrawLine;
    // After a row's margin cell is filled: the handler may change the number text or clear
    // defaultDraw to draw none.
    std::function<void(TAFEdit&, int index, const QRect& rect, std::string& text, bool& defaultDraw)>
        OnDrawLeftMgn;
    // After the ruler is filled, before its marks are drawn (they are always drawn).
    std::function<void(TAFEdit&, const QRect& rect, bool defaultDraw)> OnDrawColIndi;
    // After every caret update while focused and not updating.
    std::function<void(TAFEdit&)> OnStatusChange;
    // The mouse, after the editor's own handling; points are viewport pixels. Any button
    // pressed or released, the pointer moved, the left button double-clicked (after the
    // word selection; its first click came as a press and a release).
    std::function<void(TAFEdit&, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
        OnMouseDown;
    std::function<void(TAFEdit&, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;
    std::function<void(TAFEdit&, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y)>
        OnMouseMove;
    std::function<void(TAFEdit&)> OnDblClick;
    // A key went down, before the editor acts on it: the handler may change the key (a Qt key
    // code) or set it to 0, and the editor then does nothing with it. The characters the key
    // types still come, each through OnKeyPress first.
    std::function<void(TAFEdit&, int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
    // A character typed by a key (Backspace, Tab, Enter and Escape as their control
    // characters), before the editor takes it: the handler may change it or set it to 0.
    // Text from the input method does not come here.
    std::function<void(TAFEdit&, QChar& key)> OnKeyPress;
    // A key was released (once, however long it repeated), after the editor's own handling.
    std::function<void(TAFEdit&, int key, Qt::KeyboardModifiers shift)> OnKeyUp;
    // The mouse wheel; while set it replaces the built-in scrolling.
    std::function<void(TAFEdit&, QWheelEvent& event, bool& handled)> OnMouseWheel;
    // Text another program left on the clipboard (UTF-8) is about to be pasted: the handler
    // puts the CP932 bytes to paste into cp932. Unset, a character CP932 cannot hold, or
    // would not give back, becomes its CSS escape.
    std::function<void(TAFEdit&, std::string_view utf8, std::string& cp932)> OnPasteForeignText;

    // ---- Published properties (CP932 bytes for texts). ----
    // Steps per auto-repeated key (at most 4) and per burst of scroll-bar requests.
    int AccelRate() const { return core_.AccelRate; }
    void SetAccelRate(int rate) { core_.AccelRate = rate; }
    const std::string& BanEnd() const { return core_.BanEnd(); }
    void SetBanEnd(std::string_view chars) { core_.SetBanEnd(chars); }
    const std::string& BanHead() const { return core_.BanHead(); }
    void SetBanHead(std::string_view chars) { core_.SetBanHead(chars); }
    int CharPich() const { return charPich_; }
    void SetCharPich(int pixels);
    TColor ColColumnIndi() const { return settings_.colColumnIndi; }
    void SetColColumnIndi(TColor c) { setColor(settings_.colColumnIndi, c); }
    TColor ColColumnNo() const { return settings_.colColumnNo; }
    void SetColColumnNo(TColor c) { setColor(settings_.colColumnNo, c); }
    TColor ColCr() const { return settings_.colCr; }
    void SetColCr(TColor c) { setColor(settings_.colCr, c); }
    TColor ColDependence() const { return settings_.colDependence; }
    void SetColDependence(TColor c) { setColor(settings_.colDependence, c); }
    TColor ColKeyWord() const { return settings_.colKeyWord; }
    void SetColKeyWord(TColor c) { setColor(settings_.colKeyWord, c); }
    TColor ColLeftMgn() const { return settings_.colLeftMgn; }
    void SetColLeftMgn(TColor c) { setColor(settings_.colLeftMgn, c); }
    TColor ColRowNo() const { return settings_.colRowNo; }
    void SetColRowNo(TColor c) { setColor(settings_.colRowNo, c); }
    TColor ColSelBrush() const { return settings_.colSelBrush; }
    void SetColSelBrush(TColor c) { setColor(settings_.colSelBrush, c); }
    TColor ColSelText() const { return settings_.colSelText; }
    void SetColSelText(TColor c) { setColor(settings_.colSelText, c); }
    // Background; rows whose background is the old colour take the new one.
    TColor Color() const { return core_.Color(); }
    void SetColor(TColor c) { core_.SetColor(c); }
    // Text colour of the font; rows whose text colour is this editor's old one take the new.
    TColor FontColor() const { return core_.FontColor(); }
    void SetFontColor(TColor c);
    // Wrap column of new rows; rows with the old default take the new one, nothing rewraps.
    int DefWrapPos() const { return core_.DefWrapPos(); }
    void SetDefWrapPos(int columns) { core_.SetDefWrapPos(columns); }
    const std::string& DependenceChar() const { return dependence_.chars(); }
    void SetDependenceChar(std::string_view chars);
    bool Edited() const { return core_.Edited(); }
    void SetEdited(bool edited) { core_.SetEdited(edited); }
    const std::vector<std::string>& Keywords() const { return core_.Keywords(); }
    void SetKeywords(std::vector<std::string> words);
    TFontStyles KeywordStyle() const { return settings_.keywordStyle; }
    void SetKeywordStyle(TFontStyles style);
    // With voRowNum it is raised to hold the row numbers.
    int LeftMgn() const { return leftMgn_; }
    void SetLeftMgn(int pixels);
    TAFEditOptions Options() const { return core_.Options; }
    void SetOptions(TAFEditOptions options);
    // Blocks every change a user makes (typing, the input method, cut, paste, clear, undo,
    // redo, the ruler drags); selecting, copying and scrolling stay.
    bool ReadOnly() const { return core_.ReadOnly; }
    void SetReadOnly(bool readOnly) { core_.ReadOnly = readOnly; }
    const std::string& RowDspFmt() const { return settings_.rowDspFmt; }
    void SetRowDspFmt(std::string_view format);
    // The row height follows at the next metrics update.
    int RowPich() const { return rowPich_; }
    void SetRowPich(int pixels);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    int TabSize() const { return core_.TabSize; }
    void SetTabSize(int columns);
    // Paragraphs end in CR LF; assigning loads the bytes as plain text (no undo history).
    std::string Text() const { return core_.Text(); }
    void SetText(std::string_view bytes) { core_.SetText(bytes); }
    int TopMgn() const { return topMgn_; }
    void SetTopMgn(int pixels);
    int UndoMax() const { return core_.UndoMax(); }
    void SetUndoMax(int records) { core_.SetUndoMax(records); }
    TViewOptions ViewOpt() const { return settings_.viewOpt; }
    void SetViewOpt(TViewOptions options);
    int WrapLeadBytes() const { return core_.WrapLeadBytes; }
    void SetWrapLeadBytes(int n) { core_.WrapLeadBytes = n; }
    int WrapTrailBytes() const { return core_.WrapTrailBytes; }
    void SetWrapTrailBytes(int n) { core_.WrapTrailBytes = n; }

    // The font by the names the panes use: mapped to an installed family; `height` as the
    // class library's font height (negative: character height in pixels).
    void SetEditFont(const QString& name, int height);
    static QFont editorFont(const QString& name, int height);
    // The same with a size in points, as the settings file keeps it.
    void SetEditFontSize(const QString& name, int points);

    // ---- Operations. ----
    void BeginUpdate() { core_.BeginUpdate(); }
    void EndUpdate() { core_.EndUpdate(); }
    void Clear() { core_.Clear(); }
    // The commands of the panes' menus, toolbar buttons and keys. Under ReadOnly only Copy
    // does anything. Each reports a selection that came or went (OnSelect, OnDisSelect).
    void Undo() { core_.Undo(); }
    void Redo() { core_.Redo(); }
    bool CanUndo() const { return core_.CanUndo(); }
    bool CanRedo() const { return core_.CanRedo(); }
    void CopyToClipboard() { core_.CopyToClipboard(); }
    void CutToClipboard();
    void PasteFromClipboard();
    void DeleteSelection();
    bool HasSelection() const { return core_.HasSelection(); }
    // Inserts at the caret, replacing the selection (also under ReadOnly: the program's own
    // inserts, such as " !important ").
    void SetSelText(std::string_view s) { core_.SetSelText(s); }
    void InsertString(std::string_view s) { core_.InsertString(s); }
    void LoadFromStream(std::istream& in, std::uint8_t flags) { core_.LoadFromStream(in, flags); }
    void LoadFromFile(const std::filesystem::path& file, std::uint8_t flags) { core_.LoadFromFile(file, flags); }
    void SaveToStream(std::ostream& out, std::uint8_t flags) const { core_.SaveToStream(out, flags); }
    void SaveToFile(const std::filesystem::path& file, std::uint8_t flags) { core_.SaveToFile(file, flags); }
    // The settings are in place: applies the font, reports the undo state, caret to (0, 0).
    void Loaded();
    void RepaintRows() { repaintRows(); }
    // One row up or down as a scroll-bar arrow does; the caret stays in view.
    void ScrollLine(bool up);
    // The text under the input method's composition, while one is open.
    const QString& Preedit() const { return preedit_; }

    // ---- View state. ----
    const PaintMetrics& Metrics() const { return metrics_; }
    // The painter while a paint is running (for OnDrawLine and friends), else null.
    QPainter* Canvas() const { return canvas_; }
    // The inverted guide line of a wrap-column or indent drag.
    void ShowGuideLine(int col);
    void HideGuideLine();
    // The caret's rectangle in viewport pixels; empty when it is outside the text area or
    // hidden during a mouse drag.
    QRect CaretRect() const { return caretRect_; }
    // Rows and ruler in viewport pixels.
    QRect RowRect(int row) const;
    QRect RulerRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Every repaint goes through here (tests watch it).
    virtual void requestRepaint(const QRect& rect);

private:
    // EditorView
    void paint() override;
    void repaintRows() override;
    void refreshScrollBars() override;
    void updateCaret() override;
    void showGuideLine(int col) override { ShowGuideLine(col); }
    void hideGuideLine() override { HideGuideLine(); }
    bool focused() const override { return hasFocus(); }

    void setColor(TColor& field, TColor c);
    void repaintAll();
    void applyFont();
    void updateMetrics(bool repaint);
    // The length of the largest row number (at least 100) as the margin shows it.
    size_t rowNumberLength() const;
    void updateClientSize();
    void repaintRulerIfChanged();
    PaintPlanner planner() const { return PaintPlanner(core_, settings_, metrics_); }
    ScrollInput scrollInput() const;
    QRect computeCaretRect() const;
    // Input (af_edit_input.cpp).
    // Characters a key typed, each offered to OnKeyPress.
    void typeCharacters(const QString& chars);
    void connectScrollBars();
    void scrollBarAction(bool vertical, int action);
    void syncMouseGeometry();
    void updateMouseCursor(int x, int y);
    QRect preeditRect() const;
    void paintPreedit(QPainter& p);

    EditorCore core_;
    PaintSettings settings_;
    PaintMetrics metrics_;
    CharSet dependence_{kDefaultDependenceChar};
    PlanFonts fonts_;
    ParaMarkCache paraMarks_;
    std::array<int, 256> keywordWidths_{};

    int charPich_ = 0;
    int rowPich_ = 2;
    int leftMgn_ = 0;
    int topMgn_ = 0;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    int textHeight_ = 12;
    int baseline_ = 10;

    // What was last painted, to repaint only what changed.
    int lastTop_ = 0;
    int lastLeft_ = 0;
    int lastRowCount_ = 1;
    size_t marginNumberLength_ = 0;  // the length of the row number the margin was sized for
    RulerPlan lastRuler_;
    bool rulerDrawn_ = false;

    // Caret.
    QRect caretRect_;
    bool caretOn_ = true;
    std::unique_ptr<Timer> blink_;
    TextPoint lastCaret_{-1, -1};
    std::optional<int> guideCol_;

    bool applyingBars_ = false;
    bool refreshAgain_ = false;
    QPainter* canvas_ = nullptr;

    class Clipboard;
    std::unique_ptr<Clipboard> clipboard_;

    KeyInput keys_{core_};
    std::unique_ptr<MouseInput> mouse_;
    QString preedit_;
};

}  // namespace pavik
