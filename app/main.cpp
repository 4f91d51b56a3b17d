#include <QApplication>
#include <QByteArray>
#include <unistd.h>

#include "platform/termination_signals.h"
#include "workspace/window/frm_main.h"

int main(int argc, char** argv) {
    // The embedded browser's sandbox cannot run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Logging out, closing the terminal or a kill close the window as the user would,
    // without the save questions; from here on, also while a box shows at start.
    pavik::TerminationSignals terminationSignals;
    pavik::setApplicationTitle();
    pavik::installJapaneseQtTexts();
    pavik::MainWindowServices services = pavik::MainWindowServices::standard();
    services.terminationSignals = &terminationSignals;
    pavik::TfrmMain frmMain(std::move(services));
    if (frmMain.closingBySignal()) {
        frmMain.close();  // in order, never shown
        return 0;
    }
    frmMain.show();
    return app.exec();
}
