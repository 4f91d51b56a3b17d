#include "workspace/window/control_bar.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <vector>

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
    int row = -1;
    for (qsizetype first = 0; first < visible.size();) {
        qsizetype end = first + 1;
        while (end < visible.size() && rowOf(visible[end]) == rowOf(visible[first])) ++end;
        ++row;
        // Left to right, no band over the one before; then right to left, no band past the
        // bar's right edge (nor over the one after), so that a narrower bar pulls bands
        // into view; then left to right again, bands that do not fit at all running off
        // the right edge rather than over each other.
        std::vector<int> lefts(static_cast<size_t>(end - first));
        auto widthOf = [&](qsizetype i) { return visible[first + i]->widget->width(); };
        int right = 0;
        for (qsizetype i = 0; i < end - first; ++i) {
            lefts[i] = std::max(visible[first + i]->left, right + GripWidth);
            right = lefts[i] + widthOf(i) + 2;
        }
        int limit = width();
        for (qsizetype i = end - first - 1; i >= 0; --i) {
            lefts[i] = std::min(lefts[i], limit - widthOf(i));
            limit = lefts[i] - 2 - GripWidth;
        }
        right = 0;
        for (qsizetype i = 0; i < end - first; ++i) {
            lefts[i] = std::max(lefts[i], right + GripWidth);
            right = lefts[i] + widthOf(i) + 2;
            QWidget* w = visible[first + i]->widget;
            // The asked-for place is kept for the next layout.
            w->move(lefts[i], row * rowHeight_ + (rowHeight_ - w->height()) / 2);
        }
        first = end;
    }
    setFixedHeight(std::max(1, row + 1) * rowHeight_ + 2);
    inLayout_ = false;
    update();
}

void ControlBar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    relayout();
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
