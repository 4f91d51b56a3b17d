#include "editor/view/plan_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>

#include "editor/view/glyph_table.h"
#include "editor/view/paint_metrics.h"
#include "platform/qt_colors.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

QRect toQRect(const PaintRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

}  // namespace

void PlanFonts::setBase(const QFont& font) {
    base_ = font;
    for (auto& v : variants_) v.reset();
}

const QFont& PlanFonts::font(TFontStyles style) {
    style &= 0x0F;
    if (style == 0) return base_;
    auto& v = variants_[style];
    if (!v) {
        QFont f = base_;
        if (style & fsBold) f.setBold(true);
        if (style & fsItalic) f.setItalic(true);
        if (style & fsUnderline) f.setUnderline(true);
        if (style & fsStrikeOut) f.setStrikeOut(true);
        v = f;
    }
    return *v;
}

void drawParaMark(QPainter& p, const QRect& sq, QColor markColor) {
    const ParaMarkImage kind = paraMarkImageFor(sq.height());
    const qreal s = sq.height();
    const qreal pen = kind == ParaMarkImage::Large ? 2.0 : 1.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(sq.topLeft());
    // A return arrow: down the right side, then left to an arrow head.
    const qreal right = s * 0.62;
    const qreal top = s * (kind == ParaMarkImage::Small ? 0.22 : 0.25);
    const qreal base = s * 0.68;
    const qreal tip = s * 0.12;
    const qreal head = std::max<qreal>(2.0, s * (kind == ParaMarkImage::Small ? 0.2 : 0.18));
    p.setPen(QPen(markColor, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawLine(QPointF(right, top), QPointF(right, base));
    p.drawLine(QPointF(right, base), QPointF(tip + head * 0.5, base));
    QPainterPath arrow;
    arrow.moveTo(tip, base);
    arrow.lineTo(tip + head, base - head);
    arrow.lineTo(tip + head, base + head);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(markColor);
    p.drawPath(arrow);
    p.restore();
}

QCursor rowSelectionCursor() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing, false);
        // The usual arrow mirrored left to right, its tip at (20, 1).
        const QPointF shape[] = {{20, 1}, {20, 17}, {16, 13}, {13, 20}, {10, 19}, {13, 12}, {8, 12}};
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(shape, 7);
    }
    return QCursor(pm, 20, 1);
}

const QPixmap& ParaMarkCache::mark(int size, QColor markColor, QColor back) {
    const auto key = std::make_tuple(size, markColor.rgba(), back.rgba());
    auto it = cache_.find(key);
    if (it != cache_.end()) return it->second;
    QPixmap pm(std::max(size, 1), std::max(size, 1));
    pm.fill(back);
    {
        QPainter p(&pm);
        drawParaMark(p, QRect(0, 0, pm.width(), pm.height()), markColor);
    }
    return cache_.emplace(key, std::move(pm)).first->second;
}

PlanPainter::PlanPainter(QPainter& painter, const QPalette& palette, PlanFonts& fonts,
                         ParaMarkCache& marks, const PaintMetrics& metrics, int baseline)
    : p_(painter), palette_(palette), fonts_(fonts), marks_(marks), m_(metrics), baseline_(baseline) {}

QColor PlanPainter::color(TColor c) const { return toQColor(c, palette_); }

void PlanPainter::fill(const PaintRect& r, TColor c) {
    if (!r.isEmpty()) p_.fillRect(toQRect(r), color(c));
}

void PlanPainter::vline(int x, int top, int bottom, TColor c) {
    if (bottom > top) p_.fillRect(QRect(x, top, 1, bottom - top), color(c));
}

void PlanPainter::drawRuns(const std::vector<PaintRun>& runs, int y, const PaintRect& clip) {
    if (clip.isEmpty()) return;
    p_.save();
    p_.setClipRect(toQRect(clip));
    for (const PaintRun& run : runs) drawRun(run, y);
    p_.restore();
}

void PlanPainter::drawRun(const PaintRun& run, int y) {
    const int pitch = m_.cellPitch;
    p_.fillRect(QRect(run.x, y, run.cells * pitch, m_.rowHeight), color(run.back));
    if (run.kind == RunKind::ParaEnd) {
        p_.drawPixmap(run.x, y, marks_.mark(m_.textHeight, color(run.fore), color(run.back)));
        return;
    }
    p_.setFont(fonts_.font(run.style));
    p_.setPen(color(run.fore));
    drawGlyphs(run.x, y, run.bytes, run.advances);
}

void PlanPainter::drawText(int x, int y, std::string_view bytes, TColor fore, TColor back,
                           TFontStyles style) {
    const int w = static_cast<int>(bytes.size()) * m_.cellPitch;
    p_.fillRect(QRect(x, y, w, m_.rowHeight), color(back));
    p_.setFont(fonts_.font(style));
    p_.setPen(color(fore));
    drawGlyphs(x, y, bytes, {});
}

void PlanPainter::drawGlyphs(int x, int y, std::string_view bytes, const std::vector<int>& advances) {
    const Cp932GlyphTable& table = Cp932GlyphTable::instance();
    const int pitch = m_.cellPitch;
    const int base = y + baseline_;
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t n = sjis::charLength(bytes, i);
        int width = 0;
        for (size_t k = i; k < i + n; ++k)
            width += k < advances.size() ? advances[k] : pitch;
        const char32_t cp = table.decode(bytes.substr(i, n));
        if (cp == 0) {
            // Placeholder: a box as wide as the character's cells.
            const int cells = static_cast<int>(n) * pitch;
            const QRect box(x + 1, y + 2, std::max(cells - 3, 1), std::max(m_.textHeight - 5, 1));
            p_.save();
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(box);
            p_.restore();
        } else if (cp != U' ' && cp != U'\u3000') {
            p_.drawText(QPoint(x, base), QString::fromUcs4(&cp, 1));
        }
        x += width;
        i += n;
    }
}

}  // namespace pavik
