// The main window's controls and their places.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/view/edit_presets.h"
#include "workspace/window/control_bar.h"
#include "workspace/document/doc_types.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"

namespace pavik {
namespace {

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QTreeWidget* makeTree(QWidget* parent, const char* name) {
    auto* t = named(new QTreeWidget(parent), name);
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setIconSize(QSize(16, 16));
    t->setUniformRowHeights(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

QVBoxLayout* tightColumn(QWidget* w) {
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    return l;
}

// A small titled lamp cell: the lamp above its browser name.
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

}  // namespace

void TfrmMain::createLayout() {
    auto* central = new QWidget(this);
    central->setObjectName("PanelMain");
    QVBoxLayout* column = tightColumn(central);
    setCentralWidget(central);

    column->addWidget(ControlBarTop);

    SplitterMain = named(new QSplitter(Qt::Vertical, central), "SplitterMain");
    SplitterMain->setChildrenCollapsible(false);
    column->addWidget(SplitterMain, 1);

    // Upper half: rule tree | property tree | value area.
    PanelTop = named(new QWidget(SplitterMain), "PanelTop");
    QVBoxLayout* topColumn = tightColumn(PanelTop);
    SplitterTop = named(new QSplitter(Qt::Horizontal, PanelTop), "SplitterTop");
    SplitterTop->setChildrenCollapsible(false);
    topColumn->addWidget(SplitterTop);

    PanelTopLeft = named(new QWidget(SplitterTop), "PanelTopLeft");
    PageControlSrc = named(new QTabWidget(PanelTopLeft), "PageControlSrc");
    PageControlSrc->setDocumentMode(true);
    tightColumn(PanelTopLeft)->addWidget(PageControlSrc);
    auto* pageStruct = named(new QWidget(PageControlSrc), "TabSheetStruct");
    TreeViewStruct = makeTree(pageStruct, "TreeViewStruct");
    TreeViewStruct->setContextMenuPolicy(Qt::CustomContextMenu);
    TVCSSDataHide = makeTree(pageStruct, "TVCSSDataHide");
    TVCSSDataHide->hide();
    QVBoxLayout* structColumn = tightColumn(pageStruct);
    structColumn->addWidget(TreeViewStruct);
    structColumn->addWidget(TVCSSDataHide);
    PageControlSrc->addTab(pageStruct, imageListIcon(imgTreeStyle), QStringLiteral("スタイル"));
    auto* pageSrc = named(new QWidget(PageControlSrc), "TabSheetSrc");
    RichEditSrc = named(new TAFEdit(pageSrc), "RichEditSrc");
    applyRichEditSrcPreset(*RichEditSrc);
    RichEditSrc->setContextMenuPolicy(Qt::CustomContextMenu);
    tightColumn(pageSrc)->addWidget(RichEditSrc);
    PageControlSrc->addTab(pageSrc, imageListIcon(imgApplyCSS), QStringLiteral("CSS"));

    PanelTopCenter = named(new QWidget(SplitterTop), "PanelTopCenter");
    TreeViewTarget = makeTree(PanelTopCenter, "TreeViewTarget");
    TreeViewTarget->setRootIsDecorated(false);
    TreeViewTarget->setIndentation(14);
    QVBoxLayout* centerColumn = tightColumn(PanelTopCenter);
    auto* targetTitle = named(new QLabel(QStringLiteral(" 適用できるプロパティ"), PanelTopCenter), "lblTarget");
    targetTitle->setFixedHeight(PageControlSrc->tabBar()->sizeHint().height());
    targetTitle->setFrameShape(QFrame::StyledPanel);
    centerColumn->addWidget(targetTitle);
    centerColumn->addWidget(TreeViewTarget);

    PanelTopRight = named(new QWidget(SplitterTop), "PanelTopRight");
    createValueArea(PanelTopRight);

    SplitterTop->addWidget(PanelTopLeft);
    SplitterTop->addWidget(PanelTopCenter);
    SplitterTop->addWidget(PanelTopRight);
    SplitterTop->setStretchFactor(0, 0);
    SplitterTop->setStretchFactor(1, 0);
    SplitterTop->setStretchFactor(2, 1);

    // Lower half: the preview toolbar, then preview and HTML pages.
    auto* panelDown = named(new QWidget(SplitterMain), "PanelDown");
    QVBoxLayout* downColumn = tightColumn(panelDown);

    CmbBoxPreviewHTML = named(new QComboBox(ControlBarDown), "CmbBoxPreviewHTML");
    CmbBoxPreviewHTML->setToolTip(QStringLiteral("プレビューファイル"));
    CmbBoxPreviewHTML->setStatusTip(QStringLiteral("プレビューファイルを選択します"));
    CmbBoxPreviewHTML->setMinimumContentsLength(10);
    CmbBoxPreviewHTML->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbBoxExDoctype = named(new QComboBox(ControlBarDown), "CmbBoxExDoctype");
    CmbBoxExDoctype->setToolTip(QStringLiteral("<!DOCTYPE "));
    CmbBoxExDoctype->setStatusTip(QStringLiteral("プレビューファイルの<!DOCTYPE を変更します"));
    for (const DocTypeItem& d : DocTypeItems)
        CmbBoxExDoctype->addItem(imageListIcon(d.ImageIndex), QString::fromUtf8(d.Caption.data(), qsizetype(d.Caption.size())));
    CmbBoxExDoctype->setFixedWidth(200);
    ControlBarDown->addBand(ToolBarDown, 0, 0);
    ControlBarDown->addBand(CmbBoxPreviewHTML, 0, 0);
    ControlBarDown->addBand(CmbBoxExDoctype, 0, 0);
    downColumn->addWidget(ControlBarDown);

    PageControlDown = named(new QTabWidget(panelDown), "PageControlDown");
    PageControlDown->setDocumentMode(true);
    PageControlDown->setTabPosition(QTabWidget::South);
    TabSheetPreview = named(new QWidget(PageControlDown), "TabSheetPreview");
    auto* previewRow = new QHBoxLayout(TabSheetPreview);
    previewRow->setContentsMargins(0, 0, 0, 0);
    previewRow->setSpacing(0);
    PanelIE = named(new QWidget(TabSheetPreview), "PanelIE");
    PanelGecko = named(new QFrame(TabSheetPreview), "PanelGecko");
    PanelGecko->hide();
    previewRow->addWidget(PanelIE, 1);
    previewRow->addWidget(PanelGecko, 1);
    QVBoxLayout* ieColumn = tightColumn(PanelIE);
    if (services_.makeBrowser) browser_ = services_.makeBrowser(PanelIE);
    WebBrowserIE = browser_ ? browser_->widget() : nullptr;
    if (WebBrowserIE) ieColumn->addWidget(WebBrowserIE);
    PageControlDown->addTab(TabSheetPreview, imageListIcon(imgPrevIE), QStringLiteral("プレビュー"));
    TabSheetHTML = named(new QWidget(PageControlDown), "TabSheetHTML");
    EditHTML = named(new TAFEdit(TabSheetHTML), "EditHTML");
    applyEditHTMLPreset(*EditHTML);
    EditHTML->setContextMenuPolicy(Qt::CustomContextMenu);
    tightColumn(TabSheetHTML)->addWidget(EditHTML);
    PageControlDown->addTab(TabSheetHTML, imageListIcon(imgOpenHTML), QStringLiteral("HTML"));
    downColumn->addWidget(PageControlDown, 1);

    SplitterMain->addWidget(PanelTop);
    SplitterMain->addWidget(panelDown);
    SplitterMain->setStretchFactor(0, 0);
    SplitterMain->setStretchFactor(1, 1);

    createStatusBar();
    column->addWidget(StatusBar);
}

void TfrmMain::createValueArea(QWidget* parent) {
    QVBoxLayout* column = tightColumn(parent);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(4);

    GroupBoxTagInfo = named(new QGroupBox(parent), "GroupBoxTagInfo");
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
    StaticTxtNowData = named(new QLabel(GroupBoxNowData), "StaticTxtNowData");
    StaticTxtNowData->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
        r->setChecked(i == 3);
        units->addWidget(r, i / 2, i % 2);
    }
    EditCommon = named(new QLineEdit(PanelSizeSelect), "EditCommon");
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
    ShapeColor = named(new QLabel(PanelHide), "ShapeColor");
    ShapeColor->setCursor(Qt::PointingHandCursor);
    ShapeColor->setFixedSize(72, 36);
    BitBtnClear = named(new QPushButton(QStringLiteral("クリア"), PanelHide), "BitBtnClear");
    BitBtnClear->setToolTip(QStringLiteral("値のクリア"));
    BitBtnClear->setStatusTip(QStringLiteral("値を無指定にします"));
    CheckBoxColor = named(new QCheckBox(QStringLiteral("透過"), PanelHide), "CheckBoxColor");
    StaticTxtFont = named(new QLabel(QStringLiteral("指定無し"), PanelHide), "StaticTxtFont");
    StaticTxtFont->setCursor(Qt::PointingHandCursor);
    StaticTxtFont->setAutoFillBackground(true);
    StaticTxtFont->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; border: 1px solid #a0a0a0; padding: 3px; }"));
    PanelURL = named(new QWidget(PanelHide), "PanelURL");
    auto* urlRow = new QHBoxLayout(PanelURL);
    urlRow->setContentsMargins(0, 0, 0, 0);
    urlRow->setSpacing(3);
    SBOpenURL = named(new QToolButton(PanelHide), "SBOpenURL");
    SBOpenURL->setDefaultAction(FileOpenURL);
    for (QWidget* w : std::initializer_list<QWidget*>{PanelSizeSelect, CmbBoxCommon, CmbBoxCommon2, MemoHint,
                                                      RichEditHint, ShapeColor, BitBtnClear, CheckBoxColor,
                                                      StaticTxtFont, SBOpenURL, PanelURL})
        w->hide();
}

void TfrmMain::createStatusBar() {
    StatusBar = new MainStatusBar(centralWidget());
    progress_.setBar(StatusBar);
}

}  // namespace pavik
