#include "platform/timer.h"

namespace pavik {

void ManualTimer::setInterval(int ms) {
    interval_ = ms;
    elapsed_ = 0;
}

void ManualTimer::setEnabled(bool on) {
    if (on != enabled_) elapsed_ = 0;
    enabled_ = on;
}

void ManualTimer::fire() {
    if (enabled_ && interval_ > 0 && OnTimer) OnTimer();
}

void ManualTimer::advance(int ms) {
    if (interval_ <= 0) return;
    elapsed_ += ms;
    // Re-read the interval and the enabled flag each round: a tick may change them.
    while (enabled_ && interval_ > 0 && elapsed_ >= interval_) {
        elapsed_ -= interval_;
        if (OnTimer) OnTimer();
    }
    if (!enabled_) elapsed_ = 0;
}

}  // namespace pavik
