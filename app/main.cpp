#include <QApplication>
#include <QByteArray>
#include <unistd.h>

#include "platform/termination_signals.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"

int main(int argc, char** argv) {
    // The embedded browser's sandbox cannot run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString title = QString::fromUtf8(pavik::AppTitle.data(), qsizetype(pavik::AppTitle.size()));
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);
    QApplication::setWindowIcon(pavik::programIcon());
    pavik::TfrmMain frmMain;
    // Logging out, closing the terminal or a kill close the window as the user would,
    // without the save questions.
    pavik::TerminationSignals terminationSignals([&frmMain](int) { frmMain.closeBySignal(); });
    frmMain.show();
    return app.exec();
}
