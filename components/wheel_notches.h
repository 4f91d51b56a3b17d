#pragma once
// Wheel deltas (Notch a notch) turned into whole notches, for the controls that step once a
// notch. No Qt.
namespace pavik {

// What is left of a delta below a notch is kept and joins the next deltas in the same
// direction, so that a touchpad's stream of small deltas steps too; a turn the other way
// drops it.
class WheelNotches {
public:
    static constexpr int Notch = 120;
    // Notches to step: positive up, negative down.
    int add(int delta) {
        if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
        rest_ += delta;
        const long long notches = rest_ / Notch;  // toward zero
        rest_ -= notches * Notch;
        return static_cast<int>(notches);
    }

private:
    long long rest_ = 0;  // |rest_| < Notch
};

}  // namespace pavik
