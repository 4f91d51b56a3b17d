#pragma once
// The style sheet file commands of the main window: open (file dialog, recent-file menu and
// drop-down), save, save as, new, the save question, and the recent-file list. The window's
// handlers (FileOpenCSSAccept, FileSaveExecute, NewCSSExecute, ...) delegate here; the
// window's side is reached only through FileCommandsHost.
//
// Nothing the user wrote is lost:
// - Two marks say how the pane stands to the rules: the rules hold changes the pane does not
//   show (a value stored while automatic refresh is off, a regeneration the user declined),
//   and the pane was edited by hand since the program last put text into it. A save
//   regenerates the pane first when only the rules changed, asks which to keep when both
//   did, and saves the pane as it stands otherwise. Regenerating a pane that holds hand
//   edits asks first.
// - The save question (Yes, No, Cancel) comes whenever either mark is set or the style sheet
//   is unsaved, and not while no file is open. A Yes whose save fails, and Cancel, stop the
//   command (close, open, new) with everything as it was.
// - A file is read before anything changes: when the read fails, the open style sheet stays.
// - The program's own preview files are never opened as a style sheet, from any way in: the
//   next preview would overwrite the edits and the end of the run delete them.
// - Saving goes through writeTextFile in the file's form (encoding, line ends, escapes made on
//   reading); every failure is reported, saying that the file is as it was (all but a failed
//   in-place write that could not be undone).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "platform/text_encoding.h"
#include "vocabulary/fixed_texts.h"

class QDialog;
class QMenu;
class QWidget;

namespace pavik {

class FileChooser;
class HelpDesk;
class IniFile;
class TFileNameKeep;
class UserMessages;

// Why a style sheet is shown: opened (what the reading kept and expanded is told), made
// new, or saved and read back (the selection and the scroll places of the trees and the
// preview stay as the user left them).
enum class SheetShown { Opened, Created, Saved };

// What the file commands need of the main window.
class FileCommandsHost {
public:
    virtual ~FileCommandsHost() = default;
    virtual QWidget* owner() = 0;
    virtual UserMessages& messages() = 0;
    virtual FileChooser& files() = 0;
    virtual int runDialog(QDialog& dialog) = 0;
    virtual HelpDesk* helpDesk() = 0;
    // The window's one settings object, and its flush (a failure is reported).
    virtual IniFile& settings() = 0;
    virtual void flushSettings() = 0;
    // The folder chooser of the new style sheet dialog: a folder, or empty when cancelled.
    virtual QString chooseFolder() = 0;

    // The open style sheet: its file (absolute; empty: none), form and saved state.
    virtual QString styleSheetFile() const = 0;
    virtual const TextForm& styleSheetForm() const = 0;
    virtual bool styleSheetSaved() const = 0;
    // The style sheet pane's text (CP932) as it would be written, and its digest.
    virtual std::string paneText() const = 0;
    virtual QByteArray paneDigest() const = 0;
    // Goes up with every change of the pane's text (EditorCore::ChangeCount).
    virtual std::uint64_t paneChanges() const = 0;
    // Regenerates the pane from the rules and rebuilds the preview, asking nothing.
    virtual void regeneratePane() = 0;
    // Replaces the open style sheet by `text`, read from `file`: trees, preview, name,
    // `caption`, `form`, saved. With `paneText` the pane shows it instead of the
    // regenerated text. The user's preview page stays in the HTML pane as it is.
    virtual void showStyleSheet(const QString& file, const QString& caption, DecodedText text,
                                TextForm form, const std::optional<std::string>& paneText, SheetShown why) = 0;
    // The next showStyleSheet reads back what a save wrote: the same style sheet, its history
    // kept. `handEdit`: what was saved is the pane's own text, not the rules'.
    virtual void readingBackSave(bool handEdit) = 0;
    // Automatic refresh on for the rest of the run (the setting itself is unchanged).
    virtual void setAutoRefresh() = 0;
    // Runs a step of long work (reading or writing a file) with the window kept alive; it
    // throws WorkStopped when the window is closed meanwhile.
    virtual void runLong(const std::function<void()>& step) = 0;
    virtual void refreshStatus() = 0;
    // A message in the status line, after the status refresh.
    virtual void showStatus(const QString& text) = 0;

    // The user's preview page: its file, whether it is saved, and writing the HTML pane to it.
    // The program's own files (settings, preview files in its folder and beside the page).
    virtual std::vector<std::filesystem::path> ownFiles() const = 0;
    virtual QString htmlFile() const = 0;
    virtual bool htmlSaved() const = 0;
    virtual std::error_code writeHtmlPane() = 0;
};

// What a file is refused as when it is one of the program's own.
enum class OwnFileUse { StyleSheet, Page, SaveTarget };

class FileCommands {
public:
    explicit FileCommands(FileCommandsHost& host);
    ~FileCommands();

    // ---- Recent-file list ----------------------------------------------------------------
    // Loads the list into `menu` (the settings object must exist by then).
    void setRecentMenu(QMenu* menu);
    TFileNameKeep& recentList() const { return *keep_; }
    // Adds a file opened at start from the command line (the list is flushed later).
    void addStartFile(const QString& file);
    // The entries of the open button's drop-down (popmnuRecentPopup): the saved names, read
    // through the window's settings object, whose files exist, in list order.
    QStringList recentDropDownEntries() const;
    // At the end of the run: the list's keys into the settings object (flushed by the window).
    void writeRecentOnExit();

    // ---- Commands ------------------------------------------------------------------------
    // The style sheet opened at start (the command line's, or the last one): `file` is read
    // first, so a failure changes nothing; the caption shows it as `typed`; a command-line
    // file joins the recent list.
    void openAtStart(const QString& file, const QString& typed, bool fromArgument);
    void openFromDialog();                     // the open action: dialog, then FileOpenCSSAccept
    void openChosen(const QString& file);      // FileOpenCSSAccept
    void openRecent(const QString& file);      // FileNameKeepSelect
    void openRecentDropDown(const QString& file);  // popmnuRecentSelectAction
    // FileSaveExecute; false when nothing was saved (cancelled, or a reported failure). The
    // trees are read back from the file and the pane shows it; automatic refresh goes on. A
    // current file not named ".css" is saved as its ".css" sibling, which becomes current
    // (asking first when that one exists).
    bool save();
    void saveAsFromDialog();                   // the save-as action: dialog, then FileSaveAsAccept
    // FileSaveAsAccept: what the pane shows (as a save would write it) goes to `name` (with
    // ".css"), asking before an existing file is replaced. The open style sheet keeps its
    // name, caption and unsaved state; the current name itself is a plain save.
    void saveAs(const QString& name);
    void newStyleSheet();                      // NewCSSExecute

    // The save question before unsaved work is replaced or dropped. True when the command
    // may go on: nothing to save, saved, or the user chose not to save.
    bool askToSave(SaveKind kind);
    // The HTML pane to the user's page (in the page's encoding); a failure is reported.
    bool saveHtmlPage();
    // True, after telling the user, when `file`, by any path to it, is one of the program's
    // own files, which cannot serve as `use`, or (to open) its name cannot be used
    // (foreignNameRefusal).
    bool refuseOwnFile(const QString& file, OwnFileUse use);

    // ---- The pane and the rules ----------------------------------------------------------
    // Whether the style sheet holds anything not on disk.
    bool needsSaving() const;
    bool rulesChanged() const { return rulesChanged_; }
    // Whether the pane differs from the text the program last put into it.
    bool paneEdited() const;
    // A change stored into the rules and not regenerated into the pane.
    void rulesChangedOutsidePane() { rulesChanged_ = true; }
    // The program put text of this digest into the pane: regenerated from the rules, or read.
    void paneShows(QByteArray digest);
    // Before a regeneration: true when the pane may be replaced (it holds no hand edits, or
    // the user agreed to drop them). False keeps the pane, and the rules are then ahead of it.
    bool mayRegeneratePane();

private:
    enum class OpenFrom { Dialog, RecentMenu, RecentDropDown };
    void open(const QString& file, OpenFrom from);
    // The text a save writes, after regenerating or asking as the marks require; nothing
    // when the user cancelled.
    std::optional<std::string> textToSave();
    bool writeStyleSheet(const QString& target, const std::string& text);
    bool confirmReplace(const QString& target);
    void reportReadError(const QString& file, std::error_code ec);
    void reportWriteError(const QString& file, std::error_code ec);

    FileCommandsHost& host_;
    std::unique_ptr<TFileNameKeep> keep_;
    bool rulesChanged_ = false;
    QByteArray paneBaseline_;            // the digest of the text the program put into the pane
    std::uint64_t baselineChanges_ = 0;  // paneChanges() when the baseline was taken
};

// The digest of text made piece by piece (BLAKE2b-256): texts with the same digest are taken
// to be the same text.
QByteArray textDigest(const FileProducer& produce);

// The file a style sheet is saved as: `file` itself when its extension is ".css" in any case,
// else `file` with its extension replaced by ".css" (or ".css" added).
QString styleSheetTarget(const QString& file);

// Why `path`, named as one of the files Pavik writes and deletes for the preview, cannot be
// opened as a page (`asPage`) or as a style sheet.
QString ownTemporaryRefusal(const QString& path, bool asPage);
// Why `path`, which leads to the program's own file `own`, cannot serve as `use`.
QString ownFileRefusal(const QString& path, const QString& own, OwnFileUse use);

// Why `path` cannot be used, when a file or folder name on it holds bytes that are not UTF-8
// (a Shift_JIS name): such a name reaches the program with those bytes replaced by U+FFFD,
// and no file of the name so made exists. Empty for any other path, found or not.
QString foreignNameRefusal(const QString& path);

}  // namespace pavik
