#include "components/pv_spinner_paint.h"

#include <QPainter>
#include <algorithm>

#include "components/draw_kit.h"

namespace pavik {

TRect SpinnerValueBox(int width, int height, int buttonWidth) {
    return {buttonWidth - 1, 0, width - buttonWidth + 1, height};
}

TRect SpinnerMinusRect(int, int height, int buttonWidth) {
    return {1, 1, buttonWidth - 1, height - 1};
}

TRect SpinnerPlusRect(int width, int height, int buttonWidth) {
    return {width - buttonWidth + 1, 1, width - 1, height - 1};
}

void PaintSpinner(Canvas& c, const SpinnerLook& look) {
    const TColor brush = look.enabled ? look.color : clBtnFace;
    const TColor text = look.enabled ? clWindowText : clBtnShadow;

    TRect box = SpinnerValueBox(look.width, look.height, look.buttonWidth);
    c.rectangle(box, look.frameColor, brush);
    box = box.shrunk(1);

    const int y = box.top + (box.height() - c.textHeight(QStringLiteral("0"))) / 2;
    c.textOut(look.width / 2, y, TextAlign::Center, look.text, box, text);

    c.rectangle({0, 0, look.buttonWidth, look.height}, look.frameColor, clBtnFace);
    c.rectangle({look.width - look.buttonWidth, 0, look.width, look.height}, look.frameColor, clBtnFace);

    if (look.focused && !box.isEmpty()) {
        QPainter& p = c.painter();
        p.save();
        p.setPen(QPen(c.color(clWindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.left, box.top, box.width() - 1, box.height() - 1);
        p.restore();
    }
}

void PaintSpinButton(Canvas& c, const SpinButtonLook& look) {
    TRect r{0, 0, look.width, look.height};
    c.fillRect(r, clBtnFace);
    if (look.flat) {
        if (look.down) r = DrawBorder(c, r, fsStatus);
        else if (look.hot && look.enabled) r = DrawBorder(c, r, fsPopup);
    } else {
        r = DrawBorder(c, r, look.down ? fsButtonDown : fsButtonUp);
    }

    // An odd-length sign, centred; the bars grow thicker on large buttons.
    int arm = std::min(look.width, look.height) - 6;
    if (arm % 2 == 0) --arm;
    arm = std::max(arm, 3);
    const int thick = arm >= 11 ? 2 : 1;
    const int shift = look.down ? 1 : 0;
    const int cx = look.width / 2 + shift;
    const int cy = look.height / 2 + shift;
    const TColor ink = look.enabled ? clBtnText : clGrayText;
    c.fillRect({cx - arm / 2, cy - thick / 2, cx - arm / 2 + arm, cy - thick / 2 + thick}, ink);
    if (look.glyph == TSpinGlyph::Plus)
        c.fillRect({cx - thick / 2, cy - arm / 2, cx - thick / 2 + thick, cy - arm / 2 + arm}, ink);
}

}  // namespace pavik
