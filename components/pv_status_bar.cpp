#include "components/pv_status_bar.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

#include "components/draw_kit.h"

namespace pavik {
namespace {

// Draws the bar's grip above the children, which would otherwise cover it; mouse events
// pass through to whatever lies below.
class GripOverlay : public QWidget {
public:
    explicit GripOverlay(TPvStatusBar* bar) : QWidget(bar), bar_(bar) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.translate(-pos());
        Canvas c(p, bar_->palette());
        bar_->paintGrip(c);
    }

private:
    TPvStatusBar* bar_;
};

}  // namespace

TPvStatusBar::TPvStatusBar(QWidget* parent) : TPvCustomPanel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMouseTracking(true);
    grip_ = new GripOverlay(this);
    applyAutoStyle();
    placeGrip();
}

QSize TPvStatusBar::sizeHint() const { return {alignLayout()->sizeHint().width(), height()}; }

TRect TPvStatusBar::clientTRect() const {
    // The panes reach one pixel past the left, right and bottom edges and leave the top
    // row free; a simple caption keeps the sides.
    if (simpleStatus_) return {0, 2, width(), height() + 1};
    return {-1, 1, width() + 1, height() + 1};
}

void TPvStatusBar::edgeChanged() {
    if (!applyingAutoStyle_) autoStyle_ = false;
}

QList<QWidget*> TPvStatusBar::controls() const {
    QList<QWidget*> list = TPvCustomPanel::controls();
    list.removeAll(grip_);
    return list;
}

void TPvStatusBar::applyAutoStyle() {
    applyingAutoStyle_ = true;
    setBorderInner(fsNone);
    setBorderOuter(fsNone);
    setBorderSides(sdAll);
    setFrameSides(0);
    resize(width(), 19);
    setBorderWidth(0);
    applyingAutoStyle_ = false;
    updateGeometry();
}

void TPvStatusBar::setAutoStyle(bool v) {
    if (v == autoStyle_) return;
    autoStyle_ = v;
    if (v) applyAutoStyle();
}

void TPvStatusBar::setShowSizeGrip(bool v) {
    if (v == showSizeGrip_) return;
    showSizeGrip_ = v;
    placeGrip();
    update();
}

void TPvStatusBar::setSimpleStatus(bool v) {
    if (v == simpleStatus_) return;
    simpleStatus_ = v;
    alignLayout()->disableAlign();
    for (QWidget* w : controls()) w->setVisible(!v);
    alignLayout()->enableAlign();
    placeGrip();
    update();
}

void TPvStatusBar::setSimpleCaption(const QString& v) {
    if (v == simpleCaption_) return;
    simpleCaption_ = v;
    update();
}

void TPvStatusBar::setAutoScalePanes(bool v) { autoScalePanes_ = v; }

bool TPvStatusBar::windowMaximized() const { return window()->isMaximized(); }

bool TPvStatusBar::inGripZone(QPoint pos) const {
    return QRect(width() - GripSize, 0, GripSize, height()).contains(pos);
}

TRect TPvStatusBar::gripArea() const {
    TRect r = clientTRect();
    r.bottom += 1;
    const int x = width() - BorderWidth() - GripSize, y = height() - BorderWidth() - GripSize;
    TRect area{std::min(r.right - GripSize, x), std::min(r.bottom - GripSize, y),
               std::max(r.right, x + 12), std::max(r.bottom, y + 12)};
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, width());
    area.bottom = std::min(area.bottom, height());
    return area;
}

void TPvStatusBar::placeGrip() {
    grip_->setGeometry(toQRect(gripArea()));
    grip_->setVisible(showSizeGrip_);
    grip_->raise();
    grip_->update();
}

void TPvStatusBar::paintGrip(Canvas& c) const {
    if (!showSizeGrip_ || windowMaximized()) return;
    TRect r = clientTRect();
    r.bottom += 1;
    c.fillRect({r.right - GripSize, r.bottom - GripSize, r.right, r.bottom}, Color());
    const int x = width() - BorderWidth() - GripSize, y = height() - BorderWidth() - GripSize;
    for (int i : {0, 4, 8}) c.line(x + i, y + 11, x + 12, y - 1 + i, clBtnHighlight);
    for (int j : {0, 4})
        for (int k : {0, 1}) c.line(x + j + k + 1, y + 11, x + 12, y + j + k, clBtnShadow);
    c.line(x + 9, y + 11, x + 12, y + 8, clBtnShadow);
    c.line(x + 10, y + 11, x + 12, y + 9, clBtnShadow);
}

void TPvStatusBar::paintOverFace(Canvas& c) {
    TPvCustomPanel::paintOverFace(c);
    if (!simpleStatus_) return;
    TRect r = clientTRect();
    r.bottom += 1;
    r = DrawBorder(c, r, fsStatus);
    if (simpleCaption_.isEmpty()) return;
    const int y = r.top + (r.height() - c.textHeight(QStringLiteral("Pp"))) / 2;
    c.textOut(r.left + 2, y, TextAlign::Left, simpleCaption_, r, clWindowText, Color());
}

void TPvStatusBar::resizeEvent(QResizeEvent* e) {
    TPvCustomPanel::resizeEvent(e);
    placeGrip();
    int delta = 0;
    if (firstResize_) {
        previousWidth_ = width();
        firstResize_ = false;
    } else {
        delta = width() - previousWidth_;
    }
    const QList<QWidget*> panes = controls();
    // A previous width of 0 has no proportions to keep.
    if (!autoScalePanes_ || panes.isEmpty() || std::abs(delta) < 1 || previousWidth_ <= 0) {
        previousWidth_ = width();
        return;
    }
    alignLayout()->disableAlign();
    for (QWidget* w : panes) {
        const float share = static_cast<float>(w->width()) / static_cast<float>(previousWidth_);
        w->resize(w->width() + static_cast<int>(std::lrint(delta * static_cast<double>(share))), w->height());
    }
    alignLayout()->enableAlign();
    previousWidth_ = width();
}

void TPvStatusBar::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && showSizeGrip_ && inGripZone(e->position().toPoint())) {
        e->accept();
        startSizing();
        return;
    }
    TPvCustomPanel::mousePressEvent(e);
}

void TPvStatusBar::mouseMoveEvent(QMouseEvent* e) {
    if (showSizeGrip_ && !windowMaximized() && inGripZone(e->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    TPvCustomPanel::mouseMoveEvent(e);
}

void TPvStatusBar::childEvent(QChildEvent* e) {
    TPvCustomPanel::childEvent(e);
    if (e->added() && grip_ && e->child() != grip_) grip_->raise();
}

void TPvStatusBar::startSizing() {
    if (QWindow* handle = window()->windowHandle())
        handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
}

}  // namespace pavik
