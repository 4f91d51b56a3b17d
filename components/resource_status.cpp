#include "components/resource_status.h"

#include <QPainter>
#include <cmath>

#include "components/draw_kit.h"

namespace pavik {

void TPvResourceStrings::set(TResourceType type, const QString& v) {
    if (names_[type] == v) return;
    names_[type] = v;
    if (owner_) {
        owner_->rebuildHint();
        owner_->update();
    }
}

void TPvResourceStrings::assign(const TPvResourceStrings& other) {
    for (TResourceType t : {rtSystem, rtUser, rtGDI, rtMemory}) set(t, other.names_[t]);
}

TPvResourceStatus::TPvResourceStatus(QWidget* parent)
    : TPvPollingStatus(parent), memory_(systemMemoryStatus()) {}

template <typename T>
void TPvResourceStatus::store(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
}

void TPvResourceStatus::setDisplayStyle(TDisplayStyle v) { store(displayStyle_, v); }
void TPvResourceStatus::setBackColor(TColor v) { store(backColor_, v); }
void TPvResourceStatus::setBarColor(TColor v) { store(barColor_, v); }
void TPvResourceStatus::setOrientation(TOrientation v) { store(orientation_, v); }
void TPvResourceStatus::setNumSegments(TSegmentRange v) { store(numSegments_, v); }
void TPvResourceStatus::setShowPercent(bool v) { store(showPercent_, v); }

void TPvResourceStatus::setBarStyle(TBarStyle v) {
    if (v == barStyle_) return;
    barStyle_ = v;
    showPercent_ = false;
    update();
}

void TPvResourceStatus::setResourceType(TResourceType v) {
    if (v == resourceType_) return;
    resourceType_ = v;
    timerExpired();
}

void TPvResourceStatus::rebuildHint() {
    setToolTip(QStringLiteral("%1: %2%").arg(strings_.name(resourceType_)).arg(percentage_));
}

void TPvResourceStatus::timerExpired() {
    freeAmount_ = 0;
    const int old = percentage_;
    if (resourceType_ == rtMemory) {
        const MemoryStatus m = memory_ ? memory_->read() : MemoryStatus{};
        freeAmount_ = m.availableBytes / 1024;
        const std::uint64_t total = m.totalBytes / 1024;
        // Nothing known about the total: show nothing free rather than divide by 0.
        percentage_ = total == 0 ? 0
                                 : static_cast<int>(std::lrint(static_cast<double>(freeAmount_) /
                                                               static_cast<double>(total) * 100));
    } else {
        percentage_ = 0;  // the system, user and GDI figures exist only on Windows 9x
    }
    if (percentage_ != old) {
        rebuildHint();
        update();
    }
    TPvPollingStatus::timerExpired();
}

void TPvResourceStatus::paintEvent(QPaintEvent* e) {
    if (displayStyle_ == dsText) {
        setShownCaption(resourceType_ == rtMemory ? FormatThousands(freeAmount_) + QStringLiteral(" KB")
                                                  : QString::number(percentage_) + QLatin1Char('%'));
        TPvPollingStatus::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setFont(font());
    Canvas c(p, palette());
    paintFrame(c);
    TRect r = contentRect();
    const unsigned percent = static_cast<std::uint16_t>(percentage_);
    if (barStyle_ == bsLED) {
        c.frameRect(r, backColor_);
        r = r.shrunk(1);
        DrawLEDBar(c, r, orientation_, percent, numSegments_, backColor_, barColor_);
    } else {
        DrawTraditionalBar(c, r, orientation_, showPercent_, percent, backColor_, barColor_);
    }
}

QString FormatThousands(std::uint64_t value) {
    QString digits = QString::number(value);
    for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
    return digits;
}

}  // namespace pavik
