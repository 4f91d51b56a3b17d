#pragma once
// The about box: the program icon and four lines of the version information.
#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QPushButton;
class QWidget;

namespace pavik {

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* owner = nullptr);

    // Sets Value to the version string of key KeyIndex (0..11, see version_info.h);
    // leaves it unchanged when the key is missing. Uses no state of the box.
    static void GetVersionInfo(uint8_t KeyIndex, QString& Value);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Description = nullptr;
    QPushButton* BitBtnOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
};

}  // namespace pavik
