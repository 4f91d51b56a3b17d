#include "workspace/window/value_area.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "components/a_led.h"
#include "platform/cp932.h"
#include "platform/page_resources.h"
#include "platform/qt_colors.h"
#include "platform/qt_text.h"
#include "workspace/window/main_window_services.h"
#include "workspace/window/window_layout.h"

namespace pavik {
namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A small titled lamp cell: the lamp beside its browser name.
QWidget* lampCell(QWidget* parent, TALed*& lamp, const char* name, const QString& label) {
    auto* cell = new QWidget(parent);
    auto* l = new QHBoxLayout(cell);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    lamp = named(new TALed(cell), name);
    lamp->setLEDStyle(LEDSqSmall);
    lamp->setBlink(false);
    l->addWidget(lamp);
    l->addWidget(new QLabel(label, cell));
    return cell;
}

// The longest value put into a one-line box. A line lays out its whole text at every
// keystroke and repaint, which takes seconds from about a million characters on: a longer
// value is not shown there, and so cannot be edited or cut there either.
constexpr qsizetype LongestEditedValue = 100000;

// Whether the user typed into the line since its text was last set or stored. A drop-down's
// completer clears QLineEdit::isModified as it completes a typed word, so the editors keep
// their own mark.
bool typedInto(const QLineEdit* line) { return line->property("typedByUser").toBool(); }
void markTyped(QLineEdit* line, bool typed) { line->setProperty("typedByUser", typed); }

QList<QRadioButton*> sizeButtons(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

ValueArea::ValueArea(QWidget* column, QAction* fileOpenURL, ValueAreaHost& host) : QObject(column), host_(host) {
    build(column, fileOpenURL);
    connectEditors();
    showSwatch({});
}

void ValueArea::build(QWidget* parent, QAction* fileOpenURL) {
    QVBoxLayout* column = tightColumn(parent);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(4);

    GroupBoxTagInfo = named(new ElidedTitleBox(parent), "GroupBoxTagInfo");
    auto* info = new QGridLayout(GroupBoxTagInfo);
    info->setContentsMargins(6, 4, 6, 4);
    info->setHorizontalSpacing(10);
    info->setVerticalSpacing(3);
    auto* tagCaption = new QLabel(QStringLiteral("タグ情報:"), GroupBoxTagInfo);
    lblTagInfo = named(new QLabel(GroupBoxTagInfo), "lblTagInfo");
    auto* childCaption = new QLabel(QStringLiteral("分類:"), GroupBoxTagInfo);
    lblChildInfo = named(new QLabel(GroupBoxTagInfo), "lblChildInfo");
    info->addWidget(tagCaption, 0, 0);
    info->addWidget(lblTagInfo, 0, 1);
    info->addWidget(childCaption, 1, 0);
    info->addWidget(lblChildInfo, 1, 1);
    auto* lamps = new QWidget(GroupBoxTagInfo);
    auto* lampRow = new QHBoxLayout(lamps);
    lampRow->setContentsMargins(0, 0, 0, 0);
    lampRow->setSpacing(12);
    lampRow->addWidget(lampCell(lamps, ALedIe5, "ALedIe5", QStringLiteral("IE5.5")));
    lampRow->addWidget(lampCell(lamps, ALedNS4, "ALedNS4", QStringLiteral("NS4")));
    lampRow->addWidget(lampCell(lamps, ALedNS6, "ALedNS6", QStringLiteral("NS6")));
    lampRow->addStretch(1);
    info->addWidget(lamps, 2, 0, 1, 2);
    info->setColumnStretch(1, 1);
    column->addWidget(GroupBoxTagInfo);

    GroupBoxNowData = named(new QGroupBox(QStringLiteral("現在の設定"), parent), "GroupBoxNowData");
    StaticTxtNowData = named(new ElidedLabel(GroupBoxNowData), "StaticTxtNowData");
    StaticTxtNowData->setSelectable(true);
    tightColumn(GroupBoxNowData)->addWidget(StaticTxtNowData);
    GroupBoxNowData->hide();
    column->addWidget(GroupBoxNowData);

    ScrollBoxSet = named(new QScrollArea(parent), "ScrollBoxSet");
    ScrollBoxSet->setWidgetResizable(true);
    ScrollBoxSet->setFrameShape(QFrame::StyledPanel);
    auto* scrollContents = new QWidget;
    QVBoxLayout* scrollColumn = tightColumn(scrollContents);
    PanelCommon = named(new QWidget(scrollContents), "PanelCommon");
    auto* common = new QVBoxLayout(PanelCommon);
    common->setContentsMargins(3, 3, 3, 3);
    common->setSpacing(3);
    scrollColumn->addWidget(PanelCommon, 1);
    PanelCommon->hide();
    ScrollBoxSet->setWidget(scrollContents);
    column->addWidget(ScrollBoxSet, 1);

    // Holder of the value editors not in use.
    PanelHide = named(new QWidget(parent), "PanelHide");
    PanelHide->hide();

    // Length editor: unit choice, number, unit text.
    PanelSizeSelect = named(new QWidget(PanelHide), "PanelSizeSelect");
    RadioGroupSize = named(new QGroupBox(QStringLiteral("サイズ"), PanelSizeSelect), "RadioGroupSize");
    // Two columns, so that the number and the keyword list stay in sight in a low pane.
    auto* units = new QGridLayout(RadioGroupSize);
    units->setContentsMargins(6, 2, 6, 2);
    units->setHorizontalSpacing(12);
    units->setVerticalSpacing(1);
    const char* unitCaptions[] = {"大文字を基準", "小文字を基準", "ピクセル", "パーセント"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(unitCaptions[i]), RadioGroupSize);
        r->setObjectName(QStringLiteral("RadioGroupSizeItem%1").arg(i));
        r->setChecked(i == DefaultSizeUnit);
        units->addWidget(r, i / 2, i % 2);
    }
    EditCommon = named(new QLineEdit(PanelSizeSelect), "EditCommon");
    holdAnyLength(EditCommon);
    TxtCommon = named(new QLabel(QStringLiteral("%"), PanelSizeSelect), "TxtCommon");
    TxtCommon->setMinimumWidth(24);
    auto* sizeGrid = new QGridLayout(PanelSizeSelect);
    sizeGrid->setContentsMargins(0, 0, 0, 0);
    sizeGrid->setHorizontalSpacing(4);
    sizeGrid->addWidget(RadioGroupSize, 0, 0, 1, 2);
    sizeGrid->addWidget(EditCommon, 1, 0);
    sizeGrid->addWidget(TxtCommon, 1, 1);

    CmbBoxCommon = named(new QComboBox(PanelHide), "CmbBoxCommon");
    CmbBoxCommon2 = named(new QComboBox(PanelHide), "CmbBoxCommon2");
    for (QComboBox* c : {CmbBoxCommon, CmbBoxCommon2}) {
        c->setEditable(true);
        holdAnyLength(c->lineEdit());
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMaxVisibleItems(20);
    }
    MemoHint = named(new QPlainTextEdit(PanelHide), "MemoHint");
    MemoHint->setReadOnly(true);
    MemoHint->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoHint->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoHint->setTabStopDistance(MemoHint->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 16);
    RichEditHint = named(new QTextEdit(PanelHide), "RichEditHint");
    RichEditHint->setReadOnly(true);
    PanelSwatch = named(new QWidget(PanelHide), "PanelSwatch");
    auto* swatchRow = new QHBoxLayout(PanelSwatch);
    swatchRow->setContentsMargins(0, 0, 0, 0);
    swatchRow->setSpacing(6);
    ShapeColor = named(new QLabel(PanelSwatch), "ShapeColor");
    ShapeColor->setCursor(Qt::PointingHandCursor);
    ShapeColor->setFixedSize(72, 36);
    StaticTxtSwatch = named(new ElidedLabel(PanelSwatch), "StaticTxtSwatch");
    StaticTxtSwatch->setSelectable(true);
    swatchRow->addWidget(ShapeColor);
    swatchRow->addWidget(StaticTxtSwatch, 1);
    BitBtnClear = named(new QPushButton(QStringLiteral("クリア"), PanelHide), "BitBtnClear");
    BitBtnClear->setToolTip(QStringLiteral("値のクリア"));
    BitBtnClear->setStatusTip(QStringLiteral("値を無指定にします"));
    CheckBoxColor = named(new QCheckBox(QStringLiteral("透過"), PanelHide), "CheckBoxColor");
    StaticTxtFont = named(new ElidedLabel(PanelHide), "StaticTxtFont");
    StaticTxtFont->setFullText(utf8(NoValueText));
    StaticTxtFont->setCursor(Qt::PointingHandCursor);
    StaticTxtFont->setAutoFillBackground(true);
    StaticTxtFont->setStyleSheet(
        QStringLiteral("QLabel { background: white; color: black; border: 1px solid #a0a0a0; padding: 3px; }"));
    PanelURL = named(new QWidget(PanelHide), "PanelURL");
    auto* urlRow = new QHBoxLayout(PanelURL);
    urlRow->setContentsMargins(0, 0, 0, 0);
    urlRow->setSpacing(3);
    SBOpenURL = named(new QToolButton(PanelHide), "SBOpenURL");
    SBOpenURL->setDefaultAction(fileOpenURL);
    for (QWidget* w : std::initializer_list<QWidget*>{PanelSizeSelect, CmbBoxCommon, CmbBoxCommon2, MemoHint,
                                                      RichEditHint, PanelSwatch, BitBtnClear, CheckBoxColor,
                                                      StaticTxtFont, SBOpenURL, PanelURL})
        w->hide();
    for (QLineEdit* line : {EditCommon, CmbBoxCommon->lineEdit(), CmbBoxCommon2->lineEdit()}) showWholeTextInTooltip(line);
}

void ValueArea::connectEditors() {
    auto run = [this](std::function<void()> handler) { return [this, handler] { host_.guarded(handler); }; };
    for (QRadioButton* r : sizeButtons(RadioGroupSize)) {
        // A click leaves the focus in the number box: number and unit are stored together.
        r->setFocusPolicy(Qt::TabFocus);
        connect(r, &QRadioButton::clicked, this, run([this] {
                    unitClicked();
                    host_.typedTextChanged();
                }));
    }
    for (QLineEdit* line : {EditCommon, CmbBoxCommon->lineEdit(), CmbBoxCommon2->lineEdit()})
        connect(line, &QLineEdit::textEdited, this, run([this, line] {
                    markTyped(line, true);
                    host_.typedTextChanged();
                }));
    // A drop-down's own handler of editingFinished, connected before these, turns a typed
    // text that names an item into a choice of that item (activated).
    connect(CmbBoxCommon, &QComboBox::activated, this, run([this] { keywordChosen(false); }));
    connect(CmbBoxCommon->lineEdit(), &QLineEdit::editingFinished, this, run([this] { keywordChosen(true); }));
    connect(CmbBoxCommon2, &QComboBox::activated, this, run([this] { secondKeywordChosen(false); }));
    connect(CmbBoxCommon2->lineEdit(), &QLineEdit::editingFinished, this,
            run([this] { secondKeywordChosen(true); }));
    connect(EditCommon, &QLineEdit::returnPressed, this, run([this] { editCommitted(true); }));
    connect(EditCommon, &QLineEdit::editingFinished, this, run([this] { editCommitted(true); }));
    connect(CheckBoxColor, &QCheckBox::clicked, this, run([this] { transparentClicked(); }));
    connect(BitBtnClear, &QPushButton::clicked, this, run([this] { clearClicked(); }));
    for (QWidget* w : std::initializer_list<QWidget*>{EditCommon, ShapeColor, StaticTxtFont}) w->installEventFilter(this);
}

bool ValueArea::eventFilter(QObject* watched, QEvent* event) {
    const auto leftButton = [event](QEvent::Type type) {
        return event->type() == type && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    };
    if (watched == EditCommon && leftButton(QEvent::MouseButtonRelease)) {
        host_.guarded([this] { editCommitted(false); });
    } else if (watched == ShapeColor && leftButton(QEvent::MouseButtonPress)) {
        host_.guarded([this] { swatchClicked(); });
        return true;
    } else if (watched == StaticTxtFont && leftButton(QEvent::MouseButtonPress)) {
        host_.guarded([this] { fontLabelClicked(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---- Shown by the window -------------------------------------------------------------------

void ValueArea::reset() {
    // Hiding a focused drop-down ends its editing: what the user typed there was already
    // stored when the focus left it, and nothing is stored from here.
    for (QLineEdit* line : {EditCommon, CmbBoxCommon->lineEdit(), CmbBoxCommon2->lineEdit()}) markTyped(line, false);
    auto* common = static_cast<QVBoxLayout*>(PanelCommon->layout());
    while (QLayoutItem* item = common->takeAt(0)) delete item;
    for (QWidget* w : std::initializer_list<QWidget*>{PanelSizeSelect, CmbBoxCommon, CmbBoxCommon2, MemoHint,
                                                      RichEditHint, PanelSwatch, BitBtnClear, CheckBoxColor,
                                                      StaticTxtFont, SBOpenURL, PanelURL}) {
        w->hide();
        w->setParent(PanelHide);
    }
    static_cast<QGridLayout*>(PanelSizeSelect->layout())->addWidget(EditCommon, 1, 0);
    EditCommon->show();
    PanelCommon->hide();

    EditCommon->clear();
    EditCommon->setEnabled(true);
    EditCommon->setPlaceholderText(QString());
    for (QComboBox* box : {CmbBoxCommon, CmbBoxCommon2}) {
        box->clear();
        box->clearEditText();
    }
    color_.reset();
    MemoHint->clear();
    RichEditHint->clear();
    StaticTxtFont->setFullText(utf8(NoValueText));
    showSwatch({});
    StaticTxtNowData->setFullText(QString());
    const QSignalBlocker block(CheckBoxColor);
    CheckBoxColor->setChecked(false);
}

void ValueArea::showRule(const QString& tagInfo, const QString& selector) {
    lblTagInfo->setText(tagInfo);
    GroupBoxTagInfo->setFullTitle(selector);
}

void ValueArea::clearTagInfo() {
    lblChildInfo->clear();
    lblTagInfo->clear();
}

void ValueArea::setChildInfo(const QString& category) { lblChildInfo->setText(category); }

void ValueArea::setLamps(int ie, int ns4, int ns6) {
    for (TALed* lamp : {ALedIe5, ALedNS4, ALedNS6}) {
        lamp->setValue(true);
        lamp->setBlink(false);
    }
    ShowSupportLevel(*ALedIe5, ie);
    ShowSupportLevel(*ALedNS4, ns4);
    ShowSupportLevel(*ALedNS6, ns6);
}

void ValueArea::showControls(const std::vector<ValueControl>& controls) {
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
        case ValueControl::ShapeColor: w = PanelSwatch; break;
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

void ValueArea::showCategoryPage(std::string_view resource) {
    const PageText page = loadPageResource(resource);
    if (!page.ok()) {
        host_.messages().error(PanelCommon->window(), page.error);
        return;
    }
    RichEditHint->clear();
    RichEditHint->setHtml(page.text);
    showControls({ValueControl::RichEditHint});
}

void ValueArea::showPanel(const ValuePanelPlan& plan, bool focusEditor) {
    if (plan.showPanel && plan.kind != ValuePanelKind::Category) {
        for (const std::string& item : plan.fill.combo1) CmbBoxCommon->addItem(fromCp932(item));
        for (const std::string& item : plan.fill.combo2) CmbBoxCommon2->addItem(fromCp932(item));
        if (!plan.fill.hint.empty())
            MemoHint->setPlainText(utf8(plan.fill.hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        {
            const QSignalBlocker block(CmbBoxCommon);
            CmbBoxCommon->setCurrentIndex(plan.comboIndex);
            if (const QString text = utf8(plan.comboText); !text.isEmpty() && text.size() <= LongestEditedValue)
                CmbBoxCommon->setEditText(text);
        }
        {
            const QSignalBlocker block(CmbBoxCommon2);
            CmbBoxCommon2->setCurrentIndex(-1);
        }
        showControls(plan.controls);
    }
    StaticTxtNowData->setFullText(utf8(plan.nowData));
    if (const QString text = utf8(plan.editText); text.size() > LongestEditedValue) {
        EditCommon->setEnabled(false);
        EditCommon->setPlaceholderText(
            QStringLiteral("値が長すぎるため (%1 文字)、ここでは編集できません。").arg(QLocale::c().toString(text.size())));
    } else if (!text.isEmpty()) {
        EditCommon->setText(text);
    }
    if (plan.unitIndex) {
        setUnitIndex(*plan.unitIndex);
        unitClicked();
    }
    shownUnit_ = plan.kind == ValuePanelKind::Length ? unitIndex() : -1;
    editPartOf_ = QString::fromStdString(plan.editPartOf);
    if (plan.focusEdit && focusEditor) EditCommon->setFocus();
    showSwatch(plan.swatch);
    color_ = plan.color;
    {
        const QSignalBlocker block(CheckBoxColor);
        CheckBoxColor->setChecked(plan.transparentTicked);
    }
    StaticTxtFont->setFullText(utf8(plan.fontText));
    scrollVertTo(MemoHint, 0);
}

// ---- State -------------------------------------------------------------------------------------

void ValueArea::showSwatch(const SwatchLook& look) {
    swatch_ = look.color;
    const QString fill = look.color == clNone ? QStringLiteral("white") : toQColor(look.color).name();
    ShapeColor->setStyleSheet(
        QStringLiteral("QLabel { background: %1; border: 1px solid #606060; border-radius: 6px; }").arg(fill));
    // A value with no colour of its own: the swatch is crossed out, the value beside it.
    if (look.crossed) {
        QPixmap cross(ShapeColor->size() * ShapeColor->devicePixelRatio());
        cross.setDevicePixelRatio(ShapeColor->devicePixelRatio());
        cross.fill(Qt::transparent);
        QPainter painter(&cross);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2));
        const QRectF r = QRectF(QPointF(0, 0), QSizeF(ShapeColor->size())).adjusted(4, 4, -4, -4);
        painter.drawLine(r.bottomLeft(), r.topRight());
        ShapeColor->setPixmap(cross);
    } else {
        ShapeColor->clear();
    }
    ShapeColor->setToolTip(look.crossed ? QStringLiteral("色として表示できない値です") : QString());
    StaticTxtSwatch->setFullText(utf8(look.text));
}

int ValueArea::unitIndex() const {
    const QList<QRadioButton*> buttons = sizeButtons(RadioGroupSize);
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked()) return i;
    return -1;
}

void ValueArea::setUnitIndex(int index) {
    const QList<QRadioButton*> buttons = sizeButtons(RadioGroupSize);
    if (index >= 0 && index < buttons.size()) buttons[index]->setChecked(true);
}

void scrollVertTo(QAbstractScrollArea* window, int position) {
    QScrollBar* bar = window->verticalScrollBar();
    while (bar->value() != position) {
        const int before = bar->value();
        bar->triggerAction(before > position ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
        if (bar->value() == before) break;  // at the end of its range
    }
}

// ---- Editors -----------------------------------------------------------------------------------

bool ValueArea::store(const ValueWrite& write) {
    if (!host_.commitValue(write)) return false;
    if (write.nowData) StaticTxtNowData->setFullText(utf8(*write.nowData));
    if (write.fontText) StaticTxtFont->setFullText(utf8(*write.fontText));
    if (write.swatch) {
        showSwatch(*write.swatch);
        color_ = readCssColor(write.value);
    }
    return true;
}

bool ValueArea::inUse(const QWidget* editor) const {
    for (const QWidget* w = editor; w; w = w->parentWidget())
        if (w == PanelHide) return false;
    return true;
}

bool ValueArea::unitChanged() const {
    return shownUnit_ >= 0 && unitIndex() != shownUnit_ && !EditCommon->text().isEmpty();
}

bool ValueArea::hasTypedText() const {
    if (!host_.targetProperty()) return false;
    return (inUse(EditCommon) && (typedInto(EditCommon) || unitChanged())) ||
           (inUse(CmbBoxCommon) && typedInto(CmbBoxCommon->lineEdit())) ||
           (inUse(CmbBoxCommon2) && typedInto(CmbBoxCommon2->lineEdit()));
}

void ValueArea::commitTyped() {
    if (inUse(EditCommon)) editCommitted(true);
    if (inUse(CmbBoxCommon)) keywordChosen(true);
    if (inUse(CmbBoxCommon2)) secondKeywordChosen(true);
}

void ValueArea::refuseUnencodable(const QString& text, const std::vector<std::string>& characters) {
    QStringList chars;
    for (const std::string& c : characters) chars.append(QString::fromStdString(c));
    host_.messages().error(PanelCommon->window(),
                           QStringLiteral("[ %1 ] には Shift_JIS で表せない文字 (%2) が含まれているため、設定できません。")
                               .arg(text, chars.join(QStringLiteral(" "))));
}

void ValueArea::unitClicked() {
    const std::string_view unit = sizeUnitCaption(unitIndex());
    if (!unit.empty()) TxtCommon->setText(utf8(unit));
}

void ValueArea::refuseUnwritable(const std::string& value) {
    host_.messages().error(PanelCommon->window(),
                           QStringLiteral("[ %1 ] は括弧または引用符が閉じていないため、設定できません。")
                               .arg(fromCp932(value)));
}

std::optional<std::string> ValueArea::typedValue(const QString& text) {
    const Cp932Encoded bytes = encodeCp932(text.toStdString());
    if (!bytes.ok()) {
        refuseUnencodable(text, bytes.unencodable);
        return std::nullopt;
    }
    if (!writableValue(bytes.bytes)) {
        refuseUnwritable(bytes.bytes);
        return std::nullopt;
    }
    return bytes.bytes;
}

void ValueArea::keywordChosen(bool typed) {
    if (committing_) return;
    const QScopedValueRollback busy(committing_, true);
    QLineEdit* line = CmbBoxCommon->lineEdit();
    if (typed && !typedInto(line)) return;  // nothing typed since the text was set or stored
    markTyped(line, false);
    if (!host_.targetProperty()) return;
    if (!typed) {
        store(keywordWrite(CmbBoxCommon->currentIndex() >= 0 ? toCp932(CmbBoxCommon->currentText()) : std::string()));
    } else if (const std::optional<std::string> value = typedValue(line->text())) {
        store(keywordWrite(*value));
    }
}

void ValueArea::secondKeywordChosen(bool typed) {
    if (committing_) return;
    const QScopedValueRollback busy(committing_, true);
    QLineEdit* line = CmbBoxCommon2->lineEdit();
    if (typed && !typedInto(line)) return;
    markTyped(line, false);
    if (!host_.targetProperty()) return;
    std::optional<std::string> chosen;
    if (typed)
        chosen = typedValue(line->text());
    else if (CmbBoxCommon2->currentIndex() >= 0)
        chosen = toCp932(CmbBoxCommon2->currentText());
    store(secondKeywordWrite(chosen));
}

void ValueArea::editCommitted(bool byEnter) {
    const std::optional<std::string> property = host_.targetProperty();
    if (!property || committing_) return;
    const QScopedValueRollback busy(committing_, true);
    const QString text = EditCommon->text();
    if (!typedInto(EditCommon) && !unitChanged()) return;  // the user changed nothing
    const Cp932Encoded bytes = encodeCp932(text.toStdString());
    // A refused text stays in the box, not to be offered again until the user edits it.
    if (!bytes.ok()) {
        markTyped(EditCommon, false);
        host_.typedTextChanged();  // the status line no longer counts the refused text
        refuseUnencodable(text, bytes.unencodable);
        return;
    }
    const ValueWrite write = editWrite(*property, bytes.bytes, toCp932(TxtCommon->text()), byEnter);
    if (write.op == ValueWrite::Op::Refused) {
        markTyped(EditCommon, false);
        host_.typedTextChanged();
        host_.messages().error(PanelCommon->window(),
                               QStringLiteral("[ %1 ] は数値 (と単位) でも、このプロパティのキーワードでもないため、設定できません。")
                                   .arg(text));
        return;
    }
    if (write.op == ValueWrite::Op::Store && !writableValue(write.value)) {
        markTyped(EditCommon, false);
        host_.typedTextChanged();
        refuseUnwritable(write.value);
        return;
    }
    const QString partOf = editPartOf_;
    if (!store(write)) return;
    markTyped(EditCommon, false);
    if (shownUnit_ >= 0) shownUnit_ = unitIndex();
    editPartOf_.clear();
    if (!partOf.isEmpty())
        host_.showNotice(QStringLiteral("表示されていなかった部分も置き換えました:「%1」→「%2」")
                             .arg(partOf, fromCp932(write.value)));
}

void ValueArea::chooseImageFile() {
    if (!host_.targetProperty()) return;
    const QString page = host_.previewPageFile();
    const QString file = host_.files().openFile(
        PanelCommon->window(), {SBOpenURL->defaultAction()->statusTip(),
                                page.isEmpty() ? QString() : QFileInfo(page).absolutePath(),
                                QStringLiteral("背景画像 (*.gif *.jpg *.jpeg *.png)")});
    if (!file.isEmpty()) imageFileChosen(file);
}

void ValueArea::imageFileChosen(const QString& file) {
    if (!host_.targetProperty()) return;
    std::optional<std::filesystem::path> page;
    if (const QString p = host_.previewPageFile(); !p.isEmpty()) page = std::filesystem::path(p.toStdString());
    const ImagePathText address = imagePathText(std::filesystem::path(file.toStdString()), page);
    if (!address.ok()) {
        refuseUnencodable(utf8(address.text), address.unencodable);
        return;
    }
    EditCommon->setText(utf8(address.text));
    markTyped(EditCommon, false);
    store(imageFileWrite(address.cp932));
}

void ValueArea::transparentClicked() {
    if (!host_.targetProperty()) return;
    store(transparentWrite(CheckBoxColor->isChecked()));
}

void ValueArea::clearClicked() {
    if (!host_.targetProperty()) return;
    store(clearWrite());
}

}  // namespace pavik
