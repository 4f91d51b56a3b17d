#pragma once
// Widget tests: one QApplication for the run, an editor that records its repaint requests.
#include <QImage>
#include <QRect>
#include <vector>

#include "editor/view/af_edit.h"

namespace pavik::test {

class RecordingEdit : public TAFEdit {
public:
    std::vector<QRect> requests;

protected:
    void requestRepaint(const QRect& rect) override {
        if (!rect.isEmpty()) requests.push_back(rect);
        TAFEdit::requestRepaint(rect);
    }
};

// The viewport as painted now, without the caret (the editor is shown first, so that its
// size applies).
QImage paintedView(TAFEdit& edit);
// A cell of the text area in viewport pixels.
QRect cellRect(const TAFEdit& edit, int col, int row);
// Pixels of `image` inside `rect` within `tolerance` of colour `c` in every channel
// (glyph edges are smoothed, so text is matched with some tolerance).
int countColor(const QImage& image, const QRect& rect, QColor c, int tolerance = 0);

}  // namespace pavik::test
