#pragma once
// A container panel whose edge is built from independent pieces: a black frame line, an
// outer border, a coloured band and an inner border, each on chosen sides. Children are
// placed by align kind inside the edge (see AlignLayout).
#include <QWidget>
#include <functional>

#include "components/align_layout.h"
#include "components/canvas.h"
#include "components/pv_types.h"

namespace pavik {

class TPvPanelDockManager;

class TPvCustomPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPvCustomPanel(QWidget* parent = nullptr);

    AlignLayout* alignLayout() const { return layout_; }
    // Adds a child control placed by `align`.
    void insertControl(QWidget* control, TAlign align) { layout_->addWidget(control, align); }

    TFrameStyle BorderOuter() const { return borderOuter_; }
    void setBorderOuter(TFrameStyle v);
    TFrameStyle BorderInner() const { return borderInner_; }
    void setBorderInner(TFrameStyle v);
    TSides BorderSides() const { return borderSides_; }
    void setBorderSides(TSides v);
    TSides FrameSides() const { return frameSides_; }
    void setFrameSides(TSides v);
    TColor BorderColor() const { return borderColor_; }
    void setBorderColor(TColor v);
    TColor BorderHighlight() const { return borderHighlight_; }
    void setBorderHighlight(TColor v);
    TColor BorderShadow() const { return borderShadow_; }
    void setBorderShadow(TColor v);
    TColor FlatColor() const { return flatColor_; }
    void setFlatColor(TColor v);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void setVerticalAlignment(TVerticalAlignment v);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment v);
    // Width of fsStatus and fsPopup borders.
    int BevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int v);
    // The band between the two borders.
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int v);
    // False: a size change repaints only the strips the edge moves over (while the
    // caption is empty).
    bool FullRepaint() const { return fullRepaint_; }
    void setFullRepaint(bool v);
    TColor Color() const { return color_; }
    void setColor(TColor v);
    QString Caption() const { return caption_; }
    void setCaption(const QString& v);

    // The rectangle offered to aligned children.
    TRect alignRect() const;
    // How the panel is placed in a parent that aligns its children (alNone otherwise).
    TAlign Align() const;

    // A dock site that uses a dock manager gets a TPvPanelDockManager, which places the
    // docked controls and paints their grabbers.
    bool DockSite() const { return dockSite_; }
    void setDockSite(bool v);
    bool UseDockManager() const { return useDockManager_; }
    void setUseDockManager(bool v);
    TPvPanelDockManager* DockManager() const { return dockManager_; }
    // The dock manager paints its own grabbers; off, the style's dock-window title bars.
    bool PaintDockGrabbers() const { return paintDockGrabbers_; }
    void setPaintDockGrabbers(bool v);

    // What the panel draws over its face: the dock grabbers. Also run when the face is
    // painted by the visual-styles manager.
    virtual void paintOverFace(Canvas& c);

    std::function<void(TPvCustomPanel*)> OnMouseEnter;
    std::function<void(TPvCustomPanel*)> OnMouseLeave;

protected:
    // The client rectangle the edge and the children are laid out in.
    virtual TRect clientTRect() const { return {0, 0, width(), height()}; }
    // Called when a border setter changed the edge.
    virtual void edgeChanged();
    // The child controls, in child order.
    virtual QList<QWidget*> controls() const;

    void paintEvent(QPaintEvent*) override;
    void paintPanel(Canvas& c);
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void updateDockManager();

    template <typename T>
    void store(T& field, T value);
    template <typename T>
    void storeEdge(T& field, T value);
    int edgeWidth(TFrameStyle style) const;
    TRect drawEdge(Canvas& c, TRect r, TFrameStyle style);

    AlignLayout* layout_;
    TFrameStyle borderOuter_ = fsRaised;
    TFrameStyle borderInner_ = fsNone;
    TSides borderSides_ = sdAll;
    TSides frameSides_ = 0;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBlack;
    TVerticalAlignment verticalAlignment_ = vaCenter;
    TAlignment alignment_ = taCenter;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool fullRepaint_ = true;
    TColor color_ = clBtnFace;
    QString caption_;
    bool dockSite_ = false;
    bool useDockManager_ = true;
    bool paintDockGrabbers_ = true;
    TPvPanelDockManager* dockManager_ = nullptr;  // a child of the panel
};

}  // namespace pavik
