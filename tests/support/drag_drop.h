#pragma once
// A drag of files over a window and its drop, delivered as Qt delivers a drag from outside
// the program: to the widget under the point, or the nearest of its parents that accepts
// drops; a widget that does not take the drag passes it on to its parents.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace pavik::test {

struct DragOutcome {
    QWidget* receiver = nullptr;  // where Qt delivers the drag first
    bool entered = false;         // the enter was accepted
    Qt::DropAction action = Qt::IgnoreAction;  // of the drop; IgnoreAction: refused or not dropped
};

inline QWidget* dropReceiver(QWidget* window, QPoint at) {
    QWidget* w = window->childAt(at);
    if (!w) w = window;
    while (w && !w->isWindow() && !w->acceptDrops()) w = w->parentWidget();
    return w && w->acceptDrops() ? w : nullptr;
}

// Enters, moves once and drops (leaves instead when the enter or the move was refused).
inline DragOutcome dragFiles(QWidget* window, QPoint at, const QList<QUrl>& urls,
                             Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    DragOutcome out;
    out.receiver = dropReceiver(window, at);
    if (!out.receiver) return out;
    QMimeData data;
    data.setUrls(urls);
    const QPointF p = out.receiver->mapFrom(window, at);
    QDragEnterEvent enter(p.toPoint(), offered, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(out.receiver, &enter);
    out.entered = enter.isAccepted();
    QDragMoveEvent move(p.toPoint(), offered, &data, Qt::LeftButton, keys);
    if (out.entered) QApplication::sendEvent(out.receiver, &move);
    if (!out.entered || !move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(out.receiver, &leave);
        return out;
    }
    QDropEvent drop(p, offered, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(out.receiver, &drop);
    if (drop.isAccepted()) out.action = drop.dropAction();
    return out;
}

}  // namespace pavik::test
