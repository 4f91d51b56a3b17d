#pragma once
// The box model editor: margins, border widths and styles and paddings of one rule on three
// pages, with a preview page of its own shown below them. What the rows hold and what the
// preview shows is decided by box_edit_model.h; this class only maps it onto its controls.
// The dialog never changes the style sheet: after OK the caller reads Result().
#include <QDialog>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs/box_edit_model.h"
#include "platform/preview_browser.h"

class QComboBox;
class QGridLayout;
class QPushButton;
class QTabWidget;

namespace pavik {

class HelpDesk;
class TPvSpinner;

class TdlgBoxEdit : public QDialog {
    Q_OBJECT
public:
    struct Services {
        // Makes the preview browser (the real web view, or a fake in tests).
        std::function<std::unique_ptr<PreviewBrowser>(QWidget* parent)> makeBrowser;
        HelpDesk* help = nullptr;  // none: the help button stays disabled
        // Tells the user of a failure: the preview page could not be written (once per run).
        std::function<void(QWidget* owner, const QString& text)> reportError;
    };

    // `rule` is the rule to edit (none: the controls keep their starting values). It is read
    // when the dialog is first shown and must live until then.
    TdlgBoxEdit(const CssRuleNode* rule, Services services, QWidget* owner = nullptr);
    ~TdlgBoxEdit() override;

    // The twenty rows as the user left them, each saying whether it differs from what the
    // dialog opened with.
    std::vector<BoxResultRow> Result() const;
    const BoxEditModel& model() const { return model_; }
    // The preview page file (set when the dialog is shown).
    const std::filesystem::path& previewPath() const { return previewPath_; }
    PreviewBrowser* browser() const { return browser_.get(); }

    TPvSpinner* spinner(BoxRow row) const;     // none for a style row
    QComboBox* unitCombo(BoxRow row) const;    // none for a style row
    QComboBox* styleCombo(BoxRow row) const;   // none for a length row

    QTabWidget* PageControl1 = nullptr;
    TPvSpinner *PvSpinMa = nullptr, *PvSpinMt = nullptr, *PvSpinMl = nullptr, *PvSpinMr = nullptr,
               *PvSpinMb = nullptr;
    TPvSpinner *PvSpinBa = nullptr, *PvSpinBt = nullptr, *PvSpinBl = nullptr, *PvSpinBr = nullptr,
               *PvSpinBb = nullptr;
    TPvSpinner *PvSpinPa = nullptr, *PvSpinPt = nullptr, *PvSpinPl = nullptr, *PvSpinPr = nullptr,
               *PvSpinPb = nullptr;
    QComboBox *CBma = nullptr, *CBmt = nullptr, *CBml = nullptr, *CBmr = nullptr, *CBmb = nullptr;
    QComboBox *CBba = nullptr, *CBbt = nullptr, *CBbl = nullptr, *CBbr = nullptr, *CBbb = nullptr;
    QComboBox *CBpa = nullptr, *CBpt = nullptr, *CBpl = nullptr, *CBpr = nullptr, *CBpb = nullptr;
    QComboBox *CBblinea = nullptr, *CBblinet = nullptr, *CBblinel = nullptr, *CBbliner = nullptr,
              *CBblineb = nullptr;
    QWidget* WBboxedit = nullptr;  // the browser's control (none with a fake browser)
    QPushButton* BitBtn1 = nullptr;     // OK
    QPushButton* BitBtn2 = nullptr;     // Cancel
    QPushButton* BitBtnHelp = nullptr;

    // Reads the rule, fills the controls and shows the first preview (on the first showing).
    void FormShow();
    // Rebuilds the preview from the controls.
    void ChangePreview();
    void BitBtnHelpClick();
    // F1: the help popup of the focused control.
    void FormHelp();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildPage(BoxRow all, bool withStyles);
    void buildRow(QGridLayout* grid, int line, BoxRow row, bool withStyle);
    // The user's edits: change the model, show it, rebuild the preview.
    void SpinnerChange(BoxRow row);
    void UnitChange(BoxRow row, const QString& text);
    void StyleChange(BoxRow row, const QString& text);
    // Shows the model in the controls.
    void syncControls();
    void writePreview(const BoxPreview& values);
    // Tells the user of the first failure of this run only.
    void reportError(const QString& text);
    // Runs a handler; an exception it throws is reported and goes no further.
    void guarded(const std::function<void()>& handler) noexcept;

    const CssRuleNode* rule_;
    Services services_;
    std::unique_ptr<PreviewBrowser> browser_;
    std::array<TPvSpinner*, BoxRowCount> spinners_{};
    std::array<QComboBox*, BoxRowCount> combos_{};  // unit combos, then style combos
    BoxEditModel opening_;
    BoxEditModel model_;
    std::filesystem::path previewPath_;
    bool shown_ = false;
    bool syncing_ = false;  // controls are being set from the model
    bool errorShown_ = false;
    bool previewWritten_ = false;  // the page is ours to delete
    int labelWidth_ = 0;  // of the row labels, the widest
};

}  // namespace pavik
