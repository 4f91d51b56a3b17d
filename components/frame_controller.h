#pragma once
// Pushes one set of frame and colour settings to every control linked to it. A linked
// control takes part when it has a bool property "UseFrameController" that is true; each
// setting is written by property name, only where the control has a writable property of
// that name and kind: bool for the flags, unsigned for colours and sides, int or an enum
// for frame styles.
#include <QObject>
#include <vector>

#include "platform/colors.h"
#include "components/pv_types.h"

namespace pavik {

class TPvFrameController : public QObject {
    Q_OBJECT
public:
    enum ChangeKind {
        ckAll,
        ckColor,
        ckParentColor,
        ckFlatButtons,
        ckFrameColor,
        ckFrameFlat,
        ckFrameFlatStyle,
        ckFrameFocusStyle,
        ckFrameSides,
        ckFrameStyle,
        ckFrameVisible
    };

    explicit TPvFrameController(QObject* parent = nullptr);

    TColor Color() const { return color_; }
    void setColor(TColor v);
    bool ParentColor() const { return parentColor_; }
    void setParentColor(bool v);
    bool FlatButtons() const { return flatButtons_; }
    void setFlatButtons(bool v);
    TColor FrameColor() const { return frameColor_; }
    void setFrameColor(TColor v);
    bool FrameFlat() const { return frameFlat_; }
    void setFrameFlat(bool v);
    TFrameStyle FrameFlatStyle() const { return frameFlatStyle_; }
    void setFrameFlatStyle(TFrameStyle v);
    TFrameStyle FrameFocusStyle() const { return frameFocusStyle_; }
    void setFrameFocusStyle(TFrameStyle v);
    TSides FrameSides() const { return frameSides_; }
    void setFrameSides(TSides v);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void setFrameStyle(TFrameStyle v);
    bool FrameVisible() const { return frameVisible_; }
    void setFrameVisible(bool v);

    // Links a control (once) and pushes every setting to it; a destroyed control unlinks itself.
    void addControl(QObject* control);
    void removeControl(QObject* control);
    int controlCount() const { return static_cast<int>(controls_.size()); }
    void updateControl(QObject* control, ChangeKind kind);
    // Skipped while updates are locked.
    void updateAll(ChangeKind kind);
    void beginUpdate() { ++lock_; }
    // Unlocks; the last unlock pushes every setting.
    void endUpdate();

private:
    TColor color_ = clWindow;
    bool parentColor_ = false;
    bool flatButtons_ = true;
    TColor frameColor_ = clBtnShadow;
    bool frameFlat_ = false;
    TFrameStyle frameFlatStyle_ = fsStatus;
    TFrameStyle frameFocusStyle_ = fsLowered;
    TSides frameSides_ = sdAll;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    int lock_ = 0;
    std::vector<QObject*> controls_;
};

}  // namespace pavik
