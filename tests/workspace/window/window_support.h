#pragma once
// Fakes and a fixture for the main window's tests: a recording browser, message boxes,
// help, file association and the desktop's address handler, answered dialogs, a fresh PAVIK_HOME per test, and helpers to
// make files and windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QModelIndex>
#include <QTreeView>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_association.h"
#include "platform/ini_file.h"
#include "vocabulary/shared_routines.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/main_window_services.h"

namespace pavik::test {

class FakeBrowser : public PreviewBrowser {
public:
    struct Navigation {
        QString path;
        QString anchor;
        PreviewPage page;
        std::optional<StyleSheetChange> change;  // an update: the page kept, these rules changed
        bool keptPlace = false;  // navigateKeepingPlace
        QByteArray head;  // navigateBody: what the page begins with
    };
    QWidget* widget() override { return nullptr; }
    void navigate(const QString& path, const QString& anchor, PreviewPage page) override {
        navigations.push_back({path, anchor, page, std::nullopt, false, {}});
    }
    void update(const QString& path, const QString& anchor, PreviewPage page, const StyleSheetChange& change) override {
        navigations.push_back({path, anchor, page, change, false, {}});
    }
    void navigateKeepingPlace(const QString& path, PreviewPage page) override {
        navigations.push_back({path, QString(), page, std::nullopt, true, {}});
    }
    void navigateBody(const QString& path, const QString& anchor, PreviewPage page, const QByteArray& head) override {
        navigations.push_back({path, anchor, page, std::nullopt, false, head});
    }
    void learnRules(const StyleSheetChange& sheet) override { learnt.push_back(sheet); }
    bool hasDocument() const override { return !navigations.empty(); }
    void setTextSize(int level) override { textSizes.push_back(level); }

    std::vector<Navigation> navigations;
    std::vector<StyleSheetChange> learnt;  // learnRules
    std::vector<int> textSizes;
};

// Records the external browsers started: "program argument...".
class FakeLauncher : public BrowserLauncher {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        starts.append((QStringList{program} + arguments).join(' '));
        return succeed;
    }
    QStringList starts;
    bool succeed = true;
};

class FakeMessages : public UserMessages {
public:
    bool confirm(QWidget*, const QString& text) override {
        confirms.append(text);
        return answer;
    }
    void error(QWidget*, const QString& text) override {
        errors.append(text);
        if (whileShown) whileShown();
    }
    void information(QWidget*, const QString& text) override { infos.append(text); }
    // Answers from `choices` while it holds any, else as `answer` does (Yes or No).
    int choose(QWidget*, const QString& text, const QStringList&) override {
        confirms.append(text);
        if (choices.empty()) return answer ? 0 : 1;
        const int next = choices.front();
        choices.erase(choices.begin());
        return next;
    }

    bool answer = false;
    std::function<void()> whileShown;  // run while an error box "shows"
    std::vector<int> choices;  // indexes of the buttons chosen, in turn
    QStringList confirms, errors, infos;  // confirms: every question, of either kind
};

// The file dialogs: each request is recorded and answered with the next of `answers`
// (none left: cancelled).
class FakeFileChooser : public FileChooser {
public:
    QString openFile(QWidget*, const Request& r) override { return answerTo("open", r); }
    QString saveFile(QWidget*, const Request& r) override { return answerTo("save", r); }

    QStringList answers;
    QStringList requests;  // "open|save title folder filter"

private:
    QString answerTo(const char* kind, const Request& r) {
        requests.append(QStringLiteral("%1 %2 %3 %4").arg(QLatin1String(kind), r.title, r.folder, r.filter));
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// Records into a list the test owns, so that calls made while the window is destroyed
// can be checked too.
class FakeHelp : public HelpService {
public:
    FakeHelp(bool present, QStringList* calls) : calls(*calls), present_(present) {}
    bool available() const override { return present_; }
    QString helpFile() const override { return present_ ? QStringLiteral("/help/Pavik.CHM") : QString(); }
    void initialize() override { calls.append("initialize"); }
    void showContents() override { calls.append("contents"); }
    void showIndex() override { calls.append("index"); }
    void showTopic(int context) override { calls.append(QStringLiteral("topic %1").arg(context)); }
    void showTextPopup(int id, QPoint at, const QString& font) override {
        calls.append(QStringLiteral("popup %1 at %2,%3 in %4").arg(id).arg(at.x()).arg(at.y()).arg(font));
    }
    void shutdown() override { calls.append("shutdown"); }

    QStringList& calls;

private:
    bool present_;
};

// Records the addresses the window asks the desktop to open.
class FakeShell : public ShellOpen {
public:
    explicit FakeShell(QStringList* calls) : calls(*calls) {}
    void open(const QString& address) override { calls.append(address); }
    QStringList& calls;
};

// Each test gets its own program folder (PAVIK_HOME) with its settings file.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder and the settings file in it.
    QString home() const { return home_->path(); }
    std::string settingsPath() const;
    IniFile settings() const { return IniFile(settingsPath()); }
    void writeSettings(const std::string& iniText) const;

    // A file in the program folder with the given bytes; returns its path.
    QString writeFile(const QString& name, const std::string& bytes) const;

    // A main window with fakes; the fakes stay reachable through browser/messages/help.
    std::unique_ptr<TfrmMain> makeWindow(QStringList arguments = {}, bool helpPresent = false);
    // Shows the window and lets the queued start-up work run.
    static void showAndSettle(TfrmMain& w);
    static void settle();
    // Writes the sheet to style.css (path kept in `file`) and opens it in a shown window.
    std::unique_ptr<TfrmMain> openSheet(const std::string& sheet);

    QString file;

    FakeBrowser* browser = nullptr;
    FakeMessages* messages = nullptr;
    FakeFileChooser* files = nullptr;
    FakeLauncher* launcher = nullptr;
    KeyValueAssociation* association = nullptr;
    QStringList helpCalls;
    QStringList shellCalls;
    WebAddresses addresses;  // for the next window made; none by default
    TerminationSignals* terminationSignals = nullptr;  // for the next window made
    std::function<void()> whileErrorShown;             // FakeMessages::whileShown of the next window
    RecordingAssocNotifier assocNotices;  // installed for each test: the desktop is never told
    // Answers the window's modal dialogs; none set: a dialog fails the test and is cancelled.
    std::function<int(QDialog&)> answerDialog;

private:
    std::unique_ptr<QTemporaryDir> home_;
};

// The item of a tree whose text path (texts from the root, "/"-separated) matches.
class QTreeWidgetItem* findItem(class QTreeWidget* tree, const QString& textPath);
// The same for a tree over a model: the node's index, or an invalid one.
QModelIndex findItem(const class QTreeView* tree, const QString& textPath);
// Child `row` of a node of a tree over a model.
inline QModelIndex child(const QModelIndex& node, int row) { return node.model()->index(row, 0, node); }
// Texts of a tree as an indented outline, one line per node (UTF-8).
std::string outline(const class QAbstractItemView* tree);

}  // namespace pavik::test
