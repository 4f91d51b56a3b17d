// The main window: construction, window events and the life cycle.
#include "workspace/window/frm_main.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QThread>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <utility>

#include "components/drop_target_qt.h"
#include "components/theme_manager.h"
#include "dialogs/frm_about.h"
#include "dialogs/version_info.h"
#include "platform/app_paths.h"
#include "platform/termination_signals.h"
#include "vocabulary/element_tables.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/window/control_bar.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/image_list_main.h"
#include "workspace/window/long_work.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/main_window_box.h"
#include "workspace/window/pane_commands.h"
#include "workspace/window/preview_pages.h"
#include "workspace/window/rule_commands.h"
#include "workspace/window/settings_commands.h"
#include "workspace/window/window_settings.h"

namespace pavik {

TfrmMain::TfrmMain(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName("frmMain");
    // A signal during the making (a message box at start) already closes the window.
    if (services_.terminationSignals) services_.terminationSignals->setHandler([this](int) { closeBySignal(); });
    setWindowIcon(programIcon());
    if (!services_.files) services_.files = makeFileDialogs();
    helpDesk_ = std::make_unique<HelpDesk>(services_.help.get(), font().family());
    createActions();
    createMenus();
    createToolBars();
    createLayout();
    connectHandlers();
    connectValueHandlers();
    createPaneCommands();
    historyCommands_ = std::make_unique<HistoryCommands>(*this);
    connectPaneCommands();
    boxEdit_ = std::make_unique<BoxEditCommand>(*this);
    ruleCommands_ = std::make_unique<RuleCommands>(*this);
    createFileCommands();
    createPreviewPages();
    createSelectionPlaces();
    FormCreate();
    settingsCommands_ = std::make_unique<SettingsCommands>(SettingsWindowLink{
        .owner = this,
        .settings = [this]() -> IniFile& { return *Ini; },
        .setAutoRefresh = [this](bool on) { bAutoRefresh = on; },
        .restylePanes = [this] { restylePanes(); },
        .updatePreviewBrowserActions = [this] { UpdatePreviewBrowserActions(); },
        .saveToolBarPositions = [this] { writeToolBarPositions(false); },
        .loadToolBarSetting = [this] { LoadToolBarSetting(); },
        .toolBars = {TBFile, TBStyle, TBTools, TBBrowser},
        .help = helpDesk_.get(),
        .association = services_.association.get(),
        .reportError = [this](const QString& text) { services_.messages->error(this, text); },
        .reportFileError = [this](const QString& file, const QString& reason) { reportFileError(file, reason); },
        .runDialog = services_.runDialog,
    });
    UpdateActionStates();
    ThemeManager1 = new TThemeManager(this);
    ThemeManager1->setObjectName("ThemeManager1");
    ThemeManager1->Loaded();
}

TfrmMain::~TfrmMain() {
    QObject::disconnect(focusFollow_);  // the controls that go below move the focus
    if (services_.terminationSignals) services_.terminationSignals->setHandler({});
    guardedNow([this] { FormDestroy(); });
    // The drop targets let their sites go before the sites go.
    dftCssSrc.reset();
    dftHTMLsrc.reset();
    // The editors' controls go with the window after the link to it: from here on nothing
    // they do (a focus leaving a drop-down) reaches the value area.
    delete values_;
    values_ = nullptr;
    browser_.reset();
}

QString TfrmMain::productVersion() {
    QString v;
    TfrmAbout::GetVersionInfo(viProductVersion, v);
    return v;
}

void TfrmMain::setCaptionFor(const QString& openFile) {
    setWindowTitle(QString::fromStdString(mainCaption(productVersion().toStdString(), openFile.toStdString())));
}

void TfrmMain::FormCreate() {
    bCSSCanUndo = false;
    bApplyCSS = true;
    BrowserStateChange(3, 3, 3);
    bCSSSaved = true;
    bHTMLSaved = true;
    setCaptionFor(QString());

    Ini = std::make_unique<IniFile>(settingsFilePath());
    if (Ini->loadError())
        services_.messages->error(
            this, QStringLiteral("設定ファイル [ %1 ] を読み込めませんでした。既定の設定で起動します。"
                                 "このファイルは書き換えないため、今回の設定の変更は保存されません。\n%2")
                      .arg(QString::fromStdString(Ini->fileName().native()),
                           QString::fromStdString(Ini->loadError().message())));
    Ini->WriteInteger(SectionSystem, "Version", BuildNo);
    fileCommands_->setRecentMenu(mnuFileResent);

    readGeometry();
    previewPages_->readList();

    if (helpDesk_->available()) services_.help->initialize();  // else help stays disabled

    HTMLStream.clear();
    HTMLStreamAttached = true;
    setBoxCategorySelected(false);
    NodeBaseAdd();

    applyPaneSettings(RichEditSrc);
    applyPaneSettings(EditHTML);

    bAutoRefresh = Ini->ReadBool(SectionSystem, "AutoRefresh", true);
    ChangeCSStree->setChecked(Ini->ReadBool(SectionSystem, "Treetype", false));

    // The style sheet to open at start is read once the window is on screen, as Open reads one.
    guarded([this] { chooseStartFile(); });
    writeRefreshPage();
    registerDropTargets();
}

void TfrmMain::FormShow() {
    keepFrameOnScreen();
    LoadToolBarSetting();
    const int docType = Ini->ReadInteger(SectionSystem, "Doctype", 0);
    CmbBoxExDoctype->setCurrentIndex(docType >= 0 && docType < CmbBoxExDoctype->count() ? docType : 0);
    if (PageControlSrc->currentIndex() == 0) TreeViewStruct->setFocus();
    bCSSSaved = true;
    UpdatePreviewBrowserActions();

    BaseFSize = Ini->ReadInteger(SectionSystem, "BaseFSize", 3);
    FontSizeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < 4; ++i) FSize[i]->setChecked(BaseFSize == i + 1);
    // The page shows the size the menu checks.
    if (browser_ && BaseFSize >= 1 && BaseFSize <= 4) browser_->setTextSize(BaseFSize);
    Refresh_Status();
    FormResize();
    if (startFile_) QTimer::singleShot(0, this, [this] { guarded([this] { openAtStart(); }); });
    // A message about the file read at start waits until the window is on screen.
    QTimer::singleShot(0, this, [this] {
        tellAboutReading();
        tellAboutEscapes();
    });
}

void TfrmMain::FormResize() {
    rewrapHTMLPane();
    const int combo = width() - (ToolBarDown->width() + 26) - (CmbBoxExDoctype->width() + 26);
    CmbBoxPreviewHTML->setFixedWidth(std::max(120, combo));
    ControlBarDown->relayout();
}

void TfrmMain::rewrapHTMLPane() {
    if (work_->busy()) return work_->whenIdle([this] { guarded([this] { rewrapHTMLPane(); }); });
    // The pane's own text is wrapped again at the new column: edits not yet saved stay, and
    // so does the pane's saved state (the undo history goes, as with any load).
    const int column = std::max(1, EditHTML->width() / 7);
    EditHTML->SetDefWrapPos(column);
    if (!HTMLStreamAttached || column == htmlWrapColumn_) return;
    const bool saved = bHTMLSaved;
    commandsOf(EditHTML).historyRestarts();
    bHTMLCanUndo = false;
    const std::string text = EditHTML->core().SaveToBytes(0);
    EditorCore& core = EditHTML->core();
    EditorCore::PreparedLoad rows = work_->run([&] { return core.PrepareLoad(text, lfRewrap); });
    EditHTML->BeginUpdate();
    core.LoadPrepared(std::move(rows));
    EditHTML->EndUpdate();
    htmlWrapColumn_ = column;
    bHTMLCanUndo = false;
    bHTMLSaved = saved;
}

bool TfrmMain::FormCloseQuery() {
    settingsWriteReported_ = false;
    if (!closingBySignal_) commitTypedValues();
    if (!closingBySignal_ && !fileCommands_->askToSave(SaveKind::StyleSheet)) return false;
    // An absolute path, so that a start from another folder finds the file again.
    const bool reopen = Ini->ReadBool(SectionSystem, "Lastopen", false) && !sCSSFileName.isEmpty();
    Ini->WriteString(SectionSystem, "LastopenCSS",
                     reopen ? QFileInfo(sCSSFileName).absoluteFilePath().toStdString() : std::string());
    flushSettings();
    if (!closingBySignal_ && !fileCommands_->askToSave(SaveKind::HtmlPage)) return false;
    HTMLStreamAttached = false;
    writeToolBarPositions(true);
    LowerToolBarPlaces{ToolBarDown->x(), CmbBoxPreviewHTML->x(), CmbBoxExDoctype->x()}.write(*Ini);
    flushSettings();
    return true;
}

void TfrmMain::flushSettings() {
    // A file that could not be read is kept as it is; that was said at start.
    if (Ini->flush() || Ini->loadError() || settingsWriteReported_ || !services_.messages) return;
    settingsWriteReported_ = true;
    reportFileError(QString::fromStdString(Ini->fileName().native()),
                    QString::fromStdString(Ini->lastError().message()));
}

void TfrmMain::closeBySignal() {
    if (!closingBySignal_) {
        // No one may be there to answer a box: what is left to say goes to standard error.
        closingBySignal_ = true;
        personMessages_ = std::exchange(services_.messages, makeStandardErrorMessages());
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    // Before the window is shown, its making goes on without a person, and the window is
    // closed unshown (closingBySignal). Else a box's own event loop ends first; the close
    // runs on the main loop.
    if (!shown_) return;
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(10, this, [this] { closeBySignal(); });
        return;
    }
    if (!closed_) close();
}

void TfrmMain::closeAfterStop() {
    if (!isVisible() || close()) return;
    // Cancelled, or its save failed: the window stays, showing the style sheet as it now is.
    guarded([this] {
        if (previewStale_) RefreshExecute();
        Refresh_Status();
    });
}

void TfrmMain::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    for (const QString& path : {RefreshPagePath, PreviewCSSPath, PreviewHTMLPath})
        if (!path.isEmpty() && QFileInfo::exists(path)) QFile::remove(path);

    writeGeometry();
    previewPages_->writeList();
    Ini->WriteInteger(SectionSystem, "Doctype", CmbBoxExDoctype->currentIndex());
    int mode = 1;
    if (!PanelIE->isHidden()) mode = PanelGecko->isHidden() ? 0 : 2;
    Ini->WriteInteger(SectionSystem, "PreviewMode", mode);
    Ini->WriteInteger(SectionSystem, "BaseFSize", BaseFSize);
    Ini->WriteBool(SectionSystem, "Treetype", ChangeCSStree->isChecked());
    fileCommands_->writeRecentOnExit();
    flushSettings();

    if (helpDesk_->available()) services_.help->shutdown();
    dftCssSrc.reset();
    dftHTMLsrc.reset();
    AttrList.clear();
    CurStructNode = QPersistentModelIndex();
    CurTargetNode = nullptr;
    ElementBaseNode = QPersistentModelIndex();
    ClassBaseNode = QPersistentModelIndex();
}

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (shown_) guarded([this] { FormResize(); });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (work_->busy()) {
        // The work stops at its next report; the close follows once it has unwound.
        work_->requestStop();
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        // Text typed into a drop-down is stored as the focus leaves it, before the save question.
        if (QWidget* focused = focusWidget()) focused->clearFocus();
        bool close = true;
        guarded([this, &close] {
            try {
                close = FormCloseQuery();
            } catch (const WorkStopped&) {
                close = false;  // a save it began was stopped: the questions come again
                throw;
            }
        });
        if (!close) {
            // Everything stays as it was, and the window with it.
            closed_ = false;
            event->ignore();
            guarded([this] { Refresh_Status(); });
            return;
        }
    }
    event->accept();
}

void TfrmMain::guarded(const std::function<void()>& handler) noexcept {
    if (work_ && work_->busy()) {
        try {
            work_->whenIdle([this, handler] { guarded(handler); });
        } catch (...) {
            services_.messages->error(this, QStringLiteral("処理を続けられませんでした。"));
        }
        return;
    }
    guardedNow(handler);
}

void TfrmMain::guardedNow(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const WorkStopped&) {
        // The window was asked to close during long work: the work is left, and the close
        // follows once it is over (closeAfterStop).
    } catch (const std::exception& e) {
        services_.messages->error(this, QStringLiteral("処理を続けられませんでした。\n%1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        services_.messages->error(this, QStringLiteral("処理を続けられませんでした。"));
    }
}

void TfrmMain::DisplayHint(const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    StatusBar->setMessage(bar < 0 ? hint : hint.mid(bar + 1));
}

void TfrmMain::mnuHelpViewClick() {
    if (helpDesk_->available()) services_.help->showContents();
}

void TfrmMain::mnuHelpKeyClick() {
    if (helpDesk_->available()) services_.help->showIndex();
}

void TfrmMain::SettingExecute() { settingsCommands_->SettingExecute(); }

void TfrmMain::TBCustExecute() { settingsCommands_->TBCustExecute(); }

void TfrmMain::ShowAboutExecute() {
    TfrmAbout about(this);
    about.exec();
}

}  // namespace pavik
