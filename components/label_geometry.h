#pragma once
// Geometry of the label with text effects: its automatic size with borders and rotation,
// where flat-rotated text goes, and where each character of text laid along an arc sits.
// No Qt.
#include <vector>

#include "components/pv_types.h"
#include "platform/rect.h"

namespace pavik {

enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TTextLayout { tlTop, tlCenter, tlBottom };

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
struct TSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// An angle in degrees as 0..359 (450 is 90, -30 is 330).
int NormalizeAngle(int degrees);

// The box that holds a w x h box turned by `angle` degrees: |cos|·w + |sin|·h wide and
// |sin|·w + |cos|·h high, rounded, in every quadrant.
TSize RotatedExtent(int width, int height, int angle);

// The label's edge: black frame lines, outer border, coloured band, inner border.
struct LabelEdge {
    TSides frameSides = 0;
    TFrameStyle borderOuter = fsNone;
    TFrameStyle borderInner = fsNone;
    TSides borderSides = sdAll;
    int bevelWidth = 1;   // width of fsStatus and fsPopup borders
    int borderWidth = 0;  // the band
};

// Pixels the edge takes on the left, top, right and bottom.
TRect LabelEdgeInsets(const LabelEdge& edge);

struct LabelSizeInput {
    TSize text;  // the caption as measured
    LabelEdge edge;
    TRotation rotation = roNone;
    int angle = 0;  // 0..359
    TTextStyle textStyle = tsNormal;
    int shadowDepth = 2;
};
// The label's size with AutoSize: the caption grown by the edge and the shadow, turned for
// flat rotation, and one pixel wider.
TSize LabelAutoSize(const LabelSizeInput& in);

// Centre of flat-rotated text whose turned box is `extent`, inside `r`: at the left, centre
// or right edge by alignment and at the top, middle or bottom by layout.
TPoint FlatTextCenter(const TRect& r, TSize extent, TAlignment alignment, TTextLayout layout);
// Top-left corner of a w x h text turned by `angle` degrees about its centre `centre`.
TPoint RotatedTextOrigin(TPoint centre, int width, int height, int angle);

// The point arc text turns about, in a label of width x height with band width `border`.
TPoint LabelReferencePoint(TCenterPoint cp, int width, int height, int border);
// The two radii of the arc around that point.
TSize ArcRadii(TCenterPoint cp, int width, int height, int border);

// One character of arc text: the centre of its baseline and its escapement (tenths of a
// degree, counter-clockwise).
struct ArcGlyph {
    int x = 0;
    int y = 0;
    int escapement = 0;
    friend bool operator==(const ArcGlyph&, const ArcGlyph&) = default;
};
// `count` characters starting at `angle` degrees (0 is straight above the reference point),
// each one (wWidth + 2) pixels of the x radius further clockwise, `lineHeight` inside the
// radii. No radius above 0: no characters.
std::vector<ArcGlyph> ArcGlyphs(int count, int angle, TPoint reference, TSize radii,
                                int lineHeight, int wWidth);

}  // namespace pavik
