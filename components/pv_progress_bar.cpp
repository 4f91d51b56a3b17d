#include "components/pv_progress_bar.h"

#include <QPainter>
#include <cmath>

#include "components/draw_kit.h"

namespace pavik {

TPvCustomProgressBar::TPvCustomProgressBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 24);
}

template <typename T>
void TPvCustomProgressBar::store(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
}

void TPvCustomProgressBar::setPercent(std::uint16_t v) {
    if (v == percent_) return;
    percent_ = v;
    if (OnChange) OnChange(this, v);
    repaint();
}

void TPvCustomProgressBar::setPartsComplete(std::uint32_t v) {
    if (v == partsComplete_) return;
    partsComplete_ = std::min(v, totalParts_);
    if (totalParts_ != 0)
        setPercent(static_cast<std::uint16_t>(
            std::lrint(static_cast<double>(partsComplete_) / totalParts_ * 100)));
}

void TPvCustomProgressBar::setTotalParts(std::uint32_t v) {
    if (v == totalParts_) return;
    totalParts_ = v;
    partsComplete_ = 0;
    setPercent(0);
}

void TPvCustomProgressBar::setBarStyle(TBarStyle v) {
    if (v == barStyle_) return;
    barStyle_ = v;
    showPercent_ = v == bsTraditional;
    interiorOffset_ = v == bsTraditional ? 0 : 1;
    update();
}

void TPvCustomProgressBar::setOrientation(TOrientation v) { store(orientation_, v); }
void TPvCustomProgressBar::setNumSegments(TSegmentRange v) { store(numSegments_, v); }
void TPvCustomProgressBar::setShowPercent(bool v) { store(showPercent_, v); }
void TPvCustomProgressBar::setBackColor(TColor v) { store(backColor_, v); }
void TPvCustomProgressBar::setBarColor(TColor v) { store(barColor_, v); }
void TPvCustomProgressBar::setBorderOuter(TFrameStyle v) { store(borderOuter_, v); }
void TPvCustomProgressBar::setBorderInner(TFrameStyle v) { store(borderInner_, v); }
void TPvCustomProgressBar::setBorderWidth(int v) { store(borderWidth_, v); }
void TPvCustomProgressBar::setBorderColor(TColor v) { store(borderColor_, v); }
void TPvCustomProgressBar::setBevelWidth(int v) { store(bevelWidth_, v); }
void TPvCustomProgressBar::setInteriorOffset(std::uint8_t v) { store(interiorOffset_, v); }

void TPvCustomProgressBar::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    setOrientation(height() > width() ? orVertical : orHorizontal);
}

void TPvCustomProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    Canvas c(p, palette());
    TRect r = fromQRect(rect());
    r = DrawBorder(c, r, borderOuter_);
    if (borderWidth_ != 0) r = DrawBevel(c, r, borderColor_, sdAll, borderWidth_, borderColor_);
    r = DrawBorder(c, r, borderInner_);
    if (interiorOffset_ != 0) {
        c.frameRect(r, backColor_, interiorOffset_);
        r = r.shrunk(interiorOffset_);
    }
    if (barStyle_ == bsLED)
        DrawLEDBar(c, r, orientation_, percent_, numSegments_, backColor_, barColor_);
    else
        DrawTraditionalBar(c, r, orientation_, showPercent_, percent_, backColor_, barColor_);
}

}  // namespace pavik
