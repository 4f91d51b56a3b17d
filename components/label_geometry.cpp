#include "components/label_geometry.h"

#include <cmath>
#include <numbers>

namespace pavik {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

int round(double v) { return static_cast<int>(std::lrint(v)); }

int styleWidth(TFrameStyle style, int bevelWidth) {
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
    }
}

}  // namespace

int NormalizeAngle(int degrees) {
    const int r = degrees % 360;
    return r < 0 ? r + 360 : r;
}

TSize RotatedExtent(int width, int height, int angle) {
    const double a = NormalizeAngle(angle) * kRadPerDeg;
    const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    return {round(c * width + s * height), round(s * width + c * height)};
}

TRect LabelEdgeInsets(const LabelEdge& edge) {
    TRect in;
    const auto add = [&](TSides sides, int d) {
        if (sides & sdLeft) in.left += d;
        if (sides & sdTop) in.top += d;
        if (sides & sdRight) in.right += d;
        if (sides & sdBottom) in.bottom += d;
    };
    add(edge.frameSides, 1);
    add(edge.borderSides, styleWidth(edge.borderOuter, edge.bevelWidth));
    add(edge.borderSides, styleWidth(edge.borderInner, edge.bevelWidth));
    add(edge.borderSides, edge.borderWidth);
    return in;
}

TSize LabelAutoSize(const LabelSizeInput& in) {
    const TRect edge = LabelEdgeInsets(in.edge);
    int w = in.text.width + edge.left + edge.right;
    int h = in.text.height + edge.top + edge.bottom;
    if (in.rotation == roNone && in.textStyle == tsShadow) {
        w += in.shadowDepth;
        h += in.shadowDepth;
    }
    if (in.rotation == roFlat && in.angle != 0 && in.angle != 180) {
        if (in.textStyle == tsShadow) {
            w += in.shadowDepth / 2;
            h += in.shadowDepth / 2;
        }
        const TSize turned = RotatedExtent(w, h, in.angle);
        w = turned.width;
        h = turned.height;
    }
    return {w + 1, h};
}

TPoint FlatTextCenter(const TRect& r, TSize extent, TAlignment alignment, TTextLayout layout) {
    TPoint p{r.left + r.width() / 2, r.top + r.height() / 2};
    if (alignment == taLeftJustify) p.x = r.left + extent.width / 2;
    else if (alignment == taRightJustify) p.x = r.right - (extent.width + 1) / 2;
    if (layout == tlTop) p.y = r.top + extent.height / 2;
    else if (layout == tlBottom) p.y = r.bottom - (extent.height + 1) / 2;
    return p;
}

TPoint RotatedTextOrigin(TPoint centre, int width, int height, int angle) {
    // Counter-clockwise on the screen, whose y axis points down.
    const double a = NormalizeAngle(angle) * kRadPerDeg;
    const double c = std::cos(a), s = std::sin(a);
    const double dx = -width / 2.0, dy = -height / 2.0;
    return {centre.x + round(dx * c + dy * s), centre.y + round(-dx * s + dy * c)};
}

TPoint LabelReferencePoint(TCenterPoint cp, int w, int h, int b) {
    switch (cp) {
    case cpUpperLeft: return {b, b};
    case cpUpperCenter: return {w / 2, b};
    case cpUpperRight: return {w - b, b};
    case cpLeftCenter: return {b, h / 2};
    case cpCenter: return {w / 2, h / 2};
    case cpRightCenter: return {w - b, h / 2};
    case cpLowerLeft: return {b, h - b};
    case cpLowerCenter: return {w / 2, h - b};
    case cpLowerRight: return {w - b, h - b};
    }
    return {w / 2, h / 2};
}

TSize ArcRadii(TCenterPoint cp, int w, int h, int b) {
    switch (cp) {
    case cpUpperCenter:
    case cpLowerCenter: return {w / 2 - 2 * b, h - 2 * b};
    case cpLeftCenter:
    case cpRightCenter: return {w - 2 * b, h / 2 - 2 * b};
    case cpCenter: return {w / 2 - 2 * b, h / 2 - 2 * b};
    default: return {w - 2 * b, h - 2 * b};
    }
}

std::vector<ArcGlyph> ArcGlyphs(int count, int angle, TPoint reference, TSize radii,
                                int lineHeight, int wWidth) {
    std::vector<ArcGlyph> glyphs;
    if (radii.width <= 0 || radii.height <= 0) return glyphs;
    double a = angle * kRadPerDeg;
    const double step = (wWidth + 2) / static_cast<double>(radii.width);
    for (int i = 0; i < count; ++i) {
        glyphs.push_back({reference.x - round(std::sin(a) * (radii.width - lineHeight)),
                          reference.y - round(std::cos(a) * (radii.height - lineHeight)),
                          round(a * 1800 / std::numbers::pi)});
        a -= step;
    }
    return glyphs;
}

}  // namespace pavik
