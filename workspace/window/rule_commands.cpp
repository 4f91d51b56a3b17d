#include "workspace/window/rule_commands.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTreeWidget>
#include <optional>

#include "dialogs/dlg_new_class.h"
#include "dialogs/frm_css_select.h"
#include "dialogs/selector_choice.h"
#include "platform/qt_text.h"
#include "workspace/values/value_store.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/frm_main.h"

namespace pavik {

RuleCommands::RuleCommands(TfrmMain& window) : w_(window) {
    const std::pair<QAction*, void (TfrmMain::*)()> handlers[] = {
        {w_.cssBasic, &TfrmMain::cssBasicExecute},
        {w_.cssClass, &TfrmMain::cssClassExecute},
        {w_.DelItem, &TfrmMain::DelItemExecute},
    };
    for (const auto& [action, handler] : handlers)
        QObject::connect(action, &QAction::triggered, &w_, [this, handler] {
            w_.guarded([this, handler] { (w_.*handler)(); });
        });
}

void RuleCommands::cssBasicExecute() {
    std::optional<TData2> rule;
    {
        TfrmCSSSelect chooser(w_.helpDesk(), &w_);
        if (w_.services().runDialog(chooser) == QDialog::Accepted) rule = newRuleRecord(chooser.choice());
    }
    if (rule && !w_.Document.GetNodeParent(rule->Selector)) addRule(std::move(*rule));
    w_.Refresh_Status();
}

void RuleCommands::cssClassExecute() {
    std::optional<TData2> rule;
    {
        TdlgNewClass dialog(w_.helpDesk(), &w_);
        if (w_.services().runDialog(dialog) == QDialog::Accepted &&
            TdlgNewClass::acceptsClassName(dialog.EditNewClass->text())) {
            rule = ruleRecordFor("." + toCp932(dialog.EditNewClass->text()));  // the class group
        }
    }
    if (rule && !w_.Document.GetNodeParent(rule->Selector)) addRule(std::move(*rule));
    w_.Refresh_Status();
    w_.TreeViewStruct->expandAll();
}

void RuleCommands::addRule(TData2 rule) {
    w_.bCSSSaved = false;
    HistoryCommands& history = w_.historyCommands();
    const CssRuleNode* added = nullptr;
    {
        HistoryStep step(history.history(), w_.Document, HistoryCommands::ruleAddedLabel(rule.Selector),
                         history.selectedPlace());
        added = w_.Document.addRule(std::move(rule));
        step.setAfter(history.placeOf(added, {}));
    }
    w_.ChangeCSStreeExecute();
    if (w_.bAutoRefresh)
        w_.RefreshPreview();
    else
        w_.fileCommands().rulesChangedOutsidePane();
    // The new rule by identity: another rule may show the same text.
    const QModelIndex node = w_.structNodeOfRule(added);
    w_.TreeViewStruct->expandAll();
    w_.TreeViewStruct->setCurrentIndex(node);
    w_.TreeViewStructClick();
}

void RuleCommands::DelItemExecute() {
    // The rule the tree highlights: after a click on a group node that is no rule at all.
    const QModelIndex node = w_.TreeViewStruct->currentIndex();
    const CssRuleNode* rule = w_.ruleOfNode(node);
    if (!rule || !findRuleByRecord(w_.Document, &rule->Data)) return;
    // The tree item with the selection, the property tree and the value area (emptied as the
    // selection goes) let go of the rule's records before the document releases them.
    HistoryCommands& history = w_.historyCommands();
    StepPlace place = history.placeOf(rule, {});
    std::string label = HistoryCommands::ruleDeletedLabel(rule->Data.Selector);
    w_.removeStructNode(node);
    w_.valueArea().showRule({}, {});  // the box title named the rule
    w_.clearPropertyTree();
    {
        HistoryStep step(history.history(), w_.Document, std::move(label), std::move(place));
        step.setAfter({});
        w_.Document.removeRule(rule);
    }
    w_.bCSSSaved = false;
    w_.RefreshPreview();
    w_.Refresh_Status();
}

}  // namespace pavik

namespace pavik {

void TfrmMain::cssBasicExecute() { ruleCommands_->cssBasicExecute(); }

void TfrmMain::cssClassExecute() { ruleCommands_->cssClassExecute(); }

void TfrmMain::DelItemExecute() { ruleCommands_->DelItemExecute(); }

}  // namespace pavik
