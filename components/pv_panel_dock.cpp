#include "components/pv_panel_dock.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionDockWidget>
#include <QTextLayout>
#include <QWidget>
#include <cmath>

#include "components/draw_kit.h"
#include "components/pv_panel.h"

namespace pavik {
namespace {

// The height of `text` set on one line in `font`, with the fallback fonts its glyphs need.
int lineHeight(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return line.isValid() ? static_cast<int>(std::ceil(line.ascent() + line.descent())) : 0;
}

}  // namespace

std::vector<DockZone> DockZonesIn(TRect area, int count, bool bandAtLeft, int grabber) {
    std::vector<DockZone> zones;
    const int length = bandAtLeft ? area.width() : area.height();
    for (int i = 0; i < count; ++i) {
        const int from = i * length / count, to = (i + 1) * length / count;
        DockZone z;
        if (bandAtLeft) {
            z.zone = {area.left + from, area.top, area.left + to, area.bottom};
            z.band = {z.zone.left, z.zone.top, z.zone.left + grabber, z.zone.bottom};
            z.dock = {z.band.right, z.zone.top, z.zone.right, z.zone.bottom};
            z.close = {z.zone.left + 1, z.zone.top + 1, z.zone.left + grabber - 1, z.zone.top + grabber};
        } else {
            z.zone = {area.left, area.top + from, area.right, area.top + to};
            z.band = {z.zone.left, z.zone.top, z.zone.right, z.zone.top + grabber};
            z.dock = {z.zone.left, z.band.bottom, z.zone.right, z.zone.bottom};
            z.close = {z.zone.right - grabber - 1, z.zone.top + 1, z.zone.right - 1, z.zone.top + grabber - 1};
        }
        zones.push_back(z);
    }
    return zones;
}

void DrawCaptionCloseButton(Canvas& c, TRect r) {
    if (r.isEmpty()) return;
    c.fillRect(r, clBtnFace);
    const TRect in = DrawBorder(c, r, fsButtonUp);
    // A cross two pixels thick, inset so that it keeps clear of the edge.
    const int side = std::min(in.width(), in.height());
    const int inset = std::max(1, side / 4);
    const int n = side - 2 * inset - 1;
    if (n < 1) return;
    const int x = in.left + (in.width() - side) / 2 + inset, y = in.top + (in.height() - side) / 2 + inset;
    for (int i = 0; i <= n; ++i)
        for (int dx : {0, 1}) {
            if (i + dx <= n) c.setPixel(x + i + dx, y + i, clBtnText);
            if (n - i + dx <= n) c.setPixel(x + n - i + dx, y + i, clBtnText);
        }
}

TPvPanelDockManager::TPvPanelDockManager(TPvCustomPanel& panel)
    : QObject(&panel), panel_(panel), font_(QStringLiteral("Verdana"), 8) {}

bool TPvPanelDockManager::bandAtLeft() const {
    const TAlign align = panel_.Align();
    return align == alTop || align == alBottom;
}

QStringList TPvPanelDockManager::shownCaptions() const {
    QStringList captions;
    for (const QPointer<QWidget>& d : docked_)
        if (d && !d->isHidden()) captions.append(d->windowTitle());
    return captions;
}

int TPvPanelDockManager::grabberSize() const {
    // The band grows where a caption would not fit it, as one in a fallback font may not.
    int size = GrabberSize;
    if (panel_.PaintDockGrabbers()) {
        const QFontMetrics fm(font_);
        for (const QString& caption : shownCaptions())
            if (!caption.isEmpty()) size = std::max(size, fm.tightBoundingRect(caption).height() + 2);
        return size;
    }
    QStyleOptionDockWidget opt;
    opt.initFrom(&panel_);
    const int margin = panel_.style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, &opt, &panel_);
    size = std::max(size, panel_.fontMetrics().height() + 2 * margin);
    for (const QString& caption : shownCaptions()) size = std::max(size, lineHeight(caption, panel_.font()) + 2 * margin);
    return size;
}

void TPvPanelDockManager::InsertControl(QWidget* control) {
    for (const QPointer<QWidget>& d : docked_)
        if (d == control) return;
    docked_.emplace_back(control);
    if (control->parentWidget() != &panel_) control->setParent(&panel_);
    control->installEventFilter(this);
    // A destroyed control gives its zone up once it is gone.
    connect(control, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(this, &TPvPanelDockManager::ResetBounds, Qt::QueuedConnection);
    });
    control->show();
    ResetBounds();
}

void TPvPanelDockManager::RemoveControl(QWidget* control) {
    std::erase_if(docked_, [control](const QPointer<QWidget>& d) { return !d || d == control; });
    control->removeEventFilter(this);
    disconnect(control, &QObject::destroyed, this, nullptr);
    ResetBounds();
}

QList<QWidget*> TPvPanelDockManager::controls() const {
    QList<QWidget*> list;
    for (const QPointer<QWidget>& d : docked_)
        if (d) list.append(d);
    return list;
}

std::vector<std::pair<QWidget*, DockZone>> TPvPanelDockManager::zones() const {
    std::vector<QWidget*> shown;
    for (const QPointer<QWidget>& d : docked_)
        if (d && !d->isHidden()) shown.push_back(d);
    const std::vector<DockZone> z =
        DockZonesIn(panel_.alignRect(), static_cast<int>(shown.size()), bandAtLeft(), grabberSize());
    std::vector<std::pair<QWidget*, DockZone>> result;
    for (std::size_t i = 0; i < shown.size(); ++i) result.emplace_back(shown[i], z[i]);
    return result;
}

void TPvPanelDockManager::ResetBounds() {
    for (const auto& [control, z] : zones()) control->setGeometry(toQRect(z.dock));
    panel_.update();
}

void TPvPanelDockManager::PaintSite(Canvas& c) {
    for (const auto& [control, z] : zones()) {
        if (panel_.PaintDockGrabbers()) paintPvGrabber(c, control->windowTitle(), z);
        else paintStyleGrabber(c, control->windowTitle(), z);
    }
}

void TPvPanelDockManager::paintPvGrabber(Canvas& c, const QString& caption, const DockZone& z) {
    QPainter& p = c.painter();
    c.fillRect(z.band, clActiveCaption);
    p.save();
    p.setClipRect(toQRect(z.band));
    // The caption's ink is centred across the band, whatever font its glyphs come from.
    const QRect ink = QFontMetrics(font_).tightBoundingRect(caption);
    if (bandAtLeft()) {
        const int baseline = z.band.left + (z.band.width() - ink.height()) / 2 - ink.top();
        DrawRotatedText(c, RotateFont(font_, 90), baseline, z.band.bottom - 3, TextAnchor::BaselineLeft, caption,
                        clCaptionText);
    } else {
        const int baseline = z.band.top + (z.band.height() - ink.height()) / 2 - ink.top();
        p.setFont(font_);
        p.setPen(c.color(clCaptionText));
        p.drawText(QPoint(z.band.left + 2, baseline), caption);
    }
    p.restore();
    DrawCaptionCloseButton(c, z.close);
}

void TPvPanelDockManager::paintStyleGrabber(Canvas& c, const QString& caption, const DockZone& z) {
    QStyleOptionDockWidget opt;
    opt.initFrom(&panel_);
    opt.rect = toQRect(z.band);
    opt.title = caption;
    opt.closable = true;
    opt.movable = true;
    opt.verticalTitleBar = bandAtLeft();
    QStyle* style = panel_.style();
    style->drawControl(QStyle::CE_DockWidgetTitle, &opt, &c.painter(), &panel_);
    const QIcon close = style->standardIcon(QStyle::SP_DockWidgetCloseButton, &opt, &panel_);
    const QRect r = toQRect(z.close);
    close.paint(&c.painter(), r.adjusted(1, 1, -1, -1));
}

bool TPvPanelDockManager::mousePress(QPoint pos) {
    for (const auto& [control, z] : zones()) {
        if (!toQRect(z.band).contains(pos)) continue;
        pressedClose_ = toQRect(z.close).contains(pos) ? control : nullptr;
        return true;
    }
    return false;
}

bool TPvPanelDockManager::mouseRelease(QPoint pos) {
    QPointer<QWidget> pressed = std::exchange(pressedClose_, nullptr);
    for (const auto& [control, z] : zones()) {
        if (!toQRect(z.band).contains(pos)) continue;
        if (pressed == control && toQRect(z.close).contains(pos)) control->hide();
        return true;
    }
    return false;
}

bool TPvPanelDockManager::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent: ResetBounds(); break;
    case QEvent::WindowTitleChange: ResetBounds(); break;  // the band may have to grow
    case QEvent::ParentChange:
        if (static_cast<QWidget*>(watched)->parentWidget() != &panel_) RemoveControl(static_cast<QWidget*>(watched));
        break;
    default: break;
    }
    return false;
}

}  // namespace pavik
