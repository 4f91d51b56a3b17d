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

// Shows the text popup of `control`'s help context (or its nearest parent's) through `desk`:
// the popup position (the control's centre on screen), then the context number. False when
// there is no desk or no context.
bool showControlHelp(HelpDesk* desk, QWidget* control);

// F1 in `dialog` shows the popup of the focused control (nothing without a desk).
void installControlHelp(QDialog* dialog, HelpDesk* desk);

}  // namespace pavik
