#pragma once
// Pixel-exact drawing primitives with the class library's conventions: rectangles have
// exclusive right and bottom edges, lines leave out their end point, colours are resolved
// through the palette only when drawn. Nothing is antialiased.
#include <QPalette>
#include <QRect>
#include <QString>
#include <optional>

#include "platform/qt_colors.h"
#include "platform/rect.h"

class QPainter;

namespace pavik {

inline QRect toQRect(const TRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
inline TRect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

enum class TextAlign { Left, Center, Right };

class Canvas {
public:
    Canvas(QPainter& painter, const QPalette& palette);

    QPainter& painter() const { return painter_; }
    const QPalette& palette() const { return palette_; }
    QColor color(TColor c) const { return toQColor(c, palette_); }

    void setPixel(int x, int y, TColor c);
    // From (x1, y1) towards (x2, y2); the end point itself is not drawn.
    void line(int x1, int y1, int x2, int y2, TColor c);
    void fillRect(const TRect& r, TColor c);
    // An outline `width` pixels wide lying inside r.
    void frameRect(const TRect& r, TColor c, int width = 1);
    // The class library's Rectangle: with a pen, a 1-pixel outline on r's edge and the brush
    // inside it; without a pen, the brush fills r less its last column and last row.
    void rectangle(const TRect& r, std::optional<TColor> pen, std::optional<TColor> brush);

    int textHeight(const QString& text) const;
    int textWidth(const QString& text) const;
    // Text with its top at y and x at its left, centre or right, clipped to `clip`. With an
    // opaque colour the clip rectangle is filled first.
    void textOut(int x, int y, TextAlign align, const QString& text, const TRect& clip,
                 TColor textColor, std::optional<TColor> opaque = std::nullopt);

private:
    QPainter& painter_;
    QPalette palette_;
};

}  // namespace pavik
