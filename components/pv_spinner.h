#pragma once
// The spinner: an integer value box with a minus button on the left and a plus button on
// the right, and the rapid-fire button it is built from, which keeps clicking while it is
// held down. The repeat runs on a Timer (platform/timer.h), so tests drive it by hand.
// Everything both controls paint is drawn by pv_spinner_paint.h.
#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "components/pv_spinner_paint.h"
#include "components/theme_button.h"
#include "components/wheel_notches.h"
#include "platform/colors.h"
#include "platform/timer.h"

namespace pavik {

// A flat button that clicks on release over it (as any button) and, while the left mouse
// button holds it down, once after InitialDelay and then every Delay milliseconds.
class TPvRapidFireButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TPvRapidFireButton(TSpinGlyph glyph, QWidget* parent = nullptr);
    ~TPvRapidFireButton() override;

    std::uint16_t InitialDelay() const { return initialDelay_; }
    void setInitialDelay(std::uint16_t ms) { initialDelay_ = ms; }
    std::uint16_t Delay() const { return delay_; }
    void setDelay(std::uint16_t ms) { delay_ = ms; }
    bool Flat() const { return flat_; }
    void setFlat(bool v);
    TSpinGlyph Glyph() const { return glyph_; }
    // The button's own picture: a strip of NumGlyphs cells side by side (normal, greyed,
    // pressed); the colour of its bottom-left pixel is left out unless it has transparent
    // pixels of its own. Empty (the default): the drawn sign, whose two pictures are the
    // sign and the greyed sign. Setting an empty one restores the sign.
    const QPixmap& GlyphBitmap() const { return bitmap_; }
    void setGlyphBitmap(const QPixmap& strip);
    int NumGlyphs() const { return numGlyphs_; }
    // 1 ... 4.
    void setNumGlyphs(int n);
    // The cell of the strip shown in `state` (cell 0 greyed when disabled without a greyed
    // cell); null while the sign is drawn.
    QPixmap GlyphPicture(TButtonState state) const;
    // The mouse is over the button.
    bool isHot() const { return hot_; }

    // Whether the repeat timer runs (between a press and its release).
    bool isRepeating() const { return timer_ && timer_->enabled(); }

    // Each click, released or repeated. An exception it throws stops the repeat and goes on
    // to the caller.
    std::function<void(TPvRapidFireButton*)> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void tick();
    void fireClick();
    void stopRepeat();

    TSpinGlyph glyph_;
    QPixmap bitmap_;
    int numGlyphs_ = SpinGlyphCount;
    std::uint16_t initialDelay_ = 400;
    std::uint16_t delay_ = 100;
    bool flat_ = true;
    bool held_ = false;  // the left button went down on us and has not come up
    bool hot_ = false;   // the mouse is over us
    std::unique_ptr<Timer> timer_;  // made on the first press
};

class TPvSpinner : public QWidget {
    Q_OBJECT
public:
    explicit TPvSpinner(QWidget* parent = nullptr);

    // Kept in Min..Max (see CheckValue). Setting a value fires OnChanging, which may refuse,
    // then OnChange; setting the value it already has fires nothing.
    int Value() const { return value_; }
    void setValue(int v);
    // Raising Min above Max raises Max with it; lowering Max below Min lowers Min. The value
    // is left as it is.
    int Min() const { return min_; }
    void setMin(int v);
    int Max() const { return max_; }
    void setMax(int v);
    int Increment() const { return increment_; }
    void setIncrement(int v) { increment_ = v; }
    int PageSize() const { return pageSize_; }
    void setPageSize(int v) { pageSize_ = v; }
    // With Min = Max and CheckRange off there are no limits.
    bool CheckRange() const { return checkRange_; }
    void setCheckRange(bool v) { checkRange_ = v; }
    // Enter moves the focus to the next control.
    bool TabOnEnter() const { return tabOnEnter_; }
    void setTabOnEnter(bool v) { tabOnEnter_ = v; }
    bool Flat() const { return flat_; }
    void setFlat(bool v);
    TColor FrameColor() const { return frameColor_; }
    void setFrameColor(TColor v);
    int ButtonWidth() const { return buttonWidth_; }
    void setButtonWidth(int v);
    // The buttons' pictures (TPvRapidFireButton::GlyphBitmap).
    QPixmap GlyphMinus() const { return minus_->GlyphBitmap(); }
    void setGlyphMinus(const QPixmap& strip) { minus_->setGlyphBitmap(strip); }
    QPixmap GlyphPlus() const { return plus_->GlyphBitmap(); }
    void setGlyphPlus(const QPixmap& strip) { plus_->setGlyphBitmap(strip); }
    int NumGlyphsMinus() const { return minus_->NumGlyphs(); }
    void setNumGlyphsMinus(int n) { minus_->setNumGlyphs(n); }
    int NumGlyphsPlus() const { return plus_->NumGlyphs(); }
    void setNumGlyphsPlus(int n) { plus_->setNumGlyphs(n); }

    // The value the range rule makes of v.
    int CheckValue(int v) const;
    void StepDown(int amount);
    void StepUp(int amount);

    TPvRapidFireButton* MinusButton() const { return minus_; }
    TPvRapidFireButton* PlusButton() const { return plus_; }

    QSize sizeHint() const override { return {80, 18}; }

    std::function<void(TPvSpinner*)> OnChange;
    // Before a change: the new value, and whether to allow it (true on entry).
    std::function<void(TPvSpinner*, int newValue, bool& allowChange)> OnChanging;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layoutButtons();
    void takeFocusFromButton();

    TPvRapidFireButton* minus_;
    TPvRapidFireButton* plus_;
    int value_ = 0;
    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int pageSize_ = 10;
    bool checkRange_ = false;
    bool tabOnEnter_ = false;
    bool flat_ = true;
    TColor frameColor_ = clBtnShadow;
    int buttonWidth_ = 17;
    WheelNotches wheel_;
};

}  // namespace pavik
