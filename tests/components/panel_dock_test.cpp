#include <gtest/gtest.h>

#include <QTest>
#include <climits>
#include <memory>

#include "components/pv_panel.h"
#include "components/pv_panel_dock.h"

using namespace pavik;

TEST(DockZones, ZonesShareTheAreaAndGiveTheirGrabberBandToTheTopOrLeft) {
    const std::vector<DockZone> stacked = DockZonesIn({0, 0, 100, 60}, 2, false, 13);
    ASSERT_EQ(stacked.size(), 2u);
    EXPECT_EQ(stacked[0].zone, (TRect{0, 0, 100, 30}));
    EXPECT_EQ(stacked[0].band, (TRect{0, 0, 100, 13}));
    EXPECT_EQ(stacked[0].dock, (TRect{0, 13, 100, 30}));
    EXPECT_EQ(stacked[0].close, (TRect{86, 1, 99, 12}));
    EXPECT_EQ(stacked[1].dock, (TRect{0, 43, 100, 60}));

    const std::vector<DockZone> side = DockZonesIn({2, 2, 101, 40}, 3, true, 13);
    EXPECT_EQ(side[0].zone, (TRect{2, 2, 35, 40}));
    EXPECT_EQ(side[0].band, (TRect{2, 2, 15, 40}));
    EXPECT_EQ(side[0].dock, (TRect{15, 2, 35, 40}));
    EXPECT_EQ(side[0].close, (TRect{3, 3, 14, 15}));
    EXPECT_EQ(side[2].zone, (TRect{68, 2, 101, 40}));
}

namespace {

// Pixels inside r that are not `color`.
int countOther(const QImage& image, const QRect& r, const QColor& color) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) != color.rgb();
    return n;
}

TPvCustomPanel* dockSite(QWidget* parent) {
    auto* panel = new TPvCustomPanel(parent);
    panel->setBorderOuter(fsNone);
    panel->setDockSite(true);
    return panel;
}

QWidget* docked(TPvCustomPanel* site, const QString& title) {
    auto* w = new QWidget;
    w->setWindowTitle(title);
    site->DockManager()->InsertControl(w);
    return w;
}

}  // namespace

TEST(TPvPanelDockManager, PaintsCaptionColouredGrabbersWithTheCaptionAndACloseButton) {
    // A free panel: the grabber runs along the top.
    auto site = std::unique_ptr<TPvCustomPanel>(dockSite(nullptr));
    site->resize(120, 80);
    QWidget* tools = docked(site.get(), "Tools");
    EXPECT_EQ(tools->geometry(), QRect(0, 13, 120, 67));
    const QPalette& pal = site->palette();
    QImage image = site->grab().toImage();
    const QColor caption = toQColor(clActiveCaption, pal);
    EXPECT_GT(countOther(image, QRect(2, 0, 40, 13), caption), 10);  // "Tools"
    EXPECT_EQ(countOther(image, QRect(50, 0, 55, 13), caption), 0);
    // The close button: a raised face with a cross at (106, 1)-(119, 12).
    EXPECT_EQ(image.pixel(106, 1), toQColor(clBtnHighlight, pal).rgb());
    EXPECT_EQ(image.pixel(118, 11), toQColor(cl3DDkShadow, pal).rgb());
    EXPECT_GT(countOther(image, QRect(108, 3, 9, 8), toQColor(clBtnFace, pal)), 6);

    // A panel along the top of its parent: the grabber runs down the left, caption turned.
    TPvCustomPanel parent;
    parent.resize(300, 200);
    auto* top = dockSite(nullptr);
    parent.insertControl(top, alTop);
    top->resize(300, 90);
    QWidget* a = docked(top, "Styles");
    EXPECT_EQ(top->Align(), alTop);
    EXPECT_EQ(a->geometry().left(), 13);
    image = top->grab().toImage();
    EXPECT_EQ(image.pixel(6, 20), caption.rgb());
    EXPECT_GT(countOther(image, QRect(0, 14, 13, 76), caption), 10);  // "Styles", turned
    EXPECT_EQ(image.pixel(1, 1), toQColor(clBtnHighlight, pal).rgb());

    // Without its own grabbers the panel gives the band the style's title bar size.
    top->setPaintDockGrabbers(false);
    EXPECT_GE(top->DockManager()->grabberSize(), TPvPanelDockManager::GrabberSize);
    EXPECT_EQ(a->geometry().left(), top->DockManager()->grabberSize());
    EXPECT_NE(top->grab().toImage().pixel(6, 20), caption.rgb());
}

// The caption's ink, Japanese or not, lies whole inside its band, along the top or turned
// down the left: rows (or columns) across the band from its first to its last ink pixel.
TEST(TPvPanelDockManager, TheWholeCaptionFitsItsBand) {
    for (const bool turned : {false, true}) {
        for (const QString& title : {QStringLiteral("スタイル"), QStringLiteral("gÅy")}) {
            TPvCustomPanel parent;
            parent.resize(300, 200);
            auto* site = dockSite(nullptr);
            parent.insertControl(site, turned ? alTop : alClient);
            site->resize(300, 120);
            docked(site, title);
            const int band = site->DockManager()->grabberSize();
            const QImage image = site->grab().toImage();
            const QRect text = turned ? QRect(0, band + 1, band, 119 - band) : QRect(0, 0, 298 - band, band);
            int low = INT_MAX, high = INT_MIN;
            for (int y = text.top(); y <= text.bottom(); ++y)
                for (int x = text.left(); x <= text.right(); ++x)
                    if (image.pixel(x, y) != toQColor(clActiveCaption, site->palette()).rgb()) {
                        low = std::min(low, turned ? x : y);
                        high = std::max(high, turned ? x : y);
                    }
            const int ink = QFontMetrics(QFont(QStringLiteral("Verdana"), 8)).tightBoundingRect(title).height();
            EXPECT_GT(low, 0) << qPrintable(title) << turned;
            EXPECT_LT(high, band - 1) << qPrintable(title) << turned;
            EXPECT_GE(high - low + 2, ink) << qPrintable(title) << turned;
        }
    }
}

TEST(TPvPanelDockManager, TheCloseButtonHidesItsControlAndTheOthersCloseUp) {
    auto site = std::unique_ptr<TPvCustomPanel>(dockSite(nullptr));
    site->resize(100, 100);
    site->show();
    QWidget* first = docked(site.get(), "one");
    QWidget* second = docked(site.get(), "two");
    EXPECT_EQ(second->geometry(), QRect(0, 63, 100, 37));

    // Pressed on the button but released beside it: nothing.
    QTest::mousePress(site.get(), Qt::LeftButton, {}, QPoint(92, 6));
    QTest::mouseRelease(site.get(), Qt::LeftButton, {}, QPoint(40, 6));
    EXPECT_TRUE(first->isVisible());

    QTest::mouseClick(site.get(), Qt::LeftButton, {}, QPoint(92, 6));
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->geometry(), QRect(0, 13, 100, 87));

    first->show();  // back in its zone
    EXPECT_EQ(first->geometry(), QRect(0, 13, 100, 37));
    delete second;
    QTest::qWait(1);
    EXPECT_EQ(first->geometry(), QRect(0, 13, 100, 87));
    site->setDockSite(false);
    EXPECT_EQ(site->DockManager(), nullptr);
}
