#pragma once
// The one main window: rule tree, property tree, value area, source panes, preview and
// status bar. Its handlers are spread over main_window_*.cpp by concern; this header holds
// the controls (named as in the window layout), the working state and the handlers.
#include <QByteArray>
#include <QDateTime>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/drop_target.h"
#include "editor/view/af_edit.h"
#include "platform/ini_file.h"
#include "platform/text_encoding.h"
#include "workspace/window/action_states.h"
#include "workspace/window/free_aside.h"
#include "workspace/window/main_window_services.h"
#include "workspace/window/main_window_status.h"
#include "workspace/window/property_tree.h"
#include "workspace/window/rule_tree_model.h"
#include "workspace/window/shown_style_sheet.h"
#include "workspace/window/selection_places.h"
#include "workspace/window/value_area.h"
#include "workspace/document/rule_tree.h"
#include "workspace/document/sample_page.h"
#include "workspace/document/style_document.h"

class QAbstractScrollArea;
class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace pavik {

class BoxEditCommand;
class ControlBar;
class FileCommands;
class FileCommandsHost;
class HistoryCommands;
enum class SheetShown;
class LongWork;
class PaneCommands;
class PreviewPages;
class RuleCommands;
class SettingsCommands;
class WidgetDropSite;
class TThemeManager;
struct ValueWrite;

// Save flags of the source panes: 4 selects none of the save options (plain text, paragraphs
// as in the pane). Load flags of the style sheet pane: leading tabs become indentation.
inline constexpr std::uint8_t SaveFlagsPlain = 4;
inline constexpr std::uint8_t LoadFlagsStyleSheet = lfTabsToIndent;

// "short|long": the short part is the action's tooltip, the long part its status line text.
void setActionHint(QAction* action, const QString& hint);

// Kind of a node of TreeViewStruct, kept in the item.
enum class StructNodeKind { ElementBase, ClassBase, Group, Rule };

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(MainWindowServices services = MainWindowServices::standard(),
                      QWidget* parent = nullptr);
    ~TfrmMain() override;

    // ---- Working state -------------------------------------------------------------------
    std::unique_ptr<IniFile> Ini;
    bool bApplyCSS = true;
    bool bAutoRefresh = true;
    bool bCSSSaved = true;
    bool bHTMLSaved = true;
    bool bCSSCanUndo = false;
    bool bHTMLCanUndo = false;
    QString sCSSFileName;           // absolute
    TextForm CSSForm;               // of the file sCSSFileName (encoding, line ends, escapes), kept when saving
    QString sHTMLFileName;
    QString PreviewCSSPath;
    QString PreviewHTMLPath;
    QString RefreshPagePath;
    std::string HTMLStream;         // the user preview page as last loaded (its bytes)
    TextForm HTMLForm;              // of that page, kept when saving
    bool HTMLStreamAttached = true;  // until the close query
    int BaseFSize = 3;
    QPersistentModelIndex CurStructNode;  // of TreeViewStruct; invalid: none
    QTreeWidgetItem* CurTargetNode = nullptr;
    QPersistentModelIndex ElementBaseNode;
    QPersistentModelIndex ClassBaseNode;
    // The document proper (the hidden tree's contents).
    StyleDocument Document;

    // ---- Controls ------------------------------------------------------------------------
    ControlBar* ControlBarTop = nullptr;
    QToolBar* TBFile = nullptr;
    QToolBar* TBStyle = nullptr;
    QToolBar* TBTools = nullptr;
    QToolBar* TBBrowser = nullptr;
    QToolButton* TBtreestyle = nullptr;
    QMenu* PopupMenuTBCust = nullptr;

    QSplitter* SplitterMain = nullptr;  // upper half / preview
    QWidget* PanelTop = nullptr;
    QSplitter* SplitterTop = nullptr;  // rule column / property column / value area
    QWidget* PanelTopLeft = nullptr;
    QWidget* PanelTopCenter = nullptr;
    QWidget* PanelTopRight = nullptr;
    QTabWidget* PageControlSrc = nullptr;
    QTreeView* TreeViewStruct = nullptr;  // over the rule tree model (ruleTreeModel())
    QTreeWidget* TreeViewTarget = nullptr;
    QTreeWidget* TVCSSDataHide = nullptr;  // diagnostic view of the document, never shown
    TAFEdit* RichEditSrc = nullptr;

    ControlBar* ControlBarDown = nullptr;
    QToolBar* ToolBarDown = nullptr;
    QToolButton* TBPrevMode = nullptr;
    QComboBox* CmbBoxPreviewHTML = nullptr;
    QComboBox* CmbBoxExDoctype = nullptr;
    QTabWidget* PageControlDown = nullptr;
    QWidget* TabSheetPreview = nullptr;
    QWidget* TabSheetHTML = nullptr;
    QWidget* PanelIE = nullptr;
    QWidget* PanelGecko = nullptr;
    QWidget* WebBrowserIE = nullptr;  // the browser's control (none with a fake browser)
    TAFEdit* EditHTML = nullptr;

    MainStatusBar* StatusBar = nullptr;
    // The drop targets of the source pages (one ".css" file) and of the preview and HTML
    // pages (one ".html" or ".htm" file).
    std::unique_ptr<TDropFileTarget> dftCssSrc;
    std::unique_ptr<TDropFileTarget> dftHTMLsrc;
    // Themes the controls of every window (components/theme_manager.h).
    TThemeManager* ThemeManager1 = nullptr;

    // ---- Actions and menus ---------------------------------------------------------------
    QAction* NewCSS = nullptr;
    QAction* FileOpenCSS = nullptr;
    QAction* FileSave = nullptr;
    QAction* FileSaveAs = nullptr;
    QAction* FileExit = nullptr;
    QAction* HTMLSave = nullptr;
    QAction* FileOpenHTML = nullptr;
    QAction* FileOpenURL = nullptr;
    QAction* cssBasic = nullptr;
    QAction* cssClass = nullptr;
    QAction* DelItem = nullptr;
    QAction* EditBox = nullptr;
    QAction* ChangeCSStree = nullptr;
    QAction* Refresh = nullptr;
    QAction* ColoPicker = nullptr;
    QAction* AddImportantTag = nullptr;
    QAction* ApplyCSS = nullptr;
    QAction* PrevIE = nullptr;
    QAction* PrevNS4 = nullptr;
    QAction* PrevNS6 = nullptr;
    QAction* PrevOpera = nullptr;
    QAction* PrevIEBrowser = nullptr;
    QAction* PrevMozillaBrowser = nullptr;
    QAction* PrevSplit = nullptr;
    QAction* Setting = nullptr;
    QAction* TBCust = nullptr;
    QAction* ShowAbout = nullptr;
    QAction* mnuHelpView = nullptr;
    QAction* mnuHelpKey = nullptr;
    QAction* GoHomePage = nullptr;
    QAction* GoBBS = nullptr;
    QAction* ToMail = nullptr;
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditUndo1 = nullptr;
    QAction* EditRedo1 = nullptr;
    QAction* EditCut2 = nullptr;
    QAction* EditCopy2 = nullptr;
    QAction* EditPaste2 = nullptr;
    QAction* EditUndo2 = nullptr;
    QAction* EditRedo2 = nullptr;
    QAction* FSize[4] = {};  // FSize1 .. FSize4
    QActionGroup* FontSizeGroup = nullptr;
    QMenu* mnuFileResent = nullptr;
    QMenu* popmnuRecent = nullptr;
    QMenu* PopupMenuFontSize = nullptr;
    QMenu* PopupMenuPrevBrowser = nullptr;
    QMenu* PopupMenuEdit = nullptr;
    QMenu* PopupMenuHTML = nullptr;
    QMenu* PopupMenuStruct = nullptr;

    // ---- Life cycle ----------------------------------------------------------------------
    void FormCreate();
    void FormShow();
    void FormResize();
    // False keeps the window open: a save question was cancelled or its save failed.
    bool FormCloseQuery();
    void FormDestroy();
    // Closes the window in order (settings written, preview files deleted) without the save
    // questions; for a termination signal. A question open at the moment answers No; from
    // then on messages (a failed settings write) go to standard error.
    void closeBySignal();
    // A termination signal came: the window closes, or closes unshown, without the questions.
    bool closingBySignal() const { return closingBySignal_; }
    // A close asked for during long work, once the work is over (LongWork::setOnStop). When
    // it is cancelled, a preview the work left unfinished is rebuilt.
    void closeAfterStop();

    // ---- Document trees ------------------------------------------------------------------
    void NodeBaseAdd();
    void ChangeCSStreeExecute();
    // Reads a style sheet file into the document and the rule tree.
    // Replaces the document and the rule tree by the style sheet `text` (the pane is emptied;
    // the text is let go once read); `tell` shows later what the reading kept and expanded,
    // and what it escaped.
    void AnalyzeCSS(DecodedText text, bool tell);
    void TreeViewStructClick();
    void TreeViewStructChange();
    void TVCSSDataHideClick();
    void SetAttrAll(const std::string& elementName);
    void BrowserStateChange(int ie, int ns4, int ns6);
    RuleTreeModel& ruleTreeModel() const { return *structModel_; }
    // The rule behind a node of TreeViewStruct (null for base and group nodes).
    CssRuleNode* ruleOfNode(const QModelIndex& node) const;
    StructNodeKind kindOfNode(const QModelIndex& node) const;
    // TreeViewStruct as a node list in index order, for the writer and the sample page.
    RuleTree currentRuleTree() const;
    RuleTreeNode structNode(const QModelIndex& node) const;
    // The node of TreeViewStruct that shows `rule`, or an invalid index.
    QModelIndex structNodeOfRule(const CssRuleNode* rule) const;
    // Deletes a rule's node from TreeViewStruct (and its group node when that is left empty);
    // no rule is selected afterwards and no node is current.
    void removeStructNode(const QModelIndex& node);
    void clearPropertyTree();
    // The record of a node of TreeViewTarget.
    const TData* targetRecordOf(const QTreeWidgetItem* node) const;
    // Image (and selected image) of a property node: 32 set by the rule, 33 not set.
    int targetImageOf(const QTreeWidgetItem* node) const;
    void setTargetImage(QTreeWidgetItem* node, int image);
    // Remembers and restores the selection and scroll places of both trees, and takes the
    // user to a given rule and property (selection_places.h).
    SelectionPlaces& selectionPlaces() const { return *places_; }

    // ---- Value panels (main_window_values.cpp; the value area does the work) -------------
    // Stores what the user typed into the value area and did not store yet. Every command of
    // the window runs it first (and the rule and property choice, the close, the drops), so
    // that it works on the style sheet the user sees.
    void commitTypedValues();
    // Builds the value panel of the property tree's current node. A click moves the focus
    // into a length editor; a selection by keyboard leaves it in the tree.
    void TreeViewTargetClick(bool focusEditor = true);
    void RadioGroupSizeClick();
    void LoadGroupHint();
    // Scrolls a view's vertical scroll bar to `position` by line steps.
    static void ScrollVertTo(QAbstractScrollArea* window, int position);
    // Value handlers: each stores into the selected rule's selected property, and does
    // nothing when either is not selected or is gone.
    // `typed`: the text typed into the drop-down, on Enter or when the focus leaves it;
    // otherwise the item chosen from the list.
    void CmbBoxCommonChange(bool typed = false);
    void CmbBoxCommon2Change(bool typed = false);
    void EditCommonClick(bool byEnter = false);
    void EditCommonKeyDown(int key);
    void FileOpenURLExecute();
    void FileOpenURLAccept(const QString& file);
    void CheckBoxColorClick();
    void BitBtnClearClick();
    void AddImportantTagExecute();
    // The handlers that run a dialog (the value area runs it and stores the result).
    void ShapeColorMouseDown();
    void ColoPickerExecute();
    void StaticTxtFontMouseDown();

    // ---- Rule commands (rule_commands.cpp) -------------------------------------------------
    void cssBasicExecute();
    void cssClassExecute();
    void DelItemExecute();

    // ---- Box model editor (main_window_box.cpp) ------------------------------------------
    void EditBoxExecute();
    BoxEditCommand* boxEditCommand() const { return boxEdit_.get(); }

    // ---- File commands (main_window_files.cpp; they delegate to FileCommands) -------------
    void FileOpenCSSExecute();  // the open action: its dialog, then FileOpenCSSAccept
    void FileOpenCSSAccept(const QString& file);
    void FileNameKeepSelect(const QString& file);
    void popmnuRecentPopup();
    void popmnuRecentSelectAction(const QString& file);
    void FileSaveExecute();
    void FileSaveAsExecute();  // the save-as action: its dialog, then FileSaveAsAccept
    void FileSaveAsAccept(const QString& name);
    void NewCSSExecute();
    // The folder chooser ("フォルダを選んで下さい", starting at the desktop): the chosen
    // folder, or an empty string when cancelled.
    static QString GetFolderName();
    FileCommands& fileCommands() const { return *fileCommands_; }
    // Undo and redo of the document's changes (history_commands.h).
    HistoryCommands& historyCommands() const { return *historyCommands_; }
    // The style sheet holds changes not on disk (the pane's or the rules').
    bool styleSheetUnsaved() const;

    // ---- Preview -------------------------------------------------------------------------
    // Rebuilds the preview and regenerates the pane; a pane holding hand edits is replaced
    // only when the user agrees to drop them.
    void RefreshPreview();
    // Shows the page, scrolled to the anchor; nothing while the preview is stopped (its files
    // could not be written). `head`: for a sample page written in place of the one shown,
    // what it holds before its body's contents; the browser may then keep the rest.
    void NavigatePreview(const QString& path, const QString& anchor, const std::string& head = {});
    void RefreshExecute();
    void Refresh_Btn();
    void Refresh_Status();
    void DeletePreviewFiles();
    void CmbBoxPreviewHTMLSelect();
    void UpdatePreviewBrowserActions();

    // ---- Preview pages (main_window_preview.cpp; they delegate to PreviewPages) -----------
    void FileOpenHTMLExecute();  // the open action: FileOpenHTMLBeforeExecute, its dialog, FileOpenHTMLAccept
    void FileOpenHTMLBeforeExecute();
    void FileOpenHTMLAccept(const QString& file);
    void HTMLSaveExecute();
    void CmbBoxExDoctypeSelect();
    void ApplyCSSExecute();
    void PrevIEExecute();
    void PrevNS4Execute();
    void PrevNS6Execute();
    void PrevOperaExecute();
    void PrevIEBrowserExecute();
    void PrevSplitExecute();
    void PrevMozillaBrowserExecute();
    void FontSizeExecute(int level);  // the size item of that number was clicked
    // The drop targets' events: the dragged files were read on entering.
    void dftCssSrcEnter(TDropEffect& effect);
    void dftCssSrcDrop(const std::vector<std::string>& files);
    void dftHTMLsrcEnter(TDropEffect& effect);
    void dftHTMLsrcDrop(const std::vector<std::string>& files);
    PreviewPages& previewPages() const { return *previewPages_; }

    // ---- Action states and the source panes (main_window_commands.cpp) -------------------
    // Enables, checks and shows every action and state-bound control as the workspace state
    // says; after every command, selection change and undo-state change.
    void UpdateActionStates();
    WorkspaceState workspaceState() const;
    // The property tree's "ボックス" category is the one clicked last (the box editor's state).
    void setBoxCategorySelected(bool selected);
    // The pane commands of the menus, pop-up menus and shortcuts.
    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void EditUndo1Execute();
    void EditRedo1Execute();
    void EditCut2Execute();
    void EditCopy2Execute();
    void EditPaste2Execute();
    void EditUndo2Execute();
    void EditRedo2Execute();
    // Pane events: a change marks the pane unsaved; the undo state follows the pane, and
    // undoing back to the text last loaded or saved marks it saved again.
    void RichEditSrcChange();
    void EditHTMLChange();
    void RichEditSrcSelect();
    void RichEditSrcDisSelect();
    void EditHTMLSelect();
    void EditHTMLDisSelect();
    void RichEditSrcUndoChange(bool canUndo, bool canRedo);
    void EditHTMLUndoChange(bool canUndo, bool canRedo);
    // The wheel's delta in units of 120 a notch: one row per notch.
    void RichEditSrcMouseWheel(int wheelDelta);
    void EditHTMLMouseWheel(int wheelDelta);
    void PageControlSrcChange(int page);

    // ---- Settings and toolbars -----------------------------------------------------------
    void SettingExecute();
    void TBCustExecute();
    void LoadToolBarSetting();
    // Main window caption for the open style sheet (none when empty).
    void setCaptionFor(const QString& openFile);
    static QString productVersion();

    // ---- Help and about ------------------------------------------------------------------
    void mnuHelpViewClick();
    void mnuHelpKeyClick();
    void ShowAboutExecute();
    // The web and mail items open their address with the desktop's handler.
    void GoHomePageClick();
    void GoBBSClick();
    void ToMailClick();
    // The help routines the dialogs call (through helpDesk()).
    void CallHTMLHelpContext(int context) { helpDesk_->CallHTMLHelpContext(context); }
    bool CallHTMLHelpP(std::uint16_t command, std::int32_t data, bool& callHelp) {
        return helpDesk_->CallHTMLHelpP(command, data, callHelp);
    }
    HelpDesk* helpDesk() const { return helpDesk_.get(); }

    // The text shown in the left status pane.
    void DisplayHint(const QString& hint);

    // Runs a handler; an exception it throws is reported in a message box and goes no further.
    // One that arrives during long work (a focus change, a queued drop) waits until the work is
    // done, so that nothing changes the document while the work reads it.
    void guarded(const std::function<void()>& handler) noexcept;
    // The same, run at once even during long work: for handlers whose caller needs the result.
    void guardedNow(const std::function<void()>& handler) noexcept;

    PreviewBrowser* browser() const { return browser_.get(); }
    // Runs the steps of long work (reading, building the tree and the preview) so that the
    // window stays alive; a close meanwhile stops the work.
    LongWork& longWork() const { return *work_; }
    // The style sheet of the command line (or of the last run) is still to be opened.
    bool startFilePending() const { return startFile_.has_value(); }
    // The value area: tag information, lamps, and the value panel with its editors.
    ValueArea& valueArea() const { return *values_; }
    const MainWindowServices& services() const { return services_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Window building (main_window_layout.cpp, main_window_actions.cpp).
    void createActions();
    void createMenus();
    void createToolBars();
    void createLayout();
    void createValueArea(QWidget* parent);
    void createFileCommands();  // main_window_files.cpp
    void createStatusBar();
    void connectHandlers();

    // Start-up and shutdown pieces (main_window_settings.cpp).
    void readGeometry();
    // Once the window's frame is known: the frame within the screen too.
    void keepFrameOnScreen();
    void writeGeometry();
    void applyPaneSettings(TAFEdit* pane);
    // Both panes restyled from the settings file; a saved style sheet stays saved.
    void restylePanes();
    // The style sheet to open at start, chosen as the window is made (a relative argument is
    // taken from the folder the program started in); opened once the window is on screen.
    void chooseStartFile();
    void openAtStart();
    void writeRefreshPage();
    void writeToolBarPositions(bool visibleOnly);
    // Flushes Ini; a failure is reported once per close (the close flushes three times).
    void flushSettings();
    std::array<QToolBar*, 4> upperToolBars() const;  // TBFile, TBStyle, TBTools, TBBrowser

    // File pieces (main_window_files.cpp): the open sequence's steps after the read; the
    // pane shows `paneText` when given, else the regenerated text. An empty caption keeps it.
    void showStyleSheet(const QString& file, const QString& caption, DecodedText text,
                        TextForm form, const std::optional<std::string>& paneText, SheetShown why);
    std::string sourcePaneText() const;
    QByteArray sourcePaneDigest() const;
    // A notice in the status line, shown again once a queued status refresh has run.
    void showNotice(const QString& text);
    void clearSourcePane();
    // The pane, the trees, the document and what was to be told of the last read, emptied.
    void clearStyleSheet();

    // Preview pieces (main_window_preview.cpp).
    friend class PreviewPages;
    friend class HistoryCommands;
    void createPreviewPages();
    // FormCreate's last step: the drop targets on the source pages and the lower pages.
    void registerDropTargets();
    void rebuildPreview(bool regeneratePane);
    void computePreviewPaths();
    // The sample page's options for the tree as it is, the page to show `selected`.
    SamplePageOptions samplePageOptions(const RuleTreeWalk& tree, const QModelIndex& selected) const;
    // Scrolls the preview to the sample of the rule at `node` (its anchor), writing the page
    // of the rules around it first when the page shown does not have it.
    void showPreviewOf(const QModelIndex& node, const QString& anchor);
    PreviewPage previewPageKind() const;
    // Whether one of the preview's files was written (by writeOwnFile, with the result `ec`);
    // a failure is told once for the page (until a rebuild writes every file of the preview
    // again).
    bool previewWritten(const QString& path, std::error_code ec);
    // Frees what a big document or pane held beside the window, holding nothing up.
    template <class T>
    void freeAside(T garbage) {
        freer_.free(std::move(garbage));
    }
    // The style sheet pane's rows made on a worker, with the digest of what a save writes;
    // without rows (they could not be made) `error` says why.
    struct PaneLoad {
        std::optional<EditorCore::PreparedLoad> rows;
        QByteArray digest;
        QString error;
    };
    PaneLoad finishPaneLoad(EditorCore::RowReader rows) const;
    // The pane shows the rows as the program put them there (emptied without rows, saying so).
    void showInSourcePane(PaneLoad load);
    void reloadSourcePane(const std::string& text);
    void reportFileError(const QString& path, const QString& reason);
    // Wraps the HTML pane at its width div 7 (on a window resize and when the pane is resized).
    void rewrapHTMLPane();
    // Tells, once the window is on screen, what the last read kept and expanded.
    void tellAboutReading();
    // Tells once which characters of the file read last became CSS escapes.
    void tellAboutEscapes();
    // The characters (UTF-8) as a list for a message: each once, with its code point.
    // "😀 (\1F600 )" per character, with the escape `made` lists for it, or "😀 (&#x1F600;)"
    // with `references`.
    static QString describeEscapes(const std::vector<std::string>& characters,
                                   const std::vector<MadeEscape>& made = {}, bool references = false);

    // Source panes (main_window_commands.cpp).
    void createPaneCommands();
    void connectPaneCommands();
    // Text from another program pasted into `pane`, as CP932: what Shift_JIS cannot hold
    // becomes a CSS escape (a character reference in the HTML pane), and the user is told.
    std::string convertPastedText(const TAFEdit* pane, std::string_view utf8);
    // The status line right after the pane's current operation (it may be half done now).
    void refreshStatusSoon();
    PaneCommands& commandsOf(const TAFEdit* pane) const;

    // ChangeCSStreeExecute's work, given the tree laid out.
    void showRuleTree(RuleTreeModel::Layout layout);
    // The base nodes expanded with their groups: at once, or, holding many rules, each later
    // in a turn of its own (expandRuleBasesLater).
    void expandRuleBases();
    void expandRuleBase(int base);
    void expandRuleBasesLater(std::vector<int> bases);
    // Fills TVCSSDataHide from the document when it is shown.
    void fillHiddenTree();
    class PlacesLink;
    void createSelectionPlaces();

    // Value area (main_window_values.cpp).
    class ValueLink;
    void connectValueHandlers();
    // The rule record of CurStructNode and CurTargetNode while both are selected, else null.
    const TData2* selectedRuleRecord() const;
    QTreeWidgetItem* selectedPropertyNode() const;
    // Stores a handler's write and runs the tail; false when nothing was stored.
    bool finishValueWrite(const ValueWrite& write);
    // The dialog handlers' connections, and their mouse hooks in eventFilter.

    MainWindowServices services_;
    class FileLink;
    std::unique_ptr<FileCommandsHost> fileLink_;  // a FileLink
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<PreviewPages> previewPages_;
    std::unique_ptr<WidgetDropSite> cssDropSite_;   // PageControlSrc
    std::unique_ptr<WidgetDropSite> htmlDropSite_;  // PageControlDown
    std::unique_ptr<ValueAreaHost> valueLink_;  // a ValueLink
    std::unique_ptr<SelectionPlacesHost> placesLink_;  // a PlacesLink
    std::unique_ptr<SelectionPlaces> places_;
    ValueArea* values_ = nullptr;  // owned by PanelTopRight
    std::unique_ptr<PreviewBrowser> browser_;
    std::unique_ptr<HelpDesk> helpDesk_;
    std::unique_ptr<BoxEditCommand> boxEdit_;
    std::unique_ptr<RuleCommands> ruleCommands_;
    std::unique_ptr<HistoryCommands> historyCommands_;
    // Set while a save reads the style sheet back: whether the pane's own text was saved.
    std::optional<bool> saveReadBack_;
    QMetaObject::Connection focusFollow_;  // the action states follow the focus
    std::unique_ptr<SettingsCommands> settingsCommands_;
    std::unique_ptr<PaneCommands> srcCommands_;   // RichEditSrc
    std::unique_ptr<PaneCommands> htmlCommands_;  // EditHTML
    std::vector<QObject*> uiObjects_;             // the controls of UiItem, in its order
    bool boxCategory_ = false;
    std::vector<TData> targetRecords_;  // records of TreeViewTarget's nodes
    std::vector<std::string> pendingEscapes_;  // characters (UTF-8) escaped in the last read, not yet told
    struct ReadingNote {
        std::vector<std::string> AtRules;  // at-keywords of the kept at-rules
        size_t NestedRules = 0, DroppedRules = 0;
    } pendingNote_;  // what the last read kept and expanded, not yet told
    bool shown_ = false;
    struct StartFile {
        QString file, typed;
        bool fromArgument = false;
    };
    std::optional<StartFile> startFile_;  // the style sheet of the command line or the last run, still to open
    RuleTreeModel* structModel_ = nullptr;  // TreeViewStruct's model, owned by it
    int ruleTreeShown_ = 0;                 // goes up whenever the rule tree is made anew
    // While set, a change of TreeViewStruct's current node is not taken up as the user's.
    bool structChangeQuiet_ = false;
    QPersistentModelIndex structPressedOn_;  // TreeViewStruct's current node at the last mouse press
    std::array<int, 3> startPanes_{250, 150, 270};  // rule column, property column, upper half
    int htmlWrapColumn_ = 0;  // the HTML pane's rows are wrapped at this column
    bool statusQueued_ = false;
    bool destroyed_ = false;
    bool settingsWriteReported_ = false;
    bool previewFailureTold_ = false;  // a preview file of previewFailurePage_ could not be written
    QString previewFailurePage_;       // the sHTMLFileName it was told for
    bool previewStopped_ = false;      // the last rebuild could not write the preview
    SampleRange samplePage_;           // the rules whose samples the sample page written last holds
    ShownStyleSheet shownSheet_;       // the preview style sheet as the browser has it
    // How NavigatePreview moves the preview: to the anchor; keeping the page's scroll place
    // (a save read back); not at all (the selection being restored before the rebuild).
    enum class PreviewMove { ToAnchor, KeepPlace, Hold } previewMove_ = PreviewMove::ToAnchor;
    SampleAnchors sampleAnchors_;      // of the rule tree as the last rebuild found it
    uint64_t anchorsShape_ = UINT64_MAX;  // the rule tree's shape sampleAnchors_ was made from
    // The sample page written last, and what from: a rebuild that would write the same page
    // leaves it be.
    struct WrittenPage {
        uint64_t shape = 0;
        SamplePageOptions options;
        QString path;
        qint64 bytes = 0;
        QDateTime modified;
        bool stillThere() const;
    };
    std::optional<WrittenPage> pageWritten_;
    void samplePageWritten(const SamplePageOptions& options);
    void showRebuilt(bool written, bool regenerated, WrittenDigest digest, std::optional<StyleSheetChange> change,
                     const QModelIndex& selected);
    // A rebuild of the preview was left unfinished, or the document replaced since the last one.
    bool previewStale_ = false;
    bool closingBySignal_ = false;  // the close asks no question
    bool closed_ = false;           // the close query has run
    std::unique_ptr<UserMessages> personMessages_;  // the message boxes, set aside by closeBySignal
    StatusProgress progress_;
    std::unique_ptr<LongWork> work_;
    FreeAside freer_;
};

}  // namespace pavik
