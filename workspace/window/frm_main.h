#pragma once
// The one main window: rule tree, property tree, value area, source panes, preview and
// status bar. Its handlers are spread over main_window_*.cpp by concern; this header holds
// the controls (named as in the window layout), the working state and the handlers.
#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/a_led.h"
#include "editor/view/af_edit.h"
#include "platform/colors.h"
#include "platform/ini_file.h"
#include "workspace/window/main_window_services.h"
#include "workspace/window/main_window_status.h"
#include "workspace/window/property_tree.h"
#include "workspace/document/rule_tree.h"
#include "workspace/document/style_document.h"

class QAbstractScrollArea;
class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pavik {

class BoxEditCommand;
class ControlBar;
class TThemeManager;
class SettingsCommands;
enum class ValueControl;
struct ValueWrite;

// Save flags of the source panes: 4 selects none of the save options (plain text, paragraphs
// as in the pane). Load flags of the style sheet pane: leading tabs become indentation.
inline constexpr std::uint8_t SaveFlagsPlain = 4;
inline constexpr std::uint8_t LoadFlagsStyleSheet = lfTabsToIndent;

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
    QString sCSSFileName;
    QString sHTMLFileName;
    QString PreviewCSSPath;
    QString PreviewHTMLPath;
    QString RefreshPagePath;
    QByteArray HTMLStream;          // the user preview page as last loaded
    bool HTMLStreamAttached = true;  // until the close query
    int BaseFSize = 3;
    QTreeWidgetItem* CurStructNode = nullptr;
    QTreeWidgetItem* CurTargetNode = nullptr;
    QTreeWidgetItem* ElementBaseNode = nullptr;
    QTreeWidgetItem* ClassBaseNode = nullptr;
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
    QTreeWidget* TreeViewStruct = nullptr;
    QTreeWidget* TreeViewTarget = nullptr;
    QTreeWidget* TVCSSDataHide = nullptr;  // diagnostic view of the document, never shown
    TAFEdit* RichEditSrc = nullptr;

    // Value area (its editors are driven by the value panels).
    QGroupBox* GroupBoxTagInfo = nullptr;
    QLabel* lblTagInfo = nullptr;
    QLabel* lblChildInfo = nullptr;
    TALed* ALedIe5 = nullptr;
    TALed* ALedNS4 = nullptr;
    TALed* ALedNS6 = nullptr;
    QGroupBox* GroupBoxNowData = nullptr;
    QLabel* StaticTxtNowData = nullptr;
    QScrollArea* ScrollBoxSet = nullptr;
    QWidget* PanelCommon = nullptr;
    QWidget* PanelSizeSelect = nullptr;
    QWidget* PanelHide = nullptr;
    QGroupBox* RadioGroupSize = nullptr;
    QLineEdit* EditCommon = nullptr;
    QLabel* TxtCommon = nullptr;
    QComboBox* CmbBoxCommon = nullptr;
    QComboBox* CmbBoxCommon2 = nullptr;
    QPlainTextEdit* MemoHint = nullptr;
    QTextEdit* RichEditHint = nullptr;
    QLabel* ShapeColor = nullptr;
    QPushButton* BitBtnClear = nullptr;
    QCheckBox* CheckBoxColor = nullptr;
    QLabel* StaticTxtFont = nullptr;
    QToolButton* SBOpenURL = nullptr;
    QWidget* PanelURL = nullptr;  // EditCommon and SBOpenURL side by side (image address)
    TColor ShapeColorBrush = clWhite;  // the swatch's colour

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
    void FormCloseQuery();
    void FormDestroy();

    // ---- Document trees ------------------------------------------------------------------
    void NodeBaseAdd();
    void ChangeCSStreeExecute();
    // Reads a style sheet file into the document and the rule tree.
    void AnalyzeCSS(const QString& path);
    void TreeViewStructClick();
    void TreeViewStructChange();
    void TVCSSDataHideClick();
    void SetAttrAll(const std::string& elementName);
    void BrowserStateChange(int ie, int ns4, int ns6);
    // The rule behind a node of TreeViewStruct (null for base and group nodes).
    CssRuleNode* ruleOfNode(const QTreeWidgetItem* node) const;
    StructNodeKind kindOfNode(const QTreeWidgetItem* node) const;
    // TreeViewStruct as a node list in index order, for the writer and the sample page.
    RuleTree currentRuleTree() const;
    RuleTreeNode structNode(const QTreeWidgetItem* node, int level = 0) const;
    // The record of a node of TreeViewTarget.
    const TData* targetRecordOf(const QTreeWidgetItem* node) const;
    // Image (and selected image) of a property node: 32 set by the rule, 33 not set.
    int targetImageOf(const QTreeWidgetItem* node) const;
    void setTargetImage(QTreeWidgetItem* node, int image);

    // ---- Value panels (main_window_values.cpp) --------------------------------------------
    // Builds the value panel of the property tree's current node.
    void TreeViewTargetClick();
    void RadioGroupSizeClick();
    int radioGroupSizeIndex() const;
    void setRadioGroupSizeIndex(int index);
    void LoadGroupHint();
    // Scrolls a view's vertical scroll bar to `position` by line steps.
    static void ScrollVertTo(QAbstractScrollArea* window, int position);
    // Value handlers: each stores into the selected rule's selected property, and does
    // nothing when either is not selected or is gone.
    void CmbBoxCommonChange(bool typing = false);
    void CmbBoxCommon2Change();
    void EditCommonClick(bool byEnter = false);
    void EditCommonKeyDown(int key);
    void FileOpenURLExecute();
    void FileOpenURLAccept(const QString& file);
    void CheckBoxColorClick();
    void BitBtnClearClick();
    void AddImportantTagExecute();
    // The dialog handlers (main_window_pickers.cpp).
    void ShapeColorMouseDown();
    void ColoPickerExecute();
    void StaticTxtFontMouseDown();

    // ---- Box model editor (main_window_box.cpp) ------------------------------------------
    void EditBoxExecute();
    BoxEditCommand* boxEditCommand() const { return boxEdit_.get(); }

    // ---- Preview -------------------------------------------------------------------------
    void RefreshPreview();
    void NavigatePreview(const QString& path, const QString& anchor);
    void RefreshExecute();
    void Refresh_Btn();
    void Refresh_Status();
    void DeletePreviewFiles();
    void CmbBoxPreviewHTMLSelect();
    void UpdatePreviewBrowserActions();

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
    // The help routines the dialogs call (through helpDesk()).
    void CallHTMLHelpContext(int context) { helpDesk_->CallHTMLHelpContext(context); }
    bool CallHTMLHelpP(std::uint16_t command, std::int32_t data, bool& callHelp) {
        return helpDesk_->CallHTMLHelpP(command, data, callHelp);
    }
    HelpDesk* helpDesk() const { return helpDesk_.get(); }

    // The text shown in the left status pane.
    void DisplayHint(const QString& hint);

    // Runs a handler; an exception it throws is reported in a message box and goes no further.
    void guarded(const std::function<void()>& handler) noexcept;

    PreviewBrowser* browser() const { return browser_.get(); }
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
    void createStatusBar();
    void connectHandlers();

    // Start-up and shutdown pieces (main_window_settings.cpp).
    void readGeometry();
    void writeGeometry();
    void readPreviewList();
    void writePreviewList();
    void applyPaneSettings(TAFEdit* pane);
    // Both panes restyled from the settings file; a saved style sheet stays saved.
    void restylePanes();
    void openAtStart();
    void writeRefreshPage();
    void writeToolBarPositions(bool visibleOnly);
    void askToSave(bool styleSheet);

    // Preview pieces (main_window_preview.cpp).
    void computePreviewPaths();
    void writeSamplePage();
    void reloadSourcePane(const std::string& text);
    void reportFileError(const QString& path, const QString& reason);
    // Wraps the HTML pane at its width div 7 (on a window resize and when the pane is resized).
    void rewrapHTMLPane();
    void tellAboutAtRules();

    // Source pane events: a change marks the pane unsaved; the undo state follows the pane,
    // and undoing back to the loaded text marks it saved again.
    void refreshStatusSoon();
    void RichEditSrcChange();
    void EditHTMLChange();
    void RichEditSrcUndoChange(bool canUndo, bool canRedo);
    void EditHTMLUndoChange(bool canUndo, bool canRedo);

    // Fills TVCSSDataHide from the document when it is shown.
    void fillHiddenTree();
    void clearPropertyTree();

    // Value area (main_window_values.cpp).
    void connectValueHandlers();
    // Hides every value control and empties them.
    void resetValueArea();
    // Shows PanelCommon holding `controls`, top to bottom.
    void showValueControls(const std::vector<ValueControl>& controls);
    void setSwatchColor(TColor color);
    // The rule record of CurStructNode and CurTargetNode while both are selected, else null.
    const TData2* selectedRuleRecord() const;
    QTreeWidgetItem* selectedPropertyNode() const;
    // Stores a handler's write and runs the tail; false when nothing was stored.
    bool finishValueWrite(const ValueWrite& write);
    // The dialog handlers' connections, and their mouse hooks in eventFilter.
    void connectPickerHandlers();
    bool pickerMouseDown(QObject* watched, QEvent* event);

    MainWindowServices services_;
    std::unique_ptr<PreviewBrowser> browser_;
    std::unique_ptr<HelpDesk> helpDesk_;
    std::unique_ptr<BoxEditCommand> boxEdit_;
    std::unique_ptr<SettingsCommands> settingsCommands_;
    std::vector<TData> targetRecords_;  // records of TreeViewTarget's nodes
    std::vector<std::string> pendingAtRules_;  // at-rules of the last read, not yet reported
    bool shown_ = false;
    std::array<int, 3> startPanes_{250, 150, 270};  // rule column, property column, upper half
    int htmlWrapColumn_ = 0;
    bool statusQueued_ = false;  // the HTML pane's rows are wrapped at this column
    bool destroyed_ = false;
    StatusProgress progress_;
};

}  // namespace pavik
