#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "components/pv_spinner.h"
#include "test_support.h"

using namespace pavik;

namespace {

void wheel(QWidget& w, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent e(QPointF(40, 9), QPointF(40, 9), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

}  // namespace

TEST(TPvSpinner, ValueKeepsToItsRangeAndAsksBeforeChanging) {
    TPvSpinner s;
    s.setMin(-500);
    s.setMax(500);
    std::vector<std::string> log;
    s.OnChanging = [&](TPvSpinner* sender, int v, bool& allow) {
        EXPECT_EQ(sender, &s);
        EXPECT_TRUE(allow);
        log.push_back("changing " + std::to_string(v));
        allow = v != 42;
    };
    s.OnChange = [&](TPvSpinner* sender) { log.push_back("change " + std::to_string(sender->Value())); };
    s.setValue(600);
    s.setValue(-501);
    s.setValue(-500);  // the value it has: nothing fires
    s.setValue(42);    // refused
    EXPECT_EQ(s.Value(), -500);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 500", "change 500", "changing -500", "change -500",
                                             "changing 42"}));

    // Max below Min takes Min down with it; the value stays.
    s.setMax(-600);
    EXPECT_EQ(s.Min(), -600);
    EXPECT_EQ(s.Value(), -500);

    // Min = Max: no limits (steps saturate) unless CheckRange.
    TPvSpinner free;
    free.setMax(0);
    free.setValue(INT_MAX - 1);
    free.StepUp(10);
    EXPECT_EQ(free.Value(), INT_MAX);
    free.setCheckRange(true);
    free.setValue(7);
    EXPECT_EQ(free.Value(), 0);
}

TEST(TPvSpinner, KeysAndWheelStepByIncrementOrPage) {
    TPvSpinner s;
    s.setMin(-100);
    s.setIncrement(2);
    QTest::keyClick(&s, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(&s, Qt::Key_PageUp);
    QTest::keyClick(&s, Qt::Key_Left);
    QTest::keyClick(&s, Qt::Key_Plus);  // the main keyboard's "+" is no step
    EXPECT_EQ(s.Value(), 10);
    wheel(s, -120, Qt::ControlModifier);
    wheel(s, -120);
    EXPECT_EQ(s.Value(), -2);
}

TEST(TPvSpinner, TheWheelStepsOncePerNotch) {
    // One notch; two in one event; small deltas adding up or not; a turn drops what was left.
    const std::pair<std::vector<int>, int> cases[] = {
        {{120}, 1}, {{240}, 2}, {{30, 30, 30, 30}, 1}, {{30, 30, 30}, 0}, {{90, -60, 90}, 0}, {{-360}, -3}};
    for (const auto& [deltas, value] : cases) {
        TPvSpinner s;
        s.setMin(-10);
        for (int delta : deltas) wheel(s, delta);
        EXPECT_EQ(s.Value(), value) << deltas.size();
    }
}

TEST(TPvRapidFireButton, HoldingRepeatsAfter400ThenEvery100MsAndReleaseClicksOnce) {
    test::ManualTimers timers;
    TPvSpinner s;
    s.setMin(-500);
    s.setMax(500);
    TPvRapidFireButton* plus = s.PlusButton();
    EXPECT_EQ(timers.count(), 0);  // made on the first press

    QTest::mousePress(plus, Qt::LeftButton);
    ASSERT_EQ(timers.count(), 1);
    ManualTimer* t = timers.last();
    EXPECT_EQ(t->interval(), 400);
    std::vector<int> values;  // every 50 ms up to 650 ms
    for (int ms = 50; ms <= 650; ms += 50) {
        t->advance(50);
        values.push_back(s.Value());
    }
    EXPECT_EQ(values, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(t->interval(), 100);
    QTest::mouseRelease(plus, Qt::LeftButton);  // over the button: one more click
    EXPECT_EQ(s.Value(), 4);
    EXPECT_FALSE(plus->isRepeating());

    // The minus button; released away from it, the release does not click.
    TPvRapidFireButton* minus = s.MinusButton();
    QTest::mousePress(minus, Qt::LeftButton);
    ASSERT_EQ(timers.count(), 2);
    timers.last()->advance(400);
    QTest::mouseRelease(minus, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(s.Value(), 3);

    // Disabling the spinner while a button is held ends the repeat.
    QTest::mousePress(plus, Qt::LeftButton);
    s.setEnabled(false);
    t->advance(1000);
    EXPECT_EQ(s.Value(), 3);
    EXPECT_FALSE(plus->isRepeating());
}

TEST(TPvSpinner, LaysOutItsButtonsAndPaintsTheirAreasAndSigns) {
    TPvSpinner s;
    s.resize(80, 18);
    EXPECT_EQ(s.MinusButton()->geometry(), QRect(1, 1, 15, 16));
    EXPECT_EQ(s.PlusButton()->geometry(), QRect(64, 1, 15, 16));

    const QPalette pal = test::distinctPalette();
    SpinnerLook look;
    look.enabled = false;
    const QImage face = test::drawn(80, 18, [&](Canvas& c) { PaintSpinner(c, look); });
    EXPECT_EQ(face.pixelColor(16, 0), pal.color(QPalette::Dark));   // frame of the value box
    EXPECT_EQ(face.pixelColor(5, 5), pal.color(QPalette::Button));  // minus area
    EXPECT_EQ(face.pixelColor(30, 2), pal.color(QPalette::Button)); // value box while disabled

    // The signs: a bar across, and for plus one down as well.
    const auto sign = [](TSpinGlyph g) {
        return test::drawn(15, 16, [&](Canvas& c) { PaintSpinButton(c, {15, 16, g, true, false, false, true, {}}); });
    };
    EXPECT_EQ(sign(TSpinGlyph::Minus).pixelColor(7, 6), pal.color(QPalette::Button));
    EXPECT_EQ(sign(TSpinGlyph::Plus).pixelColor(7, 6), pal.color(QPalette::ButtonText));
}

TEST(TPvSpinner, OwnGlyphsShowTheCellOfTheButtonsStateAndNoneRestoresTheSign) {
    // Two 7 x 7 cells on white (left out), a red and a blue dot in the middle.
    QImage strip(14, 7, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setPixelColor(3, 3, Qt::red);
    strip.setPixelColor(10, 3, Qt::blue);
    TPvSpinner s;
    s.setGlyphPlus(QPixmap::fromImage(strip));
    TPvRapidFireButton* plus = s.PlusButton();
    const QColor face = plus->palette().color(QPalette::Button);
    const auto at = [&](int x, int y) { return plus->grab().toImage().pixelColor(x, y); };
    EXPECT_EQ((std::array{at(7, 7), at(4, 4)}), (std::array{QColor(Qt::red), face}));  // the cell at (4, 4)
    s.setEnabled(false);
    EXPECT_EQ(at(7, 7), QColor(Qt::blue));
    s.setNumGlyphsPlus(1);  // the strip is one picture at (0, 4), greyed
    EXPECT_TRUE(at(10, 7) != QColor(Qt::blue) && at(10, 7) != face);
    s.setGlyphPlus(QPixmap());
    EXPECT_EQ(s.NumGlyphsPlus(), 2);
    EXPECT_EQ(at(7, 7), plus->palette().color(QPalette::ButtonText));  // the drawn sign again
}
