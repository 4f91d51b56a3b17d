#include <QApplication>
#include <QByteArray>
#include <unistd.h>

#include "platform/preview_browser.h"
#include "platform/termination_signals.h"
#include "workspace/window/frm_main.h"

int main(int argc, char** argv) {
    // The embedded browser's sandbox cannot run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    pavik::registerPreviewSchemes();
    QApplication app(argc, argv);
    pavik::setApplicationTitle();
    pavik::installJapaneseQtTexts();
    pavik::TfrmMain frmMain;
    // Logging out, closing the terminal or a kill close the window as the user would,
    // without the save questions.
    pavik::TerminationSignals terminationSignals([&frmMain](int) { frmMain.closeBySignal(); });
    frmMain.show();
    return app.exec();
}
