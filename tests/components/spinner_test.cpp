#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <climits>
#include <stdexcept>
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

    // Min = Max: no limits unless CheckRange.
    TPvSpinner free;
    free.setMax(0);
    free.setValue(12345);
    EXPECT_EQ(free.Value(), 12345);
    free.setCheckRange(true);
    free.setValue(7);
    EXPECT_EQ(free.Value(), 0);
    // Steps never overflow.
    free.setCheckRange(false);
    free.setValue(INT_MAX - 1);
    free.StepUp(10);
    EXPECT_EQ(free.Value(), INT_MAX);
}

TEST(TPvSpinner, KeysAndWheelStepByIncrementOrPage) {
    TPvSpinner s;
    s.setMin(-100);
    s.setMax(100);
    s.setIncrement(2);
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {Qt::Key_Up, Qt::NoModifier},   {Qt::Key_Right, Qt::NoModifier},   {Qt::Key_Plus, Qt::KeypadModifier},
        {Qt::Key_Down, Qt::NoModifier}, {Qt::Key_PageUp, Qt::NoModifier}, {Qt::Key_Minus, Qt::KeypadModifier},
        {Qt::Key_Plus, Qt::NoModifier},  // the main keyboard's "+" is no step
    };
    std::vector<int> values;
    for (auto [key, modifiers] : keys) {
        QTest::keyClick(&s, key, modifiers);
        values.push_back(s.Value());
    }
    EXPECT_EQ(values, (std::vector<int>{2, 4, 6, 4, 14, 12, 12}));
    QTest::keyClick(&s, Qt::Key_PageDown);
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Value(), 0);

    wheel(s, 120);
    EXPECT_EQ(s.Value(), 2);
    wheel(s, -120, Qt::ControlModifier);
    EXPECT_EQ(s.Value(), -8);
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
    s.setEnabled(true);

    // A click that throws stops the repeat and the error goes on.
    plus->OnClick = [](TPvRapidFireButton*) { throw std::runtime_error("no"); };
    QTest::mousePress(plus, Qt::LeftButton);
    EXPECT_THROW(t->advance(400), std::runtime_error);
    EXPECT_FALSE(plus->isRepeating());
}

TEST(TPvSpinner, PaintsValueBoxButtonAreasAndSigns) {
    TPvSpinner s;
    s.resize(80, 18);
    EXPECT_EQ(s.MinusButton()->geometry(), QRect(1, 1, 15, 16));
    EXPECT_EQ(s.PlusButton()->geometry(), QRect(64, 1, 15, 16));
    s.setButtonWidth(21);
    EXPECT_EQ(s.PlusButton()->geometry(), QRect(60, 1, 19, 16));

    const QPalette pal = test::distinctPalette();
    SpinnerLook look;
    look.text = QStringLiteral("-12");
    const QImage on = test::drawn(80, 18, [&](Canvas& c) { PaintSpinner(c, look); });
    EXPECT_EQ(on.pixelColor(16, 0), pal.color(QPalette::Dark));    // frame of the value box
    EXPECT_EQ(on.pixelColor(63, 17), pal.color(QPalette::Dark));   // frame of the plus area
    EXPECT_EQ(on.pixelColor(30, 2), pal.color(QPalette::Base));    // value box
    EXPECT_EQ(on.pixelColor(5, 5), pal.color(QPalette::Button));   // minus area
    int ink = 0;
    for (int x = 17; x < 63; ++x)
        for (int y = 1; y < 17; ++y) ink += on.pixelColor(x, y) == pal.color(QPalette::Text);
    EXPECT_GT(ink, 5);  // the value is drawn
    look.enabled = false;
    const QImage off = test::drawn(80, 18, [&](Canvas& c) { PaintSpinner(c, look); });
    EXPECT_EQ(off.pixelColor(30, 2), pal.color(QPalette::Button));

    // The signs: a bar across, and for plus one down as well; grey while disabled.
    const auto button = [](TSpinGlyph g, bool enabled) {
        return test::drawn(15, 16, [&](Canvas& c) { PaintSpinButton(c, {15, 16, g, true, false, false, enabled}); });
    };
    const QImage minusSign = button(TSpinGlyph::Minus, true);
    const QImage plusSign = button(TSpinGlyph::Plus, true);
    EXPECT_EQ(minusSign.pixelColor(7, 8), pal.color(QPalette::ButtonText));
    EXPECT_EQ(minusSign.pixelColor(7, 6), pal.color(QPalette::Button));
    EXPECT_EQ(plusSign.pixelColor(7, 6), pal.color(QPalette::ButtonText));
    EXPECT_EQ(button(TSpinGlyph::Plus, false).pixelColor(7, 6), pal.color(QPalette::Disabled, QPalette::Text));
}
