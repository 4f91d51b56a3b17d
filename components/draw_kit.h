#pragma once
// Borders, bevels, frames and progress bars drawn on a Canvas. Every routine takes the
// rectangle to draw in and returns the rectangle left inside what it drew.
#include <QFont>
#include <QString>

#include "components/canvas.h"
#include "components/pv_types.h"

namespace pavik {

// Light colour on the left and top sides, dark colour on the right and bottom sides; 1 pixel.
TRect DrawSides(Canvas& c, TRect r, TColor light, TSides sides, TColor dark);
TRect DrawBevel(Canvas& c, TRect r, TColor light, TSides sides, int width, TColor dark);
TRect DrawBorderSides(Canvas& c, TRect r, TFrameStyle style, TSides sides);
inline TRect DrawBorder(Canvas& c, TRect r, TFrameStyle style) {
    return DrawBorderSides(c, r, style, sdAll);
}
// Two rings in shades of `color`, sunken when `lowered`.
TRect DrawColorBorderSides(Canvas& c, TRect r, TColor color, TSides sides, bool lowered);
// A frame style drawn in shades of `color` instead of the system colours.
TRect DrawColoredBorderSides(Canvas& c, TRect r, TColor color, TSides sides, TFrameStyle style);
// One edge of a panel or label in `style` on `sides`: fsFlat a 1-pixel line in `flatColor`;
// fsPopup a bevel `bevelWidth` wide, `highlight` on the left and top, `shadow` on the right
// and bottom; fsStatus the same with the two colours swapped; any other style as
// DrawBorderSides draws it.
TRect DrawEdge(Canvas& c, TRect r, TFrameStyle style, TSides sides, TColor flatColor,
               int bevelWidth, TColor highlight, TColor shadow);
// The frame of an edit control of the given size.
void DrawFrame(Canvas& c, int width, int height, TSides sides, TColor flatColor, TColor baseColor,
               TFrameStyle style);

// Segment arithmetic of an LED bar along `length` pixels.
struct LedGeometry {
    int size = 0;    // pixels per segment
    int total = 0;   // segments drawn
    int margin = 0;  // unused pixels before the first segment
};
LedGeometry LedBarGeometry(int length, int segments);
// Lit segments for a percentage; above 100 counts as 100.
int LedLitSegments(unsigned percent, int total);
// Filled pixels of a solid bar `length` long; 100 percent or more fills it.
int TraditionalBarFill(unsigned percent, int length);

void DrawLEDBar(Canvas& c, TRect r, TOrientation orientation, unsigned percent,
                int segments, TColor back, TColor bar);
// A solid bar; with `showPercent` the "n%" text is centred and changes colour where the bar ends.
void DrawTraditionalBar(Canvas& c, TRect r, TOrientation orientation, bool showPercent,
                        unsigned percent, TColor back, TColor bar);

// A font turned counter-clockwise by `angle` degrees: the font's family and height, bold or
// normal weight, italic, underline, strike-out and pitch, and the escapement in tenths of
// a degree (angle * 10).
struct TRotatedFont {
    QFont font;
    int escapement = 0;
};
TRotatedFont RotateFont(const QFont& font, int angle);

// Where a rotated text is anchored: its top-left corner, the centre or the start of its
// baseline.
enum class TextAnchor { TopLeft, BaselineCenter, BaselineLeft };
// `text` in a rotated font, anchored at (x, y), turned about that point.
void DrawRotatedText(Canvas& c, const TRotatedFont& font, int x, int y, TextAnchor anchor,
                     const QString& text, TColor color);

}  // namespace pavik
