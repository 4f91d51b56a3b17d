// The label with text effects: angles, automatic size with borders and rotation, arc text,
// fly-by colours, blinking and what it paints.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>

#include "components/draw_kit.h"
#include "components/label_geometry.h"
#include "components/pv_label.h"
#include "test_support.h"

using namespace pavik;

TEST(LabelGeometry, AnglesAreKeptAs0To359) {
    EXPECT_EQ(NormalizeAngle(450), 90);
    EXPECT_EQ(NormalizeAngle(-30), 330);
    EXPECT_EQ(NormalizeAngle(-400), 320);
    EXPECT_EQ(NormalizeAngle(360), 0);
}

TEST(LabelGeometry, TurnedBoxIsRightInEveryQuadrant) {
    // 100 x 20 turned by 30 degrees: cos 0.866, sin 0.5.
    const TSize at30{97, 67};       // 86.6 + 10, 50 + 17.3
    const TSize at120{67, 97};      // the second quadrant stands the other way round
    EXPECT_EQ(RotatedExtent(100, 20, 30), at30);
    EXPECT_EQ(RotatedExtent(100, 20, 120), at120);
    EXPECT_EQ(RotatedExtent(100, 20, 210), at30);
    EXPECT_EQ(RotatedExtent(100, 20, 300), at120);
    EXPECT_EQ(RotatedExtent(100, 20, 90), (TSize{20, 100}));
    EXPECT_EQ(RotatedExtent(100, 20, 270), (TSize{20, 100}));
    EXPECT_EQ(RotatedExtent(100, 20, 180), (TSize{100, 20}));
}

TEST(LabelGeometry, AutoSizeGrowsByTheEdgeAndTurnsForFlatRotation) {
    LabelSizeInput in;
    in.text = {40, 15};
    in.edge.borderOuter = fsRaised;
    in.edge.borderWidth = 3;
    EXPECT_EQ(LabelAutoSize(in), (TSize{40 + 10 + 1, 15 + 10}));
    in.edge.borderSides = sdLeft | sdTop;
    in.edge.frameSides = sdAll;
    EXPECT_EQ(LabelAutoSize(in), (TSize{40 + 5 + 2 + 1, 15 + 5 + 2}));

    in = {};
    in.text = {100, 20};
    in.textStyle = tsShadow;
    EXPECT_EQ(LabelAutoSize(in), (TSize{103, 22}));
    in.rotation = roFlat;
    in.angle = 120;
    in.shadowDepth = 4;  // half of it before turning
    const TSize turned = RotatedExtent(102, 22, 120);
    EXPECT_EQ(LabelAutoSize(in), (TSize{turned.width + 1, turned.height}));
    in.angle = 180;
    EXPECT_EQ(LabelAutoSize(in), (TSize{101, 20}));
}

TEST(LabelGeometry, ArcTextStartsAboveTheCentreAndRunsClockwise) {
    const TPoint ref = LabelReferencePoint(cpCenter, 200, 100, 0);
    const TSize radii = ArcRadii(cpCenter, 200, 100, 0);
    EXPECT_EQ(ref, (TPoint{100, 50}));
    EXPECT_EQ(radii, (TSize{100, 50}));
    const std::vector<ArcGlyph> g = ArcGlyphs(3, 0, ref, radii, 10, 8);
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0], (ArcGlyph{100, 10, 0}));  // straight above, upright
    EXPECT_GT(g[1].x, g[0].x);
    EXPECT_GT(g[2].y, g[0].y);
    EXPECT_EQ(g[1].escapement, -57);  // 0.1 rad clockwise
    EXPECT_EQ(LabelReferencePoint(cpLowerRight, 200, 100, 3), (TPoint{197, 97}));
    EXPECT_EQ(ArcRadii(cpUpperCenter, 200, 100, 3), (TSize{94, 94}));

    // A label too small for its band has no radius: nothing is placed.
    EXPECT_TRUE(ArcGlyphs(3, 0, ref, ArcRadii(cpCenter, 10, 10, 5), 10, 8).empty());
    EXPECT_TRUE(ArcGlyphs(3, 0, ref, {-4, 20}, 10, 8).empty());
}

TEST(RotateFont, KeepsFamilyHeightAndStyleAndTurnsByTenthsOfADegree) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setWeight(QFont::DemiBold);
    f.setItalic(true);
    f.setUnderline(true);
    const TRotatedFont r = RotateFont(f, 45);
    EXPECT_EQ(r.escapement, 450);
    EXPECT_EQ(r.font.family(), f.family());
    EXPECT_EQ(r.font.pixelSize(), 13);
    EXPECT_EQ(r.font.weight(), QFont::Bold);
    EXPECT_TRUE(r.font.italic());
    EXPECT_TRUE(r.font.underline());
    EXPECT_FALSE(r.font.strikeOut());
    f.setWeight(QFont::Light);
    EXPECT_EQ(RotateFont(f, -90).font.weight(), QFont::Normal);
    EXPECT_EQ(RotateFont(f, -90).escapement, -900);
}

namespace {

void hover(QWidget& w, bool enter) {
    if (enter) {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&w, &e);
    } else {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(&w, &e);
    }
}

// The box round every pixel of `colour`; empty when there is none.
QRect pixelsOf(const QImage& img, QColor colour) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

TPvLabel* styled(TPvLabel* l) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(16);
    l->setFont(f);
    l->setColor(clWhite);
    l->setFontColor(clBlack);
    return l;
}

}  // namespace

TEST(TPvLabel, AngleTurnsTheTextAndSizesTheLabel) {
    TPvLabel l;
    styled(&l);
    l.setCaption(QStringLiteral("Pavik"));
    const QSize straight = l.size();
    l.setAngle(450);
    EXPECT_EQ(l.Angle(), 90);
    EXPECT_EQ(l.Rotation(), roFlat);
    EXPECT_EQ(l.size(), QSize(straight.height() + 1, straight.width() - 1));
    l.setRotation(roNone);
    EXPECT_EQ(l.Angle(), 0);
    EXPECT_EQ(l.size(), straight);
}

TEST(TPvLabel, TurnedTextStaysInsideTheAutoSizedLabelInEveryQuadrant) {
    for (const int angle : {30, 120, 210, 300}) {
        TPvLabel l;
        styled(&l);
        l.setCaption(QStringLiteral("MMMMMM"));
        l.setAngle(angle);
        const QImage img = l.grab().toImage();
        const QRect ink = pixelsOf(img, Qt::black);
        ASSERT_FALSE(ink.isEmpty()) << angle;
        // Not cut at any edge, and filling most of the box.
        EXPECT_GT(ink.left(), 0) << angle;
        EXPECT_GT(ink.top(), 0) << angle;
        EXPECT_LT(ink.right(), img.width() - 1) << angle;
        EXPECT_LT(ink.bottom(), img.height() - 1) << angle;
        EXPECT_GT(ink.width(), img.width() * 6 / 10) << angle;
        EXPECT_GT(ink.height(), img.height() * 6 / 10) << angle;
    }
}

TEST(TPvLabel, ArcTextDrawsAlongTheArcAndNothingWithoutARadius) {
    TPvLabel l;
    styled(&l);
    l.setAutoSize(false);
    l.setRotation(roCurve);
    l.setAngle(60);
    l.setCaption(QStringLiteral("ABCDEFGH"));
    l.resize(160, 160);
    QRect ink = pixelsOf(l.grab().toImage(), Qt::black);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.top(), 60);  // round the upper half of the circle
    l.setBorderWidth(50);       // radii 80 - 100: none left
    ink = pixelsOf(l.grab().toImage(), Qt::black);
    EXPECT_TRUE(ink.isEmpty());
}

TEST(TPvLabel, DisabledCaptionIsEmbossedGrey) {
    TPvLabel l;
    styled(&l);
    l.setCaption(QStringLiteral("Pavik"));
    l.setTextStyle(tsRaised);
    l.setEnabled(false);
    const QImage img = l.grab().toImage();
    EXPECT_TRUE(pixelsOf(img, Qt::black).isEmpty());
    EXPECT_FALSE(pixelsOf(img, toQColor(clGrayText, l.palette())).isEmpty());
}

TEST(TPvLabel, FlyByRestoresOnlyAColourItSaved) {
    TPvLabel l;
    l.setFontColor(clBlack);
    l.setFlyByColor(clRed);
    l.setFlyByEnabled(true);
    hover(l, true);
    EXPECT_EQ(l.FontColor(), clRed);
    hover(l, false);
    EXPECT_EQ(l.FontColor(), clBlack);

    // Switched on while the mouse is already over it: leaving has nothing to restore.
    l.setFlyByEnabled(false);
    hover(l, true);
    l.setFlyByEnabled(true);
    l.setFontColor(clBlue);
    hover(l, false);
    EXPECT_EQ(l.FontColor(), clBlue);

    hover(l, true);
    l.setFlyByEnabled(false);  // switching off restores
    EXPECT_EQ(l.FontColor(), clBlue);
}

TEST(TPvLabel, BlinksInStepAndReturnsToItsColour) {
    test::ManualTimers timers;
    TPvLabel a, b;
    a.setFontColor(clBlack);
    a.setBlinkColor(clRed);
    a.setBlinking(true);
    a.setBlinkIntervalOn(200);
    EXPECT_EQ(b.BlinkIntervalOn(), 200);
    timers.last()->advance(500);  // off
    EXPECT_EQ(a.drawingColor(), clBlack);
    timers.last()->advance(500);  // on
    EXPECT_EQ(a.drawingColor(), clRed);
    EXPECT_EQ(b.drawingColor(), clWindowText);  // b does not blink
    a.setBlinking(false);
    EXPECT_EQ(a.drawingColor(), clBlack);
}
