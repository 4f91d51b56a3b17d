#pragma once
// One timer that makes every blinking control blink in step. Controls join on creation and
// leave on destruction; the list exists while it has members.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/timer.h"

namespace pavik {

class BlinkClient {
public:
    virtual ~BlinkClient() = default;
    // Whether the control blinks now; only those that do get the phase.
    virtual bool blinkQuery() const = 0;
    // The new phase: true "on", false "off".
    virtual void blinkState(bool on) = 0;
};

class TPvBlinkingControlsList {
public:
    static void add(BlinkClient* client);
    static void remove(BlinkClient* client);
    // The list, or null while no control is registered.
    static TPvBlinkingControlsList* instance();

    int count() const { return static_cast<int>(clients_.size()); }
    bool phase() const { return phase_; }
    std::uint16_t onInterval() const { return on_; }
    std::uint16_t offInterval() const { return off_; }
    void setOnInterval(std::uint16_t ms) { on_ = ms; }
    void setOffInterval(std::uint16_t ms) { off_ = ms; }

    TPvBlinkingControlsList(const TPvBlinkingControlsList&) = delete;
    TPvBlinkingControlsList& operator=(const TPvBlinkingControlsList&) = delete;
    ~TPvBlinkingControlsList();

private:
    TPvBlinkingControlsList();
    void tick();

    std::vector<BlinkClient*> clients_;
    std::unique_ptr<Timer> timer_;
    bool phase_ = true;
    bool ticking_ = false;
    std::uint16_t off_ = 500;
    std::uint16_t on_ = 500;
};

}  // namespace pavik
