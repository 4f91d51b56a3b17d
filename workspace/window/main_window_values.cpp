// The window's side of the value area: the property click that builds the panel, the value
// handlers (they delegate to ValueArea) and the store that ends every value change.
#include <QAction>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "workspace/window/file_commands.h"
#include "workspace/window/fitted_text.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/value_area.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"

namespace pavik {

// The value area's view of the window.
class TfrmMain::ValueLink final : public ValueAreaHost {
public:
    explicit ValueLink(TfrmMain& window) : w_(window) {}

    std::optional<std::string> targetProperty() const override {
        if (!w_.selectedRuleRecord()) return std::nullopt;
        return w_.targetRecordOf(w_.CurTargetNode)->Name;
    }
    bool commitValue(const ValueWrite& write) override { return w_.finishValueWrite(write); }
    QString previewPageFile() const override { return w_.sHTMLFileName; }
    UserMessages& messages() override { return *w_.services_.messages; }
    FileChooser& files() override { return *w_.services_.files; }
    void guarded(const std::function<void()>& handler) override { w_.guarded(handler); }
    HelpDesk* helpDesk() override { return w_.helpDesk(); }
    void showNotice(const QString& text) override { w_.showNotice(text); }
    void typedTextChanged() override { w_.Refresh_Status(); }

private:
    TfrmMain& w_;
};

void TfrmMain::createValueArea(QWidget* parent) {
    valueLink_ = std::make_unique<ValueLink>(*this);
    values_ = new ValueArea(parent, FileOpenURL, *valueLink_);
    keepTabStopsPastKeywords(values_->MemoHint);
}

void TfrmMain::connectValueHandlers() {
    connect(FileOpenURL, &QAction::triggered, this, [this] { guarded([this] { FileOpenURLExecute(); }); });
    connect(AddImportantTag, &QAction::triggered, this, [this] { guarded([this] { AddImportantTagExecute(); }); });
    TreeViewTarget->viewport()->installEventFilter(this);
    connect(ColoPicker, &QAction::triggered, this, [this] { guarded([this] { ColoPickerExecute(); }); });
}

void TfrmMain::RadioGroupSizeClick() { values_->unitClicked(); }

void TfrmMain::ScrollVertTo(QAbstractScrollArea* window, int position) { scrollVertTo(window, position); }

void TfrmMain::LoadGroupHint() {
    const TData* record = targetRecordOf(TreeViewTarget->currentItem());
    if (!record || record->Kind != 0) return;
    const std::string_view name = categoryPageName(record->Name);
    if (!name.empty()) values_->showCategoryPage(name);
}

void TfrmMain::commitTypedValues() { values_->commitTyped(); }

void TfrmMain::TreeViewTargetClick(bool focusEditor) {
    commitTypedValues();
    setBoxCategorySelected(false);
    values_->reset();
    QTreeWidgetItem* node = TreeViewTarget->currentItem();
    const TData* record = targetRecordOf(node);
    std::optional<PropertyNodeInfo> info;
    std::optional<std::string> value;
    if (record) {
        info = PropertyNodeInfo{record->Kind == 0, record->Name, record->IE, record->NS4, record->NS6, record->Group};
        if (!info->isCategory) {
            const CssRuleNode* rule = ruleOfNode(CurStructNode);
            value = currentValue(Document, rule ? &rule->Data : nullptr, record->Name);
        }
    }
    const ValuePanelPlan plan = planValuePanel(info ? &*info : nullptr, value);

    if (plan.kind == ValuePanelKind::Category) LoadGroupHint();
    setBoxCategorySelected(plan.enableEditBox);
    BrowserStateChange(plan.lamps[0], plan.lamps[1], plan.lamps[2]);
    if (plan.selectsProperty) CurTargetNode = node;
    if (plan.childInfo) values_->setChildInfo(QString::fromStdString(*plan.childInfo));
    values_->showPanel(plan, focusEditor);
    Refresh_Status();
}

// ---- Write-back --------------------------------------------------------------------------

const TData2* TfrmMain::selectedRuleRecord() const {
    const CssRuleNode* rule = ruleOfNode(CurStructNode);
    if (!rule || !selectedPropertyNode()) return nullptr;
    return findRuleByRecord(Document, &rule->Data) ? &rule->Data : nullptr;
}

QTreeWidgetItem* TfrmMain::selectedPropertyNode() const {
    const TData* record = targetRecordOf(CurTargetNode);
    return record && record->Kind == 1 ? CurTargetNode : nullptr;
}

bool TfrmMain::finishValueWrite(const ValueWrite& write) {
    QTreeWidgetItem* node = selectedPropertyNode();
    const TData2* rule = selectedRuleRecord();
    if (!node || !rule) return false;
    const std::string& property = targetRecordOf(node)->Name;
    bool stored = false;
    {
        HistoryStep step(historyCommands_->history(), Document,
                         HistoryCommands::valueLabel(rule->Selector, property),
                         historyCommands_->placeOf(findRuleByRecord(Document, rule), property));
        stored = applyValueWrite(Document, rule, property, write);
    }
    if (!stored) return false;
    setTargetImage(node, write.image);
    bCSSSaved = false;
    if (bAutoRefresh || write.refreshAlways)
        RefreshPreview();
    else
        fileCommands_->rulesChangedOutsidePane();
    Refresh_Status();
    return true;
}

void TfrmMain::CmbBoxCommonChange(bool typed) { values_->keywordChosen(typed); }

void TfrmMain::CmbBoxCommon2Change(bool typed) { values_->secondKeywordChosen(typed); }

void TfrmMain::EditCommonClick(bool byEnter) { values_->editCommitted(byEnter); }

void TfrmMain::EditCommonKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) EditCommonClick(true);
}

void TfrmMain::FileOpenURLExecute() { values_->chooseImageFile(); }

void TfrmMain::FileOpenURLAccept(const QString& file) { values_->imageFileChosen(file); }

void TfrmMain::CheckBoxColorClick() { values_->transparentClicked(); }

void TfrmMain::BitBtnClearClick() { values_->clearClicked(); }

void TfrmMain::ShapeColorMouseDown() { values_->swatchClicked(); }

void TfrmMain::ColoPickerExecute() { values_->colorCommand(); }

void TfrmMain::StaticTxtFontMouseDown() { values_->fontLabelClicked(); }

void TfrmMain::AddImportantTagExecute() {
    if (!PageControlSrc->isTabVisible(1)) return;  // the style sheet pane is not shown
    // In sight and in focus, so that undo (the pane's own) takes it back.
    PageControlSrc->setCurrentIndex(1);
    RichEditSrc->setFocus();
    RichEditSrc->SetSelText(ImportantTag);
}

}  // namespace pavik
