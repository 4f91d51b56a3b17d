#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace pavik {
namespace {

class DesktopShellOpen : public ShellOpen {
public:
    void open(const QString& address) override { QDesktopServices::openUrl(QUrl(address)); }
};

}  // namespace

std::unique_ptr<ShellOpen> makeDesktopShellOpen() { return std::make_unique<DesktopShellOpen>(); }

}  // namespace pavik
