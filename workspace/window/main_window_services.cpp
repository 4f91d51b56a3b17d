#include "workspace/window/main_window_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/app_paths.h"
#include "vocabulary/fixed_texts.h"
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
};

}  // namespace

std::unique_ptr<UserMessages> makeMessageBoxes() { return std::make_unique<MessageBoxes>(); }

void setApplicationTitle() {
    QApplication::setApplicationName(QString::fromUtf8(AppTitle.data(), qsizetype(AppTitle.size())));
    QApplication::setWindowIcon(programIcon());
}

MainWindowServices MainWindowServices::standard() {
    MainWindowServices s;
    s.makeBrowser = [](QWidget* parent) { return makeWebEnginePreview(parent); };
    s.messages = makeMessageBoxes();
    s.help = makeDesktopHelp(QString::fromStdString(helpFilePath().native()));
    s.arguments = QApplication::arguments().mid(1);
    return s;
}

}  // namespace pavik
