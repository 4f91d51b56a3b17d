#include "workspace/window/long_work.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QInputEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <future>

#include "workspace/window/main_window_status.h"

namespace pavik {
namespace {

// The window's events are taken up this often while a step runs; a step this short
// processes none at all.
constexpr auto Beat = std::chrono::milliseconds(10);
constexpr auto Quiet = Beat;

bool isUserInput(const QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return dynamic_cast<const QInputEvent*>(event) != nullptr;
    }
}

}  // namespace

void LongWork::WorkerSink::setProgress(int percent) {
    if (stopped_) throw WorkStopped{};
    percent_ = percent;
}

void LongWork::WorkerSink::setStatus(std::string_view text) {
    if (stopped_) throw WorkStopped{};
    const std::lock_guard lock(mutex_);
    status_ = std::string(text);
}

std::optional<std::string> LongWork::WorkerSink::takeStatus() {
    const std::lock_guard lock(mutex_);
    return std::exchange(status_, std::nullopt);
}

LongWork::LongWork(QWidget& window, StatusProgress& progress) : window_(window), progress_(progress) {}

LongWork::~LongWork() = default;

void LongWork::requestStop() {
    if (busy()) sink_.stop(true);
}

void LongWork::whenIdle(const std::function<void()>& action) {
    if (busy())
        idle_.push_back(action);
    else
        action();
}

void LongWork::afterWork(const std::function<void()>& action) {
    // A timer, not a posted call: one posted by an action run so would run in the same turn.
    QTimer::singleShot(std::chrono::milliseconds(1), &window_, [this, action] {
        if (busy())
            idle_.push_back([this, action] { afterWork(action); });
        else
            action();
    });
}

void LongWork::showProgress() {
    if (std::optional<std::string> status = sink_.takeStatus()) progress_.setStatus(*status);
    progress_.setProgress(sink_.percent());
}

void LongWork::runStep(const std::function<void()>& step) {
    if (sink_.stopped()) throw WorkStopped{};
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    };
    if (busy() || !window_.isVisible()) {
        const Depth in(depth_);
        step();
        return;
    }
    std::future<void> done;
    {
        const Depth in(depth_);
        done = std::async(std::launch::async, step);
        if (done.wait_for(Quiet) != std::future_status::ready) {
            qApp->installEventFilter(this);
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
            do {
                showProgress();
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            } while (done.wait_for(Beat) != std::future_status::ready);
            // Once more: what the caller goes on to do starts on a fresh turn.
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QGuiApplication::restoreOverrideCursor();
            qApp->removeEventFilter(this);
        }
        showProgress();
    }
    if (!busy()) {
        // A stop request first, then the actions held back while the step ran, on the next
        // turns of the event loop.
        if (sink_.stopped() && !stopQueued_) {
            stopQueued_ = true;
            QTimer::singleShot(0, &window_, [this] { endStop(); });
        }
        for (const auto& action : std::exchange(idle_, {})) QTimer::singleShot(0, &window_, action);
    }
    done.get();  // the step's exception, if any
}

void LongWork::endStop() {
    // A box the stopped command went on to show is answered first.
    if (busy() || QApplication::activeModalWidget()) {
        QTimer::singleShot(std::chrono::milliseconds(10), &window_, [this] { endStop(); });
        return;
    }
    stopQueued_ = false;
    sink_.stop(false);
    sink_.setProgress(0);
    (void)sink_.takeStatus();
    progress_.setProgress(0);
    if (onStop_) onStop_();
}

bool LongWork::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event)) return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace pavik
