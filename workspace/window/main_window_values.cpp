// The value area: the panel of the clicked property and the handlers that store what the
// user chooses into the selected rule. What to show and what to store is decided by
// value_panel.h and value_store.h; this file only applies it to the widgets.
//
// Value editors are connected to user signals only (activated, textEdited, clicked,
// returnPressed), so controls set from code never store a value.
#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/qt_colors.h"
#include "platform/qt_text.h"
#include "workspace/window/frm_main.h"
#include "platform/page_resources.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"

namespace pavik {
namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QList<QRadioButton*> sizeButtons(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

QString unencodableMessage(const QString& text, const QStringList& characters) {
    return QStringLiteral("[ %1 ] には Shift_JIS で表せない文字 (%2) が含まれているため、設定できません。")
        .arg(text, characters.join(QStringLiteral(" ")));
}

}  // namespace

void TfrmMain::connectValueHandlers() {
    for (QRadioButton* r : sizeButtons(RadioGroupSize))
        connect(r, &QRadioButton::clicked, this, [this] { guarded([this] { RadioGroupSizeClick(); }); });
    connect(CmbBoxCommon, &QComboBox::activated, this, [this] { guarded([this] { CmbBoxCommonChange(false); }); });
    connect(CmbBoxCommon->lineEdit(), &QLineEdit::textEdited, this,
            [this] { guarded([this] { CmbBoxCommonChange(true); }); });
    connect(CmbBoxCommon2, &QComboBox::activated, this, [this] { guarded([this] { CmbBoxCommon2Change(); }); });
    connect(EditCommon, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { EditCommonKeyDown(Qt::Key_Return); }); });
    connect(CheckBoxColor, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBoxColorClick(); }); });
    connect(BitBtnClear, &QPushButton::clicked, this, [this] { guarded([this] { BitBtnClearClick(); }); });
    connect(FileOpenURL, &QAction::triggered, this, [this] { guarded([this] { FileOpenURLExecute(); }); });
    connect(AddImportantTag, &QAction::triggered, this, [this] { guarded([this] { AddImportantTagExecute(); }); });
    TreeViewTarget->viewport()->installEventFilter(this);
    TreeViewTarget->installEventFilter(this);
    EditCommon->installEventFilter(this);
    setSwatchColor(clWhite);
    connectPickerHandlers();
}

// ---- Panel -----------------------------------------------------------------------------

void TfrmMain::resetValueArea() {
    setBoxCategorySelected(false);
    auto* common = static_cast<QVBoxLayout*>(PanelCommon->layout());
    while (QLayoutItem* item = common->takeAt(0)) delete item;
    for (QWidget* w : std::initializer_list<QWidget*>{PanelSizeSelect, CmbBoxCommon, CmbBoxCommon2, MemoHint,
                                                      RichEditHint, ShapeColor, BitBtnClear, CheckBoxColor,
                                                      StaticTxtFont, SBOpenURL, PanelURL}) {
        w->hide();
        w->setParent(PanelHide);
    }
    static_cast<QGridLayout*>(PanelSizeSelect->layout())->addWidget(EditCommon, 1, 0);
    EditCommon->show();
    PanelCommon->hide();

    EditCommon->clear();
    CmbBoxCommon->clear();
    CmbBoxCommon2->clear();
    MemoHint->clear();
    RichEditHint->clear();
    StaticTxtFont->setText(utf8(NoValueText));
    setSwatchColor(clWhite);
    StaticTxtNowData->clear();
    const QSignalBlocker block(CheckBoxColor);
    CheckBoxColor->setChecked(false);
}

void TfrmMain::showValueControls(const std::vector<ValueControl>& controls) {
    auto* common = static_cast<QVBoxLayout*>(PanelCommon->layout());
    bool fills = false;  // a control that takes the rest of the height
    for (ValueControl c : controls) {
        QWidget* w = nullptr;
        Qt::Alignment align;
        switch (c) {
        case ValueControl::PanelSizeSelect: w = PanelSizeSelect; break;
        case ValueControl::CmbBoxCommon: w = CmbBoxCommon; break;
        case ValueControl::CmbBoxCommon2: w = CmbBoxCommon2; break;
        case ValueControl::MemoHint: w = MemoHint; break;
        case ValueControl::RichEditHint: w = RichEditHint; break;
        case ValueControl::ShapeColor: w = ShapeColor; align = Qt::AlignLeft; break;
        case ValueControl::BitBtnClear: w = BitBtnClear; align = Qt::AlignLeft; break;
        case ValueControl::CheckBoxColor: w = CheckBoxColor; align = Qt::AlignLeft; break;
        case ValueControl::StaticTxtFont: w = StaticTxtFont; break;
        case ValueControl::EditCommon:
            // The image address: the edit box with the file chooser to its right.
            PanelURL->layout()->addWidget(EditCommon);
            PanelURL->layout()->addWidget(SBOpenURL);
            EditCommon->show();
            SBOpenURL->show();
            w = PanelURL;
            break;
        case ValueControl::SBOpenURL: continue;  // placed with EditCommon
        }
        const bool fill = w == MemoHint || w == RichEditHint;
        common->addWidget(w, fill ? 1 : 0, align);
        w->show();
        fills = fills || fill;
    }
    if (!fills) common->addStretch(1);
    PanelCommon->show();
}

void TfrmMain::setSwatchColor(TColor color) {
    ShapeColorBrush = color;
    const QString fill = color == clNone ? QStringLiteral("transparent") : toQColor(color).name();
    ShapeColor->setStyleSheet(
        QStringLiteral("QLabel { background: %1; border: 1px solid #606060; border-radius: 6px; }").arg(fill));
}

int TfrmMain::radioGroupSizeIndex() const {
    const QList<QRadioButton*> buttons = sizeButtons(RadioGroupSize);
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked()) return i;
    return -1;
}

void TfrmMain::setRadioGroupSizeIndex(int index) {
    const QList<QRadioButton*> buttons = sizeButtons(RadioGroupSize);
    if (index >= 0 && index < buttons.size()) buttons[index]->setChecked(true);
}

void TfrmMain::RadioGroupSizeClick() {
    const std::string_view unit = sizeUnitCaption(radioGroupSizeIndex());
    if (!unit.empty()) TxtCommon->setText(utf8(unit));
}

void TfrmMain::ScrollVertTo(QAbstractScrollArea* window, int position) {
    QScrollBar* bar = window->verticalScrollBar();
    while (bar->value() != position) {
        const int before = bar->value();
        bar->triggerAction(before > position ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
        if (bar->value() == before) break;  // at the end of its range
    }
}

void TfrmMain::LoadGroupHint() {
    const TData* record = targetRecordOf(TreeViewTarget->currentItem());
    if (!record || record->Kind != 0) return;
    const std::string_view name = categoryPageName(record->Name);
    if (name.empty()) return;
    const PageText page = loadPageResource(name);
    if (!page.ok()) {
        services_.messages->error(this, page.error);
        return;
    }
    RichEditHint->clear();
    RichEditHint->setHtml(page.text);
    showValueControls({ValueControl::RichEditHint});
}

void TfrmMain::TreeViewTargetClick() {
    resetValueArea();
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
    if (plan.selectsProperty) {
        CurTargetNode = node;
        lblChildInfo->setText(utf8(plan.childInfo));
    }

    if (plan.showPanel && plan.kind != ValuePanelKind::Category) {
        for (const std::string& item : plan.fill.combo1) CmbBoxCommon->addItem(fromCp932(item));
        for (const std::string& item : plan.fill.combo2) CmbBoxCommon2->addItem(fromCp932(item));
        if (!plan.fill.hint.empty())
            MemoHint->setPlainText(utf8(plan.fill.hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        {
            const QSignalBlocker block(CmbBoxCommon);
            CmbBoxCommon->setCurrentIndex(plan.comboIndex);
        }
        {
            const QSignalBlocker block(CmbBoxCommon2);
            CmbBoxCommon2->setCurrentIndex(-1);
        }
        showValueControls(plan.controls);
    }
    StaticTxtNowData->setText(utf8(plan.nowData));
    if (!plan.editText.empty()) EditCommon->setText(utf8(plan.editText));
    if (plan.unitIndex) {
        setRadioGroupSizeIndex(*plan.unitIndex);
        RadioGroupSizeClick();
    }
    if (plan.focusEdit) EditCommon->setFocus();
    setSwatchColor(plan.swatchColor);
    {
        const QSignalBlocker block(CheckBoxColor);
        CheckBoxColor->setChecked(plan.transparentTicked);
    }
    StaticTxtFont->setText(utf8(plan.fontText));
    ScrollVertTo(MemoHint, 0);
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
    if (!applyValueWrite(Document, rule, targetRecordOf(node)->Name, write)) return false;
    setTargetImage(node, write.image);
    if (write.nowData) StaticTxtNowData->setText(utf8(*write.nowData));
    if (write.fontText) StaticTxtFont->setText(utf8(*write.fontText));
    if (write.swatchColor) setSwatchColor(*write.swatchColor);
    bCSSSaved = false;
    if (bAutoRefresh || write.refreshAlways) RefreshPreview();
    Refresh_Status();
    return true;
}

void TfrmMain::CmbBoxCommonChange(bool typing) {
    if (!selectedRuleRecord()) return;
    std::optional<std::string> chosen;
    if (!typing && CmbBoxCommon->currentIndex() >= 0) chosen = toCp932(CmbBoxCommon->currentText());
    finishValueWrite(keywordWrite(chosen));
}

void TfrmMain::CmbBoxCommon2Change() {
    if (!selectedRuleRecord()) return;
    std::optional<std::string> chosen;
    if (CmbBoxCommon2->currentIndex() >= 0) chosen = toCp932(CmbBoxCommon2->currentText());
    finishValueWrite(secondKeywordWrite(chosen));
}

void TfrmMain::EditCommonClick(bool byEnter) {
    if (!selectedRuleRecord()) return;
    const QString text = EditCommon->text();
    const Cp932Encoded bytes = encodeCp932(text.toStdString());
    if (!bytes.ok()) {
        QStringList chars;
        for (const std::string& c : bytes.unencodable) chars.append(QString::fromStdString(c));
        services_.messages->error(this, unencodableMessage(text, chars));
        return;
    }
    const std::string& property = targetRecordOf(CurTargetNode)->Name;
    finishValueWrite(editWrite(property, bytes.bytes, toCp932(TxtCommon->text()), byEnter));
}

void TfrmMain::EditCommonKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) EditCommonClick(true);
}

void TfrmMain::FileOpenURLExecute() {
    if (!selectedRuleRecord()) return;
    const QString file = QFileDialog::getOpenFileName(
        this, FileOpenURL->statusTip(), sHTMLFileName.isEmpty() ? QString() : QFileInfo(sHTMLFileName).absolutePath(),
        QStringLiteral("背景画像 (*.gif *.jpg *.jpeg *.png)"));
    if (!file.isEmpty()) FileOpenURLAccept(file);
}

void TfrmMain::FileOpenURLAccept(const QString& file) {
    if (!selectedRuleRecord()) return;
    std::optional<std::filesystem::path> page;
    if (!sHTMLFileName.isEmpty()) page = std::filesystem::path(sHTMLFileName.toStdString());
    const ImagePathText address = imagePathText(std::filesystem::path(file.toStdString()), page);
    if (!address.ok()) {
        QStringList chars;
        for (const std::string& c : address.unencodable) chars.append(QString::fromStdString(c));
        services_.messages->error(this, unencodableMessage(utf8(address.text), chars));
        return;
    }
    EditCommon->setText(utf8(address.text));
    finishValueWrite(imageFileWrite(address.cp932));
}

void TfrmMain::CheckBoxColorClick() {
    if (!selectedRuleRecord()) return;
    finishValueWrite(transparentWrite(CheckBoxColor->isChecked()));
}

void TfrmMain::BitBtnClearClick() {
    if (!selectedRuleRecord()) return;
    finishValueWrite(clearWrite());
}

void TfrmMain::AddImportantTagExecute() {
    if (!PageControlSrc->isTabVisible(1)) return;  // the style sheet pane is not shown
    RichEditSrc->SetSelText(ImportantTag);
}

}  // namespace pavik
