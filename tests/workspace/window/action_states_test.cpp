// The main window's action states, decided from the workspace state alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "workspace/window/action_states.h"

namespace pavik::test {
namespace {

// Offered in every situation.
const std::set<UiItem> kAlways = {UiItem::NewCSS,  UiItem::FileOpenCSS, UiItem::FileExit,  UiItem::FileOpenURL,
                                  UiItem::ChangeCSStree, UiItem::ColoPicker, UiItem::Setting, UiItem::TBCust,
                                  UiItem::ShowAbout, UiItem::PrevIEBrowser, UiItem::PrevMozillaBrowser,
                                  UiItem::PrevSplit, UiItem::FSize1, UiItem::FSize2, UiItem::FSize3, UiItem::FSize4};

// What else is offered (enabled, or a tab page shown), in UiItem order; "!" marks an item of
// kAlways that is not.
std::string offered(const UiStates& u) {
    std::string out;
    for (std::size_t i = 0; i < UiItemCount; ++i) {
        const auto item = static_cast<UiItem>(i);
        const bool page = item == UiItem::TabSheetSrc || item == UiItem::TabSheetHTML;
        const bool always = kAlways.count(item) > 0;
        if ((page ? u[item].visible : u[item].enabled) == always) continue;
        if (!out.empty()) out += ' ';
        out += std::string(always ? "!" : "") + std::string(uiItemName(item));
    }
    return out;
}

WorkspaceState open() {
    WorkspaceState s;
    s.styleSheetOpen = true;
    return s;
}

TEST(ActionStates, MainSituations) {
    WorkspaceState selected = open();
    selected.styleSheetPane.hasSelection = true;

    WorkspaceState undo = open();
    undo.styleSheetPane.canUndo = true;
    undo.htmlPane.canRedo = true;
    undo.userPage = true;
    undo.focusedPane = FocusedPane::StyleSheet;
    undo.documentCanRedo = true;  // the focused pane's own history comes first

    // The Edit menu's pair on the document's history: focus outside the panes, or in a pane
    // with no history of its own; a pane that holds some keeps them, also to redo alone.
    WorkspaceState history = open();
    history.documentCanUndo = true;
    history.htmlPane.canUndo = history.userPage = true;
    WorkspaceState historyInPane = history;
    historyInPane.focusedPane = FocusedPane::StyleSheet;
    WorkspaceState paneRedoOnly = history;
    paneRedoOnly.focusedPane = FocusedPane::StyleSheet;
    paneRedoOnly.styleSheetPane.canRedo = true;
    WorkspaceState htmlFocused = history;
    htmlFocused.focusedPane = FocusedPane::Html;
    htmlFocused.documentCanUndo = false;

    // A read-only pane only copies, whatever its selection and history allow.
    WorkspaceState readOnly = open();
    readOnly.htmlPane = {.canUndo = true, .canRedo = true, .hasSelection = true, .readOnly = true};
    readOnly.userPage = true;

    // No file behind a pane: none of its commands, whatever the pane holds.
    WorkspaceState noFiles;
    noFiles.styleSheetPane = noFiles.htmlPane = {.canUndo = true, .canRedo = true, .hasSelection = true};

    // Not applied: no source page, and nothing to insert into.
    WorkspaceState notApplied = open();
    notApplied.applyCSS = false;
    notApplied.userPage = true;

    // A rule highlighted in the rule tree: it can be deleted, with a file open.
    WorkspaceState rule = open();
    rule.ruleTreeSelection = true;
    WorkspaceState ruleNoFile;
    ruleNoFile.ruleTreeSelection = true;

    WorkspaceState extras;
    extras.helpFile = extras.homePage = extras.mailAddress = extras.boxCategory = true;

    WorkspaceState unsaved = open();
    unsaved.styleSheetUnsaved = unsaved.recentFiles = true;

    // A user's page with changes, two browser programs; the page alone, with no style sheet.
    WorkspaceState page = open();
    page.userPage = page.htmlPageUnsaved = true;
    page.browserPrograms = {false, false, true, true};
    WorkspaceState pageAlone;
    pageAlone.userPage = pageAlone.htmlPageUnsaved = true;
    pageAlone.browserPrograms = {true, false, false, false};

    const struct {
        const char* what;
        WorkspaceState state;
        std::string expected;
    } cases[] = {
        {"no file", WorkspaceState{}, ""},
        {"no file behind the panes", noFiles, ""},
        {"file open", open(),
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 "
         "CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc"},
        {"rule selected", rule,
         "FileSaveAs FileOpenHTML cssBasic cssClass DelItem Refresh AddImportantTag ApplyCSS EditPaste1 "
         "CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc"},
        {"rule selected, no file", ruleNoFile, ""},
        {"unsaved, recent files", unsaved,
         "FileSave FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 "
         "mnuFileResent CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc"},
        {"selection", selected,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditCut1 EditCopy1 EditPaste1 "
         "CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc"},
        {"undo and redo", undo,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditUndo1 EditPaste2 "
         "EditRedo2 CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"document history, focus in the trees", history,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditUndo1 EditPaste2 "
         "EditUndo2 CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"document history, pane without its own", historyInPane,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditUndo1 EditPaste2 "
         "EditUndo2 CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"pane with a redo of its own", paneRedoOnly,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditRedo1 EditPaste2 "
         "EditUndo2 CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"HTML pane focused", htmlFocused,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditUndo1 EditPaste2 "
         "EditUndo2 CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"read-only", readOnly,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS EditPaste1 EditCopy2 "
         "CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"not applied", notApplied,
         "FileSaveAs FileOpenHTML cssBasic cssClass Refresh ApplyCSS EditPaste1 EditPaste2 CmbBoxPreviewHTML "
         "CmbBoxExDoctype TabSheetHTML"},
        {"help, addresses, box", extras, "EditBox mnuHelpView mnuHelpKey GoHomePage ToMail"},
        {"user's page", page,
         "FileSaveAs HTMLSave FileOpenHTML cssBasic cssClass Refresh AddImportantTag ApplyCSS PrevNS6 PrevOpera EditPaste1 EditPaste2 "
         "CmbBoxPreviewHTML CmbBoxExDoctype TabSheetSrc TabSheetHTML"},
        {"user's page alone", pageAlone, "HTMLSave PrevIE EditPaste2 TabSheetHTML"},
    };
    for (const auto& c : cases) EXPECT_EQ(offered(decideUiStates(c.state)), c.expected) << c.what;
    EXPECT_FALSE(*decideUiStates(notApplied)[UiItem::ApplyCSS].checked);
}

}  // namespace
}  // namespace pavik::test
