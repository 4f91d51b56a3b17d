#include "workspace/window/pane_commands.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

#include "editor/view/af_edit.h"

namespace pavik {
namespace {

// The hourglass while the clipboard is filled.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void PaneCommands::cut() {
    link_.pane->CutToClipboard();
    *link_.saved = false;
    link_.refreshStatus();
}

void PaneCommands::copy() {
    {
        WaitCursor wait;
        link_.pane->CopyToClipboard();
    }
    link_.refreshStatus();
}

void PaneCommands::paste() {
    link_.pane->PasteFromClipboard();
    *link_.saved = false;
    link_.refreshStatus();
}

void PaneCommands::undo() {
    link_.pane->Undo();
    followHistory();
    link_.refreshStatus();
}

void PaneCommands::redo() {
    link_.pane->Redo();
    followHistory();
    link_.refreshStatus();
}

void PaneCommands::change() {
    *link_.saved = false;
    link_.refreshStatusSoon();
}

void PaneCommands::selectionChanged() { link_.updateActions(); }

void PaneCommands::undoChange(bool canUndo, bool) {
    *link_.canUndo = canUndo;
    followHistory();
    link_.updateActions();
    link_.refreshStatusSoon();
}

void PaneCommands::mouseWheel(int delta) {
    const int notches = wheel_.add(delta);
    if (notches == 0) return;
    TAFEdit& pane = *link_.pane;
    // More rows than the text holds scroll no further.
    const int rows = std::min(std::abs(notches), pane.core().RowCount());
    const int rate = pane.AccelRate();
    pane.SetAccelRate(1);
    for (int i = 0; i < rows; ++i) pane.ScrollLine(notches > 0);
    pane.core().VScroll(ScrollCode::EndScroll);
    pane.SetAccelRate(rate);
}

void PaneCommands::historyRestarts() { markIsSaved_ = *link_.saved; }

void PaneCommands::savedToFile() {
    markIsSaved_ = true;
    *link_.saved = true;
}

PaneState PaneCommands::state() const {
    const TAFEdit& pane = *link_.pane;
    return {pane.CanUndo(), pane.CanRedo(), pane.HasSelection(), pane.ReadOnly()};
}

void PaneCommands::followHistory() { *link_.saved = markIsSaved_ && !link_.pane->Edited(); }

}  // namespace pavik
