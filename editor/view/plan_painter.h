#pragma once
// Renders paint plans with QPainter: runs of cells with one glyph per character at its
// cell, placeholders for what does not decode, the paragraph-end mark, fills and lines.
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "editor/view/paint_types.h"

class QPainter;

namespace pavik {

// The editor font and its styled variants.
class PlanFonts {
public:
    void setBase(const QFont& font);
    const QFont& base() const { return base_; }
    const QFont& font(TFontStyles style);

private:
    QFont base_;
    std::array<std::optional<QFont>, 16> variants_;
};

// The paragraph-end mark drawn once per size and pair of colours.
class ParaMarkCache {
public:
    const QPixmap& mark(int size, QColor markColor, QColor back);
    void clear() { cache_.clear(); }

private:
    std::map<std::tuple<int, QRgb, QRgb>, QPixmap> cache_;
};

// Draws the paragraph-end mark into a square.
void drawParaMark(QPainter& p, const QRect& square, QColor markColor);

// The left margin's row-selection cursor: an arrow pointing up and to the right.
QCursor rowSelectionCursor();

class PlanPainter {
public:
    PlanPainter(QPainter& painter, const QPalette& palette, PlanFonts& fonts, ParaMarkCache& marks,
                const PaintMetrics& metrics, int baseline);

    QColor color(TColor c) const;
    void fill(const PaintRect& r, TColor c);
    // Runs of one row whose cells start at y, clipped to `clip`.
    void drawRuns(const std::vector<PaintRun>& runs, int y, const PaintRect& clip);
    // Bytes at cells from x, opaque on `back` (row numbers).
    void drawText(int x, int y, std::string_view bytes, TColor fore, TColor back, TFontStyles style);
    void vline(int x, int top, int bottom, TColor c);

private:
    void drawRun(const PaintRun& run, int y);
    void drawGlyphs(int x, int y, std::string_view bytes, const std::vector<int>& advances);

    QPainter& p_;
    const QPalette& palette_;
    PlanFonts& fonts_;
    ParaMarkCache& marks_;
    const PaintMetrics& m_;
    int baseline_;
};

}  // namespace pavik
