#pragma once
// Helpers of the screenshot programs: waiting with the event loop running, saving the screen,
// clicking a property-tree node as the user does, acting on a modal dialog once it is up,
// and message boxes printed instead of shown
// (a box would wait for a click that never comes).
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QTreeView>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <memory>

#include "workspace/window/frm_main.h"

namespace shots {

inline void wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Saves the whole screen as folder/name.png after `settle` ms.
inline void shot(const QString& folder, const QString& name, int settle = 1500) {
    wait(settle);
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + '/' + name + ".png");
}

// The node at a path of texts from the root, or null.
inline QTreeWidgetItem* find(QTreeWidget* tree, const QStringList& path) {
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

// Runs `steps` on the shown dialog of type D once it is up (looked for during 10 seconds).
template <typename D>
void whenShown(std::function<void(D&)> steps, int tries = 50) {
    QTimer::singleShot(300, [steps, tries] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<D*>(top); d && d->isVisible()) return steps(*d);
        if (tries > 1) whenShown<D>(steps, tries - 1);
        else std::fprintf(stderr, "no dialog\n");
    });
}

inline void clickProperty(pavik::TfrmMain& w, const QStringList& path) {
    QTreeWidgetItem* item = find(w.TreeViewTarget, path);
    if (!item) {
        std::fprintf(stderr, "no property %s\n", qPrintable(path.join('/')));
        return;
    }
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
    w.TreeViewTarget->scrollToItem(item);
    QTest::mouseClick(w.TreeViewTarget->viewport(), Qt::LeftButton, {}, w.TreeViewTarget->visualItemRect(item).center());
}

// Selects the first element rule of these names that the sheet has (else the first rule
// at all) and takes it up as a click does.
inline void selectElementRule(pavik::TfrmMain& w, const QStringList& names) {
    const QAbstractItemModel* m = w.TreeViewStruct->model();
    const QModelIndex elements = w.ElementBaseNode;
    auto named = [&](const QString& name) {
        for (int i = 0; i < m->rowCount(elements); ++i)
            if (m->index(i, 0, elements).data().toString() == name) return m->index(i, 0, elements);
        return QModelIndex();
    };
    QModelIndex rule;
    for (const QString& name : names)
        if (!rule.isValid()) rule = named(name);
    w.TreeViewStruct->setCurrentIndex(rule.isValid() ? rule : m->index(0, 0, elements));
    w.TreeViewStructClick();
}

class PrintedMessages : public pavik::UserMessages {
public:
    bool confirm(QWidget*, const QString&) override { return false; }
    void error(QWidget*, const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void information(QWidget*, const QString& text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
    // No, or the only button.
    int choose(QWidget*, const QString&, const QStringList& buttons) override { return buttons.size() > 1 ? 1 : 0; }
};

// The real window with `sheet` open, placed at the screen's corner at `size`, shown and given
// time to build its preview; messages are printed.
inline std::unique_ptr<pavik::TfrmMain> openWindow(const QString& sheet, QSize size) {
    pavik::MainWindowServices s = pavik::MainWindowServices::standard();
    s.arguments = QStringList{sheet};
    s.messages = std::make_unique<PrintedMessages>();
    auto w = std::make_unique<pavik::TfrmMain>(std::move(s));
    w->resize(size);
    w->move(0, 0);
    w->show();
    wait(2500);
    return w;
}

}  // namespace shots
