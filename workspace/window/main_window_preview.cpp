// The preview rebuild, the source pane reload, the status line and the handler wiring.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>

#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/qt_text.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_writer.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/key_select_tree.h"
#include "workspace/document/sample_page.h"

namespace pavik {

void TfrmMain::computePreviewPaths() {
    const QString folder = sHTMLFileName.isEmpty() ? QString::fromStdString(programFolder().native())
                                                   : QFileInfo(sHTMLFileName).absolutePath();
    PreviewHTMLPath = folder + '/' + QString::fromUtf8(TempPreviewHTML.data(), qsizetype(TempPreviewHTML.size()));
    PreviewCSSPath = folder + '/' + QString::fromUtf8(TempPreviewCSS.data(), qsizetype(TempPreviewCSS.size()));
}

void TfrmMain::RefreshPreview() {
    BrowserStateChange(3, 3, 3);
    values_->clearTagInfo();
    computePreviewPaths();
    const RuleTree tree = currentRuleTree();

    if (sHTMLFileName.isEmpty()) {
        SamplePageOptions options;
        options.DocType = CmbBoxExDoctype->currentIndex();
        options.ApplyCss = bApplyCSS;
        options.CssFileName = std::string(TempPreviewCSS);
        const std::string page = buildSamplePage(tree, options, &progress_);
        if (std::error_code ec = writeFileReplacing(PreviewHTMLPath.toStdString(), page))
            reportFileError(PreviewHTMLPath, QString::fromStdString(ec.message()));
    }

    // The pane always shows the regenerated text; only the preview's copy of it depends on
    // whether the style sheet is applied.
    const std::string css = writeStyleSheet(tree, std::chrono::system_clock::now(), &progress_);
    if (bApplyCSS) {
        if (std::error_code ec = writeFileReplacing(PreviewCSSPath.toStdString(), css))
            reportFileError(PreviewCSSPath, QString::fromStdString(ec.message()));
    }
    reloadSourcePane(css);
    progress_.setProgress(0);

    QTreeWidgetItem* selected = TreeViewStruct->currentItem();
    std::string anchor;
    if (selected) {
        const RuleTreeNode node = structNode(selected);
        anchor = previewAnchor(&node);
    }
    NavigatePreview(PreviewHTMLPath, fromCp932(anchor));
    Refresh_Status();
    if (isVisible()) QTimer::singleShot(0, this, [this] { tellAboutAtRules(); });
}

void TfrmMain::reloadSourcePane(const std::string& text) {
    const bool saved = bCSSSaved;
    bCSSCanUndo = false;  // the load empties the undo history; that does not mean "saved"
    RichEditSrc->BeginUpdate();
    RichEditSrc->Clear();
    RichEditSrc->SetText("");
    try {
        RichEditSrc->core().LoadFromBytes(text, LoadFlagsStyleSheet);
    } catch (const std::exception& e) {
        services_.messages->error(this, QStringLiteral("スタイルシートを表示できませんでした。\n%1")
                                            .arg(QString::fromLocal8Bit(e.what())));
    }
    EditCut1->setEnabled(false);
    EditCopy1->setEnabled(false);
    RichEditSrc->EndUpdate();
    RichEditSrc->viewport()->update();
    bCSSCanUndo = false;
    bCSSSaved = saved;
}

// The panes report from inside their own operations, when their rows may be half done:
// the status line, which repaints at once, is refreshed right after the operation instead.
void TfrmMain::refreshStatusSoon() {
    if (statusQueued_) return;
    statusQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        statusQueued_ = false;
        guarded([this] { Refresh_Status(); });
    });
}

void TfrmMain::RichEditSrcChange() {
    bCSSSaved = false;
    refreshStatusSoon();
}

void TfrmMain::EditHTMLChange() {
    bHTMLSaved = false;
    refreshStatusSoon();
}

void TfrmMain::RichEditSrcUndoChange(bool canUndo, bool) {
    if (bCSSCanUndo && !canUndo) bCSSSaved = true;
    bCSSCanUndo = canUndo;
    refreshStatusSoon();
}

void TfrmMain::EditHTMLUndoChange(bool canUndo, bool) {
    if (bHTMLCanUndo && !canUndo) bHTMLSaved = true;
    bHTMLCanUndo = canUndo;
    refreshStatusSoon();
}

void TfrmMain::NavigatePreview(const QString& path, const QString& anchor) {
    if (browser_) browser_->navigate(path, anchor, sHTMLFileName.isEmpty() ? PreviewPage::Sample : PreviewPage::User);
}

void TfrmMain::RefreshExecute() {
    const bool saved = bCSSSaved;
    RefreshPreview();
    bCSSSaved = saved;
    Refresh_Status();
}

void TfrmMain::Refresh_Btn() {
    PageControlDown->setTabVisible(PageControlDown->indexOf(TabSheetHTML), CmbBoxPreviewHTML->currentIndex() != 0);
    PageControlSrc->setTabVisible(1, !sCSSFileName.isEmpty() && bApplyCSS);
    AddImportantTag->setEnabled(PageControlSrc->isTabVisible(1));  // it writes into that pane
}

void TfrmMain::Refresh_Status() {
    Refresh_Btn();
    StatusBar->setMessage(QStringLiteral("操作を待っています :)"));
    StatusBar->setSavedState(bCSSSaved ? QStringLiteral("保存済み") : QStringLiteral("未保存"));
    const std::string_view encoding = encodingName(CSSEncoding);
    StatusBar->setEncoding(sCSSFileName.isEmpty() ? QString() : QString::fromLatin1(encoding.data(), qsizetype(encoding.size())));
    Refresh->setEnabled(!sCSSFileName.isEmpty());
}

void TfrmMain::DeletePreviewFiles() {
    for (const QString& path : {PreviewHTMLPath, PreviewCSSPath})
        if (!path.isEmpty() && QFileInfo::exists(path)) QFile::remove(path);
}

void TfrmMain::CmbBoxPreviewHTMLSelect() {
    if (!bHTMLSaved) askToSave(false);
    bHTMLSaved = true;
    const bool saved = bCSSSaved;
    DeletePreviewFiles();
    if (CmbBoxPreviewHTML->currentIndex() > 0) return;  // user pages: see the page commands
    sHTMLFileName.clear();
    RefreshPreview();
    bCSSSaved = saved;
    Refresh_Status();
}

void TfrmMain::UpdatePreviewBrowserActions() {
    for (QAction* a : {PrevIE, PrevNS4, PrevNS6, PrevOpera}) a->setEnabled(false);
}

void TfrmMain::tellAboutAtRules() {
    if (pendingAtRules_.empty() || !isVisible()) return;
    QStringList names;
    for (const std::string& a : pendingAtRules_) names.append(fromCp932(a));
    pendingAtRules_.clear();
    services_.messages->information(
        this, QStringLiteral("スタイルシート [ %1 ] には次のブロックが含まれています: %2\n"
                             "これらのブロックは読み込まれていません。保存するとファイルから失われます。")
                  .arg(QFileInfo(sCSSFileName).fileName(), names.join(QStringLiteral(", "))));
}

void TfrmMain::tellAboutEscapes() {
    if (pendingEscapes_.empty() || !isVisible()) return;
    QStringList shown;
    for (const std::string& ch : pendingEscapes_) {
        const QString c = QString::fromStdString(ch);
        const QString item = QStringLiteral("%1 (\\%2 )").arg(c, QString::number(c.toUcs4().value(0), 16).toUpper());
        if (!shown.contains(item)) shown.append(item);
    }
    pendingEscapes_.clear();
    constexpr qsizetype MaxShown = 10;
    const qsizetype more = shown.size() - MaxShown;
    if (more > 0) shown.resize(MaxShown);
    services_.messages->information(
        this, QStringLiteral("スタイルシート [ %1 ] の次の文字は Shift_JIS で表せないため、CSS のエスケープに置き換えました: %2%3\n"
                             "保存するとエスケープの形で書き込まれます。")
                  .arg(QFileInfo(sCSSFileName).fileName(), shown.join(QStringLiteral(", ")),
                       more > 0 ? QStringLiteral(" ほか %1 文字").arg(more) : QString()));
}

void TfrmMain::connectHandlers() {
    connect(FileExit, &QAction::triggered, this, &QWidget::close);
    connect(ChangeCSStree, &QAction::triggered, this, [this] { guarded([this] { ChangeCSStreeExecute(); }); });
    connect(Refresh, &QAction::triggered, this, [this] { guarded([this] { RefreshExecute(); }); });
    connect(ShowAbout, &QAction::triggered, this, [this] { guarded([this] { ShowAboutExecute(); }); });
    connect(Setting, &QAction::triggered, this, [this] { guarded([this] { SettingExecute(); }); });
    connect(TBCust, &QAction::triggered, this, [this] { guarded([this] { TBCustExecute(); }); });
    connect(mnuHelpView, &QAction::triggered, this, [this] { guarded([this] { mnuHelpViewClick(); }); });
    connect(mnuHelpKey, &QAction::triggered, this, [this] { guarded([this] { mnuHelpKeyClick(); }); });
    connect(TreeViewStruct, &QTreeWidget::currentItemChanged, this, [this] { guarded([this] { TreeViewStructChange(); }); });
    // A rule or property selected by keyboard is taken up as a click takes it up; the focus
    // stays in the tree.
    static_cast<KeySelectTree*>(TreeViewStruct)->OnKeySelect = [this] { guarded([this] { TreeViewStructClick(); }); };
    static_cast<KeySelectTree*>(TreeViewTarget)->OnKeySelect = [this] {
        guarded([this] { TreeViewTargetClick(false); });
    };
    connect(TreeViewStruct, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenuStruct->popup(TreeViewStruct->viewport()->mapToGlobal(pos)); });
    // The property tree expands the selected node and closes the one left.
    connect(TreeViewTarget, &QTreeWidget::currentItemChanged, this,
            [](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                bool ancestor = false;
                for (QTreeWidgetItem* c = current; c && previous; c = c->parent()) ancestor = ancestor || c == previous;
                if (previous && !ancestor) previous->setExpanded(false);
                if (current) current->setExpanded(true);
            });
    connect(TVCSSDataHide, &QTreeWidget::itemClicked, this, [this] { guarded([this] { TVCSSDataHideClick(); }); });
    connect(RichEditSrc, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenuEdit->popup(RichEditSrc->mapToGlobal(pos)); });
    connect(EditHTML, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenuHTML->popup(EditHTML->mapToGlobal(pos)); });
    connect(PageControlSrc, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 0) TreeViewStruct->setFocus();
        if (page == 1) RichEditSrc->setFocus();
    });
    RichEditSrc->addActions({EditCut1, EditCopy1, EditPaste1, EditUndo1, EditRedo1});
    EditHTML->addActions({EditCut2, EditCopy2, EditPaste2, EditUndo2, EditRedo2});
    TreeViewStruct->viewport()->installEventFilter(this);
    TVCSSDataHide->installEventFilter(this);
    EditHTML->installEventFilter(this);
}

}  // namespace pavik
