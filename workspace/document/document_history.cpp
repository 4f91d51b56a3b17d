#include "workspace/document/document_history.h"

#include <algorithm>
#include <utility>

namespace pavik {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

size_t textBytes(std::string_view s) { return s.size() > SmallString::InsideBytes ? s.size() : 0; }

size_t declarationBytes(const Declaration& d) {
    return sizeof(Declaration) + textBytes(d.Name) + textBytes(d.Value) + textBytes(d.Comment);
}

size_t ruleBytes(const CssRuleNode& r) {
    size_t n = sizeof(CssRuleNode) + sizeof(CssRuleNode*) + textBytes(r.Data.Name) + textBytes(r.Data.Selector) +
               textBytes(r.Data.CssClass) + textBytes(r.Data.Value) + textBytes(r.Data.Comment) +
               textBytes(r.ClosingComment);
    for (const Declaration& d : r.Declarations) n += declarationBytes(d);
    return n;
}

size_t changeBytes(const DocumentChange& change) {
    return sizeof(DocumentChange) +
           std::visit(Overloaded{
                          [](const ValueChange& c) { return c.before.size() + c.after.size(); },
                          [](const DeclarationChange& c) { return declarationBytes(c.taken.decl); },
                          [](const RuleChange& c) { return ruleBytes(c.taken.node); },
                      },
                      change);
}

// Taking back (`back`) or making again one change. Rules and declarations move between the
// document and the change's `taken`: an addition taken back, or a removal made again, takes.
void replayChange(DocumentChange& change, StyleDocument& doc, bool back) {
    std::visit(Overloaded{
                   [&](ValueChange& c) { doc.setValueAt(c.rule, c.decl, back ? c.before : c.after); },
                   [&](DeclarationChange& c) {
                       if (c.added == back)
                           c.taken = doc.takeDeclaration(c.taken.rule, c.taken.at);
                       else
                           doc.putDeclaration(c.taken);
                   },
                   [&](RuleChange& c) {
                       if (c.added == back)
                           c.taken = doc.takeRule(c.taken.at);
                       else
                           doc.putRule(c.taken);
                   },
               },
               change);
}

const std::string NoLabel;

}  // namespace

size_t documentBytes(const StyleDocument& doc) {
    size_t n = sizeof(StyleDocument) + doc.charset().size() + doc.trailingComments().size();
    for (const CssRuleNode* r : doc.rules()) n += ruleBytes(*r);
    for (const KeptText& k : doc.keptTexts()) n += sizeof(KeptText) + k.Text.size();
    return n;
}

const std::string& DocumentHistory::undoLabel() const {
    // A step joined to the one before it is undone with it: the label is that one's.
    for (size_t i = position_; i > 0; --i)
        if (!steps_[i - 1].joinsPrevious) return steps_[i - 1].label;
    return NoLabel;
}

const std::string& DocumentHistory::redoLabel() const {
    return position_ < steps_.size() ? steps_[position_].label : NoLabel;
}

bool DocumentHistory::movesRules(const Step& step) {
    if (step.other) return true;
    return std::any_of(step.changes.begin(), step.changes.end(),
                       [](const DocumentChange& c) { return std::holds_alternative<RuleChange>(c); });
}

void DocumentHistory::undoStep(Step& step, StyleDocument& doc) {
    if (step.other) std::swap(doc, *step.other);
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) replayChange(*it, doc, true);
}

void DocumentHistory::redoStep(Step& step, StyleDocument& doc) {
    for (DocumentChange& c : step.changes) replayChange(c, doc, false);
    if (step.other) std::swap(doc, *step.other);
}

std::optional<DocumentHistory::Replay> DocumentHistory::undo(StyleDocument& doc) {
    if (!canUndo()) return std::nullopt;
    Replay replay;
    for (;;) {
        Step& step = steps_[--position_];
        undoStep(step, doc);
        replay.rulesMoved = replay.rulesMoved || movesRules(step);
        if (!step.joinsPrevious || position_ == 0) {
            replay.place = step.before;
            return replay;
        }
    }
}

std::optional<DocumentHistory::Replay> DocumentHistory::redo(StyleDocument& doc) {
    if (!canRedo()) return std::nullopt;
    Replay replay;
    replay.place = steps_[position_].after;
    do {
        Step& step = steps_[position_++];
        redoStep(step, doc);
        replay.rulesMoved = replay.rulesMoved || movesRules(step);
    } while (position_ < steps_.size() && steps_[position_].joinsPrevious);
    return replay;
}

void DocumentHistory::push(Step step) {
    // The steps that could be redone go, and with them a save made among them.
    for (size_t i = position_; i < steps_.size(); ++i) bytes_ -= steps_[i].bytes;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (saved_ && *saved_ > position_) saved_.reset();

    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    position_ = steps_.size();

    // The oldest go first; a step joined to one that went goes with it.
    size_t drop = 0;
    size_t dropped = 0;
    while (drop < steps_.size() &&
           (steps_.size() - drop > limits_.steps || bytes_ - dropped > limits_.bytes || steps_[drop].joinsPrevious))
        dropped += steps_[drop++].bytes;
    if (drop == 0) return;
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
    bytes_ -= dropped;
    position_ -= drop;
    if (saved_) saved_ = *saved_ >= drop ? std::optional<size_t>(*saved_ - drop) : std::nullopt;
}

void DocumentHistory::replaced(StyleDocument& before, const StyleDocument& doc, bool handEdit, std::string label) {
    if (sameText(before, doc)) return;
    if (!handEdit && position_ == 0) {
        // Nothing before it to join; the steps to redo were made on the other text.
        steps_.clear();
        bytes_ = 0;
        if (saved_ != 0) saved_.reset();
        return;
    }
    Step step;
    step.bytes = sizeof(Step) + documentBytes(before);
    step.other = std::move(before);
    step.joinsPrevious = !handEdit;
    step.label = std::move(label);
    push(std::move(step));
}

void DocumentHistory::clear() {
    steps_.clear();
    position_ = 0;
    saved_ = 0;
    bytes_ = 0;
}

HistoryStep::HistoryStep(DocumentHistory& history, StyleDocument& doc, std::string label, StepPlace before)
    : history_(history), doc_(doc), label_(std::move(label)), before_(std::move(before)) {
    doc_.setChangeLog(&changes_);
}

HistoryStep::~HistoryStep() {
    doc_.setChangeLog(nullptr);
    if (changes_.empty()) return;
    DocumentHistory::Step step;
    step.bytes = sizeof(DocumentHistory::Step) + label_.size();
    for (const DocumentChange& c : changes_) step.bytes += changeBytes(c);
    step.changes = std::move(changes_);
    step.label = std::move(label_);
    step.after = after_ ? std::move(*after_) : before_;
    step.before = std::move(before_);
    history_.push(std::move(step));
}

}  // namespace pavik
