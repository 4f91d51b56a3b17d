#pragma once
// Starting an external browser on a page: the program runs as a process of its own with the
// page's path as its one argument (no shell between), and is not waited for. Behind an
// interface so that tests record the calls.
#include <QString>
#include <QStringList>
#include <memory>

namespace pavik {

class BrowserLauncher {
public:
    virtual ~BrowserLauncher() = default;
    // False when the program could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

// QProcess::startDetached.
std::unique_ptr<BrowserLauncher> makeProcessLauncher();

}  // namespace pavik
