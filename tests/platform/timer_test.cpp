#include <gtest/gtest.h>

#include "platform/timer.h"

using namespace pavik;

TEST(ManualTimer, TicksPerFullIntervalOnlyWhileEnabled) {
    ManualTimer t;
    int ticks = 0;
    t.OnTimer = [&] { ++ticks; };
    t.setInterval(500);
    t.advance(1000);
    EXPECT_EQ(ticks, 0);  // disabled
    t.setEnabled(true);
    t.advance(499);
    EXPECT_EQ(ticks, 0);
    t.advance(1);
    EXPECT_EQ(ticks, 1);
    t.advance(1250);
    EXPECT_EQ(ticks, 3);
    t.setInterval(0);  // interval 0 never ticks
    t.advance(10000);
    t.fire();
    EXPECT_EQ(ticks, 3);
}

TEST(ManualTimer, TickMayDisableItself) {
    ManualTimer t;
    int ticks = 0;
    t.OnTimer = [&] { if (++ticks == 2) t.setEnabled(false); };
    t.setInterval(100);
    t.setEnabled(true);
    t.advance(1000);
    EXPECT_EQ(ticks, 2);
}

TEST(TimerFactory, InstalledFactoryIsUsedAndCanBeRemoved) {
    ManualTimer* made = nullptr;
    TimerFactory old = setTimerFactory([&] {
        auto t = std::make_unique<ManualTimer>();
        made = t.get();
        return t;
    });
    auto t = makeTimer();
    EXPECT_EQ(t.get(), made);
    setTimerFactory(old);
    made = nullptr;
    auto q = makeTimer();
    EXPECT_EQ(made, nullptr);
    EXPECT_FALSE(q->enabled());
}
