#include <gtest/gtest.h>

#include <QFont>
#include <set>

#include "components/draw_kit.h"
#include "components/hls.h"
#include "test_support.h"

using namespace pavik;
using pavik::test::drawn;

namespace {

const QColor kBackground(1, 2, 3);

QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

// The colour a TColor has under the test palette.
QColor resolved(TColor c) { return toQColor(c, pavik::test::distinctPalette()); }

}  // namespace

TEST(DrawSides, LightThenDarkWithExclusiveEdges) {
    TRect result;
    const QImage img = drawn(8, 7, [&](Canvas& c) {
        result = DrawSides(c, {0, 0, 6, 5}, clRed, sdAll, clBlue);
    });
    EXPECT_EQ(result, (TRect{1, 1, 5, 4}));
    EXPECT_EQ(at(img, 0, 0), QColor(Qt::red));
    EXPECT_EQ(at(img, 0, 3), QColor(Qt::red));
    EXPECT_EQ(at(img, 4, 0), QColor(Qt::red));
    EXPECT_EQ(at(img, 5, 0), QColor(Qt::blue));  // dark sides are drawn last
    EXPECT_EQ(at(img, 0, 4), QColor(Qt::blue));
    EXPECT_EQ(at(img, 5, 4), QColor(Qt::blue));
    EXPECT_EQ(at(img, 6, 2), kBackground);  // nothing at the exclusive edge
    EXPECT_EQ(at(img, 2, 5), kBackground);
    EXPECT_EQ(at(img, 1, 1), kBackground);
}

TEST(DrawBorderSides, NoneAndSingleSides) {
    TRect result;
    QImage img = drawn(8, 6, [&](Canvas& c) { result = DrawBorderSides(c, {0, 0, 8, 6}, fsNone, sdAll); });
    EXPECT_EQ(result, (TRect{0, 0, 8, 6}));
    EXPECT_EQ(img.pixelColor(0, 0), kBackground);

    // An etched top line only: two rows, the open ends finished by single pixels.
    img = drawn(8, 6, [&](Canvas& c) { result = DrawBorderSides(c, {0, 0, 8, 6}, fsGroove, sdTop); });
    EXPECT_EQ(result, (TRect{0, 2, 8, 6}));
    const QColor l = resolved(clBtnShadow), d = resolved(clBtnHighlight);
    EXPECT_EQ(at(img, 0, 0), l);
    EXPECT_EQ(at(img, 7, 0), l);
    EXPECT_EQ(at(img, 0, 1), d);
    EXPECT_EQ(at(img, 7, 1), d);
    EXPECT_EQ(at(img, 0, 2), kBackground);
    EXPECT_EQ(at(img, 7, 5), kBackground);

    img = drawn(8, 6, [&](Canvas& c) { result = DrawBorderSides(c, {0, 0, 8, 6}, fsStatus, sdRight); });
    EXPECT_EQ(result, (TRect{0, 0, 7, 6}));
    EXPECT_EQ(at(img, 7, 3), d);
    EXPECT_EQ(at(img, 0, 3), kBackground);
}

TEST(DrawBorderSides, TwoRingStylesUseTheirColourTables) {
    struct Case {
        TFrameStyle style;
        TColor outerLight, outerDark, innerLight, innerDark;
    };
    const Case cases[] = {
        {fsRaised, cl3DLight, clBtnText, clBtnHighlight, clBtnShadow},
        {fsLowered, clBtnShadow, clBtnHighlight, clBtnText, cl3DLight},
        {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
        {fsButtonDown, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.style);
        TRect result;
        const QImage img = drawn(10, 10, [&](Canvas& c) { result = DrawBorder(c, {0, 0, 10, 10}, k.style); });
        EXPECT_EQ(result, (TRect{2, 2, 8, 8}));
        EXPECT_EQ(at(img, 0, 4), resolved(k.outerLight));
        EXPECT_EQ(at(img, 9, 4), resolved(k.outerDark));
        EXPECT_EQ(at(img, 1, 4), resolved(k.innerLight));
        EXPECT_EQ(at(img, 8, 4), resolved(k.innerDark));
        EXPECT_EQ(at(img, 2, 4), kBackground);
    }
}

TEST(DrawBevel, RepeatsInward) {
    TRect result;
    const QImage img = drawn(10, 10, [&](Canvas& c) {
        result = DrawBevel(c, {1, 1, 9, 9}, clRed, sdLeft | sdBottom, 3, clBlue);
    });
    EXPECT_EQ(result, (TRect{4, 1, 9, 6}));
    EXPECT_EQ(at(img, 3, 2), QColor(Qt::red));
    EXPECT_EQ(at(img, 5, 6), QColor(Qt::blue));
    EXPECT_EQ(at(img, 4, 2), kBackground);
}

TEST(LedBarGeometry, SegmentRules) {
    struct Case {
        int length, segments, size, total, margin;
    };
    const Case cases[] = {
        {60, 20, 6, 10, 0},   // short bar: ten segments
        {100, 15, 6, 16, 2},  // one extra segment fits
        {100, 20, 5, 20, 0},
        {80, 10, 8, 10, 0},
        {5, 10, 0, 10, 2},    // shorter than the count: empty segments
        {100, 0, 0, 0, 50},   // no segments: all margin, no division by 0
        {0, 20, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.length << "/" << k.segments);
        const LedGeometry g = LedBarGeometry(k.length, k.segments);
        EXPECT_EQ(g.size, k.size);
        EXPECT_EQ(g.total, k.total);
        EXPECT_EQ(g.margin, k.margin);
    }
    EXPECT_EQ(LedLitSegments(0, 16), 0);
    EXPECT_EQ(LedLitSegments(99, 10), 9);
    EXPECT_EQ(LedLitSegments(100, 16), 16);
    EXPECT_EQ(LedLitSegments(250, 16), 16);  // capped at 100 percent
}

TEST(DrawLEDBar, LitSegmentsFromTheStartOrTheBottom) {
    const QColor back(Qt::white), bar(Qt::red);
    const auto horizontal = [&](unsigned percent) {
        return drawn(60, 8, [&](Canvas& c) {
            DrawLEDBar(c, {0, 0, 60, 8}, orHorizontal, percent, 20, clWhite, clRed);
        });
    };
    QImage img = horizontal(0);
    for (int x = 0; x < 60; ++x) ASSERT_EQ(at(img, x, 3), back) << x;
    img = horizontal(100);
    EXPECT_EQ(at(img, 2, 3), bar);
    EXPECT_EQ(at(img, 5, 3), back);  // each segment is outlined in the back colour
    EXPECT_EQ(at(img, 6, 3), back);
    EXPECT_EQ(at(img, 57, 3), bar);
    EXPECT_EQ(at(img, 2, 0), back);
    img = horizontal(50);
    EXPECT_EQ(at(img, 27, 3), bar);   // segment 5
    EXPECT_EQ(at(img, 33, 3), back);  // segment 6
    img = horizontal(400);
    EXPECT_EQ(at(img, 57, 3), bar);

    img = drawn(8, 60, [&](Canvas& c) { DrawLEDBar(c, {0, 0, 8, 60}, orVertical, 10, 20, clWhite, clRed); });
    EXPECT_EQ(at(img, 3, 57), bar);
    EXPECT_EQ(at(img, 3, 50), back);
    EXPECT_EQ(at(img, 3, 2), back);

    img = drawn(60, 8, [&](Canvas& c) { DrawLEDBar(c, {0, 0, 60, 8}, orHorizontal, 100, 0, clWhite, clRed); });
    EXPECT_EQ(at(img, 30, 3), back);
}

TEST(DrawTraditionalBar, FillRoundsToEvenAndGrowsFromTheBottom) {
    EXPECT_EQ(TraditionalBarFill(50, 5), 2);
    EXPECT_EQ(TraditionalBarFill(50, 7), 4);
    EXPECT_EQ(TraditionalBarFill(37, 100), 37);
    EXPECT_EQ(TraditionalBarFill(100, 7), 7);
    EXPECT_EQ(TraditionalBarFill(120, 7), 7);

    QImage img = drawn(100, 10, [&](Canvas& c) {
        DrawTraditionalBar(c, {0, 0, 100, 10}, orHorizontal, false, 37, clWhite, clRed);
    });
    EXPECT_EQ(at(img, 36, 5), QColor(Qt::red));
    EXPECT_EQ(at(img, 37, 5), QColor(Qt::white));
    img = drawn(10, 100, [&](Canvas& c) {
        DrawTraditionalBar(c, {0, 0, 10, 100}, orVertical, false, 25, clWhite, clRed);
    });
    EXPECT_EQ(at(img, 5, 75), QColor(Qt::red));
    EXPECT_EQ(at(img, 5, 74), QColor(Qt::white));
}

TEST(DrawTraditionalBar, TextChangesColourWhereTheBarEnds) {
    const auto colours = [](const QImage& img, int from, int to) {
        std::set<QRgb> seen;
        for (int y = 0; y < img.height(); ++y)
            for (int x = from; x < to; ++x) seen.insert(img.pixel(x, y));
        return seen;
    };
    const auto bar = [](unsigned percent) {
        return drawn(100, 24, [&](Canvas& c) {
            QFont f = c.painter().font();
            f.setStyleStrategy(QFont::NoAntialias);
            c.painter().setFont(f);
            DrawTraditionalBar(c, {0, 0, 100, 24}, orHorizontal, true, percent, clWhite, clRed);
        });
    };
    const QRgb white = QColor(Qt::white).rgb(), red = QColor(Qt::red).rgb();
    // Full: one bar with the text once, in the back colour.
    QImage img = bar(100);
    EXPECT_EQ(colours(img, 0, 100), (std::set<QRgb>{white, red}));
    EXPECT_EQ(colours(img, 0, 30), std::set<QRgb>{red});
    // Half: the text is white over the bar and red over the rest.
    img = bar(50);
    EXPECT_EQ(colours(img, 0, 50), (std::set<QRgb>{white, red}));
    EXPECT_EQ(colours(img, 50, 100), (std::set<QRgb>{white, red}));
    EXPECT_EQ(colours(img, 0, 30), std::set<QRgb>{red});
    EXPECT_EQ(colours(img, 70, 100), std::set<QRgb>{white});
}

TEST(Hls, ConversionsAndShades) {
    EXPECT_EQ(ColorToHLS(0x0000FF), (HLS{0, 120, 240}));  // red
    EXPECT_EQ(ColorToHLS(0xFFFFFF), (HLS{0, 240, 0}));
    EXPECT_EQ(ColorToHLS(0x000000), (HLS{0, 0, 0}));
    EXPECT_EQ(ColorToHLS(0x00FF00), (HLS{80, 120, 240}));  // green
    EXPECT_EQ(ColorToHLS(0xFF0000), (HLS{160, 120, 240}));  // blue
    EXPECT_EQ(HLSToColor(0, 120, 240), 0x0000FFu);
    EXPECT_EQ(HLSToColor(0, 0, 0), 0u);
    EXPECT_EQ(HLSToColor(0, 240, 0), 0xFFFFFFu);
    for (std::uint32_t rgb : {0x336699u, 0x80C0FFu, 0x102030u, 0xC8D0D4u, 0x00A5FFu}) {
        const HLS h = ColorToHLS(rgb);
        const std::uint32_t back = HLSToColor(h.hue, h.lightness, h.saturation);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int((back >> shift) & 0xFF), int((rgb >> shift) & 0xFF), 4) << std::hex << rgb;
    }
    // Shades clamp the lightness instead of wrapping.
    EXPECT_EQ(ShadeColor(0xFFFFFF, 100), 0xFFFFFFu);
    EXPECT_EQ(ShadeColor(0x000000, -50), 0u);
    EXPECT_EQ(ShadeColor(0x0000FF, 120), 0xFFFFFFu);
    const HLS darker = ColorToHLS(ShadeColor(0x0000FF, -50));
    EXPECT_EQ(darker.hue, 0);
    EXPECT_NEAR(darker.lightness, 70, 1);
}

TEST(DrawColoredBorderSides, ShadesOfTheBaseColour) {
    const QImage img = drawn(10, 10, [&](Canvas& c) { DrawColoredBorderSides(c, {0, 0, 10, 10}, clRed, sdAll, fsLowered); });
    const auto rgbAt = [&](int x, int y) {
        const QColor q = img.pixelColor(x, y);
        return std::uint32_t(q.red()) | (q.green() << 8) | (q.blue() << 16);
    };
    EXPECT_EQ(rgbAt(0, 5), ShadeColor(0x0000FF, -50));
    EXPECT_EQ(rgbAt(9, 5), ShadeColor(0x0000FF, 100));
    EXPECT_EQ(rgbAt(1, 5), ShadeColor(0x0000FF, -100));
    EXPECT_EQ(rgbAt(8, 5), ShadeColor(0x0000FF, 50));
}
