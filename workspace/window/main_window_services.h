#pragma once
// What the main window needs from its surroundings, behind interfaces so that tests can
// record the calls: message boxes, file dialogs, the help file, the preview browser, the
// association of style sheet files, the desktop's handler of web and mail addresses, modal
// dialogs, the command line.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/browser_launcher.h"
#include "platform/file_association.h"
#include "platform/help.h"
#include "platform/preview_browser.h"
#include "platform/shell_open.h"

class QDialog;
class QWidget;

namespace pavik {

class TerminationSignals;

// Message boxes. Texts are the program's own.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    // The confirmation box: title "確認", a question icon, "はい(&Y)" and "いいえ(&N)".
    virtual bool confirm(QWidget* owner, const QString& text) = 0;
    virtual void error(QWidget* owner, const QString& text) = 0;
    virtual void information(QWidget* owner, const QString& text) = 0;
    // A question with buttons of its own (title "確認", a question icon); the last button
    // cancels, and so do Escape and the window's close button. The index of the button chosen.
    virtual int choose(QWidget* owner, const QString& text, const QStringList& buttons) = 0;
};

std::unique_ptr<UserMessages> makeMessageBoxes();
// Messages for a program that no person is watching (it ends on a signal): errors and
// information go to standard error; a question is answered with its last, cancelling,
// button (confirm: No).
std::unique_ptr<UserMessages> makeStandardErrorMessages();

// The file dialogs. Each gives the chosen file, or an empty string when the user cancelled.
class FileChooser {
public:
    struct Request {
        QString title;
        QString folder;  // where the dialog opens; empty: its own default
        QString filter;  // "スタイルシート (*.css)"
    };
    virtual ~FileChooser() = default;
    virtual QString openFile(QWidget* owner, const Request& request) = 0;
    // Asks nothing about an existing file: the caller does.
    virtual QString saveFile(QWidget* owner, const Request& request) = 0;
};

std::unique_ptr<FileChooser> makeFileDialogs();

// What the Help menu's web and mail items open; an empty address leaves its item disabled.
struct WebAddresses {
    QString homePage;
    QString supportBoard;
    QString mail;  // a "mailto:" link with its subject

    // The addresses the program was built with (the build settings PAVIK_HOME_PAGE_URL,
    // PAVIK_SUPPORT_BOARD_URL and PAVIK_AUTHOR_MAIL).
    static WebAddresses built();
    // The mail item's link to `address` (none without an address).
    static QString mailLink(const QString& address);
};

// Program start, once the application object exists: the application's title is AppTitle,
// set as its name only. A display name would make Qt append it to every window title.
void setApplicationTitle();
// Qt's own texts (the file, font and colour dialogs, standard buttons) in Japanese, like the
// rest of the program, whatever the desktop's language; false when the translation is missing.
bool installJapaneseQtTexts();

struct MainWindowServices {
    std::function<std::unique_ptr<PreviewBrowser>(QWidget* parent)> makeBrowser;
    std::unique_ptr<UserMessages> messages;
    std::unique_ptr<HelpService> help;
    std::unique_ptr<FileAssociation> association;  // none: the association cannot be changed
    std::unique_ptr<FileChooser> files;             // none: the file dialogs

    std::unique_ptr<ShellOpen> shell;              // none: the web and mail items open nothing
    std::unique_ptr<BrowserLauncher> browsers;     // none: the external browsers start nothing
    WebAddresses addresses = WebAddresses::built();
    // Runs a dialog modally and gives its result (tests answer in place of the user).
    std::function<int(QDialog&)> runDialog = execDialog;
    QStringList arguments;  // command-line arguments after the program name
    // Termination signals, watched from before the window is made: the window takes them up
    // from the start of its making (closeBySignal). None: the window is not told of them.
    TerminationSignals* terminationSignals = nullptr;

    static int execDialog(QDialog& dialog);

    // The real services: the web view, message boxes, the help file beside the program,
    // the desktop's association and address handler, the process launcher, and the
    // arguments of the running application.
    static MainWindowServices standard();
};

}  // namespace pavik
