#pragma once
// An event member that behaves like a std::function and also reports when a handler is set
// or cleared, so that a wrapper can install its forwarding handler in the core only while
// someone listens (the core works differently while some handlers are set).
#include <cstddef>
#include <functional>
#include <utility>

namespace pavik {

template <class Sig>
class EventSlot;

template <class R, class... Args>
class EventSlot<R(Args...)> {
public:
    explicit EventSlot(std::function<void(bool)> onBind) : onBind_(std::move(onBind)) {}
    EventSlot(const EventSlot&) = delete;
    EventSlot& operator=(const EventSlot&) = delete;

    template <class F>
    EventSlot& operator=(F&& handler) {
        fn_ = std::forward<F>(handler);
        if (onBind_) onBind_(static_cast<bool>(fn_));
        return *this;
    }
    EventSlot& operator=(std::nullptr_t) {
        fn_ = nullptr;
        if (onBind_) onBind_(false);
        return *this;
    }

    explicit operator bool() const { return static_cast<bool>(fn_); }
    R operator()(Args... args) const { return fn_(std::forward<Args>(args)...); }

private:
    std::function<R(Args...)> fn_;
    std::function<void(bool)> onBind_;
};

}  // namespace pavik
