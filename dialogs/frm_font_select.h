#pragma once
// The font family chooser: a generic family on the first page, a named font among seventeen
// samples on the second, each page with its guide. The choice is left in the hidden
// EditFontName (read after OK); OK stays disabled while it is empty.
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace pavik {

class HelpDesk;

class TfrmFontSelect : public QDialog {
    Q_OBJECT
public:
    // `desk` may be null: the help button is then disabled, as without a help file.
    explicit TfrmFontSelect(HelpDesk* desk, QWidget* owner = nullptr);

    // The chosen family as the style sheet stores it (UTF-8); empty before a choice.
    QString result() const;

    QTabWidget* PageControl = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    std::array<QRadioButton*, 5> RadioGroup1Items{};
    QTextEdit* RichEdit1 = nullptr;
    std::array<QLabel*, 17> StaticText{};  // StaticText1 .. StaticText17
    QTextEdit* RichEdit2 = nullptr;
    QLineEdit* EditFontName = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtnHelp = nullptr;
    QLabel* LabelOkReason = nullptr;  // why OK is greyed: no font chosen yet

    void FormCreate();
    void RadioGroup1Click(int index);
    // One handler for StaticText1Click .. StaticText17Click.
    void StaticTextClick(int index);
    void EditFontNameChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pavik
