// The window's side of the file commands: its handlers delegate to FileCommands, which reaches
// the window through FileLink; the open sequence's steps after the file was read.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "components/file_name_keep.h"
#include "platform/app_paths.h"
#include "vocabulary/shared_routines.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"
#include "workspace/window/long_work.h"
#include "workspace/window/pane_commands.h"
#include "workspace/window/preview_list.h"
#include "workspace/window/preview_pages.h"

namespace pavik {

class TfrmMain::FileLink final : public FileCommandsHost {
public:
    explicit FileLink(TfrmMain& window) : w_(window) {}

    QWidget* owner() override { return &w_; }
    UserMessages& messages() override { return *w_.services_.messages; }
    FileChooser& files() override { return *w_.services_.files; }
    int runDialog(QDialog& dialog) override { return w_.services_.runDialog(dialog); }
    HelpDesk* helpDesk() override { return w_.helpDesk(); }
    IniFile& settings() override { return *w_.Ini; }
    void flushSettings() override { w_.flushSettings(); }
    QString chooseFolder() override { return TfrmMain::GetFolderName(); }

    QString styleSheetFile() const override { return w_.sCSSFileName; }
    const TextForm& styleSheetForm() const override { return w_.CSSForm; }
    bool styleSheetSaved() const override { return w_.bCSSSaved; }
    std::string paneText() const override { return w_.sourcePaneText(); }
    QByteArray paneDigest() const override { return w_.sourcePaneDigest(); }
    std::uint64_t paneChanges() const override { return w_.RichEditSrc->core().ChangeCount(); }
    void regeneratePane() override { w_.rebuildPreview(true); }
    void showStyleSheet(const QString& file, const QString& caption, DecodedText text, TextForm form,
                        const std::optional<std::string>& paneText, SheetShown why) override {
        w_.showStyleSheet(file, caption, std::move(text), std::move(form), paneText, why);
    }
    void readingBackSave(bool handEdit) override { w_.saveReadBack_ = handEdit; }
    void setAutoRefresh() override { w_.bAutoRefresh = true; }
    void runLong(const std::function<void()>& step) override { w_.work_->run(step); }
    void refreshStatus() override { w_.Refresh_Status(); }
    void showStatus(const QString& text) override { w_.showNotice(text); }

    std::vector<std::filesystem::path> ownFiles() const override {
        std::vector<std::filesystem::path> files = programOwnFiles();
        for (const QString& preview : {w_.PreviewHTMLPath, w_.PreviewCSSPath})
            if (!preview.isEmpty()) files.emplace_back(QFile::encodeName(preview).toStdString());
        return files;
    }
    QString htmlFile() const override { return w_.sHTMLFileName; }
    bool htmlSaved() const override { return w_.bHTMLSaved; }
    // In the page's own encoding and line ends, as it was read.
    std::error_code writeHtmlPane() override {
        const std::string text = w_.EditHTML->core().SaveToBytes(SaveFlagsPlain);
        if (std::error_code ec = writeTextFile(QFile::encodeName(w_.sHTMLFileName).toStdString(), text, w_.HTMLForm))
            return ec;
        w_.EditHTML->SetEdited(false);
        w_.commandsOf(w_.EditHTML).savedToFile();
        return {};
    }

private:
    TfrmMain& w_;
};

void TfrmMain::createFileCommands() {
    fileLink_ = std::make_unique<FileLink>(*this);
    fileCommands_ = std::make_unique<FileCommands>(*fileLink_);
    fileCommands_->recentList().OnSelect = [this](const QString& file) {
        guarded([this, file] { FileNameKeepSelect(file); });
    };
    connect(FileOpenCSS, &QAction::triggered, this, [this] { guarded([this] { FileOpenCSSExecute(); }); });
    connect(FileSave, &QAction::triggered, this, [this] { guarded([this] { FileSaveExecute(); }); });
    connect(FileSaveAs, &QAction::triggered, this, [this] { guarded([this] { FileSaveAsExecute(); }); });
    connect(NewCSS, &QAction::triggered, this, [this] { guarded([this] { NewCSSExecute(); }); });
    connect(popmnuRecent, &QMenu::aboutToShow, this, [this] { guarded([this] { popmnuRecentPopup(); }); });
}

void TfrmMain::dftCssSrcEnter(TDropEffect& effect) {
    const std::vector<std::string>& files = dftCssSrc->DroppedFiles;
    if (files.size() != 1 || !hasExtension(files.front(), ".css")) effect = DropEffectNone;
}

void TfrmMain::dftCssSrcDrop(const std::vector<std::string>& files) {
    commitTypedValues();
    if (!files.empty() && hasExtension(files.front(), ".css"))
        fileCommands_->openChosen(QFile::decodeName(QByteArray::fromStdString(files.front())));
}

void TfrmMain::FileOpenCSSExecute() { fileCommands_->openFromDialog(); }

void TfrmMain::FileOpenCSSAccept(const QString& file) { fileCommands_->openChosen(file); }

void TfrmMain::FileNameKeepSelect(const QString& file) {
    commitTypedValues();
    fileCommands_->openRecent(file);
}

void TfrmMain::popmnuRecentPopup() {
    popmnuRecent->clear();
    for (const QString& file : fileCommands_->recentDropDownEntries()) {
        QAction* item = popmnuRecent->addAction(imageListIcon(imgRecentFile), QString(file).replace('&', "&&"));
        connect(item, &QAction::triggered, this,
                [this, file] { guarded([this, file] { popmnuRecentSelectAction(file); }); });
    }
}

void TfrmMain::popmnuRecentSelectAction(const QString& file) {
    commitTypedValues();
    fileCommands_->openRecentDropDown(file);
}

void TfrmMain::FileSaveExecute() {
    fileCommands_->save();
    Refresh_Status();
}

void TfrmMain::FileSaveAsExecute() { fileCommands_->saveAsFromDialog(); }

void TfrmMain::FileSaveAsAccept(const QString& name) { fileCommands_->saveAs(name); }

void TfrmMain::NewCSSExecute() { fileCommands_->newStyleSheet(); }

QString TfrmMain::GetFolderName() {
    std::string folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
    if (!SelectFolder("フォルダを選んで下さい", folder)) return {};
    return QString::fromStdString(folder);
}

bool TfrmMain::styleSheetUnsaved() const {
    return !bCSSSaved || (fileCommands_ && fileCommands_->rulesChanged()) || (values_ && values_->hasTypedText());
}

std::string TfrmMain::sourcePaneText() const { return RichEditSrc->core().SaveToBytes(SaveFlagsPlain); }

QByteArray TfrmMain::sourcePaneDigest() const {
    return textDigest([this](const TextSink& sink) { RichEditSrc->core().SaveToPieces(SaveFlagsPlain, sink); });
}

void TfrmMain::clearSourcePane() {
    RichEditSrc->Clear();
    fileCommands_->paneShows(sourcePaneDigest());
}

void TfrmMain::showStyleSheet(const QString& file, const QString& caption, DecodedText text,
                              TextForm form, const std::optional<std::string>& paneText, SheetShown why) {
    // A save read back keeps the user where they were: selection, trees, preview, focus.
    std::optional<SelectionPlaces::Place> place;
    QPointer<QWidget> focus;
    if (why == SheetShown::Saved) {
        place = places_->remember();
        focus = QApplication::focusWidget();
    }
    if (!caption.isEmpty()) setCaptionFor(caption);
    DeletePreviewFiles();
    sCSSFileName = file;
    CSSForm = std::move(form);
    // A save's read-back keeps the history: the document it replaces goes to it, or is
    // freed when the text is the same. (The trees let go of it when the reading starts.)
    const std::optional<bool> handEdit = std::exchange(saveReadBack_, std::nullopt);
    StyleDocument before = handEdit ? std::exchange(Document, StyleDocument()) : StyleDocument();
    try {
        AnalyzeCSS(std::move(text), why == SheetShown::Opened);
        if (handEdit)
            historyCommands_->readBackFromSave(std::move(before), *handEdit);
        else
            historyCommands_->restart();
        if (place) {
            const QScopedValueRollback hold(previewMove_, PreviewMove::Hold);
            places_->restore(*place);
        }
        {
            const QScopedValueRollback keep(previewMove_, place ? PreviewMove::KeepPlace : previewMove_);
            previewPages_->rebuild();  // the HTML page stays in its pane, edits and all
        }
        if (paneText) reloadSourcePane(*paneText);
    } catch (const WorkStopped&) {
        historyCommands_->restart();
        // Stopped before the file was shown whole: none of it is open, and nothing asks to
        // save it over the file, which stays as it is.
        clearStyleSheet();
        sCSSFileName.clear();
        setCaptionFor(QString());
        bCSSSaved = true;
        throw;
    }
    if (focus && focus->isVisible())
        focus->setFocus();
    else if (PageControlSrc->currentIndex() == 0)
        TreeViewStruct->setFocus();
    commandsOf(RichEditSrc).savedToFile();  // the pane's history starts at the file's text
    Refresh_Status();
}

void TfrmMain::showNotice(const QString& text) {
    StatusBar->setMessage(text);
    QTimer::singleShot(0, this, [this, text] { StatusBar->setMessage(text); });
}

}  // namespace pavik
