#pragma once
// Which of the main window's actions and state-bound controls are enabled, checked and
// visible, decided from the workspace state alone. The window gathers a WorkspaceState and
// applies the decision after every command, selection change and undo-state change
// (TfrmMain::UpdateActionStates). No Qt.
//
// To bind a control to the state: add a field to WorkspaceState, an item to UiItem with its
// object name in uiItemName, and a line to decideUiStates.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace pavik {

// What a source pane allows at the moment.
struct PaneState {
    bool canUndo = false;
    bool canRedo = false;
    bool hasSelection = false;
    bool readOnly = false;
};

// The source pane that has the keyboard focus, if any.
enum class FocusedPane { None, StyleSheet, Html };

struct WorkspaceState {
    bool styleSheetOpen = false;  // a style sheet file is open (sCSSFileName)
    bool ruleTreeSelection = false;  // the rule tree highlights a rule (not a base or group node)
    bool styleSheetUnsaved = false;  // it holds changes not on disk (the pane's or the rules')
    bool recentFiles = false;     // the recent-file list has entries
    bool applyCSS = true;         // bApplyCSS
    bool userPage = false;        // the preview shows a page of the user's (list item above 0)
    bool htmlPageUnsaved = false; // the HTML pane holds changes not on disk (!bHTMLSaved)
    // The external browsers' programs ("Prev1".."Prev4") exist.
    std::array<bool, 4> browserPrograms{};
    bool boxCategory = false;     // the property tree's "ボックス" category was clicked last
    bool helpFile = false;        // the help file exists
    bool homePage = false;        // an address is built in for each web and mail item
    bool supportBoard = false;
    bool mailAddress = false;
    PaneState styleSheetPane;     // RichEditSrc
    PaneState htmlPane;           // EditHTML
    FocusedPane focusedPane = FocusedPane::None;
    bool documentCanUndo = false;  // the document's history (history_commands.h)
    bool documentCanRedo = false;
};

// What the Edit menu's undo and redo (EditUndo1, EditRedo1) act on: the focused pane while
// its own history holds anything (its hand edits since the program last put text into it),
// else the document's history.
enum class UndoTarget { StyleSheetPane, HtmlPane, Document };
UndoTarget undoTarget(const WorkspaceState& s);

// Actions, menus, combo boxes and tab pages, by the object names of the window's controls.
enum class UiItem {
    NewCSS, FileOpenCSS, FileSave, FileSaveAs, FileExit, HTMLSave, FileOpenHTML, FileOpenURL,
    cssBasic, cssClass, DelItem, EditBox, ChangeCSStree, Refresh, ColoPicker, AddImportantTag,
    ApplyCSS, PrevIE, PrevNS4, PrevNS6, PrevOpera, PrevIEBrowser, PrevMozillaBrowser, PrevSplit,
    Setting, TBCust, ShowAbout, mnuHelpView, mnuHelpKey, GoHomePage, GoBBS, ToMail,
    EditCut1, EditCopy1, EditPaste1, EditUndo1, EditRedo1,
    EditCut2, EditCopy2, EditPaste2, EditUndo2, EditRedo2,
    FSize1, FSize2, FSize3, FSize4,
    mnuFileResent,                        // a menu: its item in the File menu
    CmbBoxPreviewHTML, CmbBoxExDoctype,   // combo boxes
    TabSheetSrc, TabSheetHTML,            // tab pages: only their visibility counts
    Count
};
inline constexpr std::size_t UiItemCount = static_cast<std::size_t>(UiItem::Count);

std::string_view uiItemName(UiItem item);

struct UiItemState {
    bool enabled = false;
    bool visible = true;
    std::optional<bool> checked;  // none: the control keeps its own check mark
};

class UiStates {
public:
    UiItemState& operator[](UiItem i) { return items_[static_cast<std::size_t>(i)]; }
    const UiItemState& operator[](UiItem i) const { return items_[static_cast<std::size_t>(i)]; }

private:
    std::array<UiItemState, UiItemCount> items_{};
};

UiStates decideUiStates(const WorkspaceState& s);

}  // namespace pavik
