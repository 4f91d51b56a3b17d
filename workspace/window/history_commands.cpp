#include "workspace/window/history_commands.h"

#include <QAction>
#include <QTreeView>
#include <QTreeWidget>

#include "platform/cp932.h"
#include "workspace/window/frm_main.h"

namespace pavik {
namespace {

constexpr std::string_view UndoHint = "元に戻す|直前の変更を元に戻す";
constexpr std::string_view RedoHint = "やり直し|直前の動作をやり直す";

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

HistoryCommands::HistoryCommands(TfrmMain& window) : w_(window) {}

StepPlace HistoryCommands::placeOf(const CssRuleNode* rule, std::string_view property) const {
    StepPlace place;
    const size_t at = rule ? w_.Document.indexOf(rule) : w_.Document.ruleCount();
    if (at < w_.Document.ruleCount()) place.rule = at;
    place.property = property;
    return place;
}

StepPlace HistoryCommands::selectedPlace() const {
    const TData* property = w_.targetRecordOf(w_.CurTargetNode);
    return placeOf(w_.ruleOfNode(w_.CurStructNode), property && property->Kind == 1 ? property->Name : std::string());
}

std::string HistoryCommands::valueLabel(std::string_view selector, std::string_view property) {
    return "「" + decodeCp932(selector) + "」の " + decodeCp932(property) + " の変更";
}

std::string HistoryCommands::boxLabel(std::string_view selector) {
    return "「" + decodeCp932(selector) + "」のボックスの変更";
}

std::string HistoryCommands::ruleAddedLabel(std::string_view selector) {
    return "ルール「" + decodeCp932(selector) + "」の追加";
}

std::string HistoryCommands::ruleDeletedLabel(std::string_view selector) {
    return "ルール「" + decodeCp932(selector) + "」の削除";
}

void HistoryCommands::undo() {
    w_.commitTypedValues();  // what was typed and not stored yet is the last change
    replayed(history_.undo(w_.Document));
}

void HistoryCommands::redo() {
    w_.commitTypedValues();
    replayed(history_.redo(w_.Document));
}

void HistoryCommands::replayed(const std::optional<DocumentHistory::Replay>& replay) {
    if (!replay) return;
    // Rules that came or went (or a whole document put back): the rule tree is made anew;
    // otherwise its nodes still show the document's rules.
    if (replay->rulesMoved) w_.ChangeCSStreeExecute();
    w_.bCSSSaved = history_.atSaved();
    w_.RefreshPreview();
    // After the rebuild, which resets the lamps and tag information the rule click shows.
    select(replay->place);
    w_.Refresh_Status();
}

void HistoryCommands::select(const StepPlace& place) {
    if (!place.rule || *place.rule >= w_.Document.ruleCount()) {
        if (w_.ruleOfNode(w_.TreeViewStruct->currentIndex())) {
            w_.TreeViewStruct->setCurrentIndex(w_.ElementBaseNode);
            w_.clearPropertyTree();
        }
        return;
    }
    w_.selectionPlaces().select(w_.Document.rules()[*place.rule], place.property);
}

void HistoryCommands::readBackFromSave(StyleDocument before, bool handEdit) {
    history_.replaced(before, w_.Document, handEdit, "ソースの手での編集");
    history_.markSaved();
    w_.freeAside(std::move(before));
}

void HistoryCommands::restart() { history_.clear(); }

void HistoryCommands::showHints(UndoTarget target) {
    if (target != UndoTarget::Document) {
        setActionHint(w_.EditUndo1, utf8(UndoHint));
        setActionHint(w_.EditRedo1, utf8(RedoHint));
        return;
    }
    const std::string& undo = history_.undoLabel();
    const std::string& redo = history_.redoLabel();
    setActionHint(w_.EditUndo1, undo.empty() ? utf8(UndoHint) : QStringLiteral("元に戻す: %1|%1を元に戻す").arg(utf8(undo)));
    setActionHint(w_.EditRedo1, redo.empty() ? utf8(RedoHint) : QStringLiteral("やり直し: %1|%1をやり直す").arg(utf8(redo)));
}

}  // namespace pavik
