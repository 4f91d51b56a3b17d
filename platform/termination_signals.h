#pragma once
// SIGTERM, SIGINT and SIGHUP as a call on the Qt event loop. The signal handler only writes
// the signal's number to a socket pair; a socket notifier reads it on the event loop and
// makes the call there, where anything may be done. A second signal of the same kind ends
// the program as the signal always would (for a program that no longer answers).
// One instance at a time; its end puts the previous handlers back.
#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace pavik {

class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    static constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

private:
    void readSignals();

    std::function<void(int)> onSignal_;
    int fds_[2] = {-1, -1};  // [0] written by the handler, [1] read on the event loop
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] = {};
};

}  // namespace pavik
