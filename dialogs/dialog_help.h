#pragma once
// F1 help on the controls of a dialog: a control that carries a help context number shows
// that number's text popup through the help desk, next to the control.
class QDialog;
class QWidget;

namespace pavik {

class HelpDesk;

void setHelpContext(QWidget* control, int context);
// The help context of `control` or of the nearest parent that has one; 0 for none.
int helpContextOf(const QWidget* control);

// F1 in `dialog` asks `desk` (may be null: nothing happens) for the popup of the focused
// control: the popup position (the control's centre on screen), then the context number.
void installControlHelp(QDialog* dialog, HelpDesk* desk);

}  // namespace pavik
