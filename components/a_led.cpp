#include "components/a_led.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>

namespace pavik {
namespace {

const QColor kFace(0, 255, 0);  // the lamp face in every picture
const QColor kRim(64, 64, 64);
const QColor kGlint(255, 255, 255);

QSize pictureSize(TLEDStyle style) {
    switch (style) {
    case LEDLarge:
    case LEDSqLarge: return {22, 22};
    case LEDVertical: return {14, 22};
    case LEDHorizontal: return {22, 14};
    default: return {16, 16};
    }
}

}  // namespace

QImage LampPicture(TLEDStyle style) {
    const QSize size = pictureSize(style);
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const int w = size.width(), h = size.height();
    const int spot = w >= 20 && h >= 20 ? 3 : 2;
    if (style == LEDSmall || style == LEDLarge) {
        p.setBrush(kRim);
        p.drawEllipse(QRect(0, 0, w, h));
        p.setBrush(kFace);
        p.drawEllipse(QRect(1, 1, w - 2, h - 2));
        p.fillRect(QRect(w / 4 + 1, h / 4 + 1, spot, spot), kGlint);
    } else {
        // A sunken socket round a black-rimmed face.
        p.fillRect(QRect(0, 0, w, h), QColor(128, 128, 128));
        p.fillRect(QRect(1, 1, w - 1, h - 1), Qt::white);
        p.fillRect(QRect(1, 1, w - 2, h - 2), Qt::black);
        p.fillRect(QRect(2, 2, w - 4, h - 4), kFace);
        p.fillRect(QRect(3, 3, spot, spot), kGlint);
    }
    return img;
}

void FloodFill(QImage& image, QPoint seed, QColor color) {
    if (!image.rect().contains(seed)) return;
    if (image.format() != QImage::Format_ARGB32) image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb target = image.pixel(seed);
    const QRgb fill = color.rgba();
    if (target == fill) return;  // nothing to change; filling would never end
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint pt = stack.back();
        stack.pop_back();
        if (!image.rect().contains(pt) || image.pixel(pt) != target) continue;
        image.setPixel(pt, fill);
        stack.push_back({pt.x() + 1, pt.y()});
        stack.push_back({pt.x() - 1, pt.y()});
        stack.push_back({pt.x(), pt.y() + 1});
        stack.push_back({pt.x(), pt.y() - 1});
    }
}

TALed::TALed(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    buildPictures();
}

TALed::~TALed() = default;

QSize TALed::sizeHint() const { return lit_.size(); }

void TALed::buildPictures() {
    const QImage base = LampPicture(style_);
    resize(base.size());
    updateGeometry();
    const QPoint centre(base.width() / 2, base.height() / 2);
    lit_ = base;
    FloodFill(lit_, centre, toQColor(trueColor_, palette()));
    unlit_ = base;
    FloodFill(unlit_, centre, toQColor(falseColor_, palette()));
}

void TALed::showPhase(bool lit) {
    litPhase_ = lit;
    repaint();
}

void TALed::setValue(bool v) {
    if (v == value_) return;
    value_ = v;
    if (v) {
        showPhase(true);
        if (blink_) startBlinkTimer();
    } else {
        timer_.reset();
        showPhase(false);
    }
}

void TALed::setBlink(bool v) {
    if (v == blink_) return;
    showPhase(value_);
    blink_ = v;
    if (blink_ && value_) startBlinkTimer();
    else timer_.reset();
}

void TALed::setTrueColor(TColor v) {
    if (v == trueColor_) return;
    const bool wasBlinking = blink_;
    if (wasBlinking) setBlink(false);
    trueColor_ = v;
    buildPictures();
    setBlink(wasBlinking);
    update();
}

void TALed::setFalseColor(TColor v) {
    if (v == falseColor_) return;
    const bool wasBlinking = blink_;
    if (wasBlinking) setBlink(false);
    falseColor_ = v;
    buildPictures();
    setBlink(wasBlinking);
    update();
}

void TALed::setLEDStyle(TLEDStyle v) {
    if (v == style_) return;
    style_ = v;
    buildPictures();
    update();
}

void TALed::setInterval(int ms) {
    interval_ = ms;
    if (timer_) timer_->setInterval(ms);
}

void TALed::startBlinkTimer() {
    if (timer_) return;
    litPhase_ = true;
    timer_ = makeTimer();
    timer_->OnTimer = [this] { toggle(); };
    timer_->setInterval(interval_);
    timer_->setEnabled(true);
}

void TALed::toggle() {
    showPhase(!litPhase_);
    if (OnTimer) OnTimer(this);
}

void TALed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), litPhase_ ? lit_ : unlit_);
}

void TALed::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TALed::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TALed::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    if (!pressed_) QWidget::mousePressEvent(e);
}

void TALed::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click && OnClick) OnClick(this);
}

void TALed::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // System colours follow the palette.
    if (e->type() == QEvent::PaletteChange) {
        buildPictures();
        update();
    }
}

void ShowSupportLevel(TALed& led, int level) {
    led.setValue(true);
    led.setBlink(false);
    switch (level) {
    case 0:
        led.setTrueColor(clRed);
        led.setBlink(true);
        break;
    case 1: led.setTrueColor(clGreen); break;
    case 2: led.setTrueColor(clYellow); break;
    default: led.setValue(false); break;
    }
}

}  // namespace pavik
