#include "workspace/window/file_commands.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "components/file_name_keep.h"
#include "dialogs/dlg_new_css.h"
#include "platform/app_paths.h"
#include "platform/file_bytes.h"
#include "platform/ini_file.h"
#include "workspace/window/main_window_services.h"
#include "workspace/window/preview_list.h"

namespace pavik {
namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QString StyleSheetFilter = QStringLiteral("スタイルシート (*.css)");

QStringList yesNoCancel() {
    return {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"), QStringLiteral("キャンセル")};
}

}  // namespace

QString styleSheetTarget(const QString& file) {
    if (hasExtension(file.toStdString(), ".css")) return file;
    const QString name = QFileInfo(file).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    return file.left(file.size() - name.size()) + stem + QStringLiteral(".css");
}

QString ownTemporaryRefusal(const QString& path, bool asPage) {
    return ownFileRefusal(path, path, asPage ? OwnFileUse::Page : OwnFileUse::StyleSheet);
}

QString ownFileRefusal(const QString& path, const QString& own, OwnFileUse use) {
    const QString refused = use == OwnFileUse::Page       ? QStringLiteral("プレビューするページにはできません。")
                            : use == OwnFileUse::SaveTarget ? QStringLiteral("保存先にはできません。")
                                                            : QStringLiteral("スタイルシートとして開くことはできません。");
    if (own == path)
        return QStringLiteral("[ %1 ] は Pavik がプレビューのために書き込み、削除するファイルと同じ名前のため、%2")
            .arg(path, refused);
    return QStringLiteral("[ %1 ] は Pavik 自身のファイル [ %2 ] を指しているため、%3").arg(path, own, refused);
}

QString foreignNameRefusal(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter) || QFileInfo::exists(path)) return {};
    return QStringLiteral("[ %1 ] は開けません。ファイル名かフォルダ名に UTF-8 ではない文字 (Shift_JIS など) が"
                          "含まれています。Pavik はファイル名を UTF-8 として読むため、この名前のファイルを見つけられません"
                          " (読めない文字は � と表示されています)。名前を UTF-8 に変えてから開いてください。")
        .arg(path);
}

FileCommands::FileCommands(FileCommandsHost& host)
    : host_(host), keep_(std::make_unique<TFileNameKeep>([this]() -> IniFile& { return host_.settings(); })) {}

FileCommands::~FileCommands() = default;

// ---- Recent-file list ------------------------------------------------------------------

void FileCommands::setRecentMenu(QMenu* menu) { keep_->SetParentMenu(menu); }

void FileCommands::addStartFile(const QString& file) { keep_->AddFileName(file); }

QStringList FileCommands::recentDropDownEntries() const {
    QStringList entries;
    const IniFile& ini = host_.settings();
    for (int slot = 1; slot <= TFileNameKeep::Count; ++slot) {
        const QString name = QString::fromStdString(
            ini.ReadString(SectionKeepFileNames, "FileName" + std::to_string(slot), ""));
        if (!name.isEmpty() && QFileInfo::exists(name)) entries.append(name);
    }
    return entries;
}

void FileCommands::writeRecentOnExit() { keep_->WriteOnExit(); }

// ---- Opening -----------------------------------------------------------------------------

void FileCommands::openFromDialog() {
    const QString current = host_.styleSheetFile();
    const QString file = host_.files().openFile(
        host_.owner(), {QStringLiteral("開く"), current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
                        StyleSheetFilter});
    if (!file.isEmpty()) openChosen(file);
}

void FileCommands::openChosen(const QString& file) { open(file, OpenFrom::Dialog); }

void FileCommands::openRecent(const QString& file) { open(file, OpenFrom::RecentMenu); }

void FileCommands::openRecentDropDown(const QString& file) { open(file, OpenFrom::RecentDropDown); }

bool FileCommands::refuseOwnFile(const QString& file, OwnFileUse use) {
    if (const QString refusal = use == OwnFileUse::SaveTarget ? QString() : foreignNameRefusal(file); !refusal.isEmpty()) {
        host_.messages().error(host_.owner(), refusal);
        return true;
    }
    const QString absolute = QFileInfo(file).absoluteFilePath();
    const std::optional<std::filesystem::path> own =
        ownFileBehind(QFile::encodeName(absolute).toStdString(), host_.ownFiles());
    if (!own) return false;
    host_.messages().error(host_.owner(), ownFileRefusal(absolute, QFile::decodeName(own->c_str()), use));
    return true;
}

void FileCommands::open(const QString& file, OpenFrom from) {
    if (refuseOwnFile(file, OwnFileUse::StyleSheet)) {
        host_.refreshStatus();
        return;
    }
    if (from != OpenFrom::Dialog && !QFileInfo::exists(file)) {
        host_.refreshStatus();
        host_.showStatus(QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(file));
        return;
    }
    if (from == OpenFrom::RecentDropDown) keep_->AddFileName(file);
    if (!askToSave(SaveKind::StyleSheet)) {
        host_.refreshStatus();
        return;
    }
    DecodedText text;
    std::error_code ec;
    host_.runLong([&] { ec = readTextFile(file.toStdString(), text); });
    if (ec) {
        reportReadError(file, ec);
        host_.refreshStatus();
        return;
    }
    const QString absolute = QFileInfo(file).absoluteFilePath();
    TextForm form = text.form();
    host_.showStyleSheet(absolute, absolute, std::move(text), std::move(form), std::nullopt, SheetShown::Opened);
    if (from == OpenFrom::Dialog) {
        keep_->AddFileName(absolute);
        host_.flushSettings();
    }
}

void FileCommands::openAtStart(const QString& file, const QString& typed, bool fromArgument) {
    if (refuseOwnFile(file, OwnFileUse::StyleSheet)) return;
    DecodedText text;
    std::error_code ec;
    host_.runLong([&] { ec = readTextFile(file.toStdString(), text); });
    if (ec) return reportReadError(file, ec);
    const QString absolute = QFileInfo(file).absoluteFilePath();
    TextForm form = text.form();
    host_.showStyleSheet(absolute, typed, std::move(text), std::move(form), std::nullopt, SheetShown::Opened);
    if (fromArgument) keep_->AddFileName(absolute);
}

// ---- Saving ------------------------------------------------------------------------------

bool FileCommands::askToSave(SaveKind kind) {
    if (kind == SaveKind::StyleSheet) {
        const QString file = host_.styleSheetFile();
        if (file.isEmpty() || !needsSaving()) return true;
        const int answer = host_.messages().choose(
            host_.owner(), utf8(savePrompt(SaveKind::StyleSheet, file.toStdString())), yesNoCancel());
        if (answer == 0) return save();
        return answer == 1;
    }
    const QString page = host_.htmlFile();
    if (page.isEmpty() || host_.htmlSaved()) return true;
    const int answer =
        host_.messages().choose(host_.owner(), utf8(savePrompt(SaveKind::HtmlPage, page.toStdString())), yesNoCancel());
    if (answer != 0) return answer == 1;
    return saveHtmlPage();
}

bool FileCommands::saveHtmlPage() {
    const QString page = host_.htmlFile();
    if (page.isEmpty()) return false;
    if (std::error_code ec = host_.writeHtmlPane()) {
        reportWriteError(page, ec);
        return false;
    }
    return true;
}

bool FileCommands::save() {
    const QString file = host_.styleSheetFile();
    if (file.isEmpty()) return false;
    const std::optional<std::string> text = textToSave();
    if (!text) return false;
    const bool handEdit = paneEdited();
    const QString target = styleSheetTarget(file);
    const bool renamed = target != file;
    if (renamed && QFileInfo::exists(target) && !confirmReplace(target)) return false;
    if (!writeStyleSheet(target, *text)) return false;
    host_.setAutoRefresh();

    // The trees are read back from what was saved, and the pane shows it. The file keeps its
    // encoding and line ends; the escapes are those made reading it back.
    TextForm form = host_.styleSheetForm();
    DecodedText read;
    std::error_code readError;
    host_.runLong([&] { readError = readTextFile(target.toStdString(), read); });
    if (std::error_code ec = readError) {
        reportReadError(target, ec);
        read.cp932 = *text;
    } else {
        form.escapes = std::move(read.madeEscapes);
    }
    const std::string shown = read.cp932;
    host_.readingBackSave(handEdit);
    host_.showStyleSheet(target, renamed ? target : QString(), std::move(read), std::move(form), shown, SheetShown::Saved);
    if (renamed) {
        keep_->AddFileName(target);
        host_.flushSettings();
    }
    return true;
}

void FileCommands::saveAsFromDialog() {
    const QString current = host_.styleSheetFile();
    if (current.isEmpty()) return;
    const QString name = host_.files().saveFile(
        host_.owner(), {QStringLiteral("名前を付けて保存"), QFileInfo(current).absolutePath(), StyleSheetFilter});
    if (!name.isEmpty()) saveAs(name);
}

void FileCommands::saveAs(const QString& name) {
    const QString current = host_.styleSheetFile();
    if (current.isEmpty() || name.isEmpty()) return;
    const QString target = QFileInfo(styleSheetTarget(name)).absoluteFilePath();
    if (target == QFileInfo(current).absoluteFilePath()) {
        save();
        return;
    }
    if (refuseOwnFile(target, OwnFileUse::SaveTarget)) {
        host_.refreshStatus();
        return;
    }
    if (QFileInfo::exists(target) && !confirmReplace(target)) return;
    if (const std::optional<std::string> text = textToSave()) writeStyleSheet(target, *text);
    host_.refreshStatus();
}

std::optional<std::string> FileCommands::textToSave() {
    if (rulesChanged_ && paneEdited()) {
        const int answer = host_.messages().choose(
            host_.owner(),
            QStringLiteral("スタイルシート [ %1 ] のルールへの変更が、まだソースに反映されていません。"
                           "ソースも手で編集されています。\n"
                           "・ルールから作り直す: ソースへの手での変更は失われます。\n"
                           "・ソースのまま保存: ソースにないルールへの変更は失われます。")
                .arg(QFileInfo(host_.styleSheetFile()).fileName()),
            {QStringLiteral("ルールから作り直す(&R)"), QStringLiteral("ソースのまま保存(&K)"), QStringLiteral("キャンセル")});
        if (answer == 0) host_.regeneratePane();
        if (answer != 0 && answer != 1) return std::nullopt;
    } else if (rulesChanged_) {
        host_.regeneratePane();
    }
    return host_.paneText();
}

bool FileCommands::writeStyleSheet(const QString& target, const std::string& text) {
    const TextForm form = host_.styleSheetForm();
    std::error_code written;
    host_.runLong([&] { written = writeTextFile(target.toStdString(), text, form); });
    if (std::error_code ec = written) {
        reportWriteError(target, ec);
        return false;
    }
    return true;
}

bool FileCommands::confirmReplace(const QString& target) {
    return host_.messages().confirm(host_.owner(),
                                    QStringLiteral("[ %1 ] はすでにあります。置き換えますか?").arg(target));
}

// ---- New style sheet -----------------------------------------------------------------------

void FileCommands::newStyleSheet() {
    if (!askToSave(SaveKind::StyleSheet)) {
        host_.refreshStatus();
        return;
    }
    TdlgNewCSS dialog([this] { return host_.chooseFolder(); }, host_.helpDesk(), host_.owner());
    dialog.EditPath->setText(QString::fromStdString(host_.settings().ReadString(SectionSystem, "CSSNewDefFolder", "")));
    if (host_.runDialog(dialog) != QDialog::Accepted || dialog.EditNew->text().isEmpty()) {
        host_.refreshStatus();
        return;
    }
    const QString file = QFileInfo(dialog.EditNew->text()).absoluteFilePath();
    // Made here and now: a file that appeared meanwhile is not taken over.
    QFile made(file);
    if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        host_.messages().error(host_.owner(), QStringLiteral("ファイル [ %1 ] を作成できませんでした。\n%2")
                                                  .arg(file, made.errorString()));
        host_.refreshStatus();
        return;
    }
    made.close();
    host_.showStyleSheet(file, file, DecodedText{}, TextForm{}, std::nullopt, SheetShown::Created);
    keep_->AddFileName(file);
    host_.flushSettings();
}

// ---- The pane and the rules ---------------------------------------------------------------

bool FileCommands::needsSaving() const { return !host_.styleSheetSaved() || rulesChanged_ || paneEdited(); }

bool FileCommands::paneEdited() const {
    return host_.paneChanges() != baselineChanges_ && host_.paneDigest() != paneBaseline_;
}

void FileCommands::paneShows(QByteArray digest) {
    paneBaseline_ = std::move(digest);
    baselineChanges_ = host_.paneChanges();
    rulesChanged_ = false;
}

QByteArray textDigest(const FileProducer& produce) {
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    produce([&hash](std::string_view piece) { hash.addData(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size()))); });
    return hash.result();
}

bool FileCommands::mayRegeneratePane() {
    if (!paneEdited()) return true;
    if (host_.messages().confirm(host_.owner(), QStringLiteral("ソースへの手での変更を捨てて、ルールから作り直しますか?\n"
                                                               "「いいえ」を選ぶと、ソースはそのまま残ります。")))
        return true;
    rulesChanged_ = true;
    return false;
}

void FileCommands::reportReadError(const QString& file, std::error_code ec) {
    host_.messages().error(host_.owner(), QStringLiteral("スタイルシート [ %1 ] を読み込めませんでした。\n%2")
                                              .arg(file, QString::fromStdString(ec.message())));
}

void FileCommands::reportWriteError(const QString& file, std::error_code ec) {
    // Every failed save but one leaves the file as it was.
    const QString state = ec == SaveFailure::NotRestored ? QString() : QStringLiteral("ファイルは元のままです。");
    host_.messages().error(host_.owner(), QStringLiteral("ファイル [ %1 ] に書き込めませんでした。%2\n%3")
                                              .arg(file, state, QString::fromStdString(ec.message())));
}

}  // namespace pavik
