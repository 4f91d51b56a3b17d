#pragma once
// A bar that holds toolbars (and other controls) as bands at pixel positions, in rows.
// Each band has a grip on its left by which the user drags it to another place; bands of
// one row never overlap. The positions are what the settings file keeps.
#include <QFrame>
#include <QList>
#include <QPointer>

namespace pavik {

class ControlBar : public QFrame {
    Q_OBJECT
public:
    explicit ControlBar(QWidget* parent = nullptr);

    // Makes `band` a band of this bar (it becomes a child) at the given place.
    void addBand(QWidget* band, int left = 0, int top = 0);
    // Asks for a band's place; bands are then laid out again unless `layout` is false.
    void setBandPos(QWidget* band, int left, int top, bool layout = true);
    void setBandLeft(QWidget* band, int left) { setBandPos(band, left, band->y()); }
    // Lays the visible bands out in rows: a band's row follows its asked-for top, its
    // asked-for left is used unless that would overlap the band before it in the row or
    // put it past the bar's right edge. Runs again whenever the bar is resized, so bands
    // stay in view in a narrower window and go back to their places in a wider one.
    void relayout();

    int rowHeight() const { return rowHeight_; }
    static constexpr int GripWidth = 11;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Band {
        QPointer<QWidget> widget;
        int left = 0;
        int top = 0;
    };
    Band* bandOf(QWidget* w);
    Band* gripAt(const QPoint& pos);

    QList<Band> bands_;
    int rowHeight_ = 30;
    Band* dragging_ = nullptr;
    QPoint dragOffset_;
    bool inLayout_ = false;
};

}  // namespace pavik
