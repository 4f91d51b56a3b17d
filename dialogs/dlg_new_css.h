#pragma once
// The new style sheet dialog: the name of the new file and the folder it goes to. OK stays
// enabled only while the name is usable and no file of the resulting path exists; the path
// is left in the hidden EditNew, which the main window reads after OK. While OK is greyed,
// the label beside it says why; there are no messages.
//
// - The name is trimmed; a name that is then empty, or that holds "/", is unusable.
// - The path is the folder of EditPath when that names an existing folder (else the program
//   folder), the name, and ".css" unless the name already ends in ".css" in any case.
// - The path is worked out again whenever the name or the folder changes.
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pavik {

class HelpDesk;

class TdlgNewCSS : public QDialog {
public:
    // `chooseFolder` is the folder chooser of the folder button: the chosen folder, or an
    // empty string when the user cancelled (the folder then stays). `desk` may be null (no F1).
    TdlgNewCSS(std::function<QString()> chooseFolder, HelpDesk* desk, QWidget* owner = nullptr);

    QLineEdit* EditNewCSS = nullptr;
    QLineEdit* EditPath = nullptr;
    QPushButton* BitBtnSelectFolder = nullptr;
    QLineEdit* EditNew = nullptr;  // hidden: the full path of the file to create
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QLabel* LabelOkReason = nullptr;  // why OK is greyed

    // The path for a name in a folder as described above; empty when the name is unusable.
    static QString candidatePath(const QString& name, const QString& folder);

    void EditNewCSSChange();
    void BitBtnSelectFolderClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<QString()> chooseFolder_;
};

}  // namespace pavik
