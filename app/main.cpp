#include <QApplication>
#include <QByteArray>
#include <unistd.h>

#include "workspace/window/frm_main.h"

int main(int argc, char** argv) {
    // The embedded browser's sandbox cannot run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    pavik::setApplicationTitle();
    pavik::TfrmMain frmMain;
    frmMain.show();
    return app.exec();
}
