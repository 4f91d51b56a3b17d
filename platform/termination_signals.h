#pragma once
// SIGTERM, SIGINT and SIGHUP as a call on the Qt event loop. The signal handler only writes
// the signal's number to a socket pair; a socket notifier reads it on the event loop and
// makes the call there, where anything may be done. A second signal of the same kind ends
// the program as the signal always would (for a program that no longer answers).
// Made before anything can wait for a person (a message box at start), the handlers are in
// place from then on; the call can be set later (setHandler), and a signal read while none
// is set is kept for it.
// One instance at a time; its end puts the previous handlers back.
#include <QObject>
#include <csignal>
#include <functional>
#include <vector>

class QSocketNotifier;

namespace pavik {

class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal = {}, QObject* parent = nullptr);
    ~TerminationSignals() override;

    // The call made for each signal from now on; signals kept meanwhile are passed to it on
    // the next turn of the event loop. An empty one keeps the signals that come.
    void setHandler(std::function<void(int signal)> onSignal);

    static constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

private:
    void readSignals();
    void passKept();

    std::function<void(int)> onSignal_;
    std::vector<int> kept_;  // read while no call was set
    int fds_[2] = {-1, -1};  // [0] written by the handler, [1] read on the event loop
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] = {};
};

}  // namespace pavik
