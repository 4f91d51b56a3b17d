#include "components/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

namespace pavik {

Canvas::Canvas(QPainter& painter, const QPalette& palette) : painter_(painter), palette_(palette) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void Canvas::setPixel(int x, int y, TColor c) { painter_.fillRect(QRect(x, y, 1, 1), color(c)); }

void Canvas::line(int x1, int y1, int x2, int y2, TColor c) {
    const QColor qc = color(c);
    if (y1 == y2) {
        if (x1 != x2) painter_.fillRect(QRect(std::min(x1, x2 + 1), y1, std::abs(x2 - x1), 1), qc);
        return;
    }
    if (x1 == x2) {
        painter_.fillRect(QRect(x1, std::min(y1, y2 + 1), 1, std::abs(y2 - y1)), qc);
        return;
    }
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        painter_.fillRect(QRect(x1, y1, 1, 1), qc);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void Canvas::fillRect(const TRect& r, TColor c) {
    if (!r.isEmpty()) painter_.fillRect(toQRect(r), color(c));
}

void Canvas::frameRect(const TRect& r, TColor c, int width) {
    if (r.isEmpty() || width <= 0) return;
    const int w = std::min(width, (std::min(r.width(), r.height()) + 1) / 2);
    fillRect({r.left, r.top, r.right, r.top + w}, c);
    fillRect({r.left, r.bottom - w, r.right, r.bottom}, c);
    fillRect({r.left, r.top + w, r.left + w, r.bottom - w}, c);
    fillRect({r.right - w, r.top + w, r.right, r.bottom - w}, c);
}

void Canvas::rectangle(const TRect& r, std::optional<TColor> pen, std::optional<TColor> brush) {
    if (pen) {
        if (brush) fillRect(r.shrunk(1), *brush);
        frameRect(r, *pen);
    } else if (brush) {
        fillRect({r.left, r.top, r.right - 1, r.bottom - 1}, *brush);
    }
}

int Canvas::textHeight(const QString& text) const {
    return QFontMetrics(painter_.font()).size(Qt::TextSingleLine, text).height();
}

int Canvas::textWidth(const QString& text) const {
    return QFontMetrics(painter_.font()).size(Qt::TextSingleLine | Qt::TextExpandTabs, text).width();
}

void Canvas::textOut(int x, int y, TextAlign align, const QString& text, const TRect& clip,
                     TColor textColor, std::optional<TColor> opaque) {
    if (clip.isEmpty()) return;
    if (opaque) fillRect(clip, *opaque);
    if (text.isEmpty()) return;
    const QFontMetrics fm(painter_.font());
    const int w = fm.horizontalAdvance(text);
    int left = x;
    if (align == TextAlign::Center) left = x - w / 2;
    else if (align == TextAlign::Right) left = x - w;
    painter_.save();
    painter_.setClipRect(toQRect(clip), Qt::IntersectClip);
    painter_.setPen(color(textColor));
    painter_.drawText(QPoint(left, y + fm.ascent()), text);
    painter_.restore();
}

}  // namespace pavik
