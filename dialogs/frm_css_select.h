#pragma once
// The selector chooser: the user composes the selector of a new rule from the rows of the
// selector table, on one of three pages (an element or a list of elements; an element with a
// class; a parent element with a descendant), each with a drawing of its example and its
// guide page. The dialog keeps its choice in its controls; after OK the rule command reads
// choice(). What is composed and when OK is enabled is decided by selector_choice.h.
#include <QDialog>
#include <QString>
#include <functional>

#include "dialogs/selector_choice.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace pavik {

class HelpDesk;

class TfrmCSSSelect : public QDialog {
    Q_OBJECT
public:
    // `desk` may be null: the help button is then disabled, as without a help file.
    explicit TfrmCSSSelect(HelpDesk* desk, QWidget* owner = nullptr);

    // The choice as it stands (the rule command reads it after OK).
    SelectorChoice choice() const;
    // The table row of a node of either tree; -1 for none.
    static int rowOf(const QTreeWidgetItem* node);
    // Why OK stays greyed for the choice `c` (class name as typed: `typedClass`); empty when
    // the choice is complete.
    static QString choiceProblem(const SelectorChoice& c, const QString& typedClass);

    // ---- Controls (named as in the dialog's layout) ----------------------------------------
    QTreeWidget* TVcssBasic = nullptr;   // every row; several selectable on the basic page
    QTreeWidget* TVcssBasic2 = nullptr;  // the same rows, for the descendant; its page only
    QTabWidget* PageControlCSS = nullptr;
    QLabel* PanelTag = nullptr;          // the selector being composed
    QLabel* LabelInfoBasic = nullptr;
    QListWidget* ListBoxBasic = nullptr;
    QAction* AddBasic = nullptr;
    QAction* DelBasic = nullptr;
    QTextEdit* RichEditBASIC = nullptr;
    QLabel* LabelInfoTagChild = nullptr;
    QLineEdit* EditClassChild = nullptr;
    QTextEdit* RichEditCLASS = nullptr;
    QLabel* LabelInfoAllChild = nullptr;
    QLineEdit* EditParent1 = nullptr;
    QLineEdit* EditChild1 = nullptr;
    QTextEdit* RichEditCHILD = nullptr;
    QLabel* LabelOkReason = nullptr;  // beside OK: why it is greyed
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtnHelp = nullptr;

    // ---- Handlers ----------------------------------------------------------------------------
    void FormCreate();
    // On the first showing: the focus to TVcssBasic, then the three guide pages. A page that
    // cannot be had is reported once and the pages after it stay empty.
    void FormShow();
    void TVcssBasicClick();
    void TVcssBasic2Click();
    void EditClassChildChange();
    void PageControlCSSChange(int page);
    void AddBasicExecute();
    void DelBasicExecute();

    // Shows a guide page that cannot be had (a message box; tests record it).
    std::function<void(const QString& text)> ReportError;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    QWidget* createBasicPage();
    QWidget* createClassPage();
    QWidget* createChildPage();
    void fillTrees();
    // PanelTag and OK from the choice as it stands now.
    void showChoice();
    // A node clicked in `tree`: PanelTag shows it, and on the descendant page a row that
    // `fits` becomes `chosen` and is shown in `edit`.
    void takeClickedRow(const QTreeWidget* tree, bool (*fits)(int), int& chosen, QLineEdit* edit);

    HelpDesk* desk_;
    int panelRow_ = -1;   // the row whose text PanelTag shows (the last one chosen)
    int parentRow_ = -1;  // the rows shown in EditParent1 and EditChild1
    int childRow_ = -1;
    bool shown_ = false;
};

}  // namespace pavik
