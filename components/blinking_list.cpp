#include "components/blinking_list.h"

#include <algorithm>

namespace pavik {
namespace {

std::unique_ptr<TPvBlinkingControlsList>& theList() {
    static std::unique_ptr<TPvBlinkingControlsList> list;
    return list;
}

}  // namespace

TPvBlinkingControlsList::TPvBlinkingControlsList() : timer_(makeTimer()) {
    timer_->OnTimer = [this] { tick(); };
    timer_->setInterval(off_);
    timer_->setEnabled(true);
}

TPvBlinkingControlsList::~TPvBlinkingControlsList() = default;

TPvBlinkingControlsList* TPvBlinkingControlsList::instance() { return theList().get(); }

void TPvBlinkingControlsList::add(BlinkClient* client) {
    auto& list = theList();
    if (!list) list.reset(new TPvBlinkingControlsList);
    list->clients_.push_back(client);
}

void TPvBlinkingControlsList::remove(BlinkClient* client) {
    auto& list = theList();
    if (!list) return;
    auto& v = list->clients_;
    v.erase(std::remove(v.begin(), v.end(), client), v.end());
    // Never freed from inside its own tick; an empty list then stays until the next change.
    if (v.empty() && !list->ticking_) list.reset();
}

void TPvBlinkingControlsList::tick() {
    phase_ = !phase_;
    timer_->setInterval(phase_ ? on_ : off_);
    ticking_ = true;
    // A control may leave the list while it is told the phase: tell only those still in it.
    const std::vector<BlinkClient*> snapshot = clients_;
    for (BlinkClient* c : snapshot) {
        if (std::find(clients_.begin(), clients_.end(), c) == clients_.end()) continue;
        if (c->blinkQuery()) c->blinkState(phase_);
    }
    ticking_ = false;
}

}  // namespace pavik
