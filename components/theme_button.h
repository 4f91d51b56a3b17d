#pragma once
// The arithmetic of a themed button face: which detail the face is drawn with, which
// picture of a glyph strip is shown, and where glyph and caption go inside the face's
// content rectangle. No drawing, no widgets.
#include <QPoint>
#include <QSize>

namespace pavik {

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Toolbar button (and push button) detail: disabled 5, down or exclusive 4, hot 3, else 2.
int SpeedButtonDetail(TButtonState state, bool hot);

// The picture of a strip of `numGlyphs` pictures shown in `state`: 1 while disabled, 2 while
// down, 3 while exclusive, each only when the strip has it; 0 otherwise.
int GlyphCell(int numGlyphs, TButtonState state);

struct ButtonPlacement {
    QPoint glyph;    // relative to the content rectangle's top-left corner
    QPoint caption;
};

// Places a glyph and a caption of the given sizes (0 x 0 when missing) in a content area of
// `area`. -1 in `margin` or `spacing` means automatic: both automatic share the free room in
// three; one given centres the rest. Right-to-left swaps glyph-left and glyph-right.
ButtonPlacement ButtonLayout(QSize area, QSize glyph, QSize caption, TButtonLayout layout, int margin,
                             int spacing, bool rightToLeft = false);

}  // namespace pavik
