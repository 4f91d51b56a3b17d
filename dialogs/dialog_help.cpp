#include "dialogs/dialog_help.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

#include "platform/help.h"

namespace pavik {
namespace {

constexpr char kHelpContext[] = "helpContext";

class ControlHelp : public QObject {
public:
    ControlHelp(QDialog* dialog, HelpDesk* desk) : QObject(dialog), dialog_(dialog), desk_(desk) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        // The key goes to the focused control first.
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control || control->window() != dialog_) return false;
        return showControlHelp(desk_, control);
    }

private:
    QDialog* dialog_;
    HelpDesk* desk_;
};

}  // namespace

void setHelpContext(QWidget* control, int context) { control->setProperty(kHelpContext, context); }

int helpContextOf(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        const int context = w->property(kHelpContext).toInt();
        if (context != 0) return context;
        if (w->isWindow()) break;
    }
    return 0;
}

bool showControlHelp(HelpDesk* desk, QWidget* control) {
    const int context = desk && control ? helpContextOf(control) : 0;
    if (context == 0) return false;
    const QPoint at = control->mapToGlobal(control->rect().center());
    const auto position = static_cast<std::int32_t>((static_cast<std::uint32_t>(at.y()) & 0xFFFF) << 16 |
                                                    (static_cast<std::uint32_t>(at.x()) & 0xFFFF));
    bool callHelp = false;
    desk->CallHTMLHelpP(HelpDesk::SetPopupPosition, position, callHelp);
    desk->CallHTMLHelpP(HelpDesk::ContextPopup, context, callHelp);
    return true;
}

void installControlHelp(QDialog* dialog, HelpDesk* desk) {
    if (!desk) return;
    // Key presses go to the focused control, whichever it is: watch them all while the dialog lives.
    qApp->installEventFilter(new ControlHelp(dialog, desk));
}

}  // namespace pavik
