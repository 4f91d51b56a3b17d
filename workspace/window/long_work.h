#pragma once
// Long work of the main window, done without freezing it. A step runs on a worker thread
// while the window waits for it: once the step has taken longer than a moment, the window
// repaints, its timers run and the status line's progress bar shows how far the step got,
// every few tens of milliseconds. Meanwhile the user's input (keys, clicks, the wheel,
// drops) is held off.
//
// A request to stop (the window is closed, or ends on a signal) stops the running step at its
// next progress report, and every later step at its start: run() then throws WorkStopped. A
// step that reports nothing runs to its end. Either way, once the work is over the request
// turns into the action set by setOnStop, and is cleared: it never reaches a later command.
//
// A step must not touch widgets; it reports through sink(), which it may call from the
// worker thread. A step started while another one runs, or while the window is hidden, runs
// in place, as does every step when the window shows nothing yet.
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "workspace/document/progress_sink.h"

class QWidget;

namespace pavik {

class StatusProgress;

// Thrown through a step and out of LongWork::run once the work was stopped.
struct WorkStopped {};

class LongWork : public QObject {
public:
    LongWork(QWidget& window, StatusProgress& progress);
    ~LongWork() override;

    // Runs `step` and gives its result; an exception it throws comes out of run().
    template <class Step>
    std::invoke_result_t<Step> run(Step step) {
        if constexpr (std::is_void_v<std::invoke_result_t<Step>>) {
            runStep(step);
        } else {
            std::optional<std::invoke_result_t<Step>> result;
            runStep([&] { result.emplace(step()); });
            return std::move(*result);
        }
    }

    // Where a step reports its progress and status texts.
    ProgressSink* sink() { return &sink_; }
    // A step is running.
    bool busy() const { return depth_ > 0; }
    // The window was asked to close while a step runs (nothing otherwise).
    void requestStop();
    bool stopRequested() const { return sink_.stopped(); }
    // What a stop request comes to: run once the work is over, on a later turn of the event
    // loop, outside every step and modal box, with the request cleared and the progress bar
    // back at 0.
    void setOnStop(std::function<void()> action) { onStop_ = std::move(action); }
    // Runs `action` once no step runs any more (at once when none runs).
    void whenIdle(const std::function<void()>& action);
    // Runs `action` on a later turn of the event loop, outside every step.
    void afterWork(const std::function<void()>& action);

private:
    // Reports of the worker, taken up by the window between its events.
    class WorkerSink : public ProgressSink {
    public:
        void setProgress(int percent) override;
        void setStatus(std::string_view text) override;
        void stop(bool on) { stopped_ = on; }
        bool stopped() const { return stopped_; }
        // The last percentage and the status text not yet shown, if any.
        int percent() const { return percent_; }
        std::optional<std::string> takeStatus();

    private:
        std::atomic<int> percent_{0};
        std::atomic<bool> stopped_{false};
        std::mutex mutex_;
        std::optional<std::string> status_;
    };

    void runStep(const std::function<void()>& step);
    void showProgress();
    // The end of a stop request, once no step runs and no modal box is open.
    void endStop();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget& window_;
    StatusProgress& progress_;
    WorkerSink sink_;
    int depth_ = 0;
    std::vector<std::function<void()>> idle_;
    std::function<void()> onStop_;
    bool stopQueued_ = false;  // endStop will run
};

}  // namespace pavik
