#pragma once
// Opening an address (a web page, a mail link) with the desktop's handler for it, behind an
// interface so that tests record the calls. Whether the desktop could open it is not
// reported back: the caller goes on either way.
#include <QString>
#include <memory>

namespace pavik {

class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    virtual void open(const QString& address) = 0;
};

// The desktop's handler (QDesktopServices): a browser for web addresses, the mail program
// for "mailto:" links.
std::unique_ptr<ShellOpen> makeDesktopShellOpen();

}  // namespace pavik
