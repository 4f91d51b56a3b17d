#include "workspace/window/free_aside.h"

namespace pavik {

FreeAside::~FreeAside() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void FreeAside::queue(std::function<void()> destroy) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(std::move(destroy));
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
}

void FreeAside::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;  // stopping, with nothing left
        std::function<void()> destroy = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        destroy();
        destroy = nullptr;  // the garbage goes with its holder
        lock.lock();
    }
}

}  // namespace pavik
