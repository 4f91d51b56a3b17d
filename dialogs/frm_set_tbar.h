#pragma once
// The toolbar dialog "ツールバー設定": one ticked row per button of the main window's four
// upper toolbars. The result goes as decimal masks into four hidden labels, which the main
// window reads after OK.
#include <QDialog>
#include <QIcon>
#include <array>
#include <string>

#include "dialogs/toolbar_masks.h"

class QAction;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace pavik {

// What the dialog shows, taken from the main window when it is made.
struct ToolBarDialogSource {
    std::array<QAction*, ToolBarRows> actions{};  // the button of each row; null for separators
    ToolBarMasks visible{};                        // masks of the buttons visible now
    std::string prev3;                             // the Netscape 6 program ("Prev3")
    QIcon mozillaImage;                            // image 54
    QIcon netscape6Image;                          // image 6
};

class TfrmSetTBar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetTBar(ToolBarDialogSource source, QWidget* owner = nullptr);

    // Ticks the rows of the visible buttons and names row 17 after the Netscape 6 program.
    void FormShow();
    // Writes the masks of the ticked rows into the hidden labels.
    void FormDeactivate();

    QTreeWidget* ListViewTB = nullptr;
    QLabel* LabelmnuFile = nullptr;
    QLabel* LabelmnuStyle = nullptr;
    QLabel* LabelmnuTools = nullptr;
    QLabel* LabelmnuBrowser = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();

    ToolBarDialogSource source_;
};

}  // namespace pavik
