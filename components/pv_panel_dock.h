#pragma once
// TPvPanelDockManager: lays out the controls docked in a panel, one zone each, and paints a
// grabber bar over every zone with the docked control's caption and a close button; the
// close button hides the control and its zone closes up. Zones share the panel's client
// area in turn: side by side with grabbers on their left in a panel aligned to the top or
// bottom, stacked with grabbers on top otherwise.
//
// With the panel's PaintDockGrabbers on, a grabber is 13 pixels, caption-coloured, in
// "Verdana" 8; off, it is the style's dock-window title bar. Either grows where a caption
// would not fit it.
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

#include "components/canvas.h"

class QWidget;

namespace pavik {

class TPvCustomPanel;

// One zone: its whole rectangle, the grabber band, where the control goes, and the close
// button inside the band.
struct DockZone {
    TRect zone;
    TRect band;
    TRect dock;
    TRect close;
};

// Zones for `count` controls in `area`: along the width when `bandAtLeft`, else along the
// height, each `grabber` pixels of it given to the band.
std::vector<DockZone> DockZonesIn(TRect area, int count, bool bandAtLeft, int grabber);

class TPvPanelDockManager : public QObject {
    Q_OBJECT
public:
    static constexpr int GrabberSize = 13;

    explicit TPvPanelDockManager(TPvCustomPanel& panel);

    TPvCustomPanel& panel() const { return panel_; }
    const QFont& font() const { return font_; }
    // The band size in use: GrabberSize while the panel paints its own grabbers.
    int grabberSize() const;
    bool bandAtLeft() const;

    // Docks a control (it becomes a child of the panel) or takes it out again.
    void InsertControl(QWidget* control);
    void RemoveControl(QWidget* control);
    QList<QWidget*> controls() const;
    // The zones of the visible controls, in docking order, with their controls.
    std::vector<std::pair<QWidget*, DockZone>> zones() const;

    // Places every visible docked control in its zone.
    void ResetBounds();
    // Paints the grabber of every visible zone.
    void PaintSite(Canvas& c);
    // Pointer presses and releases over the panel; true when a grabber took it.
    bool mousePress(QPoint pos);
    bool mouseRelease(QPoint pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList shownCaptions() const;
    void paintPvGrabber(Canvas& c, const QString& caption, const DockZone& z);
    void paintStyleGrabber(Canvas& c, const QString& caption, const DockZone& z);

    TPvCustomPanel& panel_;
    QFont font_;
    std::vector<QPointer<QWidget>> docked_;
    QPointer<QWidget> pressedClose_;  // the control whose close button the pointer went down on
};

// A caption bar's close button as the window system draws it: a raised face with a cross.
void DrawCaptionCloseButton(Canvas& c, TRect r);

}  // namespace pavik
