#pragma once
// A framed progress indicator: a solid bar with an optional centred percent text, or a row
// of LED segments. It repaints at once when the percentage changes, because long operations
// run on the UI thread.
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/colors.h"
#include "components/pv_types.h"

namespace pavik {

class TPvCustomProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit TPvCustomProgressBar(QWidget* parent = nullptr);

    std::uint16_t Percent() const { return percent_; }
    virtual void setPercent(std::uint16_t v);
    std::uint32_t PartsComplete() const { return partsComplete_; }
    void setPartsComplete(std::uint32_t v);
    std::uint32_t TotalParts() const { return totalParts_; }
    void setTotalParts(std::uint32_t v);
    TBarStyle BarStyle() const { return barStyle_; }
    void setBarStyle(TBarStyle v);
    // Follows the shape: vertical while taller than wide.
    TOrientation Orientation() const { return orientation_; }
    void setOrientation(TOrientation v);
    TSegmentRange NumSegments() const { return numSegments_; }
    void setNumSegments(TSegmentRange v);
    bool ShowPercent() const { return showPercent_; }
    void setShowPercent(bool v);
    TColor BackColor() const { return backColor_; }
    void setBackColor(TColor v);
    TColor BarColor() const { return barColor_; }
    void setBarColor(TColor v);
    TFrameStyle BorderOuter() const { return borderOuter_; }
    void setBorderOuter(TFrameStyle v);
    TFrameStyle BorderInner() const { return borderInner_; }
    void setBorderInner(TFrameStyle v);
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int v);
    TColor BorderColor() const { return borderColor_; }
    void setBorderColor(TColor v);
    int BevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int v);
    std::uint8_t InteriorOffset() const { return interiorOffset_; }
    void setInteriorOffset(std::uint8_t v);

    // Fired on every change of Percent, with the new value.
    std::function<void(TPvCustomProgressBar*, int)> OnChange;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    template <typename T>
    void store(T& field, T value);

    std::uint16_t percent_ = 0;
    std::uint32_t partsComplete_ = 0;
    std::uint32_t totalParts_ = 0;
    TBarStyle barStyle_ = bsTraditional;
    TOrientation orientation_ = orHorizontal;
    TSegmentRange numSegments_ = 20;
    bool showPercent_ = true;
    TColor backColor_ = clWhite;
    TColor barColor_ = clHighlight;
    TFrameStyle borderOuter_ = fsLowered;
    TFrameStyle borderInner_ = fsNone;
    int borderWidth_ = 0;
    TColor borderColor_ = clBtnFace;
    int bevelWidth_ = 1;
    std::uint8_t interiorOffset_ = 0;
};

class TPvProgressBar : public TPvCustomProgressBar {
    Q_OBJECT
public:
    using TPvCustomProgressBar::TPvCustomProgressBar;
};

}  // namespace pavik
