#pragma once
// The commands and events of one source pane of the main window (the style sheet pane
// RichEditSrc or the HTML pane EditHTML): cut, copy, paste, undo and redo, the change,
// selection and undo-state events, and the mouse wheel. The window's handlers
// (EditCut1Execute, RichEditSrcUndoChange, RichEditSrcMouseWheel, ...) delegate here.
//
// Saved state: an edit, a cut and a paste mark the pane unsaved. After an undo, a redo or
// any change of the undo state the pane is saved exactly when its text is back at the mark
// its undo history keeps of the last load or save, and the text at that mark is the file's.
// A pane reloaded while unsaved (the style sheet regenerated from changed rules, the HTML
// page rewrapped with its edits) starts a history whose mark is not the file's text, so
// undoing back to it does not claim the changes were saved.
#include <functional>

#include "components/wheel_notches.h"
#include "workspace/window/action_states.h"

namespace pavik {

class TAFEdit;

class PaneCommands {
public:
    struct Link {
        TAFEdit* pane = nullptr;
        bool* saved = nullptr;    // bCSSSaved or bHTMLSaved
        bool* canUndo = nullptr;  // bCSSCanUndo or bHTMLCanUndo
        std::function<void()> refreshStatus;      // Refresh_Status: ends every command
        std::function<void()> refreshStatusSoon;  // the same once the pane's operation is done
        std::function<void()> updateActions;      // the window's action states
    };

    explicit PaneCommands(Link link) : link_(std::move(link)) {}

    void cut();
    void copy();  // the saved state stays
    void paste();
    void undo();
    void redo();

    void change();
    void selectionChanged();  // a selection came into being or went away
    void undoChange(bool canUndo, bool canRedo);
    // Scrolls one row per notch, each one row exactly (no acceleration during the burst).
    void mouseWheel(int delta);

    // Before the pane's text is reloaded: the new history's mark is saved as the pane is now.
    void historyRestarts();
    // The pane's text was written to its file (and the pane's mark set there).
    void savedToFile();

    PaneState state() const;

private:
    void followHistory();

    Link link_;
    bool markIsSaved_ = true;  // the text at the history's mark is the file's
    WheelNotches wheel_;
};

}  // namespace pavik
