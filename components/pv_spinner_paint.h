#pragma once
// Everything the spinner and its two buttons paint, in one place: the value box with its
// frame and the framed button areas (the spinner), and a button's face with its minus or
// plus sign (drawn here, no pictures).
#include <QPixmap>
#include <QString>

#include "components/canvas.h"

namespace pavik {

enum class TSpinGlyph { Minus, Plus };

struct SpinnerLook {
    int width = 80;
    int height = 18;
    int buttonWidth = 17;
    QString text;  // the value in decimal
    bool enabled = true;
    bool focused = false;
    TColor frameColor = clBtnShadow;
    TColor color = clWindow;  // the value box's background while enabled
};

// The value box: from x = buttonWidth - 1 to width - buttonWidth + 1, full height, frame
// included.
TRect SpinnerValueBox(int width, int height, int buttonWidth);
// Where the minus and the plus button sit: one pixel inside their areas.
TRect SpinnerMinusRect(int width, int height, int buttonWidth);
TRect SpinnerPlusRect(int width, int height, int buttonWidth);

// The spinner's own face; the canvas's painter holds the control's font.
void PaintSpinner(Canvas& c, const SpinnerLook& look);

struct SpinButtonLook {
    int width = 15;
    int height = 16;
    TSpinGlyph glyph = TSpinGlyph::Plus;
    bool flat = true;
    bool down = false;
    bool hot = false;  // the mouse is over it
    bool enabled = true;
    QPixmap picture;  // the button's own picture for its state; null: the sign
};

// A button face: flat buttons show a frame only while hot or down; the sign (or the
// picture, centred) moves one pixel down and right while down; the sign is grey while
// disabled.
void PaintSpinButton(Canvas& c, const SpinButtonLook& look);

// The sign of a button of the given size is a square glyph of this side, odd and at least 3.
int SpinGlyphSide(int width, int height);
// Glyph pictures: 0 the sign in button text colour, 1 the greyed sign.
inline constexpr int SpinGlyphCount = 2;
// Picture `cell` of the sign, `side` pixels square, with its top-left corner at (x, y).
void PaintSpinGlyph(Canvas& c, TSpinGlyph glyph, int x, int y, int side, int cell);

}  // namespace pavik
