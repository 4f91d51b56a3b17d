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

    const int shift = look.down ? 1 : 0;
    if (!look.picture.isNull()) {
        c.painter().drawPixmap((look.width - look.picture.width()) / 2 + shift,
                               (look.height - look.picture.height()) / 2 + shift, look.picture);
        return;
    }
    const int side = SpinGlyphSide(look.width, look.height);
    PaintSpinGlyph(c, look.glyph, look.width / 2 + shift - side / 2, look.height / 2 + shift - side / 2, side,
                   look.enabled ? 0 : 1);
}

int SpinGlyphSide(int width, int height) {
    int side = std::min(width, height) - 6;
    if (side % 2 == 0) --side;
    return std::max(side, 3);
}

void PaintSpinGlyph(Canvas& c, TSpinGlyph glyph, int x, int y, int side, int cell) {
    // The bars grow thicker on large buttons.
    const int thick = side >= 11 ? 2 : 1;
    const int mid = side / 2 - thick / 2;
    const TColor ink = cell == 1 ? clGrayText : clBtnText;
    c.fillRect({x, y + mid, x + side, y + mid + thick}, ink);
    if (glyph == TSpinGlyph::Plus) c.fillRect({x + mid, y, x + mid + thick, y + side}, ink);
}

}  // namespace pavik
