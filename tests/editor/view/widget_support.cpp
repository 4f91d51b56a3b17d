#include "widget_support.h"

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

namespace pavik::test {

QImage paintedView(TAFEdit& edit) {
    if (!edit.isVisible()) edit.show();
    QApplication::processEvents();
    edit.clearFocus();  // no caret over the cells
    return edit.viewport()->grab().toImage();
}

QRect cellRect(const TAFEdit& edit, int col, int row) {
    const PaintMetrics& m = edit.Metrics();
    return QRect(m.textArea.left + (col - edit.core().LeftCol) * m.cellPitch,
                 m.textArea.top + (row - edit.core().TopRow) * m.rowHeight, m.cellPitch, m.rowHeight);
}

int countColor(const QImage& image, const QRect& rect, QColor c, int tolerance) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (!image.rect().contains(x, y)) continue;
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance)
                ++n;
        }
    return n;
}

}  // namespace pavik::test
