#include "components/draw_kit.h"

#include <QColor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "components/hls.h"

namespace pavik {
namespace {

struct Pair {
    TColor light;
    TColor dark;
};

// Left/top and right/bottom colours of the one-ring and etched styles.
Pair styleColors(TFrameStyle style) {
    switch (style) {
    case fsGroove:
    case fsStatus: return {clBtnShadow, clBtnHighlight};
    case fsBump:
    case fsPopup: return {clBtnHighlight, clBtnShadow};
    default: return {clWindowFrame, clWindowFrame};
    }
}

struct Rings {
    Pair outer;
    Pair inner;
};

Rings twoRingColors(TFrameStyle style) {
    switch (style) {
    case fsRaised: return {{cl3DLight, clBtnText}, {clBtnHighlight, clBtnShadow}};
    case fsLowered: return {{clBtnShadow, clBtnHighlight}, {clBtnText, cl3DLight}};
    case fsButtonUp: return {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
    default: return {{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}};  // fsButtonDown
    }
}

TRect drawRings(Canvas& c, TRect r, TSides sides, Pair outer, Pair inner) {
    r = DrawSides(c, r, outer.light, sides, outer.dark);
    return DrawSides(c, r, inner.light, sides, inner.dark);
}

// Two 1-pixel lines side by side; single pixels first so that open ends look right.
TRect drawEtched(Canvas& c, TRect r, TSides sides, TColor l, TColor d) {
    const bool left = sides & sdLeft, top = sides & sdTop;
    const bool right = sides & sdRight, bottom = sides & sdBottom;
    if (right) c.setPixel(r.right - 1, r.top, d);
    if (top && !right) c.setPixel(r.right - 1, r.top, l);
    if (bottom) c.setPixel(r.left, r.bottom - 1, d);
    if (left && !bottom) c.setPixel(r.left, r.bottom - 1, l);
    if (top && !left) c.setPixel(r.left, r.top + 1, d);
    if (left && !top) c.setPixel(r.left + 1, r.top, d);
    if (bottom && !right) c.setPixel(r.right - 1, r.bottom - 2, l);
    if (right && !bottom) c.setPixel(r.right - 2, r.bottom - 1, l);
    DrawSides(c, {r.left + 1, r.top + 1, r.right, r.bottom}, d, sides, d);
    DrawSides(c, {r.left, r.top, r.right - 1, r.bottom - 1}, l, sides, l);
    if (left) r.left += 2;
    if (top) r.top += 2;
    if (right) r.right -= 2;
    if (bottom) r.bottom -= 2;
    return r;
}

// Plain RGB of a colour that may be a system colour.
std::uint32_t resolvedRgb(const Canvas& c, TColor color) {
    const QColor q = c.color(color);
    return static_cast<std::uint32_t>(q.red()) | (q.green() << 8) | (q.blue() << 16);
}

}  // namespace

TRect DrawSides(Canvas& c, TRect r, TColor light, TSides sides, TColor dark) {
    if (sides & sdLeft) c.line(r.left, r.top, r.left, r.bottom, light);
    if (sides & sdTop) c.line(r.left, r.top, r.right, r.top, light);
    if (sides & sdRight) c.line(r.right - 1, r.top, r.right - 1, r.bottom, dark);
    if (sides & sdBottom) c.line(r.left, r.bottom - 1, r.right, r.bottom - 1, dark);
    if (sides & sdLeft) ++r.left;
    if (sides & sdTop) ++r.top;
    if (sides & sdRight) --r.right;
    if (sides & sdBottom) --r.bottom;
    return r;
}

TRect DrawBevel(Canvas& c, TRect r, TColor light, TSides sides, int width, TColor dark) {
    for (int i = 0; i < width; ++i) r = DrawSides(c, r, light, sides, dark);
    return r;
}

TRect DrawBorderSides(Canvas& c, TRect r, TFrameStyle style, TSides sides) {
    switch (style) {
    case fsNone: return r;
    case fsFlat:
    case fsStatus:
    case fsPopup: {
        const Pair p = styleColors(style);
        return DrawSides(c, r, p.light, sides, p.dark);
    }
    case fsGroove:
    case fsBump: {
        const Pair p = styleColors(style);
        return drawEtched(c, r, sides, p.light, p.dark);
    }
    default: {
        const Rings rings = twoRingColors(style);
        return drawRings(c, r, sides, rings.outer, rings.inner);
    }
    }
}

TRect DrawColorBorderSides(Canvas& c, TRect r, TColor color, TSides sides, bool lowered) {
    const std::uint32_t base = resolvedRgb(c, color);
    const TColor dark100 = ShadeColor(base, -100), dark50 = ShadeColor(base, -50);
    const TColor outerLight = lowered ? dark100 : ShadeColor(base, 100);
    const TColor innerLight = lowered ? dark50 : ShadeColor(base, 40);
    return drawRings(c, r, sides, {outerLight, dark100}, {innerLight, dark50});
}

TRect DrawColoredBorderSides(Canvas& c, TRect r, TColor color, TSides sides, TFrameStyle style) {
    const std::uint32_t base = resolvedRgb(c, color);
    const TColor dark50 = ShadeColor(base, -50), dark100 = ShadeColor(base, -100);
    const TColor light50 = ShadeColor(base, 50), light100 = ShadeColor(base, 100);
    switch (style) {
    case fsNone: return r;
    case fsFlat: return DrawSides(c, r, dark50, sides, dark50);
    case fsStatus: return DrawSides(c, r, dark50, sides, light100);
    case fsPopup: return DrawSides(c, r, light100, sides, dark50);
    case fsRaised: return drawRings(c, r, sides, {light50, dark100}, {light100, dark50});
    case fsLowered: return drawRings(c, r, sides, {dark50, light100}, {dark100, light50});
    case fsButtonDown:
    case fsButtonUp: return DrawColorBorderSides(c, r, color, sides, style == fsButtonDown);
    case fsGroove: return drawEtched(c, r, sides, dark50, light100);
    case fsBump: return drawEtched(c, r, sides, light100, dark50);
    }
    return r;
}

TRect DrawEdge(Canvas& c, TRect r, TFrameStyle style, TSides sides, TColor flatColor,
               int bevelWidth, TColor highlight, TColor shadow) {
    switch (style) {
    case fsFlat: return DrawBevel(c, r, flatColor, sides, 1, flatColor);
    case fsPopup: return DrawBevel(c, r, highlight, sides, bevelWidth, shadow);
    case fsStatus: return DrawBevel(c, r, shadow, sides, bevelWidth, highlight);
    default: return DrawBorderSides(c, r, style, sides);
    }
}

void DrawFrame(Canvas& c, int width, int height, TSides sides, TColor flatColor, TColor baseColor,
               TFrameStyle style) {
    const TRect r{0, 0, width, height};
    DrawBevel(c, r, baseColor, sdAll, 2, baseColor);
    if (style == fsFlat) DrawSides(c, r, flatColor, sides, flatColor);
    else if (baseColor != clWindow) DrawColoredBorderSides(c, r, baseColor, sides, style);
    else DrawBorderSides(c, r, style, sides);
}

LedGeometry LedBarGeometry(int length, int segments) {
    LedGeometry g;
    if (length <= 0) return g;
    if (segments <= 0) {  // no segments: the margins cover the whole bar
        g.margin = length / 2;
        return g;
    }
    int count = segments;
    g.size = length / count;
    if (length <= 80 && segments >= 11) {
        count = 10;
        g.size = length / 10;
    }
    const int extra = g.size ? (length - count * g.size) / g.size : 0;
    g.total = extra >= 1 ? count + extra : count;
    g.margin = (length - g.total * g.size) / 2;
    return g;
}

int LedLitSegments(unsigned percent, int total) {
    return static_cast<int>(std::min(percent, 100u) * static_cast<unsigned>(std::max(total, 0)) / 100);
}

int TraditionalBarFill(unsigned percent, int length) {
    if (percent >= 100) return length;
    return static_cast<int>(std::lrint(percent * static_cast<double>(length) / 100));
}

void DrawLEDBar(Canvas& c, TRect r, TOrientation orientation, unsigned percent, int segments,
                TColor back, TColor bar) {
    const bool vertical = orientation == orVertical;
    const LedGeometry g = LedBarGeometry(vertical ? r.height() : r.width(), segments);
    const int s = g.size, m = g.margin;
    // The coordinates make up for the class library dropping a pen-less rectangle's last
    // column and row.
    if (vertical) {
        c.rectangle({r.left, r.top, r.right + 1, r.top + m + 1}, std::nullopt, back);
        c.rectangle({r.left, r.bottom - m - 1, r.right + 1, r.bottom + 1}, std::nullopt, back);
    } else {
        c.rectangle({r.left - 1, r.top, r.left + m + 1, r.bottom + 1}, std::nullopt, back);
        c.rectangle({r.right - m - 1, r.top, r.right + 1, r.bottom + 1}, std::nullopt, back);
    }
    const int lit = LedLitSegments(percent, g.total);
    for (int i = 1; i <= g.total; ++i) {
        TRect seg;
        if (vertical) {
            const int top = r.top + (g.total - i) * s + m;
            seg = {r.left, top, r.right, top + s};
        } else {
            const int left = r.left + (i - 1) * s + m;
            seg = {left, r.top, left + s, r.bottom};
        }
        c.rectangle(seg, back, i <= lit ? bar : back);
    }
}

void DrawTraditionalBar(Canvas& c, TRect r, TOrientation orientation, bool showPercent,
                        unsigned percent, TColor back, TColor bar) {
    const QString text = showPercent ? QString::number(percent) + QLatin1Char('%') : QString();
    TRect filled = r;
    if (percent < 100) {
        if (orientation == orVertical)
            filled.top = r.bottom - TraditionalBarFill(percent, r.height());
        else
            filled.right = r.left + TraditionalBarFill(percent, r.width());
    }
    const int x = r.right / 2;
    const int y = r.top + (r.height() - c.textHeight(QStringLiteral("X"))) / 2;
    c.textOut(x, y, TextAlign::Center, text, filled, back, bar);
    const TRect rest = orientation == orVertical ? TRect{r.left, r.top, r.right, filled.top}
                                                 : TRect{filled.right, r.top, r.right, r.bottom};
    c.textOut(x, y, TextAlign::Center, text, rest, bar, back);
}

TRotatedFont RotateFont(const QFont& font, int angle) {
    QFont f(font.family());
    if (font.pixelSize() > 0) f.setPixelSize(font.pixelSize());
    else f.setPointSizeF(font.pointSizeF());
    f.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    const bool fixed = QFontInfo(font).fixedPitch();
    f.setFixedPitch(fixed);
    f.setStyleHint(fixed ? QFont::TypeWriter : QFont::AnyStyle);
    return {f, angle * 10};
}

void DrawRotatedText(Canvas& c, const TRotatedFont& font, int x, int y, TextAnchor anchor,
                     const QString& text, TColor color) {
    if (text.isEmpty()) return;
    QPainter& p = c.painter();
    p.save();
    p.setFont(font.font);
    p.setPen(c.color(color));
    p.translate(x, y);
    p.rotate(-font.escapement / 10.0);  // the escapement turns counter-clockwise
    const QFontMetrics fm(font.font);
    if (anchor == TextAnchor::TopLeft) p.drawText(QPoint(0, fm.ascent()), text);
    else if (anchor == TextAnchor::BaselineLeft) p.drawText(QPoint(0, 0), text);
    else p.drawText(QPoint(-fm.horizontalAdvance(text) / 2, 0), text);
    p.restore();
}

}  // namespace pavik
