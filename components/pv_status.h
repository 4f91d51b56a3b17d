#pragma once
// Status panes: a framed caption that can blink (TPvStatusPane), and panes driven by one
// polling timer shared by all of them (TPvPollingStatus).
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "components/blinking_list.h"
#include "components/canvas.h"
#include "components/pv_types.h"
#include "platform/timer.h"

namespace pavik {

class TPvCustomStatusPane : public QWidget, public BlinkClient {
    Q_OBJECT
public:
    explicit TPvCustomStatusPane(QWidget* parent = nullptr);
    ~TPvCustomStatusPane() override;

    QString Caption() const { return caption_; }
    virtual void setCaption(const QString& v);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment v);
    // Width follows the caption (DefaultWidth while it is empty).
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    int DefaultWidth() const { return defaultWidth_; }
    void setDefaultWidth(int v);
    int CaptionOffset() const { return captionOffset_; }
    void setCaptionOffset(int v);
    // Margin between the pane's edge and its frame.
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int v);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void setFrameStyle(TFrameStyle v);
    TColor FlatColor() const { return flatColor_; }
    void setFlatColor(TColor v);
    TColor FillColor() const { return fillColor_; }
    void setFillColor(TColor v);
    // The caption alternates between FontColor and BlinkColor in step with every other
    // blinking control.
    bool Blinking() const { return blinking_; }
    void setBlinking(bool v);
    TColor BlinkColor() const { return blinkColor_; }
    void setBlinkColor(TColor v);
    // Shared by every blinking control.
    std::uint16_t BlinkIntervalOn() const;
    void setBlinkIntervalOn(std::uint16_t ms);
    std::uint16_t BlinkIntervalOff() const;
    void setBlinkIntervalOff(std::uint16_t ms);
    // The caption's normal colour.
    TColor FontColor() const { return normalColor_; }
    void setFontColor(TColor v);
    // The caption's colour now (FontColor or, in the blink phase, BlinkColor).
    TColor captionColor() const { return currentColor_; }
    // The background round the frame; with ParentColor that of a parent panel.
    TColor Color() const;
    void setColor(TColor v);
    bool ParentColor() const { return parentColor_; }
    void setParentColor(bool v);

    std::function<void(TPvCustomStatusPane*)> OnMouseEnter;
    std::function<void(TPvCustomStatusPane*)> OnMouseLeave;

    bool blinkQuery() const override { return blinking_; }
    void blinkState(bool on) override;

protected:
    // Rectangle inside the frame.
    TRect contentRect() const;
    void paintFrame(Canvas& c);
    void paintCaption(Canvas& c);
    // Text shown by paintCaption, without the notification a caption change sends.
    void setShownCaption(const QString& v) { caption_ = v; }
    void applyAutoSize();

    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    template <typename T>
    void store(T& field, T value);

    QString caption_;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    int defaultWidth_ = 40;
    int captionOffset_ = 2;
    int borderWidth_ = 1;
    TFrameStyle frameStyle_ = fsStatus;
    TColor flatColor_ = clBlack;
    TColor fillColor_ = clBtnFace;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    TColor normalColor_ = clWindowText;
    TColor currentColor_ = clWindowText;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
};

class TPvStatusPane : public TPvCustomStatusPane {
    Q_OBJECT
public:
    using TPvCustomStatusPane::TPvCustomStatusPane;
};

class TPvPollingStatus;

// The one timer of all polling panes (500 ms until a pane sets it).
class TPvPollingList {
public:
    static void add(TPvPollingStatus* pane);
    static void remove(TPvPollingStatus* pane);
    // The list, or null while no polling pane exists.
    static TPvPollingList* instance();

    int count() const { return static_cast<int>(panes_.size()); }
    bool active() const { return timer_->enabled(); }
    void setActive(bool v);
    std::uint16_t interval() const { return static_cast<std::uint16_t>(timer_->interval()); }
    void setInterval(std::uint16_t ms);

    TPvPollingList(const TPvPollingList&) = delete;
    TPvPollingList& operator=(const TPvPollingList&) = delete;
    ~TPvPollingList();

private:
    TPvPollingList();
    void tick();

    std::vector<TPvPollingStatus*> panes_;
    std::unique_ptr<Timer> timer_;
    bool ticking_ = false;
};

class TPvPollingStatus : public TPvCustomStatusPane {
    Q_OBJECT
public:
    explicit TPvPollingStatus(QWidget* parent = nullptr);
    ~TPvPollingStatus() override;

    // Both belong to the shared timer: the last value set by any pane applies to all.
    bool Active() const;
    void setActive(bool v);
    std::uint16_t Interval() const;
    void setInterval(std::uint16_t ms);

    std::function<void(TPvPollingStatus*)> OnTimerExpired;

    // Called on every tick of the shared timer.
    virtual void timerExpired();
};

}  // namespace pavik
