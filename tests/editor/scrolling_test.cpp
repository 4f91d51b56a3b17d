// Keeping the caret in view, and the scroll bars' requests.
#include <gtest/gtest.h>

#include <array>

#include "support.h"

namespace pavik {
namespace {

struct ScrollTest : ::testing::Test {
    EditorCore e;
    explicit ScrollTest(int rows = 100) {
        e.SetText(test::repeat("row\r\n", static_cast<size_t>(rows - 1)));
        e.VisibleRows = 10;
        e.VisibleCols = 80;
    }
};

TEST_F(ScrollTest, CaretStepsScrollByOneAndJumpsScrollFurther) {
    e.TopRow = 20;
    auto top = [&](int caretRow) {
        e.Caret.row = caretRow;
        return e.CaretScrollTarget().topRow;
    };
    EXPECT_EQ(top(25), 20);
    EXPECT_EQ(top(19), 19);  // one above: one row up
    EXPECT_EQ(top(5), 5);    // further above: the caret row on top
    EXPECT_EQ(top(29), 21);  // on the last full row: one down
    EXPECT_EQ(top(50), 42);  // further below: second row from the bottom
    e.SetText(test::repeat("row\r\n", 24));
    e.TopRow = 20;
    EXPECT_EQ(top(29), 20);  // nothing more below: stays
}

TEST_F(ScrollTest, CaretColumnsScrollSideways) {
    e.SetDefWrapPos(200);
    e.LeftCol = 10;
    auto left = [&](int caretCol) {
        e.Caret.col = caretCol;
        return e.CaretScrollTarget().leftCol;
    };
    EXPECT_EQ(left(30), 10);
    EXPECT_EQ(left(9), 9);
    EXPECT_EQ(left(2), 2);
    EXPECT_EQ(left(88), 11);   // second cell from the right edge
    EXPECT_EQ(left(120), 41);  // the caret on the last cell
    e.VisibleRows = 0;
    e.VisibleCols = 0;
    EXPECT_EQ(left(500), 10);  // a view without cells never moves
}

TEST_F(ScrollTest, ShiftHeldCarriesTheSelectionOtherwiseItCollapses) {
    e.Caret = {1, 2};
    e.Sel.CollapseTo(e.Caret);
    e.ShiftHeld = true;
    e.Caret = {2, 40};
    e.ScrollToCaret();
    EXPECT_EQ(e.TopRow, 32);
    EXPECT_EQ(e.Sel.StartPoint(), (TextPoint{1, 2}));
    EXPECT_EQ(e.Sel.EndPoint(), (TextPoint{2, 40}));
    e.ShiftHeld = false;
    e.Caret = {9, 41};  // past the row's end: the selection point is clamped
    e.ScrollToCaret();
    EXPECT_FALSE(e.Sel.HasStream());
    EXPECT_EQ(e.Sel.MovingEnd, (TextPoint{3, 41}));
}

TEST_F(ScrollTest, ScrollBarRequestsMoveTheViewAndTakeTheCaretAlong) {
    e.Caret = {0, 0};
    e.VScroll(ScrollCode::LineForward);
    EXPECT_EQ(e.TopRow, 1);
    EXPECT_EQ(e.Caret.row, 1);  // scrolled out of view: taken along
    e.VScroll(ScrollCode::LineForward);  // a burst accelerates to AccelRate rows
    EXPECT_EQ(e.TopRow, 3);
    e.VScroll(ScrollCode::EndScroll);
    e.VScroll(ScrollCode::LineForward, 0, true);  // with Shift the caret stays
    EXPECT_EQ(e.TopRow, 4);
    EXPECT_EQ(e.Caret.row, 3);
    e.VScroll(ScrollCode::EndScroll);

    e.VScroll(ScrollCode::ThumbTrack, 60);
    EXPECT_EQ(e.TopRow, 60);
    EXPECT_EQ(e.Caret.row, 60);
    e.Caret.row = 75;
    e.VScroll(ScrollCode::ThumbPosition, 50);
    EXPECT_EQ(e.Caret.row, 58);  // onto the line above the last full row
    e.VScroll(ScrollCode::Top);
    e.VScroll(ScrollCode::Bottom);
    EXPECT_EQ(e.TopRow, 50);

    e.VScroll(ScrollCode::EndScroll);
    e.VScroll(ScrollCode::PageForward);
    EXPECT_EQ(e.TopRow, 60);
    EXPECT_EQ(e.Caret.row, 68);
    for (int i = 0; i < 5; ++i) e.VScroll(ScrollCode::PageForward);
    EXPECT_EQ(e.TopRow, 90);  // the last page
    EXPECT_EQ(e.Caret.row, 99);
    e.VScroll(ScrollCode::EndScroll);
    for (int i = 0; i < 20; ++i) e.VScroll(ScrollCode::PageBack);
    EXPECT_EQ(e.TopRow, 0);
    EXPECT_EQ(e.Caret.row, 0);

    e.SetDefWrapPos(200);
    e.HScroll(ScrollCode::LineForward);
    e.HScroll(ScrollCode::PageForward);
    EXPECT_EQ(e.LeftCol, 79);
    e.HScroll(ScrollCode::PageForward);
    EXPECT_EQ(e.LeftCol, 121);  // the last page
    e.HScroll(ScrollCode::PageBack);
    e.HScroll(ScrollCode::LineBack);
    EXPECT_EQ(e.LeftCol, 42);
    e.HScroll(ScrollCode::ThumbPosition, 7);
    EXPECT_EQ(e.LeftCol, 7);
}

TEST_F(ScrollTest, AThumbReleasedWithoutTheFocusOnlyRefreshesTheBars) {
    struct View : test::RecordingView {
        bool focus = false;
        bool focused() const override { return focus; }
    } view;
    e.SetView(&view);
    e.Caret = {0, 2};
    e.VScroll(ScrollCode::ThumbPosition, 40);
    EXPECT_EQ((std::array{e.TopRow, e.Caret.row, view.scrollBars}), (std::array{0, 2, 1}));
    view.focus = true;
    e.VScroll(ScrollCode::ThumbPosition, 40);
    EXPECT_EQ((std::array{e.TopRow, e.Caret.row}), (std::array{40, 40}));
    e.SetView(nullptr);
}

TEST(ScrollShortText, AShortTextNeverScrollsBelowRowZero) {
    EditorCore e;
    e.SetText("a\r\nb");
    e.VisibleRows = 10;
    e.VisibleCols = 80;
    e.VScroll(ScrollCode::PageForward);
    e.VScroll(ScrollCode::LineForward);
    EXPECT_EQ(e.TopRow, 0);
    e.VScroll(ScrollCode::ThumbPosition, -5);
    EXPECT_EQ(e.TopRow, 0);
}

}  // namespace
}  // namespace pavik
