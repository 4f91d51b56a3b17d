// TAFEdit: painting the plans, repainting what changed, scroll bars, the caret.
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "editor/view/af_edit.h"
#include "editor/view/paint_metrics.h"
#include "platform/sjis.h"
#include "platform/timer.h"

namespace pavik {

namespace {

QRect toQRect(const PaintRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

void applyBar(QScrollBar* bar, const ScrollBarState& s) {
    bar->setRange(0, s.lastPos());
    bar->setPageStep(std::max(s.page, 1));
    bar->setSingleStep(1);
    bar->setValue(s.pos);
}

}  // namespace

// ---- paint ----

void TAFEdit::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    canvas_ = &p;
    settings_.markColor = markColorFrom(settings_.resolve(clWindow));
    const QRect r = event->rect();
    const PaintRect dirty{0, r.top(), metrics_.textArea.right, r.bottom() + 1};
    const ScreenPlan plan = planner().planScreen(dirty);
    PlanPainter pp(p, palette(), fonts_, paraMarks_, metrics_, baseline_);

    p.fillRect(r, pp.color(plan.background));
    for (const RowPlan& row : plan.rows) {
        pp.fill(row.fillRect, row.fill);
        if (row.pastEnd) continue;
        if (row.belowFill) pp.fill(*row.belowFill, plan.background);
        bool draw = true;
        if (OnDrawLine) {
            p.save();
            OnDrawLine(*this, row.row, toQRect(row.drawRect), row.displayLine, draw);
            p.restore();
        }
        if (!draw) {
            core_.SetRowDirty(row.row, true);
            continue;
        }
        pp.drawRuns(row.runs, row.rowRect.top, row.drawRect);
        const MarginPlan& m = row.margin;
        if (!m.rect.isEmpty()) {
            pp.fill(m.rect, m.fill);
            std::string text = m.text;
            bool number = true;
            if (OnDrawLeftMgn) {
                p.save();
                OnDrawLeftMgn(*this, row.row, toQRect(m.rect), text, number);
                p.restore();
            }
            if (number && m.drawText) {
                p.save();
                p.setClipRect(toQRect(m.rect));
                pp.drawText(0, m.rect.top, text, m.textColor, m.fill, settings_.fontStyle);
                p.restore();
            }
        }
        if (row.wrapLineX) pp.vline(*row.wrapLineX, row.drawRect.top, row.drawRect.bottom, settings_.markColor);
    }

    if (plan.ruler.shown || !rulerDrawn_) {
        lastRuler_ = plan.ruler;
        rulerDrawn_ = true;
    }
    const PaintRect rulerArea{0, 0, metrics_.textArea.right, metrics_.textArea.top};
    if (!rulerArea.isEmpty() && r.intersects(toQRect(rulerArea))) {
        pp.fill(lastRuler_.fillRect, lastRuler_.fill);
        if (!lastRuler_.runs.empty()) {
            if (OnDrawColIndi) {
                p.save();
                OnDrawColIndi(*this, toQRect(lastRuler_.fillRect), true);
                p.restore();
            }
            pp.drawRuns(lastRuler_.runs, lastRuler_.y, rulerArea);
        }
    }

    if (!preedit_.isEmpty() && r.intersects(preeditRect())) paintPreedit(p);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (hasFocus() && caretOn_ && !caretRect_.isEmpty()) p.fillRect(caretRect_, Qt::white);
    if (guideCol_) {
        const int x = planner().colX(*guideCol_);
        p.fillRect(QRect(x, metrics_.textArea.top, 1, metrics_.textArea.bottom - metrics_.textArea.top), Qt::white);
    }
    canvas_ = nullptr;
    lastTop_ = core_.TopRow;
    lastLeft_ = core_.LeftCol;
}

void TAFEdit::requestRepaint(const QRect& rect) {
    if (!rect.isEmpty()) viewport()->update(rect);
}

void TAFEdit::repaintAll() {
    if (core_.Updating()) return;
    if (rowNumberLength() > marginNumberLength_) updateMetrics(false);
    requestRepaint(viewport()->rect());
    lastTop_ = core_.TopRow;
    lastLeft_ = core_.LeftCol;
    lastRowCount_ = core_.RowCount();
    const int last = std::min(core_.TopRow + metrics_.visibleRows, core_.RowCount() - 1);
    for (int r = std::max(core_.TopRow, 0); r <= last; ++r) core_.SetRowDirty(r, false);
}

QRect TAFEdit::RowRect(int row) const { return toQRect(planner().fullRowRect(row)); }

QRect TAFEdit::RulerRect() const { return toQRect(planner().rulerRect()); }

void TAFEdit::repaintRulerIfChanged() {
    const RulerPlan r = planner().planRuler();
    if (r.shown && r != lastRuler_) requestRepaint(RulerRect());
}

// ---- the core's view ----

void TAFEdit::paint() {
    if (core_.Updating()) return;
    repaintAll();
    refreshScrollBars();
    updateCaret();
}

void TAFEdit::repaintRows() {
    if (core_.Updating()) return;
    if (core_.TopRow != lastTop_ || core_.LeftCol != lastLeft_) {
        repaintAll();
        return;
    }
    if (rowNumberLength() > marginNumberLength_) {
        // The row numbers outgrew the margin: it widens, and the text area moves with it.
        repaintAll();
        refreshScrollBars();
        return;
    }
    const PaintPlanner pl = planner();
    const int rows = core_.RowCount();
    const int last = std::min(core_.TopRow + metrics_.visibleRows, rows - 1);
    for (int r = std::max(core_.TopRow, 0); r <= last; ++r) {
        if (!core_.RowAttr(r).dirty) continue;
        requestRepaint(toQRect(pl.fullRowRect(r)));
        core_.SetRowDirty(r, false);
    }
    if (rows != lastRowCount_) {
        // The last row moved: from there down to the bottom.
        const int from = std::max(std::min(rows, lastRowCount_) - 1, core_.TopRow);
        const int y = std::max(pl.rowY(from), metrics_.textArea.top);
        requestRepaint(QRect(0, y, metrics_.textArea.right, metrics_.textArea.bottom - y));
        lastRowCount_ = rows;
    }
    repaintRulerIfChanged();
}

ScrollInput TAFEdit::scrollInput() const {
    ScrollInput in;
    in.rowCount = core_.RowCount();
    in.visibleRows = metrics_.visibleRows;
    in.visibleCols = metrics_.visibleCols;
    in.topRow = core_.TopRow;
    in.leftCol = core_.LeftCol;
    in.caret = core_.Caret;
    in.defWrapPos = core_.DefWrapPos();
    in.longestRow = core_.LongestRow();
    in.style = scrollBars_;
    return in;
}

void TAFEdit::refreshScrollBars() {
    if (applyingBars_) {
        refreshAgain_ = true;
        return;
    }
    applyingBars_ = true;
    // Showing or hiding one bar resizes the view, which can change the other.
    for (int pass = 0; pass < 3; ++pass) {
        refreshAgain_ = false;
        const ScrollBarsPlan plan = planScrollBars(scrollInput());
        applyBar(verticalScrollBar(), plan.vertical);
        applyBar(horizontalScrollBar(), plan.horizontal);
        const Qt::ScrollBarPolicy v = plan.vertical.shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        const Qt::ScrollBarPolicy h = plan.horizontal.shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        if (verticalScrollBarPolicy() != v) setVerticalScrollBarPolicy(v);
        if (horizontalScrollBarPolicy() != h) setHorizontalScrollBarPolicy(h);
        if (!refreshAgain_) break;
    }
    applyingBars_ = false;
}

void TAFEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateClientSize();
    refreshScrollBars();
    updateCaret();
}

void TAFEdit::scrollContentsBy(int, int) {
    if (applyingBars_) return;
    core_.TopRow = verticalScrollBar()->value();
    core_.LeftCol = horizontalScrollBar()->value();
    repaintAll();
    updateCaret();
}

void TAFEdit::ScrollLine(bool up) {
    const bool shift = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    core_.VScroll(up ? ScrollCode::LineBack : ScrollCode::LineForward, 0, shift);
}

// ---- caret ----

QRect TAFEdit::computeCaretRect() const {
    TextPoint c = core_.Caret;
    const bool rowExists = c.row >= 0 && c.row < core_.RowCount();
    if ((!(core_.Options & aoFreeCaret) && !rowExists) || mouse_->CaretHidden()) return {};
    bool wide = false;
    if (rowExists) {
        const std::string& t = core_.RowText(c.row);
        const int idx = core_.ColToCharIndex(c.col, c.row);
        if (idx >= 0 && idx < static_cast<int>(t.size())) {
            const size_t start = sjis::charStart(t, static_cast<size_t>(idx));
            if (start != static_cast<size_t>(idx) && t[static_cast<size_t>(idx)] != '\t') --c.col;
            wide = sjis::charLength(t, start) == 2;
        }
    }
    const int x = (c.col - core_.LeftCol) * metrics_.cellPitch + metrics_.textArea.left;
    const int y = (c.row - core_.TopRow) * metrics_.rowHeight + metrics_.textArea.top;
    const int h = metrics_.textHeight;
    const int w = core_.InsertMode ? 2 : (wide ? h : std::max(h / 2, 1));
    const PaintRect& a = metrics_.textArea;
    if (x < a.left || y < a.top || x >= a.right || y >= a.bottom) return {};
    return QRect(x, y, w, h);
}

void TAFEdit::updateCaret() {
    const QRect old = caretRect_;
    caretRect_ = computeCaretRect();
    if (hasFocus()) {
        if (old != caretRect_) {
            requestRepaint(old);
            requestRepaint(caretRect_);
        }
        caretOn_ = true;
        if (old != caretRect_) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
        if (!core_.Updating() && OnStatusChange) OnStatusChange(*this);
    }
    if (core_.Caret != lastCaret_) repaintRulerIfChanged();
    lastCaret_ = core_.Caret;
}

void TAFEdit::ShowGuideLine(int col) {
    HideGuideLine();
    guideCol_ = col;
    requestRepaint(QRect(planner().colX(col), 0, 1, metrics_.textArea.bottom));
}

void TAFEdit::HideGuideLine() {
    if (!guideCol_) return;
    requestRepaint(QRect(planner().colX(*guideCol_), 0, 1, metrics_.textArea.bottom));
    guideCol_.reset();
}

// ---- Qt events ----

void TAFEdit::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyFont();
    } else if (event->type() == QEvent::PaletteChange) {
        paraMarks_.clear();
        repaintAll();
    }
}

void TAFEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    caretOn_ = true;
    blink_->setEnabled(blink_->interval() > 0);
    updateCaret();
    requestRepaint(caretRect_);
    refreshScrollBars();
}

void TAFEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    core_.ShiftHeld = false;  // its release may go elsewhere
    blink_->setEnabled(false);
    requestRepaint(caretRect_);
}

void TAFEdit::wheelEvent(QWheelEvent* event) {
    if (!OnMouseWheel) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    bool handled = false;
    OnMouseWheel(*this, *event, handled);
    event->accept();
}

}  // namespace pavik
