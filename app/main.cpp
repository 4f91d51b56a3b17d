#include <QApplication>

#include "workspace/frm_main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pavik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pavik"));
    pavik::TfrmMain frmMain;
    frmMain.show();
    return app.exec();
}
