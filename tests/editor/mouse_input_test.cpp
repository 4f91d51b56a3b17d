// The mouse through the core with fixed metrics: cells are 7 pixels wide and 14 high, the
// text area starts at (40, 16) and shows 10 rows of 80 columns.
#include <gtest/gtest.h>

#include "editor/mouse_input.h"
#include "support.h"

namespace pavik {
namespace {

using test::rowsOf;
using V = std::vector<std::string>;

constexpr int kLeft = 40, kTop = 16, kPitch = 7, kRow = 14;

struct MouseTest : ::testing::Test {
    EditorCore e;
    ManualTimer* timer = nullptr;
    std::unique_ptr<MouseInput> mouse;
    MouseTest() {
        auto t = std::make_unique<ManualTimer>();
        timer = t.get();
        mouse = std::make_unique<MouseInput>(e, std::move(t));
        mouse->Geometry = {kLeft, kTop, kLeft + 80 * kPitch, kTop + 10 * kRow, kPitch, kRow};
        e.VisibleRows = 10;
        e.VisibleCols = 80;
    }
    // The middle of a cell, or of a margin cell left of the text.
    static int x(int col) { return kLeft + col * kPitch + 2; }
    static int y(int row) { return kTop + row * kRow + 5; }
    void click(int col, int row, bool shift = false) {
        mouse->Press(x(col), y(row), shift);
        mouse->Release(shift);
    }
    void drag(int x0, int y0, int x1, int y1) {
        mouse->Press(x0, y0, false);
        mouse->Move(x1, y1, true);
    }
};

TEST_F(MouseTest, CellsCursorsAndClicks) {
    e.SetText("abcdef\r\n\x82\xA0\x82\xA2");
    // 3 pixels left of a cell boundary already counts as the next cell.
    EXPECT_EQ(mouse->PointToCell(kLeft + 2 * kPitch - 4, y(0)), (TextPoint{1, 0}));
    EXPECT_EQ(mouse->PointToCell(kLeft + 2 * kPitch - 3, y(0)), (TextPoint{2, 0}));
    EXPECT_EQ(mouse->PointToCell(x(5), y(7)), (TextPoint{5, 1}));  // below the text: last row
    EXPECT_EQ(mouse->CursorAt(x(3), y(0)), MouseCursor::IBeam);
    EXPECT_EQ(mouse->CursorAt(10, y(0)), MouseCursor::RowSelect);
    EXPECT_EQ(mouse->CursorAt(x(3), 5), MouseCursor::Default);  // the ruler, no row range
    EXPECT_EQ(mouse->CursorAt(0, y(0)), MouseCursor::Default);

    click(3, 0);
    EXPECT_EQ(e.Caret, (TextPoint{3, 0}));
    click(40, 0);  // past the row's end: the end of its text
    EXPECT_EQ(e.Caret, (TextPoint{6, 0}));
    click(30, 5);
    EXPECT_EQ(e.Caret, (TextPoint{4, 1}));
    click(1, 1);  // the second byte of a pair: to a character boundary
    EXPECT_EQ(e.Caret.col % 2, 0);
    EXPECT_FALSE(e.HasSelection());
}

TEST_F(MouseTest, DraggingAndShiftClickSelect) {
    e.SetText("hello world\r\nsecond row");
    int selects = 0;
    e.OnSelect = [&](EditorCore&) { ++selects; };
    drag(x(6), y(0), x(3), y(1));
    EXPECT_EQ(e.Caret, (TextPoint{3, 1}));
    mouse->Release(false);
    EXPECT_EQ(e.SelText(), "world\r\nsec");
    EXPECT_EQ(selects, 1);
    // Shift+click selects from the caret to the point; the caret stays.
    click(2, 0);
    mouse->Press(x(5), y(0), true);
    EXPECT_EQ(e.SelText(), "llo");
    EXPECT_EQ(e.Caret, (TextPoint{2, 0}));
    mouse->Release(true);
    // A click elsewhere ends the selection.
    click(0, 1);
    EXPECT_FALSE(e.HasSelection());
}

TEST_F(MouseTest, DraggingPastTheBottomScrollsUntilTheLastRowIsSelected) {
    e.SetText(test::repeat("line\r\n", 39) + "end");
    drag(x(2), y(3), x(2), kTop + 10 * kRow + 30);  // below the text area, then held still
    EXPECT_TRUE(mouse->AutoScrolling());
    int ticks = 0;
    while (mouse->AutoScrolling() && ticks < 100) {
        timer->advance(MouseInput::kAutoScrollMs);
        ++ticks;
    }
    EXPECT_FALSE(mouse->AutoScrolling());  // the passes end by themselves
    EXPECT_LT(ticks, 40);
    EXPECT_EQ(e.Sel.EndPoint().row, 39);
    EXPECT_GE(e.TopRow + e.VisibleRows, 40);
    EXPECT_EQ(e.Sel.StartPoint(), (TextPoint{2, 3}));
    // Back above the text area: up to row 0, never below it.
    mouse->Move(x(2), 3, true);
    while (mouse->AutoScrolling() && ticks < 200) {
        timer->advance(MouseInput::kAutoScrollMs);
        ++ticks;
    }
    EXPECT_EQ(e.TopRow, 0);
    EXPECT_EQ(e.Sel.StartPoint().row, 0);
    mouse->Release(false);
    EXPECT_EQ(mouse->Mode(), MouseMode::None);
}

TEST_F(MouseTest, TheMarginSelectsWholeRows) {
    e.SetText("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6");
    mouse->Press(10, y(1), false);
    mouse->Move(10, y(5), true);
    mouse->Release(false);
    EXPECT_EQ(e.Sel.FirstRangeRow(), 1);
    EXPECT_EQ(e.Sel.LastRangeRow(), 5);
    EXPECT_EQ(e.SelText(), "r1\r\nr2\r\nr3\r\nr4\r\nr5\r\n");
    EXPECT_EQ(e.Caret, (TextPoint{0, 6}));
    // A range that ends on the last row leaves the caret in the text.
    mouse->Press(10, y(4), false);
    mouse->Move(10, y(6), true);
    mouse->Release(false);
    EXPECT_EQ(e.Caret, (TextPoint{0, 6}));
    // Shift extends the range.
    mouse->Press(10, y(0), true);
    mouse->Release(true);
    EXPECT_EQ(e.Sel.FirstRangeRow(), 0);
    EXPECT_EQ(e.Sel.LastRangeRow(), 4);
}

TEST_F(MouseTest, DoubleClickSelectsAWordOrOneDoubleByteCharacter) {
    e.SetText("margin-top: 1em\r\nxx\x82\xA0yy abcdefghijklmnop");
    auto word = [&](int col, int row) {
        click(col, row);
        mouse->DoubleClick(x(col), y(row));
        return e.SelText();
    };
    EXPECT_EQ(word(8, 0), "top");
    EXPECT_EQ(word(2, 0), "margin");
    EXPECT_EQ(word(2, 1), "\x82\xA0");
    EXPECT_EQ(word(1, 1), "xx");
    EXPECT_EQ(word(6, 0), "");  // "-" is no word character
    EXPECT_EQ(word(10, 1), "abcdefghijklmnop");
}

TEST_F(MouseTest, DoubleClickFollowsAWordAcrossSoftRowEnds) {
    test::load(e, "aaaa bbbbbbbbbbcc d", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"aaaa bbbbb", "bbbbbcc d"}));
    click(7, 0);
    mouse->DoubleClick(x(7), y(0));
    EXPECT_EQ(e.SelText(), "bbbbbbbbbbcc");
}

TEST_F(MouseTest, TheRulerDragsARangesWrapColumnAndIndent) {
    test::load(e, test::repeat("word ", 20) + "\r\nnext", 60);
    e.RewrapRow(0);
    ASSERT_EQ(e.RowCount(), 3);
    mouse->Press(10, y(0), false);  // row 0 as a range
    mouse->Release(false);
    TRowAttr a = e.RowAttr(0);
    a.indent = 4;
    e.ChangeRowAttr(0, a);
    e.UpdateRangeLimits();
    const int ruler = 8;
    EXPECT_EQ(mouse->CursorAt(x(60), ruler), MouseCursor::SplitH);
    EXPECT_EQ(mouse->CursorAt(x(4), ruler), MouseCursor::SplitH);
    EXPECT_EQ(mouse->CursorAt(x(30), ruler), MouseCursor::Default);

    // The wrap column never goes left of the largest indent + 8.
    mouse->Press(x(60), ruler, false);
    EXPECT_EQ(mouse->Mode(), MouseMode::WrapColumn);
    mouse->Move(x(5), ruler, true);
    EXPECT_EQ(e.Sel.DragCol, 12);
    mouse->Move(x(70000), ruler, true);
    EXPECT_EQ(e.Sel.DragCol, 65535);  // what a row record holds
    mouse->Move(x(30), ruler, true);
    mouse->Release(false);
    EXPECT_EQ(e.RowAttr(0).wrapPos, 30);
    EXPECT_LE(e.DisplayLength(0), 30);
    EXPECT_GT(e.RowCount(), 3);  // the paragraph took the narrower rows
    e.Undo();
    EXPECT_EQ(e.RowAttr(0).wrapPos, 60);
    EXPECT_EQ(e.RowCount(), 3);

    // The indent never passes the smallest wrap column - 8, nor goes below 0.
    mouse->Press(10, y(0), false);
    mouse->Release(false);
    mouse->Press(x(4), ruler, false);
    EXPECT_EQ(mouse->Mode(), MouseMode::Indent);
    mouse->Move(x(70), ruler, true);
    EXPECT_EQ(e.Sel.DragCol, 52);
    mouse->Move(x(10), ruler, true);
    mouse->Release(false);
    EXPECT_EQ(e.RowIndent(0), 10);
    // Under ReadOnly a drag changes nothing.
    e.ReadOnly = true;
    mouse->Press(x(10), ruler, false);
    mouse->Move(x(20), ruler, true);
    mouse->Release(false);
    EXPECT_EQ(e.RowIndent(0), 10);
}

}  // namespace
}  // namespace pavik
