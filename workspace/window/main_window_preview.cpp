// The preview rebuild, the source pane reload, the status line and the handler wiring.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QItemSelectionModel>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/qt_text.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_writer.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/frm_main.h"
#include "components/file_name_keep.h"
#include "workspace/window/image_list_main.h"
#include "components/drop_target_qt.h"
#include "workspace/window/pane_commands.h"
#include "workspace/window/preview_pages.h"
#include "workspace/window/key_select_tree.h"
#include "workspace/window/long_work.h"
#include "workspace/window/rule_tree_model.h"
#include "workspace/document/sample_page.h"

namespace pavik {
namespace {

// A sheet of this many rules or more has its map read by the browser before a first change.
constexpr size_t LearnRulesFrom = 10000;

}  // namespace

void TfrmMain::computePreviewPaths() {
    const QString folder = sHTMLFileName.isEmpty() ? QString::fromStdString(programFolder().native())
                                                   : QFileInfo(sHTMLFileName).absolutePath();
    PreviewHTMLPath = folder + '/' + QString::fromUtf8(TempPreviewHTML.data(), qsizetype(TempPreviewHTML.size()));
    PreviewCSSPath = folder + '/' + QString::fromUtf8(TempPreviewCSS.data(), qsizetype(TempPreviewCSS.size()));
}

void TfrmMain::RefreshPreview() { rebuildPreview(fileCommands_->mayRegeneratePane()); }

void TfrmMain::rebuildPreview(bool regeneratePane) {
    previewStale_ = true;
    // The value area's tag information, category and lamps stay those of the selection: a
    // rebuild changes no selection (what does clears them itself).
    computePreviewPaths();

    // A page that cannot be written stops the preview: the browser keeps what it shows. A
    // user's page that could not be read has no copy either.
    const bool samplePage = sHTMLFileName.isEmpty();
    const bool copyWritten = samplePage || (previewPages_->copyWritten() && QFileInfo(PreviewHTMLPath).isFile());
    const RuleTreeWalk tree = structModel_->walk();
    const QModelIndex selected = TreeViewStruct->currentIndex();
    SamplePageOptions options = samplePageOptions(tree, selected);
    const std::string pagePath = QFile::encodeName(PreviewHTMLPath).toStdString();
    const std::string cssPath = QFile::encodeName(PreviewCSSPath).toStdString();
    const bool applyCss = bApplyCSS;
    const StyleDocument& doc = Document;
    const auto now = std::chrono::system_clock::now();
    ProgressSink* sink = work_->sink();
    std::error_code pageError, cssError;
    WrittenDigest digest;  // of the style sheet file, when regenerated into it
    bool regenerated = false;
    bool written = copyWritten;
    // A value change leaves the tree's rules, their anchors and the page as they were.
    const uint64_t shape = structModel_->shape();
    const bool anchorsKnown = anchorsShape_ == shape;
    const bool pageKnown = samplePage && pageWritten_ && pageWritten_->shape == shape &&
                           pageWritten_->path == PreviewHTMLPath && samePage(pageWritten_->options, options) &&
                           pageWritten_->stillThere();
    if (!pageKnown) pageWritten_.reset();
    SampleAnchors anchors;
    const QString cssPathShown = PreviewCSSPath;
    std::optional<StyleSheetChange> change;  // to the sheet shown, when the file is written
    try {
        // The preview files first, so that the browser reads them while the pane is made.
        work_->run([&] {
            if (!anchorsKnown) anchors = SampleAnchors(tree);
            options.Anchors = anchorsKnown ? &sampleAnchors_ : &anchors;
            if (samplePage && !pageKnown)
                pageError = writeOwnFile(pagePath, [&](const TextSink& write) { buildSamplePage(tree, options, write, sink); });
            if (applyCss && copyWritten && !pageError)
                cssError = writeOwnFile(cssPath, [&](const TextSink& file) {
                    writeStyleSheet(doc, now, previewStyleSheetSink(doc, file), sink, &digest);
                    regenerated = true;
                });
            // How the sheet differs from the one shown, found beside the window: comparing
            // the rules of a big sheet takes a while.
            if (regenerated && !cssError) change = shownSheet_.changeTo(cssPathShown, digest, doc);
        });
        written = written && previewWritten(PreviewHTMLPath, pageError) && previewWritten(PreviewCSSPath, cssError);
        if (!anchorsKnown) {
            sampleAnchors_ = std::move(anchors);
            anchorsShape_ = shape;
        }
        if (samplePage && !pageError) {
            samplePage_ = options.Range;
            if (!pageKnown) samplePageWritten(options);
        }
        showRebuilt(written, regenerated, std::move(digest), std::move(change), selected);
        // The pane always shows the regenerated text (the preview's copy differs in its
        // charset line).
        if (regeneratePane)
            showInSourcePane(work_->run([&] {
                EditorCore::RowReader rows = RichEditSrc->core().StartLoad(LoadFlagsStyleSheet, styleSheetExtent(doc).lines);
                writeStyleSheet(doc, now, [&](std::string_view piece) { rows.add(piece); }, sink);
                return finishPaneLoad(std::move(rows));
            }));
    } catch (...) {
        // Stopped (or failed) before the pane showed the rules: a change in them waits for a save.
        if (regeneratePane && !bCSSSaved) fileCommands_->rulesChangedOutsidePane();
        throw;
    }
    progress_.setProgress(0);
    previewStale_ = false;
    Refresh_Status();
    if (isVisible()) QTimer::singleShot(0, this, [this] { tellAboutReading(); });
}

// Tells the browser of the preview files just written (`written`, with the style sheet
// `regenerated` into them, of digest `digest`), with the change to the sheet shown if known.
void TfrmMain::showRebuilt(bool written, bool regenerated, WrittenDigest digest, std::optional<StyleSheetChange> change,
                           const QModelIndex& selected) {
    std::string anchor;
    if (selected.isValid()) {
        const RuleTreeNode node = structNode(selected);
        anchor = previewAnchor(&node, sampleAnchors_);
    }
    // The browser is told which rules changed when it shows the sheet written last.
    if (!written || !regenerated) change.reset();
    if (written && regenerated) {
        std::optional<WrittenDigest> before = shownSheet_.written(PreviewCSSPath, std::move(digest));
        if (before) freeAside(std::move(*before));
        // The map of a big sheet is made beside the window; the browser reads it with the
        // first change, or as soon as it shows a big sheet read anew.
        const auto map = [this](const StyleSheetChange::MapUse& use) { work_->run([&] { use(ruleMapText(Document)); }); };
        if (change) {
            change->ruleMap = map;
        } else if (browser_) {
            StyleSheetChange sheet{PreviewCSSPath, {}, Document.ruleCount(), nullptr};
            if (sHTMLFileName.isEmpty() && Document.ruleCount() >= LearnRulesFrom) sheet.ruleMap = map;
            browser_->learnRules(sheet);
        }
    } else {
        shownSheet_.forget();
    }
    previewStopped_ = !written;
    if (written) {
        previewFailureTold_ = false;
        if (change && browser_ && previewMove_ == PreviewMove::ToAnchor)
            browser_->update(PreviewHTMLPath, fromCp932(anchor), previewPageKind(), *change);
        else
            NavigatePreview(PreviewHTMLPath, fromCp932(anchor));
    }
}

bool TfrmMain::previewWritten(const QString& path, std::error_code ec) {
    if (!ec) return true;
    // Told once for the page: every refresh of a value change would fail the same way.
    if (!previewFailureTold_ || previewFailurePage_ != sHTMLFileName) {
        previewFailureTold_ = true;
        previewFailurePage_ = sHTMLFileName;
        services_.messages->error(this, QStringLiteral("プレビュー用のファイル [ %1 ] を書き込めませんでした。"
                                                       "プレビューは更新されません。\n%2")
                                            .arg(path, QString::fromStdString(ec.message())));
    }
    return false;
}

TfrmMain::PaneLoad TfrmMain::finishPaneLoad(EditorCore::RowReader rows) const {
    PaneLoad load;
    try {
        const EditorCore& pane = RichEditSrc->core();
        load.rows = RichEditSrc->core().PrepareLoad(std::move(rows));
        load.digest = textDigest([&](const TextSink& sink) { pane.SavedTextOf(*load.rows, SaveFlagsPlain, sink); });
    } catch (const std::exception& e) {
        load.rows.reset();
        load.error = QString::fromLocal8Bit(e.what());
    }
    return load;
}

void TfrmMain::reloadSourcePane(const std::string& text) {
    EditorCore& pane = RichEditSrc->core();
    showInSourcePane(work_->run([&] {
        EditorCore::RowReader rows = pane.StartLoad(LoadFlagsStyleSheet, EditorCore::LinesOf(text));
        rows.add(text);
        return finishPaneLoad(std::move(rows));
    }));
}

void TfrmMain::showInSourcePane(PaneLoad load) {
    const bool saved = bCSSSaved;
    commandsOf(RichEditSrc).historyRestarts();
    bCSSCanUndo = false;  // the load empties the undo history; that does not mean "saved"
    RichEditSrc->BeginUpdate();
    std::vector<Row> shownBefore = RichEditSrc->core().ClearTakingRows();
    RichEditSrc->SetText("");
    if (load.rows)
        RichEditSrc->core().LoadPrepared(std::move(*load.rows));
    else
        services_.messages->error(this, QStringLiteral("スタイルシートを表示できませんでした。\n%1").arg(load.error));
    RichEditSrc->EndUpdate();
    RichEditSrc->viewport()->update();
    bCSSCanUndo = false;
    bCSSSaved = saved;
    fileCommands_->paneShows(load.rows ? std::move(load.digest) : sourcePaneDigest());
    freeAside(std::move(shownBefore));
}

SamplePageOptions TfrmMain::samplePageOptions(const RuleTreeWalk& tree, const QModelIndex& selected) const {
    SamplePageOptions options;
    options.DocType = CmbBoxExDoctype->currentIndex();
    options.ApplyCss = bApplyCSS;
    options.CssFileName = std::string(TempPreviewCSS);
    options.Range = sampleRange(tree.count, selected.isValid() ? std::optional(structModel_->walkIndex(selected)) : std::nullopt,
                                samplePage_);
    return options;
}

void TfrmMain::showPreviewOf(const QModelIndex& node, const QString& anchor) {
    if (!browser_ || previewStopped_ || previewMove_ == PreviewMove::Hold) return;
    const RuleTreeWalk tree = structModel_->walk();
    SamplePageOptions options = samplePageOptions(tree, node);
    options.Anchors = &sampleAnchors_;
    if (!sHTMLFileName.isEmpty() || options.Range == samplePage_) {
        // The page shown has the rule's sample, and the files are as the browser read them.
        browser_->update(PreviewHTMLPath, anchor, previewPageKind(), StyleSheetChange{});
        return;
    }
    // The rule lies beyond the page shown: the page of the rules around it.
    computePreviewPaths();
    pageWritten_.reset();
    const std::string pagePath = QFile::encodeName(PreviewHTMLPath).toStdString();
    ProgressSink* sink = work_->sink();
    const std::error_code ec = work_->run(
        [&] { return writeOwnFile(pagePath, [&](const TextSink& write) { buildSamplePage(tree, options, write, sink); }); });
    progress_.setProgress(0);
    if (!previewWritten(PreviewHTMLPath, ec)) return pageWritten_.reset();
    samplePage_ = options.Range;
    samplePageWritten(options);
    NavigatePreview(PreviewHTMLPath, anchor, samplePageHead(options));
}

PreviewPage TfrmMain::previewPageKind() const { return sHTMLFileName.isEmpty() ? PreviewPage::Sample : PreviewPage::User; }

void TfrmMain::NavigatePreview(const QString& path, const QString& anchor, const std::string& head) {
    // A stopped preview has no page of its own to show (a name it could not replace may
    // still lead elsewhere).
    if (!browser_ || previewStopped_ || previewMove_ == PreviewMove::Hold) return;
    if (previewMove_ == PreviewMove::KeepPlace)
        browser_->navigateKeepingPlace(path, previewPageKind());
    else if (!head.empty())
        browser_->navigateBody(path, anchor, previewPageKind(), QByteArray::fromStdString(head));
    else
        browser_->navigate(path, anchor, previewPageKind());
}

void TfrmMain::RefreshExecute() {
    const bool saved = bCSSSaved;
    RefreshPreview();
    bCSSSaved = saved;
    Refresh_Status();
}

// The "HTML" and "CSS" pages and the actions that go with them (UpdateActionStates).
void TfrmMain::Refresh_Btn() { UpdateActionStates(); }

void TfrmMain::Refresh_Status() {
    Refresh_Btn();
    StatusBar->setMessage(QStringLiteral("操作を待っています :)"));
    StatusBar->setSavedState(styleSheetUnsaved() ? QStringLiteral("未保存") : QStringLiteral("保存済み"));
    const std::string_view encoding = encodingName(CSSForm.encoding);
    StatusBar->setEncoding(sCSSFileName.isEmpty() ? QString() : QString::fromLatin1(encoding.data(), qsizetype(encoding.size())));
    // The recent-file menu's entries show image 44.
    for (QAction* entry : fileCommands_->recentList().Entries()) entry->setIcon(imageListIcon(imgRecentFile));
}

void TfrmMain::samplePageWritten(const SamplePageOptions& options) {
    const QFileInfo file(PreviewHTMLPath);
    pageWritten_ = WrittenPage{structModel_->shape(), options, PreviewHTMLPath, file.size(), file.lastModified()};
    pageWritten_->options.Anchors = nullptr;
}

bool TfrmMain::WrittenPage::stillThere() const {
    const QFileInfo file(path);
    return file.isFile() && file.size() == bytes && file.lastModified() == modified;
}

void TfrmMain::DeletePreviewFiles() {
    pageWritten_.reset();
    for (const QString& path : {PreviewHTMLPath, PreviewCSSPath})
        if (!path.isEmpty() && QFileInfo::exists(path)) QFile::remove(path);
}

void TfrmMain::CmbBoxPreviewHTMLSelect() { previewPages_->select(); }

void TfrmMain::UpdatePreviewBrowserActions() { previewPages_->updateBrowserActions(); }

// ---- Preview pages -----------------------------------------------------------------------

void TfrmMain::createPreviewPages() {
    previewPages_ = std::make_unique<PreviewPages>(*this);
    const std::pair<QAction*, void (TfrmMain::*)()> handlers[] = {
        {FileOpenHTML, &TfrmMain::FileOpenHTMLExecute},
        {HTMLSave, &TfrmMain::HTMLSaveExecute},
        {ApplyCSS, &TfrmMain::ApplyCSSExecute},
        {PrevIE, &TfrmMain::PrevIEExecute},
        {PrevNS4, &TfrmMain::PrevNS4Execute},
        {PrevNS6, &TfrmMain::PrevNS6Execute},
        {PrevOpera, &TfrmMain::PrevOperaExecute},
        {PrevIEBrowser, &TfrmMain::PrevIEBrowserExecute},
        {PrevSplit, &TfrmMain::PrevSplitExecute},
        {PrevMozillaBrowser, &TfrmMain::PrevMozillaBrowserExecute},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    for (int level = 1; level <= 4; ++level)
        connect(FSize[level - 1], &QAction::triggered, this, [this, level] { guarded([this, level] { FontSizeExecute(level); }); });
    connect(CmbBoxPreviewHTML, &QComboBox::activated, this, [this] { guarded([this] { CmbBoxPreviewHTMLSelect(); }); });
    connect(CmbBoxExDoctype, &QComboBox::activated, this, [this] { guarded([this] { CmbBoxExDoctypeSelect(); }); });
}

void TfrmMain::registerDropTargets() {
    // The files are read on entering, so that the enter handlers see them. A drop is taken
    // up once the drag is over: its questions and messages do not hold the drag's source.
    auto make = [this](QWidget* control, std::unique_ptr<WidgetDropSite>& site, std::unique_ptr<TDropFileTarget>& target,
                       void (TfrmMain::*enter)(TDropEffect&),
                       void (TfrmMain::*drop)(const std::vector<std::string>&)) {
        site = std::make_unique<WidgetDropSite>(control);
        target = std::make_unique<TDropFileTarget>();
        target->Dragtypes = dtCopy;
        target->GetDataOnEnter = true;
        target->OnEnter = [this, enter](TDropTarget&, TShiftState, TPoint, TDropEffect& effect) {
            guardedNow([this, enter, &effect] { (this->*enter)(effect); });
        };
        target->OnDrop = [this, drop](TDropTarget& sender, TShiftState, TPoint, TDropEffect&) {
            const std::vector<std::string> files = static_cast<TDropFileTarget&>(sender).DroppedFiles;
            QTimer::singleShot(0, this, [this, drop, files] { guarded([this, drop, files] { (this->*drop)(files); }); });
        };
        target->Register(site.get());
    };
    make(PageControlSrc, cssDropSite_, dftCssSrc, &TfrmMain::dftCssSrcEnter, &TfrmMain::dftCssSrcDrop);
    make(PageControlDown, htmlDropSite_, dftHTMLsrc, &TfrmMain::dftHTMLsrcEnter, &TfrmMain::dftHTMLsrcDrop);
}

void TfrmMain::FileOpenHTMLExecute() { previewPages_->openFromDialog(); }
// The preview files would show in the dialog beside the pages.
void TfrmMain::FileOpenHTMLBeforeExecute() { DeletePreviewFiles(); }
void TfrmMain::FileOpenHTMLAccept(const QString& file) { previewPages_->choose(file); }
void TfrmMain::HTMLSaveExecute() { previewPages_->saveHtml(); }
void TfrmMain::CmbBoxExDoctypeSelect() { previewPages_->docTypeSelected(); }
void TfrmMain::ApplyCSSExecute() { previewPages_->toggleStyleSheet(); }
void TfrmMain::PrevIEExecute() { previewPages_->startBrowser(0); }
void TfrmMain::PrevNS4Execute() { previewPages_->startBrowser(1); }
void TfrmMain::PrevNS6Execute() { previewPages_->startBrowser(2); }
void TfrmMain::PrevOperaExecute() { previewPages_->startBrowser(3); }
void TfrmMain::PrevIEBrowserExecute() { previewPages_->showLayout(PreviewLayout::Browser); }
void TfrmMain::PrevSplitExecute() { previewPages_->showLayout(PreviewLayout::Split); }
void TfrmMain::PrevMozillaBrowserExecute() { previewPages_->showLayout(PreviewLayout::Mozilla); }
void TfrmMain::FontSizeExecute(int level) { previewPages_->setTextSize(level); }
void TfrmMain::dftHTMLsrcEnter(TDropEffect& effect) { PreviewPages::dropEnter(dftHTMLsrc->DroppedFiles, effect); }
void TfrmMain::dftHTMLsrcDrop(const std::vector<std::string>& files) {
    commitTypedValues();
    previewPages_->drop(files);
}

void TfrmMain::tellAboutReading() {
    if (work_->busy()) return work_->whenIdle([this] { guarded([this] { tellAboutReading(); }); });
    ReadingNote note = std::exchange(pendingNote_, {});
    if (!isVisible()) {
        pendingNote_ = std::move(note);
        return;
    }
    QStringList lines;
    if (!note.AtRules.empty()) {
        constexpr size_t kNamed = 10;
        QStringList names;
        for (size_t i = 0; i < note.AtRules.size() && i < kNamed; ++i) names.append(fromCp932(note.AtRules[i]));
        QString list = names.join(QStringLiteral(", "));
        if (note.AtRules.size() > kNamed)
            list += QStringLiteral(" ほか %1 種類").arg(note.AtRules.size() - kNamed);
        lines.append(QStringLiteral("%1 はファイルにそのまま残りますが、ここでは編集できません。").arg(list));
    }
    if (note.NestedRules > 0) lines.append(QStringLiteral("入れ子の規則は通常の規則に展開しました。"));
    if (note.DroppedRules > 0)
        lines.append(QStringLiteral("入れ子が深すぎるか大きすぎる規則 %1 個は読み込めませんでした。"
                                    "保存するとファイルから失われます。")
                         .arg(note.DroppedRules));
    if (lines.isEmpty()) return;
    lines.prepend(QStringLiteral("スタイルシート [ %1 ] について:").arg(QFileInfo(sCSSFileName).fileName()));
    services_.messages->information(this, lines.join('\n'));
}

QString TfrmMain::describeEscapes(const std::vector<std::string>& characters, const std::vector<MadeEscape>& made,
                                  bool references) {
    QStringList shown;
    for (const std::string& ch : characters) {
        const QString c = QString::fromStdString(ch);
        const QString hex = QString::number(c.toUcs4().value(0), 16).toUpper();
        auto form = std::find_if(made.begin(), made.end(), [&ch](const MadeEscape& m) { return m.character == ch; });
        const QString item = references ? QStringLiteral("%1 (&#x%2;)").arg(c, hex)
                             : form != made.end() ? QStringLiteral("%1 (%2)").arg(c, QString::fromStdString(form->escape))
                                                  : QStringLiteral("%1 (\\%2 )").arg(c, hex);
        if (!shown.contains(item)) shown.append(item);
    }
    constexpr qsizetype MaxShown = 10;
    const qsizetype more = shown.size() - MaxShown;
    if (more > 0) shown.resize(MaxShown);
    return shown.join(QStringLiteral(", ")) + (more > 0 ? QStringLiteral(" ほか %1 文字").arg(more) : QString());
}

void TfrmMain::tellAboutEscapes() {
    if (work_->busy()) return work_->whenIdle([this] { guarded([this] { tellAboutEscapes(); }); });
    if (pendingEscapes_.empty() || !isVisible()) return;
    const QString list = describeEscapes(std::exchange(pendingEscapes_, {}), CSSForm.escapes);
    services_.messages->information(
        this, QStringLiteral("スタイルシート [ %1 ] の次の文字は Shift_JIS で表せないため、CSS のエスケープに置き換えました: %2\n"
                             "保存すると元の文字に戻ります。")
                  .arg(QFileInfo(sCSSFileName).fileName(), list));
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
    connect(TreeViewStruct->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!structChangeQuiet_) guarded([this] { TreeViewStructChange(); });
    });
    // A rule or property selected by keyboard is taken up as a click takes it up; the focus
    // stays in the tree.
    static_cast<KeySelectView*>(TreeViewStruct)->OnKeySelect = [this] { guarded([this] { TreeViewStructClick(); }); };
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
    RichEditSrc->addActions({EditCut1, EditCopy1, EditPaste1, EditUndo1, EditRedo1});
    EditHTML->addActions({EditCut2, EditCopy2, EditPaste2, EditUndo2, EditRedo2});
    TreeViewStruct->viewport()->installEventFilter(this);
    TVCSSDataHide->installEventFilter(this);
    EditHTML->installEventFilter(this);
}

}  // namespace pavik
