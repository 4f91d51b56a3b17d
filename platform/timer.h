#pragma once
// Timers used by components and windows. Production code gets QTimer-backed timers from
// makeTimer(); tests install a factory that hands out ManualTimers they advance by hand.
#include <functional>
#include <memory>

namespace pavik {

class Timer {
public:
    virtual ~Timer() = default;
    // Interval in milliseconds; 0 (or less) never ticks.
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;

    std::function<void()> OnTimer;  // called on each tick, when set
};

// A timer that only moves when told to.
class ManualTimer : public Timer {
public:
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool on) override;
    bool enabled() const override { return enabled_; }

    // Lets `ms` milliseconds pass, ticking once per full interval while enabled.
    void advance(int ms);
    // Ticks once now (when enabled and the interval is above 0).
    void fire();

private:
    int interval_ = 1000;
    bool enabled_ = false;
    int elapsed_ = 0;
};

using TimerFactory = std::function<std::unique_ptr<Timer>()>;

// Creates a timer through the installed factory, else a QTimer-backed one.
std::unique_ptr<Timer> makeTimer();
// Installs a factory (an empty one restores the default); returns the previous one.
TimerFactory setTimerFactory(TimerFactory factory);

}  // namespace pavik
