#include <gtest/gtest.h>

#include "components/a_led.h"
#include "test_support.h"

using namespace pavik;

namespace {

QColor centre(const QImage& img) { return img.pixelColor(img.width() / 2, img.height() / 2); }

}  // namespace

TEST(LampPicture, FaceIsRecolouredOnlyWhereConnected) {
    for (TLEDStyle s : {LEDSmall, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal}) {
        QImage img = LampPicture(s);
        ASSERT_EQ(centre(img), QColor(0, 255, 0)) << s;
        FloodFill(img, QPoint(img.width() / 2, img.height() / 2), QColor(Qt::red));
        int lime = 0, red = 0, white = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                lime += c == QColor(0, 255, 0);
                red += c == QColor(Qt::red);
                white += c == QColor(Qt::white);
            }
        EXPECT_EQ(lime, 0) << s;
        EXPECT_GT(red, 30) << s;
        EXPECT_GT(white, 0) << s;  // the glint keeps its colour
    }
    // Filling lime with lime ends at once.
    QImage img = LampPicture(LEDSmall);
    const QImage before = img;
    FloodFill(img, QPoint(8, 8), QColor(0, 255, 0));
    EXPECT_EQ(img, before);
}

TEST(TALed, NewLampAndStyles) {
    test::ManualTimers timers;
    TALed led;
    EXPECT_FALSE(led.Value());
    EXPECT_TRUE(led.Blink());
    EXPECT_EQ(led.TrueColor(), clLime);
    EXPECT_EQ(led.FalseColor(), clSilver);
    EXPECT_EQ(led.Interval(), 1000);
    EXPECT_EQ(led.size(), QSize(16, 16));
    EXPECT_FALSE(led.showsLit());
    EXPECT_FALSE(led.isBlinking());
    EXPECT_EQ(centre(led.litPicture()), QColor(0, 255, 0));
    EXPECT_EQ(centre(led.unlitPicture()), QColor(0xC0, 0xC0, 0xC0));
    led.setLEDStyle(LEDVertical);
    EXPECT_EQ(led.size(), QSize(14, 22));
    led.setLEDStyle(LEDHorizontal);
    EXPECT_EQ(led.size(), QSize(22, 14));
    led.setLEDStyle(LEDLarge);
    EXPECT_EQ(led.size(), QSize(22, 22));
    EXPECT_EQ(timers.count(), 0);
}

TEST(TALed, BlinksWhileLitOnItsOwnTimer) {
    test::ManualTimers timers;
    TALed led;
    int ticks = 0;
    led.OnTimer = [&](TALed* sender) {
        EXPECT_EQ(sender, &led);
        ++ticks;
    };
    led.setValue(true);
    ASSERT_EQ(timers.count(), 1);
    ManualTimer* t = timers.last();
    EXPECT_TRUE(led.showsLit());  // lit first
    EXPECT_EQ(t->interval(), 1000);
    t->advance(1000);
    EXPECT_FALSE(led.showsLit());
    t->advance(1000);
    EXPECT_TRUE(led.showsLit());
    EXPECT_EQ(ticks, 2);
    led.setInterval(250);
    EXPECT_EQ(t->interval(), 250);

    // Same values change nothing: no new timer.
    led.setValue(true);
    led.setBlink(true);
    led.setTrueColor(clLime);
    EXPECT_EQ(timers.count(), 1);

    // A new colour keeps it blinking, in that colour.
    led.setTrueColor(clRed);
    EXPECT_TRUE(led.isBlinking());
    EXPECT_EQ(centre(led.litPicture()), QColor(Qt::red));
    EXPECT_EQ(timers.last()->interval(), 250);

    led.setBlink(false);
    EXPECT_FALSE(led.isBlinking());
    EXPECT_TRUE(led.showsLit());
    led.setBlink(true);
    led.setValue(false);
    EXPECT_FALSE(led.isBlinking());
    EXPECT_FALSE(led.showsLit());
}

TEST(TALed, SupportLevels) {
    test::ManualTimers timers;
    TALed led;
    led.setLEDStyle(LEDSqSmall);
    led.setBlink(false);
    struct Case {
        int level;
        bool lit;
        bool blinking;
        QColor face;
    };
    const Case cases[] = {
        {0, true, true, QColor(Qt::red)},
        {1, true, false, QColor(0, 0x80, 0)},
        {2, true, false, QColor(Qt::yellow)},
        {3, false, false, QColor(0xC0, 0xC0, 0xC0)},
        {0, true, true, QColor(Qt::red)},
        {-1, false, false, QColor(0xC0, 0xC0, 0xC0)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.level);
        ShowSupportLevel(led, k.level);
        EXPECT_EQ(led.Value(), k.lit);
        EXPECT_EQ(led.isBlinking(), k.blinking);
        EXPECT_TRUE(led.showsLit() == k.lit);
        EXPECT_EQ(centre(k.lit ? led.litPicture() : led.unlitPicture()), k.face);
    }
}
