#include "window_support.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdlib>

#include "platform/app_paths.h"

namespace pavik::test {
void WindowTest::SetUp() {
    home_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(home_->isValid());
    ::setenv("PAVIK_HOME", home_->path().toLocal8Bit().constData(), 1);
    setAssocChangeNotifier(&assocNotices);
}

void WindowTest::TearDown() {
    setAssocChangeNotifier(nullptr);
    ::unsetenv("PAVIK_HOME");
    home_.reset();
}

std::string WindowTest::settingsPath() const { return settingsFilePath().native(); }

void WindowTest::writeSettings(const std::string& iniText) const {
    QFile f(QString::fromStdString(settingsPath()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(iniText.data(), static_cast<qint64>(iniText.size()));
}

QString WindowTest::writeFile(const QString& name, const std::string& bytes) const {
    const QString path = QDir(home()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

std::unique_ptr<TfrmMain> WindowTest::makeWindow(QStringList arguments, bool helpPresent) {
    MainWindowServices s;
    // The window's own browser is the first made; dialogs make theirs later.
    browser = nullptr;
    s.makeBrowser = [this](QWidget*) {
        auto b = std::make_unique<FakeBrowser>();
        if (!browser) browser = b.get();
        return b;
    };
    auto m = std::make_unique<FakeMessages>();
    m->whileShown = whileErrorShown;
    messages = m.get();
    s.messages = std::move(m);
    auto f = std::make_unique<FakeFileChooser>();
    files = f.get();
    s.files = std::move(f);
    s.help = std::make_unique<FakeHelp>(helpPresent, &helpCalls);
    auto a = std::make_unique<KeyValueAssociation>("/opt/pavik/bin/pavik");
    association = a.get();
    s.association = std::move(a);
    s.runDialog = [this](QDialog& dialog) {
        if (answerDialog) return answerDialog(dialog);
        ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
        return int(QDialog::Rejected);
    };
    s.shell = std::make_unique<FakeShell>(&shellCalls);
    auto l = std::make_unique<FakeLauncher>();
    launcher = l.get();
    s.browsers = std::move(l);
    s.addresses = addresses;
    s.arguments = std::move(arguments);
    s.terminationSignals = terminationSignals;
    return std::make_unique<TfrmMain>(std::move(s));
}

void WindowTest::settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20) QCoreApplication::processEvents();
}

void WindowTest::showAndSettle(TfrmMain& w) {
    w.show();
    settle();
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& textPath) {
    const QStringList parts = textPath.split('/');
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < tree->topLevelItemCount() && !found; ++i)
        if (tree->topLevelItem(i)->text(0) == parts[0]) found = tree->topLevelItem(i);
    for (qsizetype p = 1; p < parts.size() && found; ++p) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < found->childCount() && !next; ++i)
            if (found->child(i)->text(0) == parts[p]) next = found->child(i);
        found = next;
    }
    return found;
}

QModelIndex findItem(const QTreeView* tree, const QString& textPath) {
    const QAbstractItemModel* model = tree->model();
    QModelIndex found;
    for (const QString& part : textPath.split('/')) {
        QModelIndex next;
        for (int i = 0; i < model->rowCount(found) && !next.isValid(); ++i)
            if (model->index(i, 0, found).data().toString() == part) next = model->index(i, 0, found);
        if (!next.isValid()) return {};
        found = next;
    }
    return found;
}

std::string outline(const QAbstractItemView* tree) {
    const QAbstractItemModel* model = tree->model();
    QString out;
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
        for (int i = 0; i < model->rowCount(parent); ++i) {
            const QModelIndex node = model->index(i, 0, parent);
            out += QString(depth * 2, ' ') + node.data().toString() + '\n';
            walk(node, depth + 1);
        }
    };
    walk(QModelIndex(), 0);
    return out.toStdString();
}

std::unique_ptr<TfrmMain> WindowTest::openSheet(const std::string& sheet) {
    file = writeFile("style.css", sheet);
    auto w = makeWindow({file});
    showAndSettle(*w);
    return w;
}

}  // namespace pavik::test
