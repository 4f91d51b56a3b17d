#pragma once
// The editor core's only ways out: a view that paints and scrolls, and a clipboard.
#include <string>
#include <vector>

#include "editor/row_list.h"

namespace pavik {

// Implemented by the widget; the core calls it where the control would repaint or move.
// Every call may come while the core is updating (BeginUpdate); the view asks Updating().
class EditorView {
public:
    virtual ~EditorView() = default;
    // Repaint the whole control, refresh the scroll bars and place the caret.
    virtual void paint() {}
    // Repaint the dirty rows in view and the last row (or everything when the top row moved),
    // clearing the dirty flags of the rows visited unless the core is updating.
    virtual void repaintRows() {}
    virtual void refreshScrollBars() {}
    // The caret moved or changed: place it on screen.
    virtual void updateCaret() {}
    // The inverted guide line of a wrap-column or indent drag, at a display column.
    virtual void showGuideLine(int /*col*/) {}
    virtual void hideGuideLine() {}
    // The control has the keyboard focus.
    virtual bool focused() const { return true; }
};

// What a copy puts on the clipboard and a paste takes from it.
struct ClipboardContent {
    std::string text;       // CP932 bytes; paragraph ends as CR LF
    std::vector<Row> rows;  // a row-range copy: the rows with their records; else empty
};

class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    virtual void setContent(const ClipboardContent& content) = 0;
    // Text another program left arrives as CP932, converted as the widget's owner decides
    // (nothing becomes '?'), without rows.
    virtual ClipboardContent content() = 0;
};

}  // namespace pavik
