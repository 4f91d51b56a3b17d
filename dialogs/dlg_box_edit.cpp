#include "dialogs/dlg_box_edit.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <system_error>

#include "components/pv_spinner.h"
#include "dialogs/dialog_help.h"
#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/help.h"
#include "platform/qt_text.h"
#include "vocabulary/fixed_texts.h"

// Resources of a static library are registered by hand, outside any namespace.
static void initBoxEditImages() { Q_INIT_RESOURCE(images); }

namespace pavik {
namespace {

constexpr int HelpTopic = 60;

// One row of a page: its controls' names, help contexts and the members that hold them.
struct RowControls {
    BoxRow row;
    const char* label;
    const char* spinnerName;
    const char* unitName;
    const char* styleName;  // border rows only
    TPvSpinner* TdlgBoxEdit::*spinner;
    QComboBox* TdlgBoxEdit::*unit;
    QComboBox* TdlgBoxEdit::*style;
    int spinnerHelp;
    int unitHelp;
    int styleHelp;
};

using D = TdlgBoxEdit;
// Per page: "set All" first, then the sides in the order shown.
const RowControls kRows[] = {
    {BoxRow::Margin, "set All", "PvSpinMa", "CBma", nullptr, &D::PvSpinMa, &D::CBma, nullptr, 10042, 10044, 0},
    {BoxRow::MarginTop, "margin-top", "PvSpinMt", "CBmt", nullptr, &D::PvSpinMt, &D::CBmt, nullptr, 10034, 10036, 0},
    {BoxRow::MarginLeft, "margin-left", "PvSpinMl", "CBml", nullptr, &D::PvSpinMl, &D::CBml, nullptr, 10034, 10036, 0},
    {BoxRow::MarginRight, "margin-right", "PvSpinMr", "CBmr", nullptr, &D::PvSpinMr, &D::CBmr, nullptr, 10034, 10036,
     0},
    {BoxRow::MarginBottom, "margin-bottom", "PvSpinMb", "CBmb", nullptr, &D::PvSpinMb, &D::CBmb, nullptr, 10034,
     10036, 0},
    {BoxRow::BorderWidth, "set All", "PvSpinBa", "CBba", "CBblinea", &D::PvSpinBa, &D::CBba, &D::CBblinea, 10046,
     10046, 10046},
    {BoxRow::BorderTopWidth, "border-top", "PvSpinBt", "CBbt", "CBblinet", &D::PvSpinBt, &D::CBbt, &D::CBblinet,
     10038, 10038, 10038},
    {BoxRow::BorderLeftWidth, "border-left", "PvSpinBl", "CBbl", "CBblinel", &D::PvSpinBl, &D::CBbl, &D::CBblinel,
     10038, 10038, 10038},
    {BoxRow::BorderRightWidth, "border-right", "PvSpinBr", "CBbr", "CBbliner", &D::PvSpinBr, &D::CBbr,
     &D::CBbliner, 10038, 10038, 10038},
    {BoxRow::BorderBottomWidth, "border-bottom", "PvSpinBb", "CBbb", "CBblineb", &D::PvSpinBb, &D::CBbb,
     &D::CBblineb, 10038, 10038, 10038},
    {BoxRow::Padding, "set All", "PvSpinPa", "CBpa", nullptr, &D::PvSpinPa, &D::CBpa, nullptr, 10048, 10044, 0},
    {BoxRow::PaddingTop, "padding-top", "PvSpinPt", "CBpt", nullptr, &D::PvSpinPt, &D::CBpt, nullptr, 10040, 10036,
     0},
    {BoxRow::PaddingLeft, "padding-left", "PvSpinPl", "CBpl", nullptr, &D::PvSpinPl, &D::CBpl, nullptr, 10040,
     10036, 0},
    {BoxRow::PaddingRight, "padding-right", "PvSpinPr", "CBpr", nullptr, &D::PvSpinPr, &D::CBpr, nullptr, 10040,
     10036, 0},
    {BoxRow::PaddingBottom, "padding-bottom", "PvSpinPb", "CBpb", nullptr, &D::PvSpinPb, &D::CBpb, nullptr, 10040,
     10036, 0},
};

// The style row that belongs to a border width row.
BoxRow styleRowOf(BoxRow widthRow) {
    return static_cast<BoxRow>(static_cast<int>(widthRow) - static_cast<int>(BoxRow::BorderWidth) +
                               static_cast<int>(BoxRow::BorderStyle));
}

// An editable combo as wide as its longest item needs in the dialog's font.
QComboBox* makeCombo(QWidget* parent, const char* name, const auto& items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    holdAnyLength(c->lineEdit());
    c->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view item : items) c->addItem(fromCp932(item));
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return c;
}

// Shows a text in an editable combo, selecting the item of that text when there is one.
// Leaves a combo that already shows it alone, so that typing in it is not disturbed.
void showText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) return;
    const int item = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (item >= 0) combo->setCurrentIndex(item);
    if (combo->currentText() != text) combo->setEditText(text);
}

QGroupBox* illustrationBox(QWidget* parent, const char* name, const QString& title, const char* color) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid %2; margin-top: 7px; }"
                                    "QGroupBox#%1::title { color: %2; subcontrol-origin: margin; left: 5px; }")
                         .arg(g->objectName(), QString::fromLatin1(color)));
    return g;
}

}  // namespace

TdlgBoxEdit::TdlgBoxEdit(const CssRuleNode* rule, Services services, QWidget* owner)
    : QDialog(owner), rule_(rule), services_(std::move(services)) {
    setObjectName("dlgBoxEdit");
    setWindowTitle(QStringLiteral("ボックスエディタ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f = font();
    f.setFamilies({QStringLiteral("ＭＳ Ｐゴシック")});
    f.setPixelSize(12);
    setFont(f);

    // The box-model diagram: nested boxes, a picture of content in the innermost; no behaviour.
    auto* illustration = new QWidget(this);
    illustration->setObjectName("PanelIllustration");
    illustration->setFixedWidth(153);
    QGroupBox* margin = illustrationBox(illustration, "GroupBoxMargin", QStringLiteral("マージン"), "navy");
    QGroupBox* border = illustrationBox(margin, "GroupBoxBorder", QStringLiteral("ボーダー"), "teal");
    QGroupBox* padding = illustrationBox(border, "GroupBoxPadding", QStringLiteral("パディング"), "skyblue");
    QGroupBox* content = illustrationBox(padding, "GroupBoxContent", QStringLiteral("内容"), "black");
    for (auto [outer, inner] : {std::pair{margin, border}, {border, padding}, {padding, content}}) {
        auto* l = new QVBoxLayout(outer);
        l->setContentsMargins(8, 14, 8, 8);
        l->addWidget(inner);
    }
    initBoxEditImages();
    auto* picture = new QLabel(content);
    picture->setObjectName("ImageContent");
    picture->setPixmap(QPixmap(QStringLiteral(":/images/box_content.svg")));
    picture->setAlignment(Qt::AlignCenter);
    auto* inside = new QVBoxLayout(content);
    inside->setContentsMargins(4, 14, 4, 4);
    inside->addWidget(picture);
    auto* illustrationLayout = new QVBoxLayout(illustration);
    illustrationLayout->setContentsMargins(0, 0, 0, 0);
    illustrationLayout->addWidget(margin);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(buildPage(BoxRow::Margin, false), QStringLiteral("マージン"));
    PageControl1->addTab(buildPage(BoxRow::BorderWidth, true), QStringLiteral("ボーダー"));
    PageControl1->addTab(buildPage(BoxRow::Padding, false), QStringLiteral("パディング"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { guarded([this] { ChangePreview(); }); });

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(PageControl1, 1);
    if (services_.makeBrowser) browser_ = services_.makeBrowser(this);
    if (browser_) {
        browser_->setScriptsEnabled(false);
        WBboxedit = browser_->widget();
    }
    if (WBboxedit) {
        WBboxedit->setObjectName("WBboxedit");
        WBboxedit->setFixedHeight(110);
        right->addWidget(WBboxedit);
    }

    auto* upper = new QHBoxLayout;
    upper->setSpacing(4);
    upper->addWidget(illustration);
    upper->addLayout(right, 1);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtnHelp = new QPushButton(QStringLiteral("?"), this);
    BitBtnHelp->setObjectName("BitBtnHelp");
    BitBtnHelp->setFixedSize(25, 25);
    BitBtnHelp->setEnabled(services_.help && services_.help->available());
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnHelp, &QPushButton::clicked, this, [this] { guarded([this] { BitBtnHelpClick(); }); });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    bottom->addWidget(BitBtnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(upper, 1);
    layout->addLayout(bottom);
    // The dialog's size, or wider where the controls need it in the font in use.
    for (QLabel* label : PageControl1->findChildren<QLabel*>(QStringLiteral("RowLabel")))
        label->setFixedWidth(labelWidth_);
    setFixedSize(sizeHint().expandedTo(QSize(493, 335)));
    syncControls();
}

TdlgBoxEdit::~TdlgBoxEdit() {
    // FormDestroy: the preview page goes; the browser control goes with the dialog.
    if (previewWritten_) {
        std::error_code ec;
        std::filesystem::remove(previewPath_, ec);
    }
}

QWidget* TdlgBoxEdit::buildPage(BoxRow all, bool withStyles) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 6, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    int line = 0;
    for (const RowControls& r : kRows) {
        if (allRowOf(r.row) != all) continue;
        buildRow(grid, line++, r.row, withStyles);
        if (r.row == all) {
            auto* separator = new QFrame(page);
            separator->setFrameShape(QFrame::HLine);
            separator->setFrameShadow(QFrame::Sunken);
            grid->addWidget(separator, line++, 0, 1, withStyles ? 4 : 3);
        }
    }
    grid->setColumnStretch(withStyles ? 4 : 3, 1);
    grid->setRowStretch(line, 1);
    return page;
}

void TdlgBoxEdit::buildRow(QGridLayout* grid, int line, BoxRow row, bool withStyle) {
    const RowControls* r = nullptr;
    for (const RowControls& candidate : kRows)
        if (candidate.row == row) r = &candidate;
    QWidget* page = grid->parentWidget();

    // One label column width on every page (set once all are made), so that the controls
    // keep their places from page to page.
    auto* label = new QLabel(QString::fromLatin1(r->label), page);
    label->setObjectName("RowLabel");
    labelWidth_ = std::max(labelWidth_, label->sizeHint().width());
    grid->addWidget(label, line, 0);

    auto* spin = new TPvSpinner(page);
    spin->setObjectName(QString::fromLatin1(r->spinnerName));
    spin->setMin(BoxNumberMin);
    spin->setMax(BoxNumberMax);
    spin->setFixedSize(81, 17);
    setHelpContext(spin, r->spinnerHelp);
    spin->OnChange = [this, row](TPvSpinner*) { guarded([&] { SpinnerChange(row); }); };
    this->*(r->spinner) = spin;
    spinners_[static_cast<size_t>(row)] = spin;
    grid->addWidget(spin, line, 1);

    QComboBox* unit = isBorderWidthRow(row) ? makeCombo(page, r->unitName, BoxBorderWidthUnits)
                                            : makeCombo(page, r->unitName, BoxLengthUnits);
    setHelpContext(unit, r->unitHelp);
    connect(unit, &QComboBox::activated, this,
            [this, row, unit] { guarded([&] { UnitChange(row, unit->currentText()); }); });
    connect(unit->lineEdit(), &QLineEdit::textEdited, this,
            [this, row](const QString& t) { guarded([&] { UnitChange(row, t); }); });
    this->*(r->unit) = unit;
    combos_[static_cast<size_t>(row)] = unit;
    grid->addWidget(unit, line, 2);

    if (withStyle) {
        const BoxRow styleRow = styleRowOf(row);
        QComboBox* style = makeCombo(page, r->styleName, BoxBorderStyles);
        setHelpContext(style, r->styleHelp);
        connect(style, &QComboBox::activated, this,
                [this, styleRow, style] { guarded([&] { StyleChange(styleRow, style->currentText()); }); });
        connect(style->lineEdit(), &QLineEdit::textEdited, this,
                [this, styleRow](const QString& t) { guarded([&] { StyleChange(styleRow, t); }); });
        this->*(r->style) = style;
        combos_[static_cast<size_t>(styleRow)] = style;
        grid->addWidget(style, line, 3);
    }
}

TPvSpinner* TdlgBoxEdit::spinner(BoxRow row) const { return spinners_[static_cast<size_t>(row)]; }

QComboBox* TdlgBoxEdit::unitCombo(BoxRow row) const {
    return isStyleRow(row) ? nullptr : combos_[static_cast<size_t>(row)];
}

QComboBox* TdlgBoxEdit::styleCombo(BoxRow row) const {
    return isStyleRow(row) ? combos_[static_cast<size_t>(row)] : nullptr;
}

void TdlgBoxEdit::syncControls() {
    syncing_ = true;
    for (size_t i = 0; i < BoxRowCount; ++i) {
        const BoxRow row = static_cast<BoxRow>(i);
        if (isStyleRow(row)) {
            showText(combos_[i], fromCp932(model_.style(row)));
            continue;
        }
        const BoxLength& l = model_.length(row);
        spinners_[i]->setValue(l.value);
        spinners_[i]->setEnabled(l.enabled);
        showText(combos_[i], fromCp932(l.unit));
    }
    syncing_ = false;
}

void TdlgBoxEdit::SpinnerChange(BoxRow row) {
    if (syncing_) return;
    model_.setNumber(row, spinner(row)->Value());
    syncControls();
    ChangePreview();
}

void TdlgBoxEdit::UnitChange(BoxRow row, const QString& text) {
    if (syncing_) return;
    model_.setUnit(row, toCp932(text));
    syncControls();
    ChangePreview();
}

void TdlgBoxEdit::StyleChange(BoxRow row, const QString& text) {
    if (syncing_) return;
    model_.setStyle(row, toCp932(text));
    syncControls();
    ChangePreview();
}

void TdlgBoxEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Centred on the owner, placed here: with the web view inside, Qt was seen to leave the
    // dialog in the screen's corner.
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->frameGeometry();
        move(frame.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    guarded([this] { FormShow(); });
}

void TdlgBoxEdit::FormShow() {
    previewPath_ = programFolder() / std::string(TempBoxEditHTML);
    BoxOpening opening = readBoxRule(rule_);
    opening_ = opening.model;
    model_ = std::move(opening.model);
    syncControls();
    writePreview(opening.preview);
}

void TdlgBoxEdit::ChangePreview() {
    if (!shown_) return;
    writePreview(model_.preview());
}

void TdlgBoxEdit::reportError(const QString& text) {
    if (errorShown_ || !services_.reportError) return;
    errorShown_ = true;
    services_.reportError(this, text);
}

void TdlgBoxEdit::guarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& e) {
        reportError(QStringLiteral("処理を続けられませんでした。\n%1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        reportError(QStringLiteral("処理を続けられませんでした。"));
    }
}

void TdlgBoxEdit::writePreview(const BoxPreview& values) {
    if (const std::error_code ec = writeOwnFile(previewPath_, boxPreviewPage(values))) {
        reportError(QStringLiteral("プレビュー用ファイル [ %1 ] を書き込めませんでした。\n%2")
                        .arg(QString::fromStdString(previewPath_.native()), QString::fromStdString(ec.message())));
        return;
    }
    previewWritten_ = true;
    if (browser_) browser_->navigate(QString::fromStdString(previewPath_.native()), QString(), PreviewPage::Sample);
}

std::vector<BoxResultRow> TdlgBoxEdit::Result() const { return boxResult(opening_, model_); }

void TdlgBoxEdit::BitBtnHelpClick() {
    if (services_.help) services_.help->CallHTMLHelpContext(HelpTopic);
}

void TdlgBoxEdit::FormHelp() { showControlHelp(services_.help, focusWidget()); }

void TdlgBoxEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        guarded([this] { FormHelp(); });
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace pavik
