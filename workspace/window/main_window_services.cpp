#include "workspace/window/main_window_services.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/app_paths.h"
#include "vocabulary/shared_routines.h"

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

std::unique_ptr<FileChooser> makeFileDialogs() { return std::make_unique<FileDialogs>(); }

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
    s.arguments = QApplication::arguments().mid(1);
    return s;
}

}  // namespace pavik
