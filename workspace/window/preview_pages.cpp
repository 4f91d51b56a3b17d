#include "workspace/window/preview_pages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <algorithm>

#include "dialogs/setting_values.h"
#include "platform/app_paths.h"
#include "platform/browser_launcher.h"
#include "platform/file_bytes.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/preview_copy.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"
#include "workspace/window/long_work.h"
#include "workspace/window/pane_commands.h"

namespace pavik {
namespace {

const char* const BrowserKeys[4] = {"Prev1", "Prev2", "Prev3", "Prev4"};

QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string pathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool isPageName(const std::string& file) { return hasExtension(file, ".html") || hasExtension(file, ".htm"); }

}  // namespace

PreviewPages::PreviewPages(TfrmMain& window) : w_(window) {}

// ---- The page list -----------------------------------------------------------------------

void PreviewPages::readList() {
    list_ = PreviewPageList::read(*w_.Ini);
    fillList(0);
}

void PreviewPages::writeList() { list_.write(*w_.Ini); }

void PreviewPages::fillList(int selected) {
    QComboBox* box = w_.CmbBoxPreviewHTML;
    box->clear();
    box->addItem(QStringLiteral("デフォルトプレビュー"));
    for (const std::string& page : list_.pages()) box->addItem(pathText(page));
    box->setCurrentIndex(selected);
}

void PreviewPages::showPageOfPane() {
    const int at = w_.sHTMLFileName.isEmpty() ? -1 : list_.indexOf(pathBytes(w_.sHTMLFileName));
    w_.CmbBoxPreviewHTML->setCurrentIndex(at + 1);
}

// ---- Choosing and showing a page ---------------------------------------------------------

bool PreviewPages::select() {
    if (!w_.fileCommands().askToSave(SaveKind::HtmlPage)) {
        showPageOfPane();
        w_.Refresh_Status();
        return false;
    }
    w_.bHTMLSaved = true;
    const bool saved = w_.bCSSSaved;
    w_.DeletePreviewFiles();
    takeItem(w_.CmbBoxPreviewHTML->currentIndex());
    if (!w_.sHTMLFileName.isEmpty()) {
        if (!loadPage()) {
            w_.Refresh_Status();
            return true;
        }
        writeCopy();
        if (w_.PageControlDown->currentWidget() == w_.TabSheetHTML) w_.EditHTML->setFocus();
    }
    w_.RefreshPreview();
    w_.bCSSSaved = saved;
    w_.Refresh_Status();
    return true;
}

void PreviewPages::rebuild() {
    const bool saved = w_.bCSSSaved;
    w_.DeletePreviewFiles();
    takeItem(w_.CmbBoxPreviewHTML->currentIndex());
    if (pageLoaded_) writeCopy();
    w_.RefreshPreview();
    w_.bCSSSaved = saved;
    w_.Refresh_Status();
}

void PreviewPages::takeItem(int item) {
    const bool user = item > 0 && item <= static_cast<int>(list_.pages().size());
    const QString page = user ? pathText(list_.pages()[static_cast<size_t>(item - 1)]) : QString();
    if (page.isEmpty() || page != w_.sHTMLFileName) pageLoaded_ = false;
    copyWritten_ = false;
    w_.sHTMLFileName = page;
    w_.computePreviewPaths();
}

bool PreviewPages::loadPage() {
    const QString page = w_.sHTMLFileName;
    std::string bytes;
    std::error_code ec;
    // A CP932 page is shown from its bytes; only a Unicode page is converted.
    DecodedText text;
    EditorCore::PreparedLoad rows;
    bool recognised = true;
    EditorCore& pane = w_.EditHTML->core();
    w_.longWork().run([&] {
        ec = readFileBytes(pathBytes(page), bytes);
        if (ec) return;
        text.encoding = detectEncoding(bytes);
        if (text.encoding != TextEncoding::Cp932)
            text = decodeToCp932(bytes, text.encoding);
        else
            text.lineEnd = detectLineEnd(bytes);
        const std::string_view cp932 = text.encoding == TextEncoding::Cp932 ? std::string_view(bytes) : text.cp932;
        recognised = isEditableCp932(cp932);
        rows = pane.PrepareLoad(cp932, lfRewrap);
        text.cp932 = std::string();
    });
    pageLoaded_ = !ec;
    if (ec) {
        w_.HTMLStream.clear();
        showInPane(pane.PrepareLoad("", lfRewrap), false);
        if (const QString refusal = foreignNameRefusal(page); !refusal.isEmpty())
            w_.services_.messages->error(&w_, refusal);
        else if (ec == std::errc::no_such_file_or_directory)
            w_.showNotice(QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(page));
        else
            w_.services_.messages->error(&w_, QStringLiteral("HTML ファイル [ %1 ] を読み込めませんでした。\n%2")
                                                  .arg(page, QString::fromStdString(ec.message())));
        return false;
    }
    w_.HTMLStream = std::move(bytes);
    w_.HTMLForm = text.form();
    showInPane(std::move(rows), !text.escaped.empty() || !recognised);
    if (!recognised)
        w_.services_.messages->information(
            &w_, QStringLiteral("HTML ファイル [ %1 ] の文字コードを判別できませんでした "
                                "(Shift_JIS, UTF-8, UTF-16 のどれとしても読めません)。\n"
                                "ファイルを書き換えないよう、HTML タブでは読み取り専用で表示します。")
                     .arg(QFileInfo(page).fileName()));
    else if (!text.escaped.empty())
        w_.services_.messages->information(
            &w_, QStringLiteral("HTML ファイル [ %1 ] の次の文字は Shift_JIS で表せません: %2\n"
                                "ファイルを書き換えないよう、HTML タブでは読み取り専用で表示します。"
                                "プレビューにはそのまま表示されます。")
                     .arg(QFileInfo(page).fileName(), TfrmMain::describeEscapes(text.escaped, text.madeEscapes)));
    return true;
}

// The page's text as it is: the rows are only wrapped for the pane's width, which changes
// no byte of what a save writes.
void PreviewPages::showInPane(EditorCore::PreparedLoad rows, bool readOnly) {
    TAFEdit* pane = w_.EditHTML;
    PaneCommands& commands = w_.commandsOf(pane);
    w_.bHTMLSaved = true;
    commands.historyRestarts();
    pane->BeginUpdate();
    pane->Clear();
    pane->core().LoadPrepared(std::move(rows));
    pane->EndUpdate();
    pane->SetReadOnly(readOnly);
    pane->SetEdited(false);
    pane->viewport()->update();
    commands.savedToFile();
    w_.bHTMLCanUndo = false;
}

void PreviewPages::writeCopy() {
    w_.StatusBar->setMessage(QStringLiteral("プレビュー用コピー作成"));
    SamplePageOptions options;
    options.DocType = w_.CmbBoxExDoctype->currentIndex();
    options.ApplyCss = w_.bApplyCSS;
    const std::string_view page = w_.HTMLStream;
    const TextEncoding encoding = w_.HTMLForm.encoding;  // found when the page was read
    const std::string copyPath = pathBytes(w_.PreviewHTMLPath);
    std::error_code ec;
    w_.longWork().run([&] {
        ec = writeOwnFile(copyPath, [&](const auto& write) { makePreviewCopy(page, encoding, options, write); });
    });
    copyWritten_ = w_.previewWritten(w_.PreviewHTMLPath, ec);
}

void PreviewPages::openFromDialog() {
    w_.FileOpenHTMLBeforeExecute();
    const QString near = !w_.sHTMLFileName.isEmpty() ? w_.sHTMLFileName : w_.sCSSFileName;
    const QString file = w_.services_.files->openFile(
        &w_, {QStringLiteral("開く"), near.isEmpty() ? QString() : QFileInfo(near).absolutePath(),
              QStringLiteral("HTML ファイル (*.html *.htm)")});
    if (!file.isEmpty() && choose(file)) return;
    // Cancelled, or the page refused: the preview files back, as they were.
    if (pageLoaded_ && !w_.sHTMLFileName.isEmpty()) writeCopy();
    w_.rebuildPreview(false);
}

bool PreviewPages::choose(const QString& page) {
    const QString path = QFileInfo(page).absoluteFilePath();
    QString refusal = foreignNameRefusal(page);
    if (refusal.isEmpty() && isPreviewTemporary(pathBytes(path))) refusal = ownTemporaryRefusal(path, true);
    if (!refusal.isEmpty()) {
        w_.services_.messages->error(&w_, refusal);
        return false;
    }
    if (!w_.fileCommands().askToSave(SaveKind::HtmlPage)) {
        w_.Refresh_Status();
        return false;
    }
    w_.bHTMLSaved = true;
    fillList(list_.add(pathBytes(path)) + 1);
    select();
    return true;
}

void PreviewPages::dropEnter(const std::vector<std::string>& files, TDropEffect& effect) {
    if (files.size() != 1 || !isPageName(files.front())) effect = DropEffectNone;
}

void PreviewPages::drop(const std::vector<std::string>& files) {
    if (files.empty() || !isPageName(files.front())) return;
    const QString page = pathText(files.front());
    if (QFileInfo(page).isFile() || !foreignNameRefusal(page).isEmpty()) choose(page);
}

// ---- Document type, style sheet switch, HTML save ----------------------------------------

void PreviewPages::docTypeSelected() { rebuild(); }

void PreviewPages::toggleStyleSheet() {
    w_.bApplyCSS = !w_.bApplyCSS;
    setActionHint(w_.ApplyCSS, w_.bApplyCSS ? QStringLiteral("スタイルシート適応中|スタイルシート適応/非適応の切り替え")
                                           : QStringLiteral("スタイルシート未使用|スタイルシート適応/非適応の切り替え"));
    rebuild();
}

bool PreviewPages::saveHtml() {
    if (w_.sHTMLFileName.isEmpty()) return false;
    if (!w_.fileCommands().saveHtmlPage()) {
        w_.Refresh_Status();
        return false;
    }
    select();
    return true;
}

// ---- External browsers, layouts, text size -----------------------------------------------

void PreviewPages::startBrowser(int browser) {
    const QString page = w_.PreviewHTMLPath;
    if (page.isEmpty() || !QFileInfo(page).isFile() || !w_.services_.browsers) return;
    const QString program = QString::fromStdString(w_.Ini->ReadString(SectionSystem, BrowserKeys[browser], ""));
    if (program.isEmpty()) return;
    if (!w_.services_.browsers->start(program, {QDir::toNativeSeparators(QFileInfo(page).absoluteFilePath())}))
        w_.services_.messages->error(&w_, QStringLiteral("ブラウザ [ %1 ] を起動できませんでした。").arg(program));
}

void PreviewPages::updateBrowserActions() {
    for (size_t i = 0; i < programs_.size(); ++i) {
        const std::string program = w_.Ini->ReadString(SectionSystem, BrowserKeys[i], "");
        programs_[i] = !program.empty() && QFileInfo(QString::fromStdString(program)).isFile();
        if (i == 2 && programs_[i]) {
            const bool mozilla = namesMozilla(program);
            w_.PrevNS6->setIcon(imageListIcon(mozilla ? imgMozilla : imgPrevNS6));
            w_.PrevNS6->setProperty("imageIndex", mozilla ? imgMozilla : imgPrevNS6);
            setActionHint(w_.PrevNS6, mozilla ? QStringLiteral("Mozillaで表示") : QStringLiteral("Netscapeで表示"));
        }
    }
    w_.UpdateActionStates();
}

void PreviewPages::showLayout(PreviewLayout layout) {
    if (layout == PreviewLayout::Browser) {
        w_.PanelGecko->hide();
        w_.PanelIE->setMinimumWidth(0);
        w_.PanelIE->setMaximumWidth(QWIDGETSIZE_MAX);
        w_.PanelIE->show();
    } else if (layout == PreviewLayout::Split) {
        w_.PanelIE->setFixedWidth(std::max(0, w_.PageControlDown->width() / 2 - 20));
        w_.PanelIE->show();
        w_.PanelGecko->show();
    }
    if (!w_.sCSSFileName.isEmpty()) w_.RefreshExecute();
}

void PreviewPages::setTextSize(int level) {
    if (level < 1 || level > 4) return;
    if (PreviewBrowser* browser = w_.browser()) browser->setTextSize(level);
    w_.FSize[level - 1]->setChecked(true);
    w_.BaseFSize = level;
}

}  // namespace pavik
