#include "workspace/window/control_bar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace pavik {

ControlBar::ControlBar(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(rowHeight_ + 2);
}

ControlBar::Band* ControlBar::bandOf(QWidget* w) {
    for (Band& b : bands_)
        if (b.widget == w) return &b;
    return nullptr;
}

void ControlBar::addBand(QWidget* band, int left, int top) {
    band->setParent(this);
    band->installEventFilter(this);
    bands_.append(Band{band, left, top});
    rowHeight_ = std::max(rowHeight_, band->sizeHint().height() + 4);
    relayout();
}

void ControlBar::setBandPos(QWidget* band, int left, int top, bool layout) {
    if (Band* b = bandOf(band)) {
        b->left = left;
        b->top = top;
        if (layout) relayout();
    }
}

void ControlBar::relayout() {
    if (inLayout_) return;
    inLayout_ = true;
    QList<Band*> visible;
    for (Band& b : bands_)
        if (b.widget && !b.widget->isHidden()) visible.append(&b);
    auto rowOf = [this](const Band* b) { return std::max(0, (b->top + rowHeight_ / 2 - 1) / rowHeight_); };
    std::stable_sort(visible.begin(), visible.end(), [&](const Band* a, const Band* b) {
        return rowOf(a) != rowOf(b) ? rowOf(a) < rowOf(b) : a->left < b->left;
    });
    // Rows are packed: an empty row in between is closed up.
    int row = -1, lastRowKey = -1, right = 0;
    for (Band* b : visible) {
        if (rowOf(b) != lastRowKey) {
            lastRowKey = rowOf(b);
            ++row;
            right = 0;
        }
        const int w = b->widget->width();
        const int h = b->widget->height();
        const int left = std::max(b->left, right + GripWidth);
        const int top = row * rowHeight_ + (rowHeight_ - h) / 2;
        b->widget->move(left, top);  // the asked-for place is kept for the next layout
        right = left + w + 2;
    }
    setFixedHeight(std::max(1, row + 1) * rowHeight_ + 2);
    inLayout_ = false;
    update();
}

void ControlBar::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    for (const Band& b : bands_) {
        if (!b.widget || b.widget->isHidden()) continue;
        const QRect g(b.widget->x() - GripWidth + 2, b.widget->y() + 2, 6, b.widget->height() - 4);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        for (int x : {g.left(), g.left() + 3}) {
            p.setPen(light);
            p.drawLine(x, g.top(), x, g.bottom());
            p.setPen(dark);
            p.drawLine(x + 1, g.top(), x + 1, g.bottom());
        }
    }
}

ControlBar::Band* ControlBar::gripAt(const QPoint& pos) {
    for (Band& b : bands_) {
        if (!b.widget || b.widget->isHidden()) continue;
        const QRect g(b.widget->x() - GripWidth, b.widget->y(), GripWidth, b.widget->height());
        if (g.contains(pos)) return &b;
    }
    return nullptr;
}

void ControlBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (Band* b = gripAt(event->position().toPoint())) {
            dragging_ = b;
            dragOffset_ = event->position().toPoint() - b->widget->pos();
            setCursor(Qt::SizeAllCursor);
            return;
        }
    }
    QFrame::mousePressEvent(event);
}

void ControlBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        setCursor(gripAt(event->position().toPoint()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
        return QFrame::mouseMoveEvent(event);
    }
    const QPoint p = event->position().toPoint() - dragOffset_;
    dragging_->left = std::max(0, p.x());
    dragging_->top = std::max(0, p.y());
    relayout();
    // A band that was pushed aside stays where it is now shown.
    for (Band& b : bands_)
        if (&b != dragging_ && b.widget && !b.widget->isHidden()) {
            b.left = b.widget->x();
            b.top = b.widget->y();
        }
}

void ControlBar::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_) {
        dragging_ = nullptr;
        unsetCursor();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

bool ControlBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Resize:
        if (bandOf(qobject_cast<QWidget*>(watched))) relayout();
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace pavik
