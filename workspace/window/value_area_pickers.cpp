// The value editors that run a dialog: the colour picker from the colour swatch and from the
// colour command, the font family chooser from the font label. Each stores the dialog's
// result after OK; Cancel changes nothing.
#include <QLabel>

#include "components/pv_label.h"
#include "dialogs/frm_color_picker.h"
#include "dialogs/frm_font_select.h"
#include "platform/qt_text.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"
#include "workspace/window/value_area.h"

namespace pavik {

void ValueArea::swatchClicked() {
    if (!host_.targetProperty()) return;
    TfrmColorPicker picker(host_.helpDesk(), PanelCommon->window());
    picker.StartColor = swatch_;
    if (picker.exec() != QDialog::Accepted) return;
    store(colorWrite(toCp932(picker.result())));
}

void ValueArea::colorCommand() {
    TfrmColorPicker picker(host_.helpDesk(), PanelCommon->window());
    picker.StartColor = swatch_;
    picker.LabelFore->setEnabled(true);
    picker.LabelFore->show();
    if (picker.exec() != QDialog::Accepted) return;
    // Only into a colour property of the selected rule: a colour must not land in a width.
    const std::optional<std::string> property = host_.targetProperty();
    if (!property || !isColorProperty(*property)) return;
    store(colorWrite(toCp932(picker.result())));
}

void ValueArea::fontLabelClicked() {
    if (!host_.targetProperty()) return;
    TfrmFontSelect chooser(host_.helpDesk(), PanelCommon->window());
    if (chooser.exec() != QDialog::Accepted || chooser.result().isEmpty()) return;
    store(fontWrite(toCp932(chooser.result())));
}

}  // namespace pavik
