#include "dialogs/frm_color_picker.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "components/pv_edit.h"
#include "components/pv_label.h"
#include "dialogs/color_choice.h"
#include "dialogs/color_lookup_combo_box.h"
#include "dialogs/color_tables.h"
#include "dialogs/dialog_frame.h"
#include "platform/help.h"
#include "platform/qt_colors.h"
#include "vocabulary/shared_routines.h"

namespace pavik {
namespace {

constexpr int kHelpContext = 20;
constexpr std::array<TColorSelectionItem, 6> kWebSafe = {csWebSafe0,   csWebSafe51,  csWebSafe102,
                                                         csWebSafe153, csWebSafe204, csWebSafe255};
constexpr std::array<TColor, 3> kComponentColors = {clRed, clGreen, clBlue};

template <typename T>
T* named(T* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A caption on the silver bars, in the component's colour.
QLabel* colored(QLabel* label, TColor color) {
    label->setStyleSheet(QStringLiteral("color: %1;").arg(toQColor(color).name()));
    return label;
}

TColor rgbColor(const std::array<int, 3>& c) {
    return RGBToColor(static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]), static_cast<std::uint8_t>(c[2]));
}

QWidget* silverBar(QWidget* parent) {
    auto* bar = new QWidget(parent);
    bar->setAutoFillBackground(true);
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, toQColor(clSilver));
    p.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(p);
    return bar;
}

}  // namespace

TfrmColorPicker::TfrmColorPicker(HelpDesk* desk, QWidget* owner) : QDialog(owner), desk_(desk) {
    setObjectName("frmColorPicker");
    setWindowTitle(QStringLiteral("ColorPicker"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(320, 320);

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->addTab(createColorPage(), QStringLiteral("色選択"));
    PageControl1->addTab(createWebSafePage(), QStringLiteral("WebSafe"));
    PageControl1->addTab(createRGBPage(), QStringLiteral("RGB"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmColorPicker::PageControl1Change);

    QWidget* nameBar = silverBar(this);
    StaticTxtColName = named(new QLabel(nameBar), "StaticTxtColName");
    StaticTxtColName->setAlignment(Qt::AlignCenter);
    StaticTxtColName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* nameLayout = new QHBoxLayout(nameBar);
    nameLayout->setContentsMargins(4, 2, 4, 2);
    nameLayout->addWidget(StaticTxtColName);

    ShapeColor = named(new QWidget(this), "ShapeColor");
    ShapeColor->setFixedSize(180, 56);
    ShapeColor->setAutoFillBackground(true);
    LabelFore = named(new TPvLabel(ShapeColor), "LabelFore");
    LabelFore->setAutoSize(false);
    LabelFore->setGeometry(ShapeColor->rect());
    LabelFore->setCaption(QStringLiteral("フォアグラウンドテキスト"));
    LabelFore->setAlignment(taCenter);
    LabelFore->setLayout(tlCenter);
    LabelFore->setTransparent(true);
    QFont bold = LabelFore->font();
    bold.setBold(true);
    LabelFore->setFont(bold);
    LabelFore->setBorderWidth(3);
    LabelFore->setFrameSides(0);
    LabelFore->setEnabled(false);
    LabelFore->hide();

    QWidget* rgbBar = silverBar(this);
    auto* rgbLayout = new QFormLayout(rgbBar);
    rgbLayout->setContentsMargins(6, 2, 6, 2);
    rgbLayout->setVerticalSpacing(0);
    const char* captions[] = {"Red:", "Green:", "Blue:"};
    const char* names[] = {"StaticTxtColorR", "StaticTxtColorG", "StaticTxtColorB"};
    std::array<QLabel*, 3> values{};
    for (size_t i = 0; i < 3; ++i) {
        values[i] = colored(named(new QLabel(rgbBar), QString::fromLatin1(names[i])), kComponentColors[i]);
        rgbLayout->addRow(colored(new QLabel(QString::fromLatin1(captions[i]), rgbBar), kComponentColors[i]), values[i]);
    }
    StaticTxtColorR = values[0];
    StaticTxtColorG = values[1];
    StaticTxtColorB = values[2];

    BitBtnOK = named(new QPushButton(QStringLiteral("OK"), this), "BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "BitBtnCancel");
    BitBtnHelp = named(new QPushButton(QStringLiteral("?"), this), "BitBtnHelp");
    BitBtnHelp->setFixedSize(25, 25);
    BitBtnHelp->setEnabled(desk_ && desk_->available());
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnHelp, &QPushButton::clicked, this, &TfrmColorPicker::BitBtnHelpClick);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(ShapeColor);
    colorRow->addWidget(rgbBar, 1);
    QHBoxLayout* buttons = rightAlignedRow({BitBtnOK, BitBtnCancel, BitBtnHelp});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(nameBar);
    layout->addLayout(colorRow);
    layout->addLayout(buttons);
}

QWidget* TfrmColorPicker::createColorPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    const auto combo = [&](const char* name, const char* caption, TColorSelection selection,
                           void (TfrmColorPicker::*handler)()) {
        auto* box = named(new TColorLookupComboBox(page), QString::fromLatin1(name));
        box->setSelection(selection);
        box->setMaxVisibleItems(20);
        box->OnChange = [this, handler](TColorLookupComboBox*) { (this->*handler)(); };
        form->addRow(QString::fromLatin1(caption), box);
        return box;
    };
    CLCmbBoxCommon16 = combo("CLCmbBoxCommon16", "Common16", {csSystemJ}, &TfrmColorPicker::ColorBoxCSS16Change);
    CLCmbBoxSystemColor = combo("CLCmbBoxSystemColor", "SystemColor", {csSystemCol},
                                &TfrmColorPicker::ColorBoxSystemColorChange);
    CLCmbBoxColorName = combo("CLCmbBoxColorName", "ColorName", {csColorName},
                              &TfrmColorPicker::ColorBoxColorNameChange);
    return page;
}

QWidget* TfrmColorPicker::createWebSafePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int k = 0; k < WebSafeTableCount; ++k) {
        auto* box = named(new TColorLookupComboBox(page),
                          QStringLiteral("CLCmbBoxWebSafe%1").arg(51 * k));
        box->setSelection({kWebSafe[static_cast<size_t>(k)]});
        box->setMaxVisibleItems(18);
        box->OnChange = [this, k](TColorLookupComboBox*) { ColorBoxWebSafeChange(k); };
        CLCmbBoxWebSafe[static_cast<size_t>(k)] = box;
        grid->addWidget(new QLabel(utf8(WebSafeLabels[static_cast<size_t>(k)]), page), (k % 3) * 2, k / 3);
        grid->addWidget(box, (k % 3) * 2 + 1, k / 3);
    }
    return page;
}

QWidget* TfrmColorPicker::createRGBPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const char* captions[] = {"赤", "緑", "青"};
    const char* editNames[] = {"NumEditRed", "NumEditGreen", "NumEditBlue"};
    const char* barNames[] = {"TrackBarRed", "TrackBarGreen", "TrackBarBlue"};
    for (int i = 0; i < 3; ++i) {
        const auto at = static_cast<size_t>(i);
        auto* edit = named(new TPvNumericEdit(page), QString::fromLatin1(editNames[at]));
        edit->setMin(0);
        edit->setMax(255);
        edit->setCheckRange(true);
        edit->setDisplayFormat(QStringLiteral(",0;(,0)"));
        edit->setFontColor(kComponentColors[at]);
        edit->setFixedWidth(65);
        edit->OnExit = [this, i](TPvCustomEdit*) { EditExit(i); };
        edit->OnKeyDown = [this, i](TPvCustomEdit*, int key) {
            if (key == Qt::Key_Return || key == Qt::Key_Enter) trackBars_[static_cast<size_t>(i)]->setFocus();
        };
        auto* bar = named(new QSlider(Qt::Horizontal, page), QString::fromLatin1(barNames[at]));
        bar->setRange(0, 255);
        bar->setPageStep(1);
        bar->setCursor(Qt::PointingHandCursor);
        connect(bar, &QSlider::valueChanged, this, [this, i] { TrackBarChange(i); });
        edits_[at] = edit;
        trackBars_[at] = bar;
        grid->addWidget(colored(new QLabel(QString::fromUtf8(captions[at]), page), kComponentColors[at]), i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(bar, i, 2);
    }
    NumEditRed = edits_[0];
    NumEditGreen = edits_[1];
    NumEditBlue = edits_[2];
    TrackBarRed = trackBars_[0];
    TrackBarGreen = trackBars_[1];
    TrackBarBlue = trackBars_[2];
    // NumEditRedEnter: the whole text, also when a click brought the focus.
    NumEditRed->OnEnter = [](TPvCustomEdit* e) { QMetaObject::invokeMethod(e, &QLineEdit::selectAll, Qt::QueuedConnection); };
    return page;
}

QString TfrmColorPicker::result() const { return StaticTxtColName->text(); }

std::array<int, 3> TfrmColorPicker::components(TColor c) const {
    const QColor q = toQColor(c, palette());
    return {q.red(), q.green(), q.blue()};
}

void TfrmColorPicker::showColor(TColor c) {
    swatch_ = c;
    QPalette p = ShapeColor->palette();
    p.setColor(QPalette::Window, toQColor(c, palette()));
    ShapeColor->setPalette(p);
    const std::array<int, 3> rgb = components(c);
    StaticTxtColorR->setText(QString::number(rgb[0]));
    StaticTxtColorG->setText(QString::number(rgb[1]));
    StaticTxtColorB->setText(QString::number(rgb[2]));
}

void TfrmColorPicker::setResult(const std::string& text) {
    const std::string shown = StartAlpha < 1 ? rgbaColorText(rgbColor(components(swatch_)), StartAlpha) : text;
    StaticTxtColName->setText(QString::fromStdString(shown));
}

void TfrmColorPicker::showEvent(QShowEvent* event) {
    InitColor();
    QDialog::showEvent(event);
}

void TfrmColorPicker::InitColor() {
    const TColor c = pickerStartColor(StartColor);
    std::vector<TColorLookupComboBox*> combos = {CLCmbBoxCommon16, CLCmbBoxSystemColor, CLCmbBoxColorName};
    combos.insert(combos.end(), CLCmbBoxWebSafe.begin(), CLCmbBoxWebSafe.end());
    for (TColorLookupComboBox* box : combos) box->SetSelectedColor(c);
    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(pickerStartPage(c));
    }
    for (TColorLookupComboBox* box : combos) {
        const QSignalBlocker block(box);
        if (box->currentIndex() < 0) box->setCurrentIndex(0);
    }
    showColor(c);
    const std::array<int, 3> rgb = components(c);
    setResult(rgbColorText(rgbColor(rgb)));
    startResult_ = result();
}

void TfrmColorPicker::ColorBoxCSS16Change() {
    const TColor c = CLCmbBoxCommon16->GetSelectedColor();
    showColor(c);
    setResult(basicColorResult(c));
}

void TfrmColorPicker::ColorBoxSystemColorChange() {
    const TColor c = CLCmbBoxSystemColor->GetSelectedColor();
    const std::optional<std::string> keyword = systemColorResult(c);
    if (!keyword) return;
    showColor(c);
    setResult(*keyword);
}

void TfrmColorPicker::ColorBoxColorNameChange() {
    const TColor c = CLCmbBoxColorName->GetSelectedColor();
    showColor(c);
    setResult(colorNameResult(CLCmbBoxColorName->currentText().toStdString(), c));
}

void TfrmColorPicker::ColorBoxWebSafeChange(int table) {
    const TColor c = CLCmbBoxWebSafe[static_cast<size_t>(table)]->GetSelectedColor();
    showColor(c);
    setResult(rgbColorText(c));
}

void TfrmColorPicker::PageControl1Change(int index) {
    if (index != PickerPageRGB) return;
    const std::array<int, 3> rgb = components(swatch_);
    for (size_t i = 0; i < 3; ++i) edits_[i]->setIntValue(rgb[i]);
    // A track bar that moves runs its change handler, which writes the rgb(...) text.
    for (size_t i = 0; i < 3; ++i) trackBars_[i]->setValue(rgb[i]);
}

void TfrmColorPicker::TrackBarChange(int component) {
    const auto i = static_cast<size_t>(component);
    edits_[i]->setIntValue(trackBars_[i]->value());
    EditExit(component);
}

void TfrmColorPicker::EditExit(int component) {
    const auto i = static_cast<size_t>(component);
    const int value = edits_[i]->IntValue();
    {
        const QSignalBlocker block(trackBars_[i]);
        trackBars_[i]->setValue(value);
    }
    std::array<int, 3> rgb = components(swatch_);
    rgb[i] = trackBars_[i]->value();  // the edit's value held to 0..255
    showColor(rgbColor(rgb));
    setResult(rgbColorText(swatch_));
}

void TfrmColorPicker::BitBtnHelpClick() {
    if (desk_) desk_->CallHTMLHelpContext(kHelpContext);
}

}  // namespace pavik
