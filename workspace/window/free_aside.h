#pragma once
// Frees what the window is done with on a thread of its own: the rows of a big sheet, its old
// document, its digests. Freeing them takes tens of milliseconds that the window would
// otherwise not answer in.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace pavik {

class FreeAside {
public:
    FreeAside() = default;
    FreeAside(const FreeAside&) = delete;
    FreeAside& operator=(const FreeAside&) = delete;
    // Frees what is still waiting first.
    ~FreeAside();

    // Destroys `garbage` soon, on the freeing thread. It must refer to nothing the window keeps.
    template <class T>
    void free(T garbage) {
        queue([held = std::make_shared<T>(std::move(garbage))]() mutable { held.reset(); });
    }

private:
    void queue(std::function<void()> destroy);
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> waiting_;
    bool stopping_ = false;
    std::thread thread_;  // started with the first garbage
};

}  // namespace pavik
