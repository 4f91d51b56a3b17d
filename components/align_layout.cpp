#include "components/align_layout.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace pavik {

AlignLayout::AlignLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

AlignLayout::~AlignLayout() {
    for (Entry& e : items_) delete e.item;
}

void AlignLayout::addItem(QLayoutItem* item) { items_.push_back({item, alNone}); }

void AlignLayout::addWidget(QWidget* w, TAlign align) {
    addChildWidget(w);
    items_.push_back({new QWidgetItem(w), align});
    w->installEventFilter(this);
    invalidate();
    realign();
}

void AlignLayout::setAlign(QWidget* w, TAlign align) {
    for (Entry& e : items_)
        if (e.item->widget() == w && e.align != align) {
            e.align = align;
            realign();
        }
}

TAlign AlignLayout::align(QWidget* w) const {
    for (const Entry& e : items_)
        if (e.item->widget() == w) return e.align;
    return alNone;
}

QLayoutItem* AlignLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[index].item : nullptr;
}

QLayoutItem* AlignLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[index].item;
    items_.erase(items_.begin() + index);
    if (QWidget* w = item->widget()) w->removeEventFilter(this);
    return item;
}

void AlignLayout::setClientRect(std::function<QRect()> clientRect) {
    clientRect_ = std::move(clientRect);
    realign();
}

QRect AlignLayout::clientRect() const {
    if (clientRect_) return clientRect_();
    return parentWidget() ? parentWidget()->contentsRect() : geometry();
}

void AlignLayout::enableAlign() {
    if (disabled_ > 0 && --disabled_ == 0) realign();
}

void AlignLayout::realign() {
    if (parentWidget()) place(clientRect());
}

void AlignLayout::setGeometry(const QRect& r) {
    QLayout::setGeometry(r);
    place(clientRect_ ? clientRect_() : r);
}

QSize AlignLayout::sizeHint() const {
    int width = 0, height = 0, across = 0;
    QSize client;
    for (const Entry& e : items_) {
        QWidget* w = e.item->widget();
        if (!w || w->isHidden()) continue;
        switch (e.align) {
        case alTop:
        case alBottom: height += w->height(); break;
        case alLeft:
        case alRight:
            width += w->width();
            across = std::max(across, w->height());
            break;
        case alClient: client = client.expandedTo(w->sizeHint()); break;
        case alNone: break;
        }
    }
    return {width + client.width(), height + std::max(across, client.height())};
}

void AlignLayout::place(QRect area) {
    if (disabled_ > 0 || placing_) return;
    placing_ = true;
    int left = area.x(), top = area.y();
    int right = area.x() + area.width(), bottom = area.y() + area.height();
    const auto put = [](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(x, y, std::max(cx, 0), std::max(cy, 0));
    };
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (const Entry& e : items_) {
            QWidget* w = e.item->widget();
            if (e.align != kind || !w || w->isHidden()) continue;
            switch (kind) {
            case alTop: {
                const int h = w->height();
                put(w, left, top, right - left, h);
                top += h;
                break;
            }
            case alBottom: {
                const int h = w->height();
                put(w, left, bottom - h, right - left, h);
                bottom -= h;
                break;
            }
            case alLeft: {
                const int cx = w->width();
                put(w, left, top, cx, bottom - top);
                left += cx;
                break;
            }
            case alRight: {
                const int cx = w->width();
                put(w, right - cx, top, cx, bottom - top);
                right -= cx;
                break;
            }
            default: put(w, left, top, right - left, bottom - top); break;
            }
        }
    }
    placing_ = false;
}

bool AlignLayout::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (!placing_) realign();
        break;
    default: break;
    }
    return QLayout::eventFilter(watched, e);
}

}  // namespace pavik
