#include "workspace/window/main_window_box.h"

#include <QAction>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <string>
#include <unordered_map>

#include "dialogs/dlg_box_edit.h"
#include "platform/qt_text.h"
#include "workspace/values/box_write_back.h"
#include "workspace/values/value_store.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/frm_main.h"

namespace pavik {

BoxEditCommand::BoxEditCommand(TfrmMain& window)
    : runDialog([](TdlgBoxEdit& dialog) { return dialog.exec(); }), w_(window) {
    QObject::connect(w_.EditBox, &QAction::triggered, &w_, [this] { w_.guarded([this] { w_.EditBoxExecute(); }); });
}

void BoxEditCommand::execute() {
    const CssRuleNode* rule = w_.ruleOfNode(w_.CurStructNode);
    if (!rule || !findRuleByRecord(w_.Document, &rule->Data)) return;

    TdlgBoxEdit::Services services;
    services.makeBrowser = w_.services().makeBrowser;
    services.help = w_.helpDesk();
    services.reportError = [this](QWidget* owner, const QString& text) { w_.services().messages->error(owner, text); };
    TdlgBoxEdit dialog(rule, std::move(services), &w_);
    if (runDialog(dialog) != QDialog::Accepted) {
        w_.Refresh_Status();
        return;
    }

    // The first node of the property tree per box property; a property without one does not
    // apply to the rule's element.
    std::unordered_map<std::string, QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(w_.TreeViewTarget); *it; ++it) {
        const TData* record = w_.targetRecordOf(*it);
        if (record && record->Kind == 1) nodes.try_emplace(record->Name, *it);
    }
    const auto nodeOf = [&nodes](std::string_view property) {
        const auto found = nodes.find(std::string(property));
        return found == nodes.end() ? nullptr : found->second;
    };

    const std::vector<BoxResultRow> rows = dialog.Result();
    std::vector<std::string> stored;
    {
        HistoryCommands& history = w_.historyCommands();
        HistoryStep step(history.history(), w_.Document, HistoryCommands::boxLabel(rule->Data.Selector),
                         history.placeOf(rule, {}));
        stored = writeBoxResult(w_.Document, &rule->Data, rows,
                                [&](std::string_view property) { return nodeOf(property) != nullptr; });
    }
    for (const BoxResultRow& r : rows)
        if (QTreeWidgetItem* node = nodeOf(boxRowProperty(r.row)))
            w_.setTargetImage(node, ruleSetsProperty(w_.Document, &rule->Data, boxRowProperty(r.row))
                                        ? ValueImageSet
                                        : ValueImageUnset);
    if (!stored.empty()) {
        w_.bCSSSaved = false;
        if (w_.bAutoRefresh)
            w_.RefreshPreview();
        else
            w_.fileCommands().rulesChangedOutsidePane();
    }
    w_.Refresh_Status();
}

}  // namespace pavik

namespace pavik {

void TfrmMain::EditBoxExecute() { boxEdit_->execute(); }

}  // namespace pavik
