#pragma once
// The visual-styles manager's class handlers: what happens to an event of a registered
// control while themes are enabled. On Qt the style already draws the standard widgets, so
// only two classes have work to do:
// - panels of the component set whose colour is their parent's background: the face is the
//   parent's background with the caption, and the panel's own edge is not drawn;
// - the spinners' rapid-fire buttons: a toolbar button face (a push-button face when not
//   flat) with the glyph picture the state calls for.
// Every other class, and every other event, goes on to the control unchanged.
#include <QEvent>

#include "components/theme_manager.h"

class QPainter;

namespace pavik {

class TPvCustomPanel;
class TPvRapidFireButton;

// True when the handler dealt with the event (the control does not see it).
bool ThemedControlEvent(TThemeManager& manager, ThemeClass cls, QWidget* control, QEvent* event);

// The manager paints a panel only when its colour is the colour behind it.
bool PanelFollowsParent(const TPvCustomPanel& panel);
void PaintThemedPanel(TThemeServices& services, TPvCustomPanel& panel, QPainter& painter);
void PaintThemedSpeedButton(TThemeServices& services, TPvRapidFireButton& button, QPainter& painter);

}  // namespace pavik
