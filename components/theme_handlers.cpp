#include "components/theme_handlers.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "components/pv_panel.h"
#include "components/pv_spinner.h"
#include "components/theme_button.h"

namespace pavik {

bool PanelFollowsParent(const TPvCustomPanel& panel) {
    const QWidget* parent = panel.parentWidget();
    if (!parent) return false;
    const QColor own = toQColor(panel.Color(), panel.palette());
    if (const auto* parentPanel = qobject_cast<const TPvCustomPanel*>(parent))
        return own == toQColor(parentPanel->Color(), parentPanel->palette());
    return own == parent->palette().color(parent->backgroundRole());
}

void PaintThemedPanel(TThemeServices& services, TPvCustomPanel& panel, QPainter& p) {
    services.DrawParentBackground(&panel, p, nullptr, false, panel.rect());
    const int bw = panel.BorderWidth();
    const QRect r = panel.rect().adjusted(bw, bw, -bw, -bw);
    if (!panel.Caption().isEmpty()) {
        // One line, centred vertically.
        const int h = QFontMetrics(panel.font()).height();
        const int top = (r.top() + r.top() + r.height() - h) / 2;
        const int align = panel.Alignment() == taLeftJustify    ? Qt::AlignLeft
                          : panel.Alignment() == taRightJustify ? Qt::AlignRight
                                                                : Qt::AlignHCenter;
        p.setFont(panel.font());
        p.setPen(panel.palette().color(QPalette::WindowText));
        p.drawText(QRect(r.left(), top, r.width(), h), align | Qt::AlignVCenter | Qt::TextExpandTabs,
                   panel.Caption());
    }
    Canvas c(p, panel.palette());
    panel.paintOverFace(c);
}

void PaintThemedSpeedButton(TThemeServices& services, TPvRapidFireButton& button, QPainter& p) {
    const QRect rect = button.rect();
    services.DrawParentBackground(&button, p, nullptr, false, rect);

    const TButtonState state = !button.isEnabled() ? bsDisabled : button.isDown() ? bsDown : bsUp;
    const bool hot = button.Flat() ? button.isHot() : button.underMouse();
    const TThemedElementDetails details =
        GetElementDetails(button.Flat() ? teToolBar : teButton, SpeedButtonDetail(state, hot));
    services.DrawElement(p, details, rect);

    const QRect content = services.ContentRect(details, rect);
    const bool rightToLeft = button.layoutDirection() == Qt::RightToLeft;
    if (const QPixmap picture = button.GlyphPicture(state); !picture.isNull()) {
        const ButtonPlacement at = ButtonLayout(content.size(), picture.size(), {0, 0}, blGlyphLeft, -1, -1, rightToLeft);
        p.drawPixmap(content.topLeft() + at.glyph, picture);
        return;
    }
    const int side = SpinGlyphSide(button.width(), button.height());
    const ButtonPlacement at = ButtonLayout(content.size(), {side, side}, {0, 0}, blGlyphLeft, -1, -1, rightToLeft);
    Canvas c(p, button.palette());
    PaintSpinGlyph(c, button.Glyph(), content.left() + at.glyph.x(), content.top() + at.glyph.y(), side,
                   GlyphCell(button.NumGlyphs(), state));
}

bool ThemedControlEvent(TThemeManager& manager, ThemeClass cls, QWidget* control, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    if (cls == ThemeClass::Panel) {
        auto* panel = qobject_cast<TPvCustomPanel*>(control);
        if (!panel || !PanelFollowsParent(*panel)) return false;
        QPainter p(panel);
        PaintThemedPanel(manager.services(), *panel, p);
        return true;
    }
    if (cls == ThemeClass::SpeedButton) {
        auto* button = qobject_cast<TPvRapidFireButton*>(control);
        if (!button) return false;  // a tool button: the style draws it
        QPainter p(button);
        PaintThemedSpeedButton(manager.services(), *button, p);
        return true;
    }
    return false;
}

}  // namespace pavik
