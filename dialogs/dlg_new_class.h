#pragma once
// The new class dialog: the name of a new class rule, read from EditNewClass after OK. OK
// is enabled only for a name that can be written into a style sheet and read back as the
// same class: not empty, and without "{", "}", ";", ",", "/*", a quote, a blank, a line
// break or a character CP932 lacks. While it is greyed, the label beside it says why; there
// are no messages. Whether such a class exists already is the main window's to check.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pavik {

class HelpDesk;

class TdlgNewClass : public QDialog {
public:
    // `desk` may be null (no F1 help).
    explicit TdlgNewClass(HelpDesk* desk, QWidget* owner = nullptr);

    QLineEdit* EditNewClass = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QLabel* LabelOkReason = nullptr;  // why OK is greyed

    // Why a name cannot be a class name; empty when it can.
    static QString classNameProblem(const QString& name);
    static bool acceptsClassName(const QString& name) { return classNameProblem(name).isEmpty(); }

    void EditNewClassChange();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace pavik
