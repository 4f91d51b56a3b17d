#pragma once
// The history of the changes made to the open style sheet, for undo and redo. No Qt.
//
// A step is what one command changed, recorded from the document's own mutators while the
// command ran (HistoryStep): a value set, a declaration or rule added or removed. A step
// holds what changed, never a copy of the document: a value's text before and after, a
// removed declaration or rule itself. Only a hand edit of the source pane taken into the
// document (a save that read back other text than the rules held) keeps the document from
// before it whole (replaced).
//
// Undoing a step and redoing it leaves the document as it was, item by item: rules by index,
// comments moved by a removal moved back. Undo and redo work on the document as the steps
// left it; anything that changes the document outside the history must clear it or be
// recorded.
//
// The history holds at most Limits::steps steps and about Limits::bytes bytes; the oldest
// steps go first. A new step drops the steps that could be redone.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "workspace/document/style_document.h"

namespace pavik {

// Where a step is seen: the rule (its index in the document) and the property, to select
// after undoing or redoing it. No rule: nothing to select (the rule is gone).
struct StepPlace {
    std::optional<size_t> rule;
    std::string property;
};

class DocumentHistory {
public:
    struct Limits {
        size_t steps = 1000;
        size_t bytes = size_t{64} << 20;
    };
    // What an undo or redo did: where to look, and whether rules came or went (a rule put back
    // takes a new place: views of the rules must be made anew).
    struct Replay {
        StepPlace place;
        bool rulesMoved = false;
    };

    DocumentHistory() = default;
    explicit DocumentHistory(Limits limits) : limits_(limits) {}

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The label of the step an undo or redo would take back or make again.
    const std::string& undoLabel() const;
    const std::string& redoLabel() const;

    std::optional<Replay> undo(StyleDocument& doc);
    std::optional<Replay> redo(StyleDocument& doc);

    // The document was saved as it stands now / whether it stands as it was saved.
    void markSaved() { saved_ = position_; }
    bool atSaved() const { return saved_ == position_; }

    // The document was replaced by `doc` read back from a save; `before` is the document it
    // replaced. When the two hold the same text nothing is recorded. Otherwise a step takes
    // `before` over: a hand edit is a step of its own, labelled `label`; a save of the rules'
    // own text that reads back differently (a value left out) joins the step before it, so
    // that undoing that step undoes the difference too. What is not taken over stays in
    // `before` for the caller to free.
    void replaced(StyleDocument& before, const StyleDocument& doc, bool handEdit, std::string label);

    // Opening and New.
    void clear();

    size_t size() const { return steps_.size(); }
    size_t bytes() const { return bytes_; }

private:
    friend class HistoryStep;
    struct Step {
        std::vector<DocumentChange> changes;
        std::optional<StyleDocument> other;  // a replaced document: the one not in use
        bool joinsPrevious = false;
        std::string label;
        StepPlace before, after;
        size_t bytes = 0;
    };
    void push(Step step);
    static void undoStep(Step& step, StyleDocument& doc);
    static void redoStep(Step& step, StyleDocument& doc);
    static bool movesRules(const Step& step);

    Limits limits_;
    std::vector<Step> steps_;
    size_t position_ = 0;             // steps that can be undone
    std::optional<size_t> saved_ = 0;  // the position of the last save; none once dropped
    size_t bytes_ = 0;
};

// Records one step: the changes made to `doc` from construction on become one step when it
// ends (nothing when nothing changed). The document's change log is its own meanwhile.
class HistoryStep {
public:
    HistoryStep(DocumentHistory& history, StyleDocument& doc, std::string label, StepPlace before);
    ~HistoryStep();
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;
    // Where the change is seen once made (default: where it was made).
    void setAfter(StepPlace after) { after_ = std::move(after); }

private:
    DocumentHistory& history_;
    StyleDocument& doc_;
    std::vector<DocumentChange> changes_;
    std::string label_;
    StepPlace before_;
    std::optional<StepPlace> after_;
};

// About the bytes a document holds (for the history's bound).
size_t documentBytes(const StyleDocument& doc);

}  // namespace pavik
