#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>

#include "components/pv_progress_bar.h"
#include "components/pv_status.h"
#include "components/pv_status_bar.h"
#include "test_support.h"

using namespace pavik;

namespace {

class Bar : public TPvStatusBar {
public:
    int sizings = 0;
    using TPvStatusBar::TPvStatusBar;

protected:
    void startSizing() override { ++sizings; }
};

void press(QWidget* w, QPoint pos) {
    QMouseEvent e(QEvent::MouseButtonPress, pos, w->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget* w, QPoint pos) {
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(AlignLayout, PlacesByKindInChildOrder) {
    QWidget host;
    host.resize(200, 100);
    auto* layout = new AlignLayout(&host);
    QWidget top, bottom, left, right1, right2, client;
    top.resize(10, 10);
    bottom.resize(10, 20);
    left.resize(30, 5);
    right1.resize(40, 5);
    right2.resize(25, 5);
    layout->addWidget(&client, alClient);  // added first, placed last
    layout->addWidget(&right1, alRight);
    layout->addWidget(&left, alLeft);
    layout->addWidget(&bottom, alBottom);
    layout->addWidget(&right2, alRight);
    layout->addWidget(&top, alTop);
    host.show();  // a hidden child's size change reaches the layout only once shown
    EXPECT_EQ(top.geometry(), QRect(0, 0, 200, 10));
    EXPECT_EQ(bottom.geometry(), QRect(0, 80, 200, 20));
    EXPECT_EQ(left.geometry(), QRect(0, 10, 30, 70));
    EXPECT_EQ(right1.geometry(), QRect(160, 10, 40, 70));
    EXPECT_EQ(right2.geometry(), QRect(135, 10, 25, 70));
    EXPECT_EQ(client.geometry(), QRect(30, 10, 105, 70));
    // A child's own size change and hiding place the others again.
    right1.resize(60, 5);
    EXPECT_EQ(right2.geometry(), QRect(115, 10, 25, 70));
    right2.hide();
    EXPECT_EQ(client.geometry(), QRect(30, 10, 110, 70));
}

TEST(TPvStatusBar, MainWindowPanesAtTwoWidths) {
    Bar bar;
    bar.resize(600, 19);
    auto* resource = new TPvPollingStatus(&bar);
    auto* state = new TPvStatusPane(&bar);
    auto* progress = new TPvProgressBar(&bar);
    auto* message = new TPvStatusPane(&bar);
    progress->resize(100, 19);
    state->setAlignment(taCenter);
    bar.insertControl(resource, alRight);
    bar.insertControl(state, alRight);
    bar.insertControl(progress, alRight);
    bar.insertControl(message, alClient);
    // The panes start one pixel down and reach one pixel past the sides and the bottom.
    EXPECT_EQ(resource->geometry(), QRect(501, 1, 100, 19));
    EXPECT_EQ(state->geometry(), QRect(401, 1, 100, 19));
    EXPECT_EQ(progress->geometry(), QRect(301, 1, 100, 19));
    EXPECT_EQ(message->geometry(), QRect(-1, 1, 302, 19));
    bar.resize(400, 19);
    bar.show();
    EXPECT_EQ(resource->geometry(), QRect(301, 1, 100, 19));
    EXPECT_EQ(message->geometry(), QRect(-1, 1, 102, 19));
    // An auto-sized caption moves its neighbours.
    state->setAutoSize(true);
    state->setCaption(QStringLiteral("更新"));
    const int w = state->width();
    EXPECT_NE(w, 100);
    EXPECT_EQ(state->x(), 301 - w);
    EXPECT_EQ(progress->x() + progress->width(), 301 - w);
    EXPECT_EQ(message->width(), 102 + 100 - w);

    bar.setSimpleStatus(true);
    EXPECT_TRUE(message->isHidden());
    EXPECT_TRUE(resource->isHidden());
    bar.setSimpleStatus(false);
    EXPECT_FALSE(message->isHidden());
    EXPECT_EQ(message->width(), 102 + 100 - w);
}

TEST(TPvStatusBar, AutoStyleUntilTheEdgeIsChanged) {
    TPvStatusBar bar;
    EXPECT_TRUE(bar.AutoStyle());
    EXPECT_EQ(bar.BorderOuter(), fsNone);
    EXPECT_EQ(bar.height(), 19);
    bar.setBorderOuter(fsNone);
    EXPECT_TRUE(bar.AutoStyle());
    bar.setBorderWidth(2);
    EXPECT_TRUE(bar.AutoStyle());
    bar.setFrameSides(sdTop);
    EXPECT_FALSE(bar.AutoStyle());
    bar.resize(bar.width(), 30);
    bar.setAutoStyle(true);
    EXPECT_EQ(bar.FrameSides(), 0u);
    EXPECT_EQ(bar.BorderWidth(), 0);
    EXPECT_EQ(bar.height(), 19);
}

TEST(TPvStatusBar, SizeGripDrawnOverThePanesAndHonoured) {
    QWidget form;
    form.resize(400, 100);
    auto* bar = new Bar(&form);
    bar->resize(300, 19);
    auto* pane = new TPvStatusPane(bar);
    bar->insertControl(pane, alClient);
    form.show();
    const auto highlightAtGrip = [&] {
        const QImage img = bar->grab().toImage();
        const QRgb light = toQColor(clBtnHighlight, bar->palette()).rgb();
        // The first light diagonal starts at (width - 13, height - 2), a dark one beside it.
        return img.pixel(300 - 13, 19 - 2) == light && img.pixel(300 - 12, 19 - 2) != light &&
               img.pixel(300 - 2, 19 - 13) == light;
    };
    EXPECT_TRUE(highlightAtGrip());

    press(bar, QPoint(295, 10));
    EXPECT_EQ(bar->sizings, 1);
    press(bar, QPoint(280, 10));
    EXPECT_EQ(bar->sizings, 1);
    move(bar, QPoint(295, 10));
    EXPECT_EQ(bar->cursor().shape(), Qt::SizeFDiagCursor);
    move(bar, QPoint(100, 10));
    EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);

    // The form maximized: no grip and no sizing cursor, but a press still starts sizing.
    form.setWindowState(Qt::WindowMaximized);
    EXPECT_FALSE(highlightAtGrip());
    move(bar, QPoint(295, 10));
    EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
    press(bar, QPoint(295, 10));
    EXPECT_EQ(bar->sizings, 2);

    form.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(highlightAtGrip());
    bar->setShowSizeGrip(false);
    EXPECT_FALSE(highlightAtGrip());
    press(bar, QPoint(295, 10));
    EXPECT_EQ(bar->sizings, 2);
}

TEST(TPvStatusBar, AutoScalePanes) {
    TPvStatusBar bar;
    bar.setAutoScalePanes(true);
    auto* a = new TPvStatusPane(&bar);
    auto* b = new TPvStatusPane(&bar);
    a->resize(100, 19);
    b->resize(300, 19);
    bar.insertControl(a, alLeft);
    bar.insertControl(b, alLeft);
    bar.resize(400, 19);
    bar.show();  // the first resize only records the width
    EXPECT_EQ(a->width(), 100);
    EXPECT_EQ(b->width(), 300);
    bar.resize(440, 19);
    EXPECT_EQ(a->width(), 110);
    EXPECT_EQ(b->width(), 330);
    EXPECT_EQ(b->x(), 109);

    // From a width of 0 there are no proportions: nothing changes.
    QWidget form;
    auto* zero = new TPvStatusBar(&form);
    zero->setAutoScalePanes(true);
    auto* c = new TPvStatusPane(zero);
    c->resize(50, 19);
    zero->insertControl(c, alLeft);
    zero->resize(0, 19);
    form.show();
    zero->resize(200, 19);
    EXPECT_EQ(c->width(), 50);
}

TEST(TPvCustomPanel, EdgeAndRepaint) {
    TPvCustomPanel panel;
    panel.resize(100, 50);
    EXPECT_EQ(panel.alignRect(), (TRect{2, 2, 98, 48}));
    panel.setFrameSides(sdTop);
    panel.setBorderInner(fsStatus);
    panel.setBevelWidth(2);
    panel.setBorderWidth(3);
    EXPECT_EQ(panel.alignRect(), (TRect{7, 8, 93, 43}));

    // Disabling the panel disables every child.
    auto* child = new QWidget(&panel);
    panel.setEnabled(false);
    EXPECT_TRUE(child->testAttribute(Qt::WA_ForceDisabled));
    panel.setEnabled(true);
    EXPECT_TRUE(child->isEnabled());

    // Without full repaint a narrower panel repaints only the strip at its new right edge.
    struct Recorder : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } recorder;
    QWidget form;
    form.resize(300, 100);
    auto* quiet = new TPvCustomPanel(&form);
    quiet->setFullRepaint(false);
    quiet->resize(200, 40);
    form.show();
    QApplication::processEvents();
    quiet->installEventFilter(&recorder);
    quiet->resize(190, 40);
    QApplication::processEvents();
    EXPECT_EQ(recorder.region, QRegion(QRect(187, 0, 3, 40)));
}
