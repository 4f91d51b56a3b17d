#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "components/pv_progress_bar.h"
#include "test_support.h"

using namespace pavik;

namespace {

// Counts paint events of a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QImage grabbed(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::black);
    w.render(&img);
    return img;
}

}  // namespace

TEST(TPvProgressBar, PercentFiresAndRepaintsOnlyOnChange) {
    TPvProgressBar bar;
    EXPECT_EQ(bar.size(), QSize(200, 24));
    EXPECT_EQ(bar.Orientation(), orHorizontal);
    bar.show();
    QApplication::processEvents();
    PaintCounter counter;
    bar.installEventFilter(&counter);
    std::vector<int> changes;
    bar.OnChange = [&](TPvCustomProgressBar* sender, int percent) {
        EXPECT_EQ(sender, &bar);
        changes.push_back(percent);
    };
    bar.setPercent(40);
    EXPECT_EQ(counter.paints, 1);  // at once, without the event loop
    bar.setPercent(40);
    EXPECT_EQ(counter.paints, 1);
    bar.setPercent(0);
    EXPECT_EQ(changes, (std::vector<int>{40, 0}));
}

TEST(TPvProgressBar, PartsDrivePercent) {
    TPvProgressBar bar;
    bar.setPercent(12);
    bar.setPartsComplete(5);  // no total: clamped to 0, percent left alone
    EXPECT_EQ(bar.PartsComplete(), 0u);
    EXPECT_EQ(bar.Percent(), 12);
    bar.setTotalParts(3);
    EXPECT_EQ(bar.Percent(), 0);
    bar.setPartsComplete(1);
    EXPECT_EQ(bar.Percent(), 33);
    bar.setPartsComplete(2);
    EXPECT_EQ(bar.Percent(), 67);
    bar.setPartsComplete(9);
    EXPECT_EQ(bar.PartsComplete(), 3u);
    EXPECT_EQ(bar.Percent(), 100);
    bar.setTotalParts(8);  // a new total starts over
    EXPECT_EQ(bar.PartsComplete(), 0u);
    EXPECT_EQ(bar.Percent(), 0);
    bar.setPartsComplete(1);  // 12.5 rounds to even
    EXPECT_EQ(bar.Percent(), 12);
}

TEST(TPvProgressBar, StylesAndShape) {
    TPvProgressBar bar;
    bar.show();  // bounds reach a hidden widget only when it is shown
    bar.setBorderOuter(fsNone);
    bar.setBackColor(clWhite);
    bar.setBarColor(clRed);
    bar.setBarStyle(bsLED);
    EXPECT_FALSE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 1);
    bar.setPercent(100);
    QImage img = grabbed(bar);
    EXPECT_EQ(img.pixelColor(0, 12), QColor(Qt::white));  // the back-colour ring
    EXPECT_EQ(img.pixelColor(3, 12), QColor(Qt::red));
    bar.setBarStyle(bsTraditional);
    EXPECT_TRUE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 0);

    bar.setShowPercent(false);
    bar.setPercent(25);
    bar.resize(20, 100);
    EXPECT_EQ(bar.Orientation(), orVertical);
    img = grabbed(bar);
    EXPECT_EQ(img.pixelColor(10, 90), QColor(Qt::red));  // grows from the bottom
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::white));
    bar.resize(100, 20);
    EXPECT_EQ(bar.Orientation(), orHorizontal);
}
