#include "workspace/frm_main.h"

namespace pavik {

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Pavik"));
    resize(800, 600);
}

}  // namespace pavik
