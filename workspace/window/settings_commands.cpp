#include "workspace/window/settings_commands.h"

#include <QDialog>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <stdexcept>

#include "dialogs/frm_set_tbar.h"
#include "dialogs/frm_setting.h"
#include "platform/ini_file.h"
#include "platform/int_text.h"
#include "vocabulary/fixed_texts.h"
#include "vocabulary/shared_routines.h"
#include "workspace/window/image_list_main.h"

namespace pavik {

void SettingsCommands::SettingExecute() {
    IniFile& ini = w_.settings();
    TfrmSetting dialog(ini, w_.association, w_.help, w_.owner);
    if (w_.reportError) dialog.ReportError = w_.reportError;
    if (w_.runDialog(dialog) != QDialog::Accepted) return;

    const SettingValues values = dialog.values();
    writeSettingValues(ini, values);
    w_.setAutoRefresh(values.autoRefresh);
    w_.restylePanes();
    flush();
    w_.updatePreviewBrowserActions();
    NotifyAssocChanged();
}

void SettingsCommands::TBCustExecute() {
    IniFile& ini = w_.settings();
    w_.saveToolBarPositions();
    flush();

    TfrmSetTBar dialog(toolBarSource(), w_.owner);
    if (w_.runDialog(dialog) != QDialog::Accepted) return;
    const QLabel* labels[] = {dialog.LabelmnuFile, dialog.LabelmnuStyle, dialog.LabelmnuTools,
                              dialog.LabelmnuBrowser};
    for (size_t b = 0; b < ToolBarMaskSpecs.size(); ++b) {
        const std::optional<std::int32_t> mask = parseInt32(labels[b]->text().toStdString());
        if (!mask) throw std::invalid_argument("'" + labels[b]->text().toStdString() + "' is not an integer");
        ini.WriteInteger(SectionTbar, ToolBarMaskSpecs[b].key, *mask);
    }
    flush();
    w_.loadToolBarSetting();
}

ToolBarDialogSource SettingsCommands::toolBarSource() const {
    ToolBarDialogSource source;
    for (size_t b = 0; b < ToolBarMaskSpecs.size(); ++b) {
        QToolBar* bar = w_.toolBars[b];
        const QList<QAction*> buttons = bar->actions();
        for (int k = 0; k < ToolBarMaskSpecs[b].buttons && k < buttons.size(); ++k) {
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(buttons[k]));
            source.actions[ToolBarMaskSpecs[b].firstRow + k] = button ? button->defaultAction() : nullptr;
            if (buttons[k]->isVisible()) source.visible[b] |= 1 << k;
        }
    }
    source.prev3 = w_.settings().ReadString(SectionSystem, "Prev3", "");
    source.mozillaImage = imageListIcon(imgMozilla);
    source.netscape6Image = imageListIcon(imgPrevNS6);
    return source;
}

void SettingsCommands::flush() {
    IniFile& ini = w_.settings();
    if (ini.flush() || ini.loadError()) return;  // a file not read was said at start, and is kept
    w_.reportFileError(QString::fromStdString(ini.fileName().native()),
                       QString::fromStdString(ini.lastError().message()));
}

}  // namespace pavik
