#pragma once
// The indicator lamp: a small picture whose lamp face is painted in one of two colours,
// lit or unlit, optionally blinking while lit.
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/qt_colors.h"
#include "platform/timer.h"

namespace pavik {

enum TLEDStyle { LEDSmall, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal };

// The style's picture with its lamp face in lime, on a transparent background.
QImage LampPicture(TLEDStyle style);
// Paints the 4-connected area of the seed pixel's colour with `color`.
void FloodFill(QImage& image, QPoint seed, QColor color);

class TALed : public QWidget {
    Q_OBJECT
public:
    explicit TALed(QWidget* parent = nullptr);
    ~TALed() override;

    TColor TrueColor() const { return trueColor_; }
    void setTrueColor(TColor v);
    TColor FalseColor() const { return falseColor_; }
    void setFalseColor(TColor v);
    bool Blink() const { return blink_; }
    void setBlink(bool v);
    bool Value() const { return value_; }
    void setValue(bool v);
    int Interval() const { return interval_; }
    void setInterval(int ms);
    TLEDStyle LEDStyle() const { return style_; }
    void setLEDStyle(TLEDStyle v);

    // The picture shown now: the lit one or the unlit one.
    bool showsLit() const { return litPhase_; }
    bool isBlinking() const { return timer_ != nullptr; }
    const QImage& litPicture() const { return lit_; }
    const QImage& unlitPicture() const { return unlit_; }

    QSize sizeHint() const override;

    std::function<void(TALed*)> OnTimer;
    std::function<void(TALed*)> OnMouseEnter;
    std::function<void(TALed*)> OnMouseLeave;
    std::function<void(TALed*)> OnClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void changeEvent(QEvent*) override;

private:
    void buildPictures();
    void startBlinkTimer();
    void toggle();
    void showPhase(bool lit);

    TColor trueColor_ = clLime;
    TColor falseColor_ = clSilver;
    bool blink_ = true;
    bool value_ = false;
    int interval_ = 1000;
    TLEDStyle style_ = LEDSmall;
    bool litPhase_ = false;
    bool pressed_ = false;
    QImage lit_;
    QImage unlit_;
    std::unique_ptr<Timer> timer_;
};

// Shows a browser support level: 0 a blinking red lamp, 1 green, 2 yellow, anything else
// unlit. The lamp is first switched on with its blinking stopped.
void ShowSupportLevel(TALed& led, int level);

}  // namespace pavik
