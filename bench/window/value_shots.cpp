// Screenshots of the value panels in the real window: opens a style sheet, selects a rule,
// shows a colour, a length and a keyword property, changes each, and saves the screen after
// each step into the given folder. Run under xvfb-run.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "workspace/window/frm_main.h"

namespace {

void wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

QTreeWidgetItem* find(QTreeWidget* tree, const QStringList& path) {
    QTreeWidgetItem* item = nullptr;
    for (const QString& part : path) {
        QTreeWidgetItem* next = nullptr;
        const int n = item ? item->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < n && !next; ++i) {
            QTreeWidgetItem* c = item ? item->child(i) : tree->topLevelItem(i);
            if (c->text(0) == part) next = c;
        }
        if (!next) return nullptr;
        item = next;
    }
    return item;
}

void clickProperty(pavik::TfrmMain& w, const QStringList& path) {
    QTreeWidgetItem* item = find(w.TreeViewTarget, path);
    if (!item) {
        std::fprintf(stderr, "no property %s\n", qPrintable(path.join('/')));
        return;
    }
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
    w.TreeViewTarget->scrollToItem(item);
    QTest::mouseClick(w.TreeViewTarget->viewport(), Qt::LeftButton, {}, w.TreeViewTarget->visualItemRect(item).center());
}

// Message boxes would wait for a click that never comes: print them instead.
class PrintedMessages : public pavik::UserMessages {
public:
    bool confirm(QWidget*, const QString&) override { return false; }
    void error(QWidget*, const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void information(QWidget*, const QString& text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
};

void shot(const QString& folder, const QString& name) {
    wait(1500);
    QScreen* screen = QGuiApplication::primaryScreen();
    screen->grabWindow(0).save(folder + '/' + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: value_shots sheet.css folder\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    pavik::MainWindowServices s = pavik::MainWindowServices::standard();
    s.arguments = QStringList{QString::fromLocal8Bit(argv[1])};
    s.messages = std::make_unique<PrintedMessages>();
    pavik::TfrmMain w(std::move(s));
    w.resize(1280, 900);
    w.move(0, 0);
    w.show();
    wait(2500);

    QTreeWidgetItem* rule = find(w.TreeViewStruct, {QStringLiteral("エレメント"), QStringLiteral("H1")});
    if (!rule) rule = find(w.TreeViewStruct, {QStringLiteral("エレメント"), QStringLiteral("body")});
    if (!rule) rule = w.TreeViewStruct->topLevelItem(0)->child(0);
    w.TreeViewStruct->setCurrentItem(rule);
    w.TreeViewStructClick();
    shot(folder, "01-rule");

    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("color")});
    shot(folder, "02-colour");
    w.valueArea().BitBtnClear->click();
    shot(folder, "03-colour-cleared");

    clickProperty(w, {QStringLiteral("フォント"), QStringLiteral("font-size")});
    shot(folder, "04-length");
    w.valueArea().EditCommon->clear();
    QTest::keyClicks(w.valueArea().EditCommon, "40");
    QTest::keyClick(w.valueArea().EditCommon, Qt::Key_Return);
    shot(folder, "05-length-changed");

    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("text-align")});
    shot(folder, "06-keyword");
    const int i = w.valueArea().CmbBoxCommon->findText(QStringLiteral("center"));
    w.valueArea().CmbBoxCommon->setCurrentIndex(i);
    emit w.valueArea().CmbBoxCommon->activated(i);
    shot(folder, "07-keyword-changed");

    clickProperty(w, {QStringLiteral("ボックス")});
    shot(folder, "08-category");
    w.bCSSSaved = true;  // no save question on close
    w.close();
    return 0;
}
