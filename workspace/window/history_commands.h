#pragma once
// Undo and redo of the style sheet's changes in the main window. The window's commands that
// change the document record a step each (DocumentHistory, document_history.h): a value
// stored by a panel or dialog, the box editor's OK, a rule or class added, a rule deleted,
// and a hand edit of the source pane that a save took into the document. Opening and New
// start a new history; saving keeps it and marks where the file stands.
//
// The Edit menu's 元に戻す and やり直し (EditUndo1, EditRedo1: Ctrl+Z; Ctrl+Y, Ctrl+Shift+Z and
// Ctrl+R) act on the focused source pane's own history while it has one (its hand edits
// since the program last put text into it), else on the document's (undoTarget,
// action_states.h). An undo or redo of the document selects the rule and property the step
// touched, rebuilds the preview and the pane, and marks the style sheet saved exactly when
// it is back where it was last saved.
#include <QString>
#include <string>
#include <string_view>

#include "workspace/document/document_history.h"
#include "workspace/window/action_states.h"

namespace pavik {

class TfrmMain;
struct CssRuleNode;

class HistoryCommands {
public:
    explicit HistoryCommands(TfrmMain& window);

    DocumentHistory& history() { return history_; }
    const DocumentHistory& history() const { return history_; }

    // Where the window stands: the selected rule (by its index) and property.
    StepPlace selectedPlace() const;
    // The rule's place, with `property` (CP932).
    StepPlace placeOf(const CssRuleNode* rule, std::string_view property) const;

    // Step labels (UTF-8) of the window's commands.
    static std::string valueLabel(std::string_view selector, std::string_view property);
    static std::string boxLabel(std::string_view selector);
    static std::string ruleAddedLabel(std::string_view selector);
    static std::string ruleDeletedLabel(std::string_view selector);

    // The document's undo and redo.
    void undo();
    void redo();

    // A save read the document back: `before` is the one it replaced, `handEdit` whether the
    // pane's own text was saved. Then the saved mark is here.
    void readBackFromSave(StyleDocument before, bool handEdit);
    // A style sheet was opened, made new or closed.
    void restart();

    // The hints of EditUndo1 and EditRedo1 for what they act on.
    void showHints(UndoTarget target);

private:
    void replayed(const std::optional<DocumentHistory::Replay>& replay);
    // Selects the rule and property of `place` in the trees, as clicks on them would.
    void select(const StepPlace& place);

    TfrmMain& w_;
    DocumentHistory history_;
};

}  // namespace pavik
