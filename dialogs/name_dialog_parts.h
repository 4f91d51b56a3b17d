#pragma once
// Pieces shared by the two small name dialogs (new style sheet, new class): the frame and
// font, the row of OK and Cancel at the bottom, and the fixed size.
#include <QString>

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace pavik {

// Object name, title, a title bar with only a close button, and the dialogs' font.
void setUpNameDialog(QDialog* dialog, const char* objectName, const QString& title);

struct OkCancel {
    QPushButton* ok = nullptr;      // the default button; disabled until the name is usable
    QPushButton* cancel = nullptr;
};
// Adds the row, right-aligned, to the end of `layout`; OK accepts the dialog, Cancel rejects it.
OkCancel addOkCancelRow(QDialog* dialog, QVBoxLayout* layout);

// Fixes the dialog at its layout's size, or at least minWidth x minHeight.
void fixNameDialogSize(QDialog* dialog, int minWidth, int minHeight);

}  // namespace pavik
