#include "components/theme_button.h"


namespace pavik {

int SpeedButtonDetail(TButtonState state, bool hot) {
    if (state == bsDisabled) return 5;
    if (state == bsDown || state == bsExclusive) return 4;
    return hot ? 3 : 2;
}

int GlyphCell(int numGlyphs, TButtonState state) {
    if (state == bsDisabled && numGlyphs > 1) return 1;
    if (state == bsDown && numGlyphs > 2) return 2;
    if (state == bsExclusive && numGlyphs > 3) return 3;
    return 0;
}

ButtonPlacement ButtonLayout(QSize area, QSize glyph, QSize caption, TButtonLayout layout, int margin,
                             int spacing, bool rightToLeft) {
    if (rightToLeft && (layout == blGlyphLeft || layout == blGlyphRight))
        layout = layout == blGlyphLeft ? blGlyphRight : blGlyphLeft;
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    if (caption.isEmpty()) caption = {0, 0};
    if (glyph.isEmpty()) glyph = {0, 0};

    // Centred on the cross axis.
    ButtonPlacement at;
    if (across) {
        at.glyph.setY((area.height() - glyph.height() + 1) / 2);
        at.caption.setY((area.height() - caption.height() + 1) / 2);
    } else {
        at.glyph.setX((area.width() - glyph.width() + 1) / 2);
        at.caption.setX((area.width() - caption.width() + 1) / 2);
    }

    if (caption.isNull() || glyph.isNull()) spacing = 0;
    const int size = across ? area.width() : area.height();
    const int g = across ? glyph.width() : glyph.height();
    const int c = across ? caption.width() : caption.height();
    if (margin == -1) {
        if (spacing == -1) {
            spacing = (size - (g + c)) / 3;
            margin = spacing;
        } else {
            margin = (size - (g + spacing + c) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((size - margin - g) - c) / 2;
    }

    int glyphPos = margin;
    int captionPos = margin + g + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphPos = size - margin - g;
        captionPos = glyphPos - spacing - c;
    }
    if (across) {
        at.glyph.setX(glyphPos);
        at.caption.setX(captionPos);
    } else {
        at.glyph.setY(glyphPos);
        at.caption.setY(captionPos);
    }
    return at;
}

}  // namespace pavik
