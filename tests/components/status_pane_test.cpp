#include <gtest/gtest.h>

#include <QFontMetrics>
#include <vector>

#include "components/pv_status.h"
#include "components/resource_status.h"
#include "test_support.h"

using namespace pavik;

namespace {

struct FakeMemory : MemoryStatusSource {
    MemoryStatus status;
    MemoryStatus read() override { return status; }
};

constexpr std::uint64_t kMiB = 1024 * 1024;

}  // namespace

TEST(TPvStatusPane, AutoSizeFollowsTheCaption) {
    TPvStatusPane pane;
    EXPECT_EQ(pane.size(), QSize(100, 20));
    pane.setAutoSize(true);
    EXPECT_EQ(pane.width(), 40);  // empty caption: DefaultWidth
    pane.setCaption(QStringLiteral("変更されています"));
    const int text = QFontMetrics(pane.font()).size(Qt::TextExpandTabs, pane.Caption()).width();
    EXPECT_EQ(pane.width(), 2 * 1 + text + 2 + 6);
    pane.setCaptionOffset(5);
    EXPECT_EQ(pane.width(), 2 + text + 5 + 6);
    pane.setCaption(QString());
    pane.setDefaultWidth(55);
    EXPECT_EQ(pane.width(), 55);
}

TEST(TPvStatusPane, FrameAndCaptionPixels) {
    TPvStatusPane pane;
    pane.resize(60, 20);
    const QImage img = pane.grab().toImage();
    const auto rgb = [&](TColor c) { return toQColor(c, pane.palette()).rgb(); };
    EXPECT_EQ(img.pixel(0, 0), rgb(clBtnFace));  // the border margin
    EXPECT_EQ(img.pixel(1, 5), rgb(clBtnShadow));
    EXPECT_EQ(img.pixel(58, 5), rgb(clBtnHighlight));
    EXPECT_EQ(img.pixel(30, 18), rgb(clBtnHighlight));
    EXPECT_EQ(img.pixel(30, 10), rgb(clBtnFace));
}

TEST(TPvStatusPane, BlinksInStepWithTheSharedList) {
    test::ManualTimers timers;
    TPvStatusPane a, b;
    ASSERT_EQ(timers.count(), 1);
    a.setFontColor(clBlack);
    a.setBlinkColor(clRed);
    a.setBlinking(true);
    a.setBlinkIntervalOff(200);
    EXPECT_EQ(b.BlinkIntervalOff(), 200);
    ManualTimer* t = timers.last();
    t->advance(500);  // "off"
    EXPECT_EQ(a.captionColor(), clBlack);
    t->advance(200);  // "on"
    EXPECT_EQ(a.captionColor(), clRed);
    EXPECT_EQ(b.captionColor(), b.FontColor());  // not blinking
    a.setBlinking(false);
    EXPECT_EQ(a.captionColor(), clBlack);
}

TEST(TPvPollingStatus, OneSharedTimer) {
    test::ManualTimers timers;
    std::vector<int> calls;
    {
        TPvPollingStatus first, second;
        first.OnTimerExpired = [&](TPvPollingStatus*) { calls.push_back(1); };
        second.OnTimerExpired = [&](TPvPollingStatus*) { calls.push_back(2); };
        ManualTimer* t = timers.last();  // blink list first, then the polling list
        ASSERT_EQ(timers.count(), 2);
        EXPECT_EQ(first.Interval(), 500);
        EXPECT_TRUE(second.Active());
        second.setInterval(1000);
        EXPECT_EQ(first.Interval(), 1000);
        t->advance(999);
        EXPECT_TRUE(calls.empty());
        t->advance(1);
        EXPECT_EQ(calls, (std::vector<int>{1, 2}));
        first.setActive(false);
        EXPECT_FALSE(second.Active());
        t->advance(5000);
        EXPECT_EQ(calls.size(), 2u);
        EXPECT_EQ(TPvPollingList::instance()->count(), 2);
    }
    EXPECT_EQ(TPvPollingList::instance(), nullptr);
}

TEST(TPvResourceStatus, MemoryPercentHintAndText) {
    test::ManualTimers timers;
    auto memory = std::make_shared<FakeMemory>();
    memory->status = {1024 * kMiB, 4096 * kMiB};
    TPvResourceStatus meter;
    meter.setMemorySource(memory);
    int fired = 0;
    meter.OnTimerExpired = [&](TPvPollingStatus*) { ++fired; };
    EXPECT_EQ(meter.percentage(), 0);
    meter.setResourceType(rtMemory);  // measures at once
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(meter.percentage(), 25);
    EXPECT_EQ(meter.freeAmount(), 1048576u);
    EXPECT_EQ(meter.toolTip(), QStringLiteral("Memory: 25%"));

    // The same percentage leaves the hint alone but still fires.
    meter.setToolTip(QStringLiteral("x"));
    memory->status.availableBytes = 1025 * kMiB;
    timers.last()->advance(500);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(meter.toolTip(), QStringLiteral("x"));

    memory->status.availableBytes = 1030 * kMiB;  // 25.146 %
    meter.ResourceStrings().setMemory(QStringLiteral("メモリ"));
    EXPECT_EQ(meter.toolTip(), QStringLiteral("メモリ: 25%"));
    memory->status = {3 * kMiB, 8 * kMiB};  // 37.5 % rounds to even
    meter.timerExpired();
    EXPECT_EQ(meter.percentage(), 38);
    memory->status = {5 * kMiB, 8 * kMiB};  // 62.5 %
    meter.timerExpired();
    EXPECT_EQ(meter.percentage(), 62);

    // No total: nothing free, no division by 0.
    memory->status = {5 * kMiB, 0};
    meter.timerExpired();
    EXPECT_EQ(meter.percentage(), 0);
    EXPECT_EQ(meter.toolTip(), QStringLiteral("メモリ: 0%"));

    meter.setResourceType(rtGDI);
    EXPECT_EQ(meter.percentage(), 0);
    EXPECT_EQ(meter.freeAmount(), 0u);
}

TEST(TPvResourceStatus, StylesAndFormatting) {
    TPvResourceStatus meter;
    meter.setShowPercent(true);
    meter.setBarStyle(bsLED);
    EXPECT_FALSE(meter.ShowPercent());
    EXPECT_EQ(meter.NumSegments(), 15);

    EXPECT_EQ(FormatThousands(0), QStringLiteral("0"));
    EXPECT_EQ(FormatThousands(999), QStringLiteral("999"));
    EXPECT_EQ(FormatThousands(1000), QStringLiteral("1,000"));
    EXPECT_EQ(FormatThousands(1048576), QStringLiteral("1,048,576"));

    const MemoryStatus m = ParseMeminfo(
        "MemTotal:       16315856 kB\nMemFree:         1000000 kB\nMemAvailable:    8157928 kB\n"
        "SwapTotal:             0 kB");
    EXPECT_EQ(m.totalBytes, 16315856ull * 1024);
    EXPECT_EQ(m.availableBytes, 8157928ull * 1024);
    EXPECT_EQ(ParseMeminfo("MemTotalX: 5 kB\nbroken").totalBytes, 0u);
    EXPECT_GT(systemMemoryStatus()->read().totalBytes, 0u);
}
