// The value editors that run a dialog: the colour picker from the colour swatch and from the
// colour command, the font family chooser from the font label. Each stores the dialog's
// result after OK; Cancel, and OK without another colour, change nothing.
#include <QLabel>

#include "components/pv_label.h"
#include "dialogs/frm_color_picker.h"
#include "dialogs/frm_font_select.h"
#include "platform/qt_text.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"
#include "workspace/window/value_area.h"

namespace pavik {

std::optional<std::string> ValueArea::pickColor(bool foregroundLabel) {
    TfrmColorPicker picker(host_.helpDesk(), PanelCommon->window());
    picker.StartColor = color_ ? color_->color : swatch_;
    picker.StartAlpha = color_ ? color_->alpha : 1;
    if (foregroundLabel) {
        picker.LabelFore->setEnabled(true);
        picker.LabelFore->show();
    }
    if (picker.exec() != QDialog::Accepted || !picker.changed()) return std::nullopt;
    return toCp932(picker.result());
}

void ValueArea::swatchClicked() {
    if (!host_.targetProperty()) return;
    if (const std::optional<std::string> color = pickColor(false)) store(colorWrite(*color));
}

void ValueArea::colorCommand() {
    const std::optional<std::string> color = pickColor(true);
    // Only into a colour property of the selected rule: a colour must not land in a width.
    const std::optional<std::string> property = host_.targetProperty();
    if (!color || !property || !isColorProperty(*property)) return;
    store(colorWrite(*color));
}

void ValueArea::fontLabelClicked() {
    if (!host_.targetProperty()) return;
    TfrmFontSelect chooser(host_.helpDesk(), PanelCommon->window());
    if (chooser.exec() != QDialog::Accepted || chooser.result().isEmpty()) return;
    store(fontWrite(toCp932(chooser.result())));
}

}  // namespace pavik
