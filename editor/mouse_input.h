#pragma once
// What the mouse does in the editor, headless: which cursor shows where, clicks and
// Shift+clicks in the text, dragging a stream selection (scrolling when the pointer leaves
// the text area), row selection in the left margin, double-click word selection, and
// dragging a row range's wrap column or indent on the column ruler. Points are pixels in
// the text widget; the widget pushes the geometry in and maps its mouse events onto Press,
// Move, Release and DoubleClick.
//
// Dragging past an edge scrolls from a timer, one pass per tick, for as long as the pointer
// stays outside; the passes end by themselves once nothing is left to scroll.
#include <cstdint>
#include <memory>

#include "editor/editor_core.h"
#include "platform/timer.h"

namespace pavik {

// Where the text area and the cells are, in pixels (right and bottom exclusive).
struct MouseGeometry {
    int textLeft = 0;
    int textTop = 0;
    int textRight = 0;   // the client width
    int textBottom = 0;  // the client height
    int cellPitch = 1;
    int rowHeight = 1;
};

enum class MouseCursor : std::uint8_t {
    Default,
    IBeam,      // over the text
    SplitH,     // over a row range's wrap-column or indent mark on the ruler
    RowSelect,  // over the left margin: whole rows
};

enum class MouseMode : std::uint8_t {
    None,
    RowRange,    // dragging a row range in the margin
    WrapColumn,  // dragging the range's wrap column on the ruler
    Indent,      // dragging the range's indent on the ruler
    Text,        // dragging a stream selection
};

class MouseInput {
public:
    static constexpr int kAutoScrollMs = 40;

    // The timer drives the scrolling while a drag is past an edge.
    MouseInput(EditorCore& core, std::unique_ptr<Timer> autoScroll);

    MouseGeometry Geometry;

    MouseMode Mode() const { return mode_; }
    // The cell under a pixel: 3 pixels left of a cell boundary already count as the next
    // cell. The column is at least 0, the row within the text.
    TextPoint PointToCell(int x, int y) const;
    // The cursor while no button is held.
    MouseCursor CursorAt(int x, int y) const;

    // The left button went down / the pointer moved / the left button came up.
    void Press(int x, int y, bool shift);
    void Move(int x, int y, bool leftHeld);
    void Release(bool shift);
    // Selects the word (ASCII letters and digits, across soft row ends) or the double-byte
    // character at the caret; the caret stays.
    void DoubleClick(int x, int y);

    bool AutoScrolling() const { return timer_->enabled(); }
    // From a press in the text without Shift until the release the caret is not shown: the
    // selection's moving end is.
    bool CaretHidden() const { return caretHidden_; }

private:
    void pressRuler(TextPoint p);
    void pressText(TextPoint p, bool shift);
    void pressMargin(TextPoint p, bool shift);
    // One step of a drag at the last pointer position; scrolls when it is past an edge.
    // False when nothing changed.
    bool dragPass();
    void moveRowRange(int row);
    void moveTextEnd(TextPoint p);
    void applyRangeDrag(bool shift);
    bool pastEdge() const;

    EditorCore& e_;
    std::unique_ptr<Timer> timer_;
    MouseMode mode_ = MouseMode::None;
    int lastX_ = 0;
    int lastY_ = 0;
    bool caretHidden_ = false;
};

}  // namespace pavik
