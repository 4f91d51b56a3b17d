// The main window's actions, menus and toolbars, and the toolbar layout kept in the
// settings file.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "dialogs/toolbar_masks.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/window/control_bar.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"
#include "workspace/window/window_settings.h"

namespace pavik {
namespace {

// Width the toolbar gives each button, and the extra width of a drop-down button.
constexpr int ButtonWidth = 29;
constexpr int FileDropDownExtra = 18;
constexpr int BrowserDropDownExtra = 15;
constexpr int ButtonHeight = 26;

struct ActionSpec {
    QAction* TfrmMain::*member;
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
    int image;
    bool checkable;
};

const ActionSpec kActions[] = {
    {&TfrmMain::NewCSS, "NewCSS", "新規スタイルシート(&N)...", "Ctrl+N",
     "新規スタイルシート|新しいスタイルシートを作成します", imgNewCSS, false},
    {&TfrmMain::FileOpenCSS, "FileOpenCSS", "開く(&O)...", "Ctrl+O", "開く|既存のスタイルシートを開く",
     imgOpenCSS, false},
    {&TfrmMain::FileSave, "FileSave", "保存(&S)", "Ctrl+S", "保存|編集中のスタイルシートを保存します",
     imgSave, false},
    {&TfrmMain::FileSaveAs, "FileSaveAs", "名前を付けて保存(&A)...", "Ctrl+A",
     "名前を付けて保存|編集中スタイルシートを別名で保存します", imgSaveAs, false},
    {&TfrmMain::FileExit, "FileExit", "終了(&Q)", "", "終了|Pavikを終了する", imgExit, false},
    {&TfrmMain::HTMLSave, "HTMLSave", "HTMLSave", "", "HTML保存|HTMLへの変更を保存", imgSaveHTML, false},
    {&TfrmMain::FileOpenHTML, "FileOpenHTML", "開く(&O)...", "",
     "プレビューHTML選択|プレビューするHTMLファイルを変更します", imgOpenHTML, false},
    {&TfrmMain::FileOpenURL, "FileOpenURL", "...", "", "背景画像|背景画像のファイルを選択します",
     imgOpenCSS, false},
    {&TfrmMain::cssBasic, "cssBasic", "基本(&B)...", "Ctrl+B", "セレクタ|セレクタのスタイルを追加します",
     imgElementBase, false},
    {&TfrmMain::cssClass, "cssClass", "クラス(&C)...", "Ctrl+L", "クラス|クラスのスタイルを追加します",
     imgClassBase, false},
    {&TfrmMain::DelItem, "DelItem", "アイテム削除(&D)", "", "削除|選択アイテムを削除します", imgDelete,
     false},
    {&TfrmMain::EditBox, "EditBox", "ボックスエディタ(&X)...", "",
     "ボックスエディタ|ボックス属性のスタイルをまとめて指定します", imgEditBox, false},
    {&TfrmMain::ChangeCSStree, "ChangeCSStree", "ツリー表示タイプ変更(&V)", "",
     "ツリー表示タイプ変更|ルールツリーをエレメントごとにまとめて表示します", imgTreeStyle, true},
    {&TfrmMain::Refresh, "Refresh", "Refresh", "", "Refresh|プレビューを更新します", imgRefresh, false},
    {&TfrmMain::ColoPicker, "ColoPicker", "カラーピッカー(&P)...", "",
     "カラーピッカー|文字色と背景色を指定します", imgColorPicker, false},
    {&TfrmMain::AddImportantTag, "AddImportantTag", "!important タグ(&I)", "",
     "!importantタグ挿入|カーソル位置へ !important タグを挿入します", imgImportant, false},
    {&TfrmMain::ApplyCSS, "ApplyCSS", "ApplyCSS", "",
     "スタイルシート適応中|スタイルシート適応/非適応の切り替え", imgApplyCSS, true},
    {&TfrmMain::PrevIE, "PrevIE", "Internet Explorer(&I)", "", "InternetExplorerで表示", imgPrevIE, false},
    {&TfrmMain::PrevNS4, "PrevNS4", "Netscape Navigator(&S)", "", "Netscape Navigatorで表示", imgPrevNS4,
     false},
    {&TfrmMain::PrevNS6, "PrevNS6", "Netscape(&N)", "", "Netscape 又は Mozilla で表示", imgPrevNS6, false},
    {&TfrmMain::PrevOpera, "PrevOpera", "Opera(&O)", "", "Operaで表示", imgPrevOpera, false},
    {&TfrmMain::PrevIEBrowser, "PrevIEBrowser", "IEでプレビュー", "", "IEでプレビュー", imgPrevIE, false},
    {&TfrmMain::PrevMozillaBrowser, "PrevMozillaBrowser", "Mozillaでプレビュー", "", "Mozillaでプレビュー",
     imgMozilla, false},
    {&TfrmMain::PrevSplit, "PrevSplit", "分割プレビュー", "", "分割プレビュー", imgPreviewMode, false},
    {&TfrmMain::Setting, "Setting", "環境設定(&O)...", "", "設定|Pavikの環境設定を行います", imgSetting,
     false},
    {&TfrmMain::TBCust, "TBCust", "ツールバー設定", "", "ツールバー設定|ツールバーの設定を行います",
     imgToolbarSetting, false},
    {&TfrmMain::ShowAbout, "ShowAbout", "バージョン情報(&A)", "", "バージョン情報|バージョン情報を表示します",
     imgAbout, false},
    {&TfrmMain::mnuHelpView, "mnuHelpView", "ヘルプ(&C)", "", "ヘルプを表示", imgHelp, false},
    {&TfrmMain::mnuHelpKey, "mnuHelpKey", "キーワード検索(&K)", "", "キーワードから検索", imgHelp, false},
    {&TfrmMain::GoHomePage, "GoHomePage", "ホームページへ移動(&U)", "", "ホームページへ移動", imgHomePage,
     false},
    {&TfrmMain::GoBBS, "GoBBS", "サポート掲示板(&B)", "", "サポート掲示板", imgBBS, false},
    {&TfrmMain::ToMail, "ToMail", "作者へメール(&M)", "", "作者へメール", imgMail, false},
};

// The editor commands exist once per source pane.
struct EditSpec {
    QAction* TfrmMain::*srcPane;
    QAction* TfrmMain::*htmlPane;
    const char* name;  // without the pane number
    const char* caption;
    const char* shortcut;
    const char* hint;
    int image;
};

const EditSpec kEditActions[] = {
    {&TfrmMain::EditCut1, &TfrmMain::EditCut2, "EditCut", "切り取り(&T)", "Ctrl+X",
     "切り取り|選択部分を切り取り、クリップボードに送る", imgCut},
    {&TfrmMain::EditCopy1, &TfrmMain::EditCopy2, "EditCopy", "コピー(&C)", "Ctrl+C",
     "コピー|選択部分をコピーし、クリップボードに送る", imgCopy},
    {&TfrmMain::EditPaste1, &TfrmMain::EditPaste2, "EditPaste", "貼り付け(&P)", "Ctrl+V",
     "貼り付け|クリップボードの内容を貼り付ける", imgPaste},
    {&TfrmMain::EditUndo1, &TfrmMain::EditUndo2, "EditUndo", "元に戻す(&U)", "Ctrl+Z",
     "元に戻す|直前の変更を元に戻す", imgUndo},
    {&TfrmMain::EditRedo1, &TfrmMain::EditRedo2, "EditRedo", "やり直し(&R)", "Ctrl+R",
     "やり直し|直前の動作をやり直す", imgRedo},
};

QToolButton* addButton(QToolBar* bar, QAction* action, int width) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QStringLiteral("TB") + action->objectName());
    b->setDefaultAction(action);
    b->setAutoRaise(true);
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(width, ButtonHeight);
    // The toolbar's place of the button hands its own enabled state on to the button whenever
    // the place changes (the toolbar settings show and hide it): it follows the command.
    QAction* place = bar->addWidget(b);
    place->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::enabledChanged, place, &QAction::setEnabled);
    return b;
}

QToolBar* makeToolBar(const char* name, QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(QStringLiteral("QToolBar { border: none; padding: 0px; spacing: 0px; }"));
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
    bar->setFixedHeight(ButtonHeight);
    return bar;
}

// The toolbar's button for bit k of its mask (the widgets' own actions, in order).
QList<QAction*> buttonSlots(QToolBar* bar) { return bar->actions(); }

}  // namespace

void setActionHint(QAction* a, const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    a->setToolTip(bar < 0 ? hint : hint.left(bar));
    a->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TfrmMain::createActions() {
    for (const ActionSpec& s : kActions) {
        auto* a = new QAction(imageListIcon(s.image), QString::fromUtf8(s.caption), this);
        a->setObjectName(QString::fromLatin1(s.name));
        if (*s.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(s.shortcut)));
        setActionHint(a, QString::fromUtf8(s.hint));
        a->setCheckable(s.checkable);
        a->setProperty("imageIndex", s.image);
        this->*s.member = a;
        addAction(a);
        // Connected before the handlers: they see what the user typed into the value area.
        connect(a, &QAction::triggered, this, [this] { guarded([this] { commitTypedValues(); }); });
    }
    for (const EditSpec& s : kEditActions) {
        for (int pane = 1; pane <= 2; ++pane) {
            auto* a = new QAction(imageListIcon(s.image), QString::fromUtf8(s.caption), this);
            a->setObjectName(QString::fromLatin1(s.name) + QString::number(pane));
            a->setShortcut(QKeySequence(QString::fromLatin1(s.shortcut)));
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            setActionHint(a, QString::fromUtf8(s.hint));
            a->setProperty("imageIndex", s.image);
            this->*(pane == 1 ? s.srcPane : s.htmlPane) = a;
        }
    }
    // The Edit menu's undo and redo act on the focused pane or on the document
    // (EditUndo1Execute): their keys work anywhere in the window, where no text box takes
    // them. The HTML pane's own pair is left to its context menu.
    EditUndo1->setShortcutContext(Qt::WindowShortcut);
    EditRedo1->setShortcutContext(Qt::WindowShortcut);
    EditRedo1->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                             QKeySequence(QStringLiteral("Ctrl+R"))});
    EditUndo2->setShortcut(QKeySequence());
    EditRedo2->setShortcut(QKeySequence());
    addAction(EditUndo1);
    addAction(EditRedo1);
    FontSizeGroup = new QActionGroup(this);
    FontSizeGroup->setExclusive(true);
    for (int i = 0; i < 4; ++i) {
        FSize[i] = new QAction(QString::number(i + 1), FontSizeGroup);
        FSize[i]->setObjectName(QStringLiteral("FSize%1").arg(i + 1));
        FSize[i]->setCheckable(true);
        FSize[i]->setData(i + 1);
    }
    FSize[2]->setChecked(true);
    // Which are enabled: UpdateActionStates.
}

void TfrmMain::createMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName("mnuFile");
    file->addAction(NewCSS);
    file->addAction(FileOpenCSS);
    mnuFileResent = file->addMenu(imageListIcon(imgRecentFile), QStringLiteral("最近使用したファイル(&R)"));
    mnuFileResent->setObjectName("mnuFileResent");
    file->addSeparator();
    file->addAction(FileSave);
    file->addAction(FileSaveAs);
    file->addSeparator();
    file->addAction(FileExit);

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName("mnuEdit");
    edit->addAction(EditUndo1);
    edit->addAction(EditRedo1);
    edit->addSeparator();
    edit->addAction(EditCut1);
    edit->addAction(EditCopy1);
    edit->addAction(EditPaste1);
    edit->addSeparator();
    edit->addAction(AddImportantTag);

    QMenu* style = bar->addMenu(QStringLiteral("スタイル(&S)"));
    style->setObjectName("mnuStyle");
    style->addAction(cssBasic);
    style->addAction(cssClass);
    style->addAction(DelItem);
    style->addSeparator();
    style->addAction(EditBox);
    style->addAction(ColoPicker);
    style->addSeparator();
    style->addAction(ChangeCSStree);
    style->addAction(Refresh);

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName("mnuBrowser");
    view->addAction(PrevNS6);
    view->addAction(PrevOpera);
    view->addAction(PrevNS4);
    view->addAction(PrevIE);

    QMenu* tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    tools->setObjectName("mnuTools");
    // The menu item runs Setting with a status text of its own.
    QAction* settingItem = tools->addAction(Setting->icon(), Setting->text());
    settingItem->setObjectName("mnuSetting");
    settingItem->setStatusTip(QStringLiteral("Pavikの動作設定"));
    settingItem->setEnabled(Setting->isEnabled());
    connect(settingItem, &QAction::triggered, Setting, &QAction::trigger);
    connect(Setting, &QAction::enabledChanged, settingItem, &QAction::setEnabled);

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName("mnuHelp");
    help->addAction(mnuHelpView);
    help->addAction(mnuHelpKey);
    help->addSeparator();
    help->addAction(GoHomePage);
    help->addAction(GoBBS);
    help->addAction(ToMail);
    help->addSeparator();
    help->addAction(ShowAbout);

    popmnuRecent = new QMenu(this);
    popmnuRecent->setObjectName("popmnuRecent");
    PopupMenuFontSize = new QMenu(this);
    PopupMenuFontSize->setObjectName("PopupMenuFontSize");
    for (QAction* a : FSize) PopupMenuFontSize->addAction(a);
    PopupMenuPrevBrowser = new QMenu(this);
    PopupMenuPrevBrowser->setObjectName("PopupMenuPrevBrowser");
    PopupMenuPrevBrowser->addAction(PrevIEBrowser);
    PopupMenuPrevBrowser->addAction(PrevMozillaBrowser);
    PopupMenuPrevBrowser->addAction(PrevSplit);
    PopupMenuTBCust = new QMenu(this);
    PopupMenuTBCust->setObjectName("PopupMenuTBCust");
    PopupMenuTBCust->addAction(TBCust);

    PopupMenuEdit = new QMenu(this);
    PopupMenuEdit->setObjectName("PopupMenuEdit");
    PopupMenuHTML = new QMenu(this);
    PopupMenuHTML->setObjectName("PopupMenuHTML");
    for (int pane = 1; pane <= 2; ++pane) {
        QMenu* m = pane == 1 ? PopupMenuEdit : PopupMenuHTML;
        const EditSpec* specs = kEditActions;
        for (int i : {3, 4, -1, 0, 1, 2}) {
            if (i < 0) {
                m->addSeparator();
                continue;
            }
            m->addAction(this->*(pane == 1 ? specs[i].srcPane : specs[i].htmlPane));
        }
    }
    PopupMenuEdit->addSeparator();
    PopupMenuEdit->addAction(AddImportantTag);

    PopupMenuStruct = new QMenu(this);
    PopupMenuStruct->setObjectName("PopupMenuStruct");
    PopupMenuStruct->addAction(cssBasic);
    PopupMenuStruct->addAction(cssClass);
    PopupMenuStruct->addAction(DelItem);
    PopupMenuStruct->addSeparator();
    PopupMenuStruct->addAction(ChangeCSStree);
}

void TfrmMain::createToolBars() {
    ControlBarTop = new ControlBar(this);
    ControlBarTop->setObjectName("ControlBarTop");
    ControlBarTop->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ControlBarTop, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenuTBCust->popup(ControlBarTop->mapToGlobal(pos)); });

    TBFile = makeToolBar("TBFile", ControlBarTop);
    addButton(TBFile, NewCSS, ButtonWidth);
    QToolButton* open = addButton(TBFile, FileOpenCSS, ButtonWidth + FileDropDownExtra);
    open->setMenu(popmnuRecent);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    addButton(TBFile, FileSave, ButtonWidth);
    addButton(TBFile, FileSaveAs, ButtonWidth);
    addButton(TBFile, FileExit, ButtonWidth);

    TBStyle = makeToolBar("TBStyle", ControlBarTop);
    addButton(TBStyle, cssBasic, ButtonWidth);
    addButton(TBStyle, cssClass, ButtonWidth);
    addButton(TBStyle, DelItem, ButtonWidth);
    addButton(TBStyle, EditBox, ButtonWidth);
    TBtreestyle = addButton(TBStyle, ChangeCSStree, ButtonWidth);
    TBtreestyle->setObjectName("TBtreestyle");

    TBTools = makeToolBar("TBTools", ControlBarTop);
    addButton(TBTools, Setting, ButtonWidth);

    TBBrowser = makeToolBar("TBBrowser", ControlBarTop);
    QToolButton* ie = addButton(TBBrowser, PrevIE, ButtonWidth + BrowserDropDownExtra);
    ie->setMenu(PopupMenuFontSize);
    ie->setPopupMode(QToolButton::MenuButtonPopup);
    addButton(TBBrowser, PrevNS4, ButtonWidth);
    addButton(TBBrowser, PrevNS6, ButtonWidth);
    addButton(TBBrowser, PrevOpera, ButtonWidth);

    for (QToolBar* bar : {TBFile, TBStyle, TBTools, TBBrowser}) ControlBarTop->addBand(bar);

    ControlBarDown = new ControlBar(this);
    ControlBarDown->setObjectName("ControlBarDown");
    ToolBarDown = makeToolBar("ToolBarDown", ControlBarDown);
    addButton(ToolBarDown, FileOpenHTML, ButtonWidth);
    addButton(ToolBarDown, HTMLSave, ButtonWidth);
    addButton(ToolBarDown, ApplyCSS, ButtonWidth);
    addButton(ToolBarDown, Refresh, ButtonWidth);
    TBPrevMode = addButton(ToolBarDown, PrevIEBrowser, ButtonWidth + BrowserDropDownExtra);
    TBPrevMode->setObjectName("TBPrevMode");
    TBPrevMode->setMenu(PopupMenuPrevBrowser);
    TBPrevMode->setPopupMode(QToolButton::MenuButtonPopup);
    buttonSlots(ToolBarDown).last()->setVisible(false);  // kept hidden
    ToolBarDown->setFixedWidth(4 * ButtonWidth);
}

void TfrmMain::LoadToolBarSetting() {
    struct Bar {
        QToolBar* bar;
        int dropDownExtra;  // added when the drop-down button shows
        int dropDownBit;
    };
    const Bar bars[] = {
        {TBFile, FileDropDownExtra, 1},
        {TBStyle, 0, -1},
        {TBTools, 0, -1},
        {TBBrowser, BrowserDropDownExtra, 0},
    };
    for (size_t i = 0; i < std::size(bars); ++i) {
        const Bar& b = bars[i];
        const ToolBarMaskSpec& spec = ToolBarMaskSpecs[i];
        const QList<QAction*> buttons = buttonSlots(b.bar);
        for (QAction* a : buttons) a->setVisible(false);
        b.bar->setVisible(false);
        const int mask = Ini->ReadInteger(SectionTbar, spec.key, spec.defaultMask);
        const bool inRange = spec.accepts(mask);
        int shown = 0;
        int width = 0;
        if (inRange) {
            for (int k = 0; k < buttons.size(); ++k) {
                if (!(mask & (1 << k))) continue;
                buttons[k]->setVisible(true);
                ++shown;
                width += ButtonWidth + (k == b.dropDownBit ? b.dropDownExtra : 0);
            }
        }
        if (shown > 0) {
            b.bar->setFixedWidth(width);
            b.bar->setVisible(true);
        }
    }

    // A band whose saved place lies beyond the window's right edge starts where it ends in view.
    auto inView = [this](const QWidget* band, int left) {
        return std::min(left, std::max(0, width() - band->width() - ControlBar::GripWidth));
    };
    if (const auto lower = LowerToolBarPlaces::read(*Ini, width())) {
        ControlBarDown->setBandLeft(ToolBarDown, inView(ToolBarDown, lower->toolBar));
        ControlBarDown->setBandLeft(CmbBoxPreviewHTML, inView(CmbBoxPreviewHTML, lower->preview));
        ControlBarDown->setBandLeft(CmbBoxExDoctype, inView(CmbBoxExDoctype, lower->docType));
    }
    if (const auto upper = UpperToolBarPlaces::read(*Ini, width(), height())) {
        const std::array<QToolBar*, 4> bars = upperToolBars();
        for (size_t i = 0; i < bars.size(); ++i)
            ControlBarTop->setBandPos(bars[i], inView(bars[i], upper->bands[i].left), upper->bands[i].top);
    } else {
        // One row: file, style, browser, tools, each starting where the one before ends.
        int left = 0;
        for (QToolBar* bar : {TBFile, TBStyle, TBBrowser, TBTools}) {
            ControlBarTop->setBandPos(bar, left, 0, false);
            if (!bar->isHidden()) left += bar->width();
        }
    }
    ControlBarTop->relayout();
    ControlBarDown->relayout();
}

std::array<QToolBar*, 4> TfrmMain::upperToolBars() const { return {TBFile, TBStyle, TBTools, TBBrowser}; }

void TfrmMain::writeToolBarPositions(bool visibleOnly) {
    UpperToolBarPlaces places;
    std::array<bool, 4> shown{};
    const std::array<QToolBar*, 4> bars = upperToolBars();
    for (size_t i = 0; i < bars.size(); ++i) {
        places.bands[i] = {bars[i]->x(), bars[i]->y()};
        shown[i] = !visibleOnly || !bars[i]->isHidden();
    }
    places.write(*Ini, shown);
}

}  // namespace pavik
