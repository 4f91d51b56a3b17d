#include "workspace/window/action_states.h"

#include <initializer_list>

namespace pavik {
namespace {

constexpr std::array<std::string_view, UiItemCount> kNames = {
    "NewCSS", "FileOpenCSS", "FileSave", "FileSaveAs", "FileExit", "HTMLSave", "FileOpenHTML", "FileOpenURL",
    "cssBasic", "cssClass", "DelItem", "EditBox", "ChangeCSStree", "Refresh", "ColoPicker", "AddImportantTag",
    "ApplyCSS", "PrevIE", "PrevNS4", "PrevNS6", "PrevOpera", "PrevIEBrowser", "PrevMozillaBrowser", "PrevSplit",
    "Setting", "TBCust", "ShowAbout", "mnuHelpView", "mnuHelpKey", "GoHomePage", "GoBBS", "ToMail",
    "EditCut1", "EditCopy1", "EditPaste1", "EditUndo1", "EditRedo1",
    "EditCut2", "EditCopy2", "EditPaste2", "EditUndo2", "EditRedo2",
    "FSize1", "FSize2", "FSize3", "FSize4",
    "mnuFileResent",
    "CmbBoxPreviewHTML", "CmbBoxExDoctype",
    "TabSheetSrc", "TabSheetHTML",
};

// The editor commands of one pane: none while the pane holds no file; a read-only pane only
// copies.
void decidePane(UiStates& u, const PaneState& p, bool fileOpen, UiItem cut, UiItem copy, UiItem paste, UiItem undo,
                UiItem redo) {
    u[cut].enabled = fileOpen && p.hasSelection && !p.readOnly;
    u[copy].enabled = fileOpen && p.hasSelection;
    u[paste].enabled = fileOpen && !p.readOnly;
    u[undo].enabled = fileOpen && p.canUndo && !p.readOnly;
    u[redo].enabled = fileOpen && p.canRedo && !p.readOnly;
}

}  // namespace

std::string_view uiItemName(UiItem item) { return kNames[static_cast<std::size_t>(item)]; }

UndoTarget undoTarget(const WorkspaceState& s) {
    const auto hasHistory = [](const PaneState& p) { return p.canUndo || p.canRedo; };
    if (s.focusedPane == FocusedPane::StyleSheet && hasHistory(s.styleSheetPane)) return UndoTarget::StyleSheetPane;
    if (s.focusedPane == FocusedPane::Html && hasHistory(s.htmlPane)) return UndoTarget::HtmlPane;
    return UndoTarget::Document;
}

UiStates decideUiStates(const WorkspaceState& s) {
    using enum UiItem;
    UiStates u;  // everything disabled and visible

    for (UiItem i : {NewCSS, FileOpenCSS, FileExit, ChangeCSStree, Setting, TBCust, ShowAbout, ColoPicker, FileOpenURL,
                     PrevIEBrowser, PrevMozillaBrowser, PrevSplit, FSize1, FSize2, FSize3, FSize4})
        u[i].enabled = true;

    // The file commands.
    u[FileSave].enabled = s.styleSheetOpen && s.styleSheetUnsaved;
    u[FileSaveAs].enabled = s.styleSheetOpen;
    u[mnuFileResent].enabled = s.recentFiles;

    // The style sheet's commands and pages.
    u[Refresh].enabled = s.styleSheetOpen;
    u[cssBasic].enabled = s.styleSheetOpen;
    u[cssClass].enabled = s.styleSheetOpen;
    u[DelItem].enabled = s.styleSheetOpen && s.ruleTreeSelection;
    u[TabSheetSrc].visible = s.styleSheetOpen && s.applyCSS;
    u[AddImportantTag].enabled = s.styleSheetOpen && s.applyCSS;  // it writes into that page's pane
    u[ApplyCSS].checked = s.applyCSS;
    u[TabSheetHTML].visible = s.userPage;
    u[EditBox].enabled = s.boxCategory;

    // The preview pages: chosen, switched and typed while a style sheet is open; the page
    // saved while it holds changes; each external browser while its program exists.
    for (UiItem i : {FileOpenHTML, CmbBoxPreviewHTML, CmbBoxExDoctype, ApplyCSS}) u[i].enabled = s.styleSheetOpen;
    u[HTMLSave].enabled = s.userPage && s.htmlPageUnsaved;
    const UiItem browsers[] = {PrevIE, PrevNS4, PrevNS6, PrevOpera};
    for (size_t b = 0; b < 4; ++b) u[browsers[b]].enabled = s.browserPrograms[b];

    u[mnuHelpView].enabled = s.helpFile;
    u[mnuHelpKey].enabled = s.helpFile;
    u[GoHomePage].enabled = s.homePage;
    u[GoBBS].enabled = s.supportBoard;
    u[ToMail].enabled = s.mailAddress;

    decidePane(u, s.styleSheetPane, s.styleSheetOpen, EditCut1, EditCopy1, EditPaste1, EditUndo1, EditRedo1);
    decidePane(u, s.htmlPane, s.userPage, EditCut2, EditCopy2, EditPaste2, EditUndo2, EditRedo2);
    // The Edit menu's undo and redo follow what they act on.
    switch (undoTarget(s)) {
    case UndoTarget::StyleSheetPane:
        break;
    case UndoTarget::HtmlPane:
        u[EditUndo1].enabled = u[EditUndo2].enabled;
        u[EditRedo1].enabled = u[EditRedo2].enabled;
        break;
    case UndoTarget::Document:
        u[EditUndo1].enabled = s.styleSheetOpen && s.documentCanUndo;
        u[EditRedo1].enabled = s.styleSheetOpen && s.documentCanRedo;
        break;
    }

    return u;
}

}  // namespace pavik
