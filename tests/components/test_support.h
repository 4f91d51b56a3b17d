#pragma once
// Shared test helpers: a QApplication for the whole run, manual timers, offscreen canvases.
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <functional>
#include <vector>

#include "components/canvas.h"
#include "platform/timer.h"

namespace pavik::test {

// Installs a factory of ManualTimers for the lifetime of the object and keeps what it made.
class ManualTimers {
public:
    ManualTimers();
    ~ManualTimers();
    ManualTimer* last() const { return made_.empty() ? nullptr : made_.back(); }
    int count() const { return static_cast<int>(made_.size()); }

private:
    std::vector<ManualTimer*> made_;
    TimerFactory old_;
};

// A palette with a distinct colour for every role, so that swapped colours show.
QPalette distinctPalette();

// Runs `draw` on a w x h image first filled with `background`.
QImage drawn(int w, int h, const std::function<void(Canvas&)>& draw, QColor background = QColor(1, 2, 3));

}  // namespace pavik::test
