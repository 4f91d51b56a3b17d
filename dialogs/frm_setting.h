#pragma once
// The settings dialog "環境設定": general options, the source panes' font and colours with a
// live sample, the four browser programs, and the association of style sheet files.
// It reads its starting values from the settings file and from the association; the main
// window reads values() after OK. The association is written only by the apply button,
// at once, whether the dialog then closes with OK or not.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "dialogs/setting_values.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace pavik {

class FileAssociation;
class HelpDesk;
class IniFile;

// The platform's own choosers that the dialog's buttons open (fakes in tests).
class SettingChoosers {
public:
    virtual ~SettingChoosers() = default;
    // Font name, size and colour; nothing when cancelled.
    virtual std::optional<EditFont> chooseFont(QWidget* owner, const EditFont& current) = 0;
    virtual std::optional<TColor> chooseColor(QWidget* owner, TColor current) = 0;
    // A program file, starting in `folder`; `filter` as a file dialog takes it.
    virtual std::optional<QString> chooseProgram(QWidget* owner, const QString& filter, const QString& folder) = 0;
};

std::unique_ptr<SettingChoosers> makeQtSettingChoosers();

class TfrmSetting : public QDialog {
    Q_OBJECT
public:
    // `association` and `help` may be null: the association page and help are then disabled.
    TfrmSetting(const IniFile& ini, FileAssociation* association, HelpDesk* help, QWidget* owner = nullptr,
                std::unique_ptr<SettingChoosers> choosers = makeQtSettingChoosers());
    ~TfrmSetting() override;

    // Everything the main window takes over after OK.
    SettingValues values() const;

    // Shows a failure of the apply button (a message box unless replaced).
    std::function<void(const QString&)> ReportError;

    QTabWidget* PageControl1 = nullptr;
    QWidget* tbsPrefGeneral = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;

    QCheckBox* CBlastopen = nullptr;
    QCheckBox* CBAutoRefresh = nullptr;
    QLineEdit* EditCSSNewDefFolder = nullptr;
    QPushButton* BitBtnDefFolder = nullptr;

    QAction* FontEdit = nullptr;
    QAction* ColorSelect = nullptr;
    QAction* ColorSelectTag = nullptr;
    QAction* ColorSelectSelect = nullptr;
    QAction* ColorSelectSelBak = nullptr;
    QTextEdit* RichEditSetting = nullptr;

    QLineEdit* EditIE = nullptr;
    QLineEdit* EditNS4 = nullptr;
    QLineEdit* EditNS6 = nullptr;
    QLineEdit* EditOpera = nullptr;
    QAction* FileOpenIE = nullptr;
    QAction* FileOpenNS4 = nullptr;
    QAction* FileOpenNS6 = nullptr;
    QAction* FileOpenOpera = nullptr;

    QCheckBox* ChkBoxExtIcon = nullptr;
    QCheckBox* ChkBoxExtMenu = nullptr;
    QCheckBox* ChkBoxExtDefault = nullptr;
    QPushButton* BitBtnExtApply = nullptr;

    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtnHelp = nullptr;

    void BitBtnExtApplyClick();
    void BitBtnDefFolderClick();
    // The font and colour dialogs closed with OK: the value is kept and the sample redrawn.
    void FontEditAccept(const EditFont& font);
    void ColorSelectAccept(TColor color) { acceptColor(&SettingValues::backColor, color); }
    void ColorSelectTagAccept(TColor color) { acceptColor(&SettingValues::tagColor, color); }
    void ColorSelectSelectAccept(TColor color) { acceptColor(&SettingValues::selColor, color); }
    void ColorSelectSelBakAccept(TColor color) { acceptColor(&SettingValues::selBak, color); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createPages();
    void FormCreate(const IniFile& ini);
    void readAssociation();
    // The sample in the dialog's font and colours: text, bold braces, the sample word.
    void paintSample();
    void chooseColor(QAction* action, TColor SettingValues::*colour);
    void acceptColor(TColor SettingValues::*colour, TColor color);
    void chooseProgram(QLineEdit* edit, const QString& filter);

    FileAssociation* association_;
    HelpDesk* help_;
    std::unique_ptr<SettingChoosers> choosers_;
    SettingValues chosen_;  // what the font and colour dialogs hold
};

}  // namespace pavik
