#include "workspace/window/main_window_services.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdio>

#include "platform/app_paths.h"
#include "vocabulary/fixed_texts.h"
#include "vocabulary/shared_routines.h"
#include "web_addresses_built.h"
#include "workspace/window/image_list_main.h"

namespace pavik {
namespace {

class MessageBoxes : public UserMessages {
public:
    bool confirm(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton,
                        owner);
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }
    void error(QWidget* owner, const QString& text) override {
        QMessageBox::critical(owner, QStringLiteral("エラー"), text);
    }
    void information(QWidget* owner, const QString& text) override {
        QMessageBox::information(owner, QStringLiteral("情報"), text);
    }
    int choose(QWidget* owner, const QString& text, const QStringList& buttons) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton, owner);
        QList<QAbstractButton*> added;
        for (qsizetype i = 0; i < buttons.size(); ++i)
            added.append(box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                          : QMessageBox::AcceptRole));
        if (!added.isEmpty()) {
            box.setDefaultButton(static_cast<QPushButton*>(added.first()));
            box.setEscapeButton(added.last());
        }
        box.exec();
        const qsizetype chosen = added.indexOf(box.clickedButton());
        return chosen < 0 ? int(buttons.size()) - 1 : int(chosen);
    }
};

class StandardErrorMessages : public UserMessages {
public:
    bool confirm(QWidget*, const QString&) override { return false; }
    void error(QWidget*, const QString& text) override { write(text); }
    void information(QWidget*, const QString& text) override { write(text); }
    int choose(QWidget*, const QString&, const QStringList& buttons) override { return int(buttons.size()) - 1; }

private:
    static void write(const QString& text) {
        const QByteArray line = QStringLiteral("%1: %2\n").arg(QString::fromUtf8(AppTitle.data(), qsizetype(AppTitle.size())), text).toLocal8Bit();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
    }
};

class FileDialogs : public FileChooser {
public:
    QString openFile(QWidget* owner, const Request& r) override {
        return QFileDialog::getOpenFileName(owner, r.title, r.folder, r.filter);
    }
    QString saveFile(QWidget* owner, const Request& r) override {
        return QFileDialog::getSaveFileName(owner, r.title, r.folder, r.filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

}  // namespace

std::unique_ptr<UserMessages> makeMessageBoxes() { return std::make_unique<MessageBoxes>(); }

std::unique_ptr<UserMessages> makeStandardErrorMessages() { return std::make_unique<StandardErrorMessages>(); }

std::unique_ptr<FileChooser> makeFileDialogs() { return std::make_unique<FileDialogs>(); }

WebAddresses WebAddresses::built() {
    return {QString::fromUtf8(build_settings::HomePageUrl), QString::fromUtf8(build_settings::SupportBoardUrl),
            mailLink(QString::fromUtf8(build_settings::AuthorMail))};
}

QString WebAddresses::mailLink(const QString& address) {
    if (address.isEmpty()) return {};
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("「Pavik」について")));
}

void setApplicationTitle() {
    QApplication::setApplicationName(QString::fromUtf8(AppTitle.data(), qsizetype(AppTitle.size())));
    QApplication::setWindowIcon(programIcon());
}

bool installJapaneseQtTexts() {
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

int MainWindowServices::execDialog(QDialog& dialog) { return dialog.exec(); }

MainWindowServices MainWindowServices::standard() {
    MainWindowServices s;
    s.makeBrowser = [](QWidget* parent) { return makeWebEnginePreview(parent); };
    s.messages = makeMessageBoxes();
    s.files = makeFileDialogs();
    s.help = makeDesktopHelp(QString::fromStdString(helpFilePath().native()));
    QFile icon(QStringLiteral(":/icons/pavik.svg"));
    icon.open(QIODevice::ReadOnly);
    s.association = std::make_unique<XdgFileAssociation>(XdgPlaces::fromEnvironment(), executablePath(),
                                                         icon.readAll().toStdString(), [] { NotifyAssocChanged(); });
    s.shell = makeDesktopShellOpen();
    s.browsers = makeProcessLauncher();
    s.arguments = QApplication::arguments().mid(1);
    return s;
}

}  // namespace pavik
