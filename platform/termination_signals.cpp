#include "platform/termination_signals.h"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace pavik {
namespace {

volatile std::sig_atomic_t g_writeFd = -1;

// Only async-signal-safe calls: write(2), with errno kept for the interrupted code.
extern "C" void onTerminationSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (g_writeFd >= 0) (void)!::write(g_writeFd, &number, 1);
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds_) != 0) {
        qWarning("Termination signals cannot be watched: no socket pair");
        return;
    }
    g_writeFd = fds_[0];
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignals(); });

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < std::size(Signals); ++i) ::sigaction(Signals[i], &action, &previous_[i]);
}

TerminationSignals::~TerminationSignals() {
    if (fds_[0] < 0) return;
    for (size_t i = 0; i < std::size(Signals); ++i) ::sigaction(Signals[i], &previous_[i], nullptr);
    g_writeFd = -1;
    delete notifier_;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void TerminationSignals::setHandler(std::function<void(int)> onSignal) {
    onSignal_ = std::move(onSignal);
    if (onSignal_ && !kept_.empty()) QTimer::singleShot(0, this, [this] { passKept(); });
}

void TerminationSignals::passKept() {
    for (const int signal : std::exchange(kept_, {}))
        if (onSignal_)
            onSignal_(signal);
        else
            kept_.push_back(signal);
}

void TerminationSignals::readSignals() {
    unsigned char numbers[16];
    ssize_t n;
    while ((n = ::read(fds_[1], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < n; ++i) kept_.push_back(numbers[i]);
    passKept();
}

}  // namespace pavik
