#pragma once
#include <QMainWindow>

namespace pavik {

// The one main window of the program.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
};

}  // namespace pavik
