#include <QTimer>

#include "platform/timer.h"

namespace pavik {
namespace {

class QtTimer : public Timer {
public:
    QtTimer() {
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimer) OnTimer();
        });
    }
    void setInterval(int ms) override {
        interval_ = ms;
        timer_.setInterval(ms > 0 ? ms : 0);
        sync();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        enabled_ = on;
        sync();
    }
    bool enabled() const override { return enabled_; }

private:
    void sync() {
        if (enabled_ && interval_ > 0) {
            if (!timer_.isActive()) timer_.start();
        } else {
            timer_.stop();
        }
    }
    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = false;
};

TimerFactory& factory() {
    static TimerFactory f;
    return f;
}

}  // namespace

std::unique_ptr<Timer> makeTimer() {
    if (factory()) return factory()();
    return std::make_unique<QtTimer>();
}

TimerFactory setTimerFactory(TimerFactory f) {
    TimerFactory old = std::move(factory());
    factory() = std::move(f);
    return old;
}

}  // namespace pavik
