// The value handlers that run a dialog: the colour picker from the colour swatch and from the
// colour command, the font family chooser from the font label. Each stores the dialog's
// result after OK through the shared store (value_store.h) and its tail; Cancel changes
// nothing.
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QTreeWidget>

#include "components/pv_label.h"
#include "dialogs/frm_color_picker.h"
#include "dialogs/frm_font_select.h"
#include "platform/qt_text.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"
#include "workspace/window/frm_main.h"

namespace pavik {

void TfrmMain::connectPickerHandlers() {
    connect(ColoPicker, &QAction::triggered, this, [this] { guarded([this] { ColoPickerExecute(); }); });
    ShapeColor->installEventFilter(this);
    StaticTxtFont->installEventFilter(this);
}

bool TfrmMain::pickerMouseDown(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    if (watched == ShapeColor) guarded([this] { ShapeColorMouseDown(); });
    else if (watched == StaticTxtFont) guarded([this] { StaticTxtFontMouseDown(); });
    else return false;
    return true;
}

void TfrmMain::ShapeColorMouseDown() {
    if (!selectedRuleRecord()) return;
    TfrmColorPicker picker(helpDesk(), this);
    picker.StartColor = ShapeColorBrush;
    if (picker.exec() != QDialog::Accepted) return;
    finishValueWrite(colorWrite(toCp932(picker.result())));
}

void TfrmMain::ColoPickerExecute() {
    TfrmColorPicker picker(helpDesk(), this);
    picker.StartColor = ShapeColorBrush;
    picker.LabelFore->setEnabled(true);
    picker.LabelFore->show();
    if (picker.exec() != QDialog::Accepted) return;
    // Only into a colour property of the selected rule: a colour must not land in a width.
    const QTreeWidgetItem* node = selectedPropertyNode();
    if (!node || !isColorProperty(targetRecordOf(node)->Name)) return;
    finishValueWrite(colorWrite(toCp932(picker.result())));
}

void TfrmMain::StaticTxtFontMouseDown() {
    if (!selectedRuleRecord()) return;
    TfrmFontSelect chooser(helpDesk(), this);
    if (chooser.exec() != QDialog::Accepted || chooser.result().isEmpty()) return;
    finishValueWrite(fontWrite(toCp932(chooser.result())));
}

}  // namespace pavik
