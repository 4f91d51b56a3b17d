#pragma once
// The status bar: a panel at the foot of a window that carries status panes and a progress
// bar, draws a size grip over its bottom-right corner, and can show one simple caption
// instead of its panes.
#include <QWidget>

#include "components/pv_panel.h"

namespace pavik {

class TPvStatusBar : public TPvCustomPanel {
    Q_OBJECT
public:
    static constexpr int GripSize = 13;

    explicit TPvStatusBar(QWidget* parent = nullptr);

    // Borders and height follow the system look; any other border change turns it off.
    bool AutoStyle() const { return autoStyle_; }
    void setAutoStyle(bool v);
    bool ShowSizeGrip() const { return showSizeGrip_; }
    void setShowSizeGrip(bool v);
    // Hides every child and shows SimpleCaption in a sunken frame.
    bool SimpleStatus() const { return simpleStatus_; }
    void setSimpleStatus(bool v);
    QString SimpleCaption() const { return simpleCaption_; }
    void setSimpleCaption(const QString& v);
    // Children are widened or narrowed in proportion when the bar's width changes.
    bool AutoScalePanes() const { return autoScalePanes_; }
    void setAutoScalePanes(bool v);

    QSize sizeHint() const override;
    // The simple caption in its sunken frame, while SimpleStatus.
    void paintOverFace(Canvas& c) override;
    // Draws the grip in bar coordinates.
    void paintGrip(Canvas& c) const;
    bool inGripZone(QPoint pos) const;

protected:
    TRect clientTRect() const override;
    void edgeChanged() override;
    QList<QWidget*> controls() const override;
    // Starts sizing the window from its bottom-right corner.
    virtual void startSizing();

    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void childEvent(QChildEvent* e) override;

private:
    void applyAutoStyle();
    void placeGrip();
    TRect gripArea() const;
    bool windowMaximized() const;

    bool autoStyle_ = true;
    bool applyingAutoStyle_ = false;
    bool showSizeGrip_ = true;
    bool simpleStatus_ = false;
    QString simpleCaption_;
    bool autoScalePanes_ = false;
    int previousWidth_ = 0;
    bool firstResize_ = true;
    QWidget* grip_ = nullptr;
};

}  // namespace pavik
