#include "components/pv_spinner.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

namespace pavik {

// ---- Rapid-fire button -----------------------------------------------------------------

TPvRapidFireButton::TPvRapidFireButton(TSpinGlyph glyph, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { fireClick(); });
}

TPvRapidFireButton::~TPvRapidFireButton() = default;

void TPvRapidFireButton::setFlat(bool v) {
    if (v == flat_) return;
    flat_ = v;
    update();
}

void TPvRapidFireButton::setGlyphBitmap(const QPixmap& strip) {
    bitmap_ = strip;
    if (strip.isNull()) {
        numGlyphs_ = SpinGlyphCount;
    } else if (!strip.hasAlphaChannel()) {
        const QColor clear = strip.toImage().pixelColor(0, strip.height() - 1);
        bitmap_.setMask(strip.createMaskFromColor(clear, Qt::MaskInColor));
    }
    update();
}

void TPvRapidFireButton::setNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (n == numGlyphs_) return;
    numGlyphs_ = n;
    update();
}

QPixmap TPvRapidFireButton::GlyphPicture(TButtonState state) const {
    const int width = bitmap_.width() / numGlyphs_;
    if (bitmap_.isNull() || width <= 0) return {};
    const int cell = GlyphCell(numGlyphs_, state);
    const QPixmap picture = bitmap_.copy(cell * width, 0, width, bitmap_.height());
    if (state != bsDisabled || cell != 0) return picture;
    QStyleOption option;
    option.initFrom(this);
    return style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
}

void TPvRapidFireButton::fireClick() {
    if (OnClick) OnClick(this);
}

void TPvRapidFireButton::mousePressEvent(QMouseEvent* event) {
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isDown()) return;
    held_ = true;
    if (!timer_) {
        timer_ = makeTimer();
        timer_->OnTimer = [this] { tick(); };
    }
    timer_->setEnabled(false);
    timer_->setInterval(initialDelay_);
    timer_->setEnabled(true);
}

void TPvRapidFireButton::mouseReleaseEvent(QMouseEvent* event) {
    // The button's own release comes first: it clicks when released over the button.
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) stopRepeat();
}

void TPvRapidFireButton::tick() {
    if (timer_->interval() != delay_) timer_->setInterval(delay_);
    // Down is false while the held mouse is outside the button.
    if (!held_ || !isDown()) return;
    try {
        fireClick();
    } catch (...) {
        stopRepeat();
        throw;
    }
}

void TPvRapidFireButton::stopRepeat() {
    held_ = false;
    if (timer_) timer_->setEnabled(false);
}

void TPvRapidFireButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    // A disabled button gets no release: the repeat must not outlive the press.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        stopRepeat();
        setDown(false);
    }
}

void TPvRapidFireButton::hideEvent(QHideEvent* event) {
    stopRepeat();
    QAbstractButton::hideEvent(event);
}

void TPvRapidFireButton::enterEvent(QEnterEvent* event) {
    hot_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TPvRapidFireButton::leaveEvent(QEvent* event) {
    hot_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TPvRapidFireButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Canvas c(p, palette());
    PaintSpinButton(c, {width(), height(), glyph_, flat_, isDown(), hot_, isEnabled(),
                        GlyphPicture(!isEnabled() ? bsDisabled : isDown() ? bsDown : bsUp)});
}

// ---- Spinner ---------------------------------------------------------------------------

TPvSpinner::TPvSpinner(QWidget* parent)
    : QWidget(parent),
      minus_(new TPvRapidFireButton(TSpinGlyph::Minus, this)),
      plus_(new TPvRapidFireButton(TSpinGlyph::Plus, this)) {
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    minus_->setObjectName("MinusButton");
    plus_->setObjectName("PlusButton");
    minus_->OnClick = [this](TPvRapidFireButton*) { StepDown(increment_); };
    plus_->OnClick = [this](TPvRapidFireButton*) { StepUp(increment_); };
    for (TPvRapidFireButton* b : {minus_, plus_})
        connect(b, &QAbstractButton::pressed, this, [this] { takeFocusFromButton(); });
    layoutButtons();
}

void TPvSpinner::takeFocusFromButton() {
    if ((focusPolicy() & Qt::TabFocus) && isEnabled() && isVisible() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

int TPvSpinner::CheckValue(int v) const {
    if (min_ == max_ && !checkRange_) return v;
    return std::clamp(v, min_, std::max(min_, max_));
}

void TPvSpinner::setValue(int v) {
    v = CheckValue(v);
    if (v == value_) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, v, allow);
    if (!allow) return;
    value_ = v;
    update();
    if (OnChange) OnChange(this);
}

void TPvSpinner::setMin(int v) {
    if (v == min_) return;
    min_ = v;
    if (max_ < min_) max_ = min_;
    update();
}

void TPvSpinner::setMax(int v) {
    if (v == max_) return;
    max_ = v;
    if (min_ > max_) min_ = max_;
    update();
}

void TPvSpinner::StepDown(int amount) {
    const long long v = static_cast<long long>(value_) - amount;
    setValue(static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
}

void TPvSpinner::StepUp(int amount) {
    const long long v = static_cast<long long>(value_) + amount;
    setValue(static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
}

void TPvSpinner::setFlat(bool v) {
    if (v == flat_) return;
    flat_ = v;
    minus_->setFlat(v);
    plus_->setFlat(v);
}

void TPvSpinner::setFrameColor(TColor v) {
    if (v == frameColor_) return;
    frameColor_ = v;
    update();
}

void TPvSpinner::setButtonWidth(int v) {
    if (v == buttonWidth_) return;
    buttonWidth_ = v;
    layoutButtons();
    update();
}

void TPvSpinner::layoutButtons() {
    minus_->setGeometry(toQRect(SpinnerMinusRect(width(), height(), buttonWidth_)));
    plus_->setGeometry(toQRect(SpinnerPlusRect(width(), height(), buttonWidth_)));
}

void TPvSpinner::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void TPvSpinner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    Canvas c(p, palette());
    PaintSpinner(c, {width(), height(), buttonWidth_, QString::number(value_), isEnabled(), hasFocus(),
                     frameColor_, clWindow});
}

void TPvSpinner::keyPressEvent(QKeyEvent* event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right: StepUp(increment_); break;
    case Qt::Key_Down:
    case Qt::Key_Left: StepDown(increment_); break;
    case Qt::Key_PageUp: StepUp(pageSize_); break;
    case Qt::Key_PageDown: StepDown(pageSize_); break;
    case Qt::Key_Plus:
        if (!keypad) return QWidget::keyPressEvent(event);
        StepUp(increment_);
        break;
    case Qt::Key_Minus:
        if (!keypad) return QWidget::keyPressEvent(event);
        StepDown(increment_);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!tabOnEnter_) return QWidget::keyPressEvent(event);
        focusNextChild();
        break;
    default: return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void TPvSpinner::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void TPvSpinner::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return QWidget::wheelEvent(event);
    const int step = (event->modifiers() & Qt::ControlModifier) ? pageSize_ : increment_;
    // One step a notch: a two-notch turn steps twice, small touchpad deltas add up.
    const long long amount = static_cast<long long>(step) * wheel_.add(delta);
    const int held = static_cast<int>(std::clamp<long long>(amount, -INT_MAX, INT_MAX));
    if (held > 0) StepUp(held);
    else if (held < 0) StepDown(-held);
    event->accept();
}

void TPvSpinner::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TPvSpinner::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TPvSpinner::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace pavik
