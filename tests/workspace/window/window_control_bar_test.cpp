// The bar that holds toolbars at pixel places, and the toolbar places kept in the settings.
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "window_support.h"
#include "workspace/window/control_bar.h"

namespace pavik::test {
namespace {

QWidget* band(ControlBar& bar, int width, int left, int top) {
    auto* w = new QWidget;
    w->setFixedSize(width, 20);
    bar.addBand(w, left, top);
    return w;
}

void drag(ControlBar& bar, QPoint from, QPoint to) {
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, bar.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&bar, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

TEST(ControlBar, BandsKeepTheirPlacesWithoutOverlapInRows) {
    ControlBar bar;
    bar.resize(600, 40);
    const int g = ControlBar::GripWidth;
    QWidget* a = band(bar, 100, 0, 0);
    QWidget* b = band(bar, 50, 40, 0);  // would overlap a: pushed right
    QWidget* c = band(bar, 30, 300, 0);
    EXPECT_EQ(a->x(), g);
    EXPECT_EQ(b->x(), g + 100 + 2 + g);
    EXPECT_EQ(c->x(), 300);
    const int oneRow = bar.height();

    // A band asked into the second row starts it; the bar grows to hold it.
    bar.setBandPos(c, 0, bar.rowHeight());
    EXPECT_EQ(c->x(), g);
    EXPECT_GT(c->y(), a->y());
    EXPECT_EQ(bar.height(), oneRow + bar.rowHeight());

    // A hidden band takes no room: the pushed band goes back to where it was asked.
    a->hide();
    bar.relayout();
    EXPECT_EQ(b->x(), 40);
    // A row left empty is closed up.
    b->hide();
    bar.relayout();
    EXPECT_EQ(c->y(), (bar.rowHeight() - 20) / 2);
    EXPECT_EQ(bar.height(), oneRow);
}

// A narrower bar pulls bands into view from the right, each clear of its neighbours (bands
// that cannot fit run off the edge); a wider one gives their places back.
TEST(ControlBar, BandsStayInViewAsTheBarIsResized) {
    ControlBar bar;
    const int g = ControlBar::GripWidth;
    bar.resize(600, 40);
    const QList<QWidget*> bands = {band(bar, 100, 0, 0), band(bar, 50, 300, 0), band(bar, 80, 500, 0),
                                   band(bar, 40, 400, bar.rowHeight())};  // the last in a second row
    bar.show();  // a hidden bar hears of its new size only once shown
    const std::pair<int, QList<int>> cases[] = {
        {600, {g, 300, 500, 400}},
        {360, {g, 360 - 80 - 2 - g - 50, 360 - 80, 360 - 40}},
        {250, {g, g + 102 + g, g + 102 + g + 52 + g, 250 - 40}},
        {600, {g, 300, 500, 400}},
    };
    for (const auto& [width, lefts] : cases) {
        bar.resize(width, bar.height());
        QList<int> shown;
        for (QWidget* b : bands) shown.append(b->x());
        EXPECT_EQ(shown, lefts) << width;
    }
}

TEST(ControlBar, DraggingAGripMovesTheBand) {
    ControlBar bar;
    bar.resize(600, 80);
    QWidget* a = band(bar, 100, 0, 0);
    QWidget* b = band(bar, 50, 200, 0);
    const QPoint grip(b->x() - 5, b->y() + 5);
    drag(bar, grip, grip + QPoint(150, 0));
    EXPECT_EQ(b->x(), 350);
    // Into a second row: the band follows the grip.
    drag(bar, QPoint(b->x() - 5, b->y() + 5), QPoint(20, bar.rowHeight() + 5));
    EXPECT_GT(b->y(), a->y());
    EXPECT_EQ(b->x(), 25);
    // A press outside every grip moves nothing.
    drag(bar, QPoint(a->x() + 50, 5), QPoint(400, 5));
    EXPECT_EQ(a->x(), ControlBar::GripWidth);
}

using ToolBarPlaces = WindowTest;

TEST_F(ToolBarPlaces, PlacesWrittenAtCloseComeBackAtStart) {
    auto w = makeWindow();
    showAndSettle(*w);
    w->ControlBarTop->setBandPos(w->TBTools, 0, w->ControlBarTop->rowHeight());  // a second row
    w->ControlBarTop->setBandPos(w->TBStyle, 300, 0);
    const QPoint tools = w->TBTools->pos(), style = w->TBStyle->pos();
    w->close();
    w.reset();
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadInteger("TB1Pos", "mnuTools.top", -1), tools.y());
    EXPECT_EQ(ini.ReadInteger("TB1Pos", "mnuStyle.left", -1), 300);

    w = makeWindow();
    showAndSettle(*w);
    EXPECT_EQ(w->TBTools->pos(), tools);
    EXPECT_EQ(w->TBStyle->pos(), style);
}

// Applying the saved layout shows the buttons again; a disabled command's button stays disabled
// (and is drawn greyed) all the same.
TEST_F(ToolBarPlaces, ButtonsFollowTheirCommandsOnceTheLayoutIsApplied) {
    auto w = openSheet("H1 { color: red; }\r\n");
    auto* del = w->findChild<QToolButton*>(QStringLiteral("TBDelItem"));
    ASSERT_NE(del, nullptr);
    ASSERT_EQ(w->TreeViewStruct->currentIndex(), w->ElementBaseNode);
    EXPECT_FALSE(w->DelItem->isEnabled());
    EXPECT_FALSE(del->isEnabled());
    w->TreeViewStruct->setCurrentIndex(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    EXPECT_TRUE(del->isEnabled());
}

}  // namespace
}  // namespace pavik::test
