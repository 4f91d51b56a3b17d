#pragma once
// The settings and toolbar commands of the main window. Each opens its dialog and, after
// OK only, writes the dialog's values to the settings file and applies them to the running
// window. The window's handlers SettingExecute and TBCustExecute delegate here.
#include <QString>
#include <array>
#include <functional>

class QDialog;
class QToolBar;
class QWidget;

namespace pavik {

class FileAssociation;
class HelpDesk;
class IniFile;
struct ToolBarDialogSource;

// What the commands need of the main window.
struct SettingsWindowLink {
    QWidget* owner = nullptr;
    std::function<IniFile&()> settings;
    std::function<void(bool)> setAutoRefresh;
    // Both source panes take font and colours from the settings file; a saved style sheet
    // stays saved.
    std::function<void()> restylePanes;
    std::function<void()> updatePreviewBrowserActions;
    // Writes top and left of all four upper toolbars, hidden ones too, to "TB1Pos".
    std::function<void()> saveToolBarPositions;
    std::function<void()> loadToolBarSetting;
    std::array<QToolBar*, 4> toolBars{};  // TBFile, TBStyle, TBTools, TBBrowser
    HelpDesk* help = nullptr;
    FileAssociation* association = nullptr;
    std::function<void(const QString& text)> reportError;
    std::function<void(const QString& file, const QString& reason)> reportFileError;
    // Runs a dialog modally and gives its result.
    std::function<int(QDialog&)> runDialog;
};

class SettingsCommands {
public:
    explicit SettingsCommands(SettingsWindowLink window) : w_(std::move(window)) {}

    // The settings dialog; after OK: the keys of section "SYSTEM", the panes, automatic
    // refresh, the browser actions, and the notice that associations may have changed.
    void SettingExecute();
    // Saves the toolbar positions, then the toolbar dialog; after OK: the four masks in
    // section "Tbar" and the toolbars rebuilt from them.
    void TBCustExecute();

    // The toolbar dialog's rows, from the toolbars' buttons and their visibility.
    ToolBarDialogSource toolBarSource() const;

private:
    void flush();
    SettingsWindowLink w_;
};

}  // namespace pavik
