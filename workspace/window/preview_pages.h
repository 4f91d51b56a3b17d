#pragma once
// The preview pages of the main window: the user's own pages (the page list, the open
// dialog, a page dropped on the preview), the HTML pane that shows the chosen page, the
// document type, the style sheet switch, the text size, the layout of the preview panels and
// the external browsers. The window's handlers (CmbBoxPreviewHTMLSelect, FileOpenHTMLAccept,
// dftHTMLsrcEnter, dftHTMLsrcDrop, CmbBoxExDoctypeSelect, ApplyCSSExecute, HTMLSaveExecute,
// PrevIEExecute and its kin, the three layouts, FontSizeExecute and
// UpdatePreviewBrowserActions) delegate here.
//
// The user's page is kept as it is:
// - The HTML pane shows the page read through its encoding, and the HTML save writes it back
//   in that encoding: a page saved unedited comes back byte for byte (line ends aside). A
//   page holding characters Shift_JIS cannot hold is shown read-only, since a save would
//   put escapes in their place; so is a page whose encoding is not recognised.
// - The preview shows a copy written beside the page (preview_copy.h); nothing but the HTML
//   save writes the page itself, and a page named like one of the program's temporary files
//   is refused.
// - Before the pane is given another page, the HTML save question: Yes saves, No drops the
//   edits, and Cancel, or a Yes whose save fails, stops the command with the list as it was.
//   The commands that keep the page (document type, style sheet switch, opening or saving a
//   style sheet) rebuild the preview from the page as last loaded, and leave the pane, edits
//   and all, as it is.
#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "components/drop_target.h"
#include "editor/editor_core.h"
#include "workspace/window/preview_list.h"

namespace pavik {

class TfrmMain;

// The layouts of the preview panels.
enum class PreviewLayout { Browser, Split, Mozilla };

class PreviewPages {
public:
    explicit PreviewPages(TfrmMain& window);

    // The page list from section "Preview" (item 0, the built-in page, selected); at exit
    // back to it.
    void readList();
    void writeList();

    // CmbBoxPreviewHTMLSelect: after the HTML save question, the pane shows the selected
    // page, its copy is written and the preview rebuilt. A listed page that is gone empties
    // the pane and builds nothing. False when the question stopped it (the list shows the
    // page the pane holds again).
    bool select();
    // The preview rebuilt for the selected page, from the page as last loaded; the HTML pane
    // stays as it is.
    void rebuild();

    // The HTML page's open action: the preview files are deleted while the dialog shows
    // (FileOpenHTMLBeforeExecute), and written again when it is cancelled.
    void openFromDialog();
    // FileOpenHTMLAccept: the page joins the list (exactly as given; the oldest leaves a full
    // list) and is selected. False when it was refused (told) or the HTML save question
    // stopped it.
    bool choose(const QString& page);
    // dftHTMLsrcEnter: one ".html" or ".htm" file, else the drop is refused.
    static void dropEnter(const std::vector<std::string>& files, TDropEffect& effect);
    // dftHTMLsrcDrop: the first file, when it is such a page and exists.
    void drop(const std::vector<std::string>& files);

    void docTypeSelected();   // CmbBoxExDoctypeSelect
    void toggleStyleSheet();  // ApplyCSSExecute
    // HTMLSaveExecute: the pane to the page in the page's encoding, then the page reloaded.
    // False when the save failed (reported; the pane keeps its edits).
    bool saveHtml();

    // PrevIEExecute (0), PrevNS4Execute (1), PrevNS6Execute (2), PrevOperaExecute (3): the
    // program of "Prev1".."Prev4" started on the preview page, when the page exists.
    void startBrowser(int browser);
    // UpdatePreviewBrowserActions: which programs exist, and the look of PrevNS6.
    void updateBrowserActions();
    bool browserProgram(int browser) const { return programs_[static_cast<size_t>(browser)]; }
    // Whether the copy of the selected user page was written by the last select or rebuild.
    bool copyWritten() const { return copyWritten_; }

    void showLayout(PreviewLayout layout);  // PrevIEBrowserExecute, PrevSplitExecute, PrevMozillaBrowserExecute
    // FontSizeExecute: the browser's text size, the checked item and BaseFSize.
    void setTextSize(int level);

private:
    // sHTMLFileName and the preview paths for list item `item` (0: the built-in page).
    void takeItem(int item);
    // Reads the page into HTMLStream and the pane; false (the pane emptied, the reason told)
    // when it cannot be read.
    bool loadPage();
    void showInPane(EditorCore::PreparedLoad rows, bool readOnly);
    void writeCopy();
    // The list shows the page the pane holds.
    void showPageOfPane();
    void fillList(int selected);

    TfrmMain& w_;
    PreviewPageList list_;
    bool pageLoaded_ = false;  // HTMLStream holds the page sHTMLFileName names
    bool copyWritten_ = false;
    std::array<bool, 4> programs_{};
};

}  // namespace pavik
