#pragma once
// Pieces the dialogs share: the frame and font, rows of buttons, and for the two small name
// dialogs (new style sheet, new class) the row of OK and Cancel and the fixed size.
#include <QString>
#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace pavik {

// Object name, title, a title bar with only a close button, and the font `family` at
// `pixelSize` pixels.
void setUpDialogFrame(QDialog* dialog, const char* objectName, const QString& title, const QString& family,
                      int pixelSize);

// `widgets` side by side at the right end of a new row.
QHBoxLayout* rightAlignedRow(std::initializer_list<QWidget*> widgets);

// The name dialogs' frame: setUpDialogFrame in "MS UI Gothic" at 12 pixels.
void setUpNameDialog(QDialog* dialog, const char* objectName, const QString& title);

// The label beside OK that says why OK is greyed, wide enough for the widest of `reasons`
// in the dialog's font.
QLabel* makeOkReason(QDialog* dialog, std::initializer_list<QString> reasons);
// Enables `ok` exactly when `reason` is empty, and shows the reason beside it.
void showOkReason(QPushButton* ok, QLabel* label, const QString& reason);

struct OkCancel {
    QPushButton* ok = nullptr;      // the default button; disabled until the name is usable
    QPushButton* cancel = nullptr;
};
// Adds the row, right-aligned, to the end of `layout`: `reason` (see makeOkReason), then OK,
// which accepts the dialog, and Cancel, which rejects it.
OkCancel addOkCancelRow(QDialog* dialog, QVBoxLayout* layout, QLabel* reason);

// Fixes the dialog at its layout's size, or at least minWidth x minHeight.
void fixNameDialogSize(QDialog* dialog, int minWidth, int minHeight);

}  // namespace pavik
