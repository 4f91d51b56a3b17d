#include "components/pv_status.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "components/draw_kit.h"
#include "components/pv_panel.h"

namespace pavik {

TPvCustomStatusPane::TPvCustomStatusPane(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 20);
    TPvBlinkingControlsList::add(this);
}

TPvCustomStatusPane::~TPvCustomStatusPane() { TPvBlinkingControlsList::remove(this); }

template <typename T>
void TPvCustomStatusPane::store(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
}

void TPvCustomStatusPane::setCaption(const QString& v) {
    if (v == caption_) return;
    caption_ = v;
    update();
    applyAutoSize();
}

void TPvCustomStatusPane::setAlignment(TAlignment v) { store(alignment_, v); }
void TPvCustomStatusPane::setBlinkColor(TColor v) { store(blinkColor_, v); }
void TPvCustomStatusPane::setBorderWidth(int v) { store(borderWidth_, v); }
void TPvCustomStatusPane::setFillColor(TColor v) { store(fillColor_, v); }
void TPvCustomStatusPane::setFlatColor(TColor v) { store(flatColor_, v); }
void TPvCustomStatusPane::setFrameStyle(TFrameStyle v) { store(frameStyle_, v); }
void TPvCustomStatusPane::setColor(TColor v) {
    parentColor_ = false;
    store(color_, v);
}
void TPvCustomStatusPane::setParentColor(bool v) { store(parentColor_, v); }

void TPvCustomStatusPane::setCaptionOffset(int v) {
    if (v == captionOffset_) return;
    captionOffset_ = v;
    update();
    applyAutoSize();
}

void TPvCustomStatusPane::setAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    applyAutoSize();
}

void TPvCustomStatusPane::setDefaultWidth(int v) {
    if (v == defaultWidth_) return;
    defaultWidth_ = v;
    applyAutoSize();
}

void TPvCustomStatusPane::setBlinking(bool v) {
    if (v == blinking_) return;
    blinking_ = v;
    if (!v) {
        currentColor_ = normalColor_;
        repaint();
    }
}

void TPvCustomStatusPane::setFontColor(TColor v) {
    normalColor_ = v;
    if (!blinking_) currentColor_ = v;
    update();
}

TColor TPvCustomStatusPane::Color() const {
    if (parentColor_) {
        if (auto* panel = qobject_cast<const TPvCustomPanel*>(parentWidget())) return panel->Color();
        if (auto* pane = qobject_cast<const TPvCustomStatusPane*>(parentWidget())) return pane->Color();
    }
    return color_;
}

// The list exists while any pane does.
std::uint16_t TPvCustomStatusPane::BlinkIntervalOn() const {
    return TPvBlinkingControlsList::instance()->onInterval();
}
void TPvCustomStatusPane::setBlinkIntervalOn(std::uint16_t ms) {
    TPvBlinkingControlsList::instance()->setOnInterval(ms);
}
std::uint16_t TPvCustomStatusPane::BlinkIntervalOff() const {
    return TPvBlinkingControlsList::instance()->offInterval();
}
void TPvCustomStatusPane::setBlinkIntervalOff(std::uint16_t ms) {
    TPvBlinkingControlsList::instance()->setOffInterval(ms);
}

void TPvCustomStatusPane::blinkState(bool on) {
    if (!blinking_) return;
    currentColor_ = on ? blinkColor_ : normalColor_;
    update();
}

void TPvCustomStatusPane::applyAutoSize() {
    if (!autoSize_) return;
    int w = defaultWidth_;
    if (!caption_.isEmpty()) {
        const int text = QFontMetrics(font()).size(Qt::TextExpandTabs, caption_).width();
        w = 2 * borderWidth_ + text + captionOffset_ + 6;
    }
    resize(w, height());
}

TRect TPvCustomStatusPane::contentRect() const {
    return fromQRect(rect()).shrunk(borderWidth_ + FrameBorderWidth(frameStyle_));
}

void TPvCustomStatusPane::paintFrame(Canvas& c) {
    c.fillRect(fromQRect(rect()), Color());
    const TRect r = fromQRect(rect()).shrunk(borderWidth_);
    if (frameStyle_ == fsFlat) DrawBevel(c, r, flatColor_, sdAll, 1, flatColor_);
    else DrawBorder(c, r, frameStyle_);
}

void TPvCustomStatusPane::paintCaption(Canvas& c) {
    const TRect r = contentRect();
    c.painter().setFont(font());
    TextAlign align = TextAlign::Left;
    int x = r.left + captionOffset_ + 1;
    if (alignment_ == taRightJustify) {
        align = TextAlign::Right;
        x = r.right - captionOffset_ - 1;
    } else if (alignment_ == taCenter) {
        align = TextAlign::Center;
        x = r.left + r.width() / 2;
    }
    const int y = r.top + (r.height() - c.textHeight(QStringLiteral("Pp"))) / 2;
    if (isEnabled()) {
        c.textOut(x, y, align, caption_, r, currentColor_, fillColor_);
    } else {
        c.textOut(x + 1, y + 1, align, caption_, r, clBtnHighlight, fillColor_);
        c.textOut(x, y, align, caption_, r, clGrayText);
    }
}

void TPvCustomStatusPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Canvas c(p, palette());
    paintFrame(c);
    paintCaption(c);
}

void TPvCustomStatusPane::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) applyAutoSize();
}

void TPvCustomStatusPane::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPvCustomStatusPane::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (OnMouseLeave) OnMouseLeave(this);
}

// Polling.

namespace {

std::unique_ptr<TPvPollingList>& thePollingList() {
    static std::unique_ptr<TPvPollingList> list;
    return list;
}

}  // namespace

TPvPollingList::TPvPollingList() : timer_(makeTimer()) {
    timer_->OnTimer = [this] { tick(); };
    timer_->setInterval(500);
    timer_->setEnabled(true);
}

TPvPollingList::~TPvPollingList() = default;

TPvPollingList* TPvPollingList::instance() { return thePollingList().get(); }

void TPvPollingList::add(TPvPollingStatus* pane) {
    auto& list = thePollingList();
    if (!list) list.reset(new TPvPollingList);
    list->panes_.push_back(pane);
}

void TPvPollingList::remove(TPvPollingStatus* pane) {
    auto& list = thePollingList();
    if (!list) return;
    auto& v = list->panes_;
    v.erase(std::remove(v.begin(), v.end(), pane), v.end());
    // Never freed from inside its own tick; an empty list then stays until the next change.
    if (v.empty() && !list->ticking_) list.reset();
}

void TPvPollingList::setActive(bool v) {
    if (v != timer_->enabled()) timer_->setEnabled(v);
}

void TPvPollingList::setInterval(std::uint16_t ms) {
    if (ms != timer_->interval()) timer_->setInterval(ms);
}

void TPvPollingList::tick() {
    ticking_ = true;
    const std::vector<TPvPollingStatus*> snapshot = panes_;
    for (TPvPollingStatus* p : snapshot)
        if (std::find(panes_.begin(), panes_.end(), p) != panes_.end()) p->timerExpired();
    ticking_ = false;
}

TPvPollingStatus::TPvPollingStatus(QWidget* parent) : TPvCustomStatusPane(parent) {
    TPvPollingList::add(this);
}

TPvPollingStatus::~TPvPollingStatus() { TPvPollingList::remove(this); }

bool TPvPollingStatus::Active() const { return TPvPollingList::instance()->active(); }
void TPvPollingStatus::setActive(bool v) { TPvPollingList::instance()->setActive(v); }
std::uint16_t TPvPollingStatus::Interval() const { return TPvPollingList::instance()->interval(); }
void TPvPollingStatus::setInterval(std::uint16_t ms) { TPvPollingList::instance()->setInterval(ms); }

void TPvPollingStatus::timerExpired() {
    if (OnTimerExpired) OnTimerExpired(this);
}

}  // namespace pavik
