#pragma once
// The editor core's only ways out: a view that paints and scrolls, and a clipboard.
#include <string>

namespace pavik {

// Implemented by the widget; the core calls it where the control would repaint or move.
// Every call may come while the core is updating (BeginUpdate); the view asks Updating().
class EditorView {
public:
    virtual ~EditorView() = default;
    // Repaint the whole control.
    virtual void paint() {}
    // Repaint the dirty rows in view and the last row (or everything when the top row moved),
    // clearing the dirty flags of the rows visited unless the core is updating.
    virtual void repaintRows() {}
    virtual void refreshScrollBars() {}
    // The caret moved or changed: place it on screen.
    virtual void updateCaret() {}
    // After an edit: bring the caret into view (scrolling), then update it.
    virtual void scrollToCaret() {}
};

// Clipboard text as CP932 bytes.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    virtual void setText(const std::string& bytes) = 0;
    virtual std::string text() = 0;
};

}  // namespace pavik
