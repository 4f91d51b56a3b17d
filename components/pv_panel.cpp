#include "components/pv_panel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "components/draw_kit.h"
#include "components/pv_panel_dock.h"

namespace pavik {

TPvCustomPanel::TPvCustomPanel(QWidget* parent) : QWidget(parent), layout_(new AlignLayout(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    layout_->setClientRect([this] { return toQRect(alignRect()); });
}

template <typename T>
void TPvCustomPanel::store(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
}

template <typename T>
void TPvCustomPanel::storeEdge(T& field, T value) {
    if (field == value) return;
    field = value;
    layout_->realign();
    update();
    edgeChanged();
}

void TPvCustomPanel::edgeChanged() {}

void TPvCustomPanel::setBorderOuter(TFrameStyle v) { storeEdge(borderOuter_, v); }
void TPvCustomPanel::setBorderInner(TFrameStyle v) { storeEdge(borderInner_, v); }
void TPvCustomPanel::setBorderSides(TSides v) { storeEdge(borderSides_, v & sdAll); }
void TPvCustomPanel::setFrameSides(TSides v) { storeEdge(frameSides_, v & sdAll); }
void TPvCustomPanel::setBorderColor(TColor v) { store(borderColor_, v); }
void TPvCustomPanel::setBorderHighlight(TColor v) { store(borderHighlight_, v); }
void TPvCustomPanel::setBorderShadow(TColor v) { store(borderShadow_, v); }
void TPvCustomPanel::setFlatColor(TColor v) { store(flatColor_, v); }
void TPvCustomPanel::setVerticalAlignment(TVerticalAlignment v) { store(verticalAlignment_, v); }
void TPvCustomPanel::setAlignment(TAlignment v) { store(alignment_, v); }
void TPvCustomPanel::setColor(TColor v) { store(color_, v); }
void TPvCustomPanel::setCaption(const QString& v) { store(caption_, v); }

void TPvCustomPanel::setBevelWidth(int v) {
    if (v == bevelWidth_) return;
    bevelWidth_ = v;
    layout_->realign();
    update();
}

void TPvCustomPanel::setBorderWidth(int v) {
    if (v == borderWidth_) return;
    borderWidth_ = v;
    layout_->realign();
    update();
}

void TPvCustomPanel::setFullRepaint(bool v) {
    if (v == fullRepaint_) return;
    fullRepaint_ = v;
    setAttribute(Qt::WA_StaticContents, !v);
    update();
}

int TPvCustomPanel::edgeWidth(TFrameStyle style) const {
    return style == fsStatus || style == fsPopup ? bevelWidth_ : FrameBorderWidth(style);
}

TRect TPvCustomPanel::alignRect() const {
    TRect r = clientTRect();
    const auto shrink = [&](TSides sides, int d) {
        if (sides & sdLeft) r.left += d;
        if (sides & sdTop) r.top += d;
        if (sides & sdRight) r.right -= d;
        if (sides & sdBottom) r.bottom -= d;
    };
    shrink(frameSides_, 1);
    shrink(borderSides_, edgeWidth(borderOuter_));
    shrink(borderSides_, edgeWidth(borderInner_));
    return r.shrunk(borderWidth_);
}

TAlign TPvCustomPanel::Align() const {
    auto* parentLayout = parentWidget() ? qobject_cast<AlignLayout*>(parentWidget()->layout()) : nullptr;
    return parentLayout ? parentLayout->align(const_cast<TPvCustomPanel*>(this)) : alNone;
}

void TPvCustomPanel::setDockSite(bool v) {
    if (v == dockSite_) return;
    dockSite_ = v;
    updateDockManager();
}

void TPvCustomPanel::setUseDockManager(bool v) {
    if (v == useDockManager_) return;
    useDockManager_ = v;
    updateDockManager();
}

void TPvCustomPanel::updateDockManager() {
    const bool wanted = dockSite_ && useDockManager_;
    if (wanted && !dockManager_) dockManager_ = new TPvPanelDockManager(*this);
    if (!wanted && dockManager_) {
        delete dockManager_;
        dockManager_ = nullptr;
    }
    update();
}

void TPvCustomPanel::setPaintDockGrabbers(bool v) {
    if (v == paintDockGrabbers_) return;
    paintDockGrabbers_ = v;
    if (dockManager_) dockManager_->ResetBounds();
    update();
}

void TPvCustomPanel::paintOverFace(Canvas& c) {
    if (dockManager_) dockManager_->PaintSite(c);
}

QList<QWidget*> TPvCustomPanel::controls() const {
    return findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

TRect TPvCustomPanel::drawEdge(Canvas& c, TRect r, TFrameStyle style) {
    return DrawEdge(c, r, style, borderSides_, flatColor_, bevelWidth_, borderHighlight_, borderShadow_);
}

void TPvCustomPanel::paintPanel(Canvas& c) {
    TRect r{0, 0, width(), height()};
    r = DrawSides(c, r, clBlack, frameSides_, clBlack);
    r = drawEdge(c, r, borderOuter_);
    if (borderWidth_ != 0) r = DrawBevel(c, r, borderColor_, borderSides_, borderWidth_, borderColor_);
    r = drawEdge(c, r, borderInner_);
    c.fillRect(r, color_);
    if (caption_.isEmpty()) return;

    QPainter& p = c.painter();
    p.setFont(font());
    int flags = Qt::TextWordWrap | Qt::TextExpandTabs;
    flags |= alignment_ == taLeftJustify ? Qt::AlignLeft
             : alignment_ == taRightJustify ? Qt::AlignRight
                                            : Qt::AlignHCenter;
    const QRect text(r.left + 1, r.top, std::max(r.width() - 1, 0), std::max(r.height(), 0));
    const int h = QFontMetrics(font()).boundingRect(text, flags, caption_).height();
    int top = r.top;
    if (verticalAlignment_ == vaCenter) top = (r.top + r.bottom - h) / 2;
    else if (verticalAlignment_ == vaBottom) top = r.bottom - h - 1;
    const QRect place(text.left(), top, text.width(), r.bottom - top);
    p.save();
    p.setClipRect(toQRect(r));
    if (!isEnabled()) {
        p.setPen(c.color(clBtnHighlight));
        p.drawText(place.translated(1, 1), flags | Qt::AlignTop, caption_);
        p.setPen(c.color(clGrayText));
    } else {
        p.setPen(palette().color(QPalette::WindowText));
    }
    p.drawText(place, flags | Qt::AlignTop, caption_);
    p.restore();
}

void TPvCustomPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    Canvas c(p, palette());
    paintPanel(c);
    paintOverFace(c);
}

void TPvCustomPanel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (dockManager_) dockManager_->ResetBounds();
    const QSize old = e->oldSize();
    if (fullRepaint_ || !caption_.isEmpty() || !old.isValid()) {
        update();
        return;
    }
    // Repaint only where the right or bottom edge was and is now.
    int rightInset = 0, bottomInset = 0;
    const auto add = [&](TSides sides, int d) {
        if (sides & sdRight) rightInset += d;
        if (sides & sdBottom) bottomInset += d;
    };
    add(frameSides_, 1);
    add(borderSides_, edgeWidth(borderOuter_) + borderWidth_ + edgeWidth(borderInner_));
    if (old.width() != width()) {
        const int x = std::min(old.width(), width()) - rightInset - 1;
        update(QRect(x, 0, width() - x, height()));
    }
    if (old.height() != height()) {
        const int y = std::min(old.height(), height()) - bottomInset - 1;
        update(QRect(0, y, width(), height() - y));
    }
}

void TPvCustomPanel::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        for (QWidget* w : controls()) w->setEnabled(isEnabled());
        update();
    }
}

void TPvCustomPanel::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPvCustomPanel::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TPvCustomPanel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && dockManager_ && dockManager_->mousePress(e->position().toPoint())) {
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void TPvCustomPanel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && dockManager_ && dockManager_->mouseRelease(e->position().toPoint())) {
        e->accept();
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

}  // namespace pavik
