#include "platform/browser_launcher.h"

#include <QProcess>

namespace pavik {
namespace {

class ProcessLauncher : public BrowserLauncher {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }
};

}  // namespace

std::unique_ptr<BrowserLauncher> makeProcessLauncher() { return std::make_unique<ProcessLauncher>(); }

}  // namespace pavik
