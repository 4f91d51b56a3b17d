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
#include "workspace/window/fitted_text.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"
#include "workspace/window/window_layout.h"
#include "workspace/window/key_select_tree.h"
#include "workspace/window/long_work.h"
#include "workspace/window/rule_tree_model.h"

namespace pavik {
namespace {

template <class View>
View* makeTree(QWidget* parent, const char* name) {
    auto* t = named(new View(parent), name);
    t->setHeaderHidden(true);
    t->setIconSize(QSize(16, 16));
    t->setUniformRowHeights(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
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
    TreeViewStruct = makeTree<KeySelectView>(pageStruct, "TreeViewStruct");
    structModel_ = new RuleTreeModel(TreeViewStruct);
    TreeViewStruct->setModel(structModel_);
    TreeViewStruct->setContextMenuPolicy(Qt::CustomContextMenu);
    TVCSSDataHide = makeTree<KeySelectTree>(pageStruct, "TVCSSDataHide");
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
    TreeViewTarget = makeTree<KeySelectTree>(PanelTopCenter, "TreeViewTarget");
    TreeViewTarget->setRootIsDecorated(false);
    TreeViewTarget->setIndentation(14);
    fitNameColumn(TreeViewTarget);
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

void TfrmMain::createStatusBar() {
    StatusBar = new MainStatusBar(centralWidget());
    progress_.setBar(StatusBar);
    work_ = std::make_unique<LongWork>(*this, progress_);
    work_->setOnStop([this] { closeAfterStop(); });
}

}  // namespace pavik
