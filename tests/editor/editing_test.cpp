// Caret steps, inserting, overwriting and deleting the selection.
#include <gtest/gtest.h>

#include "support.h"

namespace pavik {
namespace {

using test::rowsOf;
using V = std::vector<std::string>;

const std::string kA = "\x82\xA0";  // "あ"

TEST(EditorInsert, InsertModeInsertsAndOverwriteModeReplaces) {
    EditorCore e;
    e.SetText("ab\r\n");
    e.Caret = {1, 0};
    e.InsertString("X");
    e.InsertString("Y");
    EXPECT_EQ(e.RowText(0), "aXYb\r");
    EXPECT_EQ(e.Caret, (TextPoint{3, 0}));

    e.SetText("ab\r\n");
    e.InsertMode = false;
    e.Caret = {1, 0};
    e.InsertString("X");
    e.InsertString("Y");  // at the CR: the paragraph end stays
    EXPECT_EQ(e.RowText(0), "aXY\r");

    // Overwriting the lead byte of a pair leaves a blank for its trail byte.
    e.SetText(kA + "b");
    e.Caret = {0, 0};
    e.InsertString("X");
    EXPECT_EQ(e.RowText(0), "X b");
    // A pair over two single bytes.
    e.Caret = {0, 0};
    e.InsertString(kA);
    EXPECT_EQ(e.RowText(0), kA + "b");
}

TEST(EditorInsert, TextWithACRSplitsTheParagraphAsOneOperation) {
    EditorCore e;
    e.SetText("abcdef\r\nnext");
    e.Caret = {3, 0};
    e.InsertString("1\r2");
    EXPECT_EQ(rowsOf(e), (V{"abc1\r", "2def\r", "next"}));
    EXPECT_EQ(e.Caret, (TextPoint{1, 1}));
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"abcdef\r", "next"}));
    EXPECT_EQ(e.Caret, (TextPoint{3, 0}));
}

TEST(EditorInsert, AParagraphEndTypedAfterAFullRowLeavesTheCaretOnTheNextRow) {
    EditorCore e;
    test::load(e, "0123456789", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"0123456789", ""}));
    e.Caret = {10, 0};
    e.InsertString("\r");
    EXPECT_EQ(rowsOf(e), (V{"0123456789", "\r", ""}));
    EXPECT_EQ(e.Caret, (TextPoint{0, 2}));
    e.InsertString("x");
    EXPECT_EQ(rowsOf(e), (V{"0123456789", "\r", "x"}));
}

TEST(EditorInsert, ControlCharactersOtherThanTabAndCRAreDropped) {
    EditorCore e;
    e.SetText("");
    e.InsertString(std::string("a\x01" "b\nc\x1F" "d\te\x0B\x7F\x00", 12));
    EXPECT_EQ(e.RowText(0), "abcd\te\x7F");
}

TEST(EditorInsert, AtTheStartOfAContinuationRowTheTextJoinsTheRowAbove) {
    EditorCore e;
    e.Options = aoAutoFormat | aoWordWrap;
    test::load(e, "aaaa bbbbb\r\n", 8);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"aaaa ", "bbbbb\r", ""}));
    e.Caret = {0, 1};
    e.InsertString("x");
    EXPECT_EQ(e.Text(), "aaaa xbbbbb\r\n");
    EXPECT_EQ(rowsOf(e), (V{"aaaa ", "xbbbbb\r", ""}));
    EXPECT_EQ(e.Caret, (TextPoint{1, 1}));
}

TEST(EditorInsert, ACaretPastTheRowEndIsClamped) {
    EditorCore e;
    e.SetText("abc\r\nnext");
    e.Caret = {50, 0};
    e.InsertString("X");
    EXPECT_EQ(rowsOf(e), (V{"abcX\r", "next"}));
    e.Caret = {2, 9};  // below the last row
    e.InsertString("Y");
    EXPECT_EQ(rowsOf(e), (V{"abcX\r", "neYxt"}));
}

TEST(EditorInsert, AFreeCaretPadsWithBlanksAndAddsRows) {
    EditorCore e;
    e.Options = aoAutoFormat | aoFreeCaret;
    e.SetText("ab\r\ncd");
    e.Caret = {5, 0};
    e.InsertString("X");
    EXPECT_EQ(e.RowText(0), "ab   X\r");
    e.Caret = {1, 4};
    e.InsertString("Z");
    EXPECT_EQ(rowsOf(e), (V{"ab   X\r", "cd\r", "\r", "\r", " Z"}));
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"ab   X\r", "cd"}));
}

TEST(EditorInsert, InsideATabCellTheTextGoesBeforeTheTab) {
    EditorCore e;
    e.SetText("a\tb");
    e.Caret = {2, 0};  // a filler cell of the tab at column 1
    e.InsertString("X");
    EXPECT_EQ(e.RowText(0), "aX\tb");
}

TEST(EditorInsert, ASelectionIsReplacedInOneOperation) {
    EditorCore e;
    e.SetText("hello world");
    e.Sel.AnchorPoint = {0, 0};
    e.Sel.MovingEnd = {5, 0};
    e.Caret = {5, 0};
    e.InsertString("bye");
    EXPECT_EQ(e.RowText(0), "bye world");
    EXPECT_FALSE(e.HasSelection());
    e.Undo();
    EXPECT_EQ(e.RowText(0), "hello world");
}

TEST(EditorDelete, StreamSelections) {
    EditorCore e;
    e.SetText("abcdef\r\nghi\r\njklmno\r\nz");
    e.Sel.AnchorPoint = {4, 2};
    e.Sel.MovingEnd = {2, 0};  // the anchor may lie after the moving end
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"abno\r", "z"}));
    EXPECT_EQ(e.Caret, (TextPoint{2, 0}));
    EXPECT_FALSE(e.Sel.HasStream());
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"abcdef\r", "ghi\r", "jklmno\r", "z"}));

    // Within one row.
    e.Sel.AnchorPoint = {1, 1};
    e.Sel.MovingEnd = {3, 1};
    e.DeleteSelection();
    EXPECT_EQ(e.RowText(1), "g\r");
    // Across a paragraph end: the rows join.
    e.Sel.AnchorPoint = {1, 1};
    e.Sel.MovingEnd = {0, 2};
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"abcdef\r", "gjklmno\r", "z"}));
    // Ending on the last row.
    e.Sel.AnchorPoint = {3, 1};
    e.Sel.MovingEnd = {1, 2};
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"abcdef\r", "gjk"}));
}

TEST(EditorDelete, PointsPastTheTextAreClamped) {
    EditorCore e;
    e.SetText("abc\r\ndef\r\nghi");
    TRowAttr a = e.RowAttr(1);
    a.indent = 4;
    e.ChangeRowAttr(1, a);
    // From inside row 1's indent to past the end of row 1: the paragraph end stays.
    e.Sel.AnchorPoint = {1, 1};
    e.Sel.MovingEnd = {40, 1};
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"abc\r", "\r", "ghi"}));
    e.Sel.AnchorPoint = {2, 0};
    e.Sel.MovingEnd = {30, 7};
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"ab"}));
}

TEST(EditorDelete, RowRanges) {
    EditorCore e;
    e.SetText("a\r\nb\r\nc\r\nd");
    e.Sel.RowAnchor = 2;
    e.Sel.RowMoving = 1;
    e.Caret = {0, 3};
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), (V{"a\r", "d"}));
    EXPECT_EQ(e.Caret, (TextPoint{0, 1}));
    EXPECT_FALSE(e.Sel.HasRowRange());
    // The last row of the text is emptied, not removed.
    e.Sel.RowAnchor = 0;
    e.Sel.RowMoving = 1;
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), V{""});
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"a\r", "d"}));
}

TEST(EditorCaret, StepsOverTabCellsPairsAndRows) {
    EditorCore e;
    e.SetText("a\tb" + kA + "\r\nxy");
    // Display: a(0) tab(1..3) b(4) pair(5..6) CR(7)
    e.Caret = {1, 0};
    e.CaretRight();
    EXPECT_EQ(e.Caret.col, 4);
    e.CaretRight();
    e.CaretRight();
    EXPECT_EQ(e.Caret.col, 7);  // on the paragraph end
    e.CaretRight();
    EXPECT_EQ(e.Caret, (TextPoint{0, 1}));
    e.CaretLeft();
    EXPECT_EQ(e.Caret, (TextPoint{7, 0}));
    e.CaretLeft();
    EXPECT_EQ(e.Caret.col, 5);
    e.CaretLeft();
    e.CaretLeft();
    EXPECT_EQ(e.Caret.col, 1);
    e.CaretLeft();
    e.CaretLeft();
    EXPECT_EQ(e.Caret, (TextPoint{0, 0}));
    // The last row keeps the caret after its last byte.
    e.Caret = {1, 1};
    e.CaretRight();
    e.CaretRight();
    EXPECT_EQ(e.Caret, (TextPoint{2, 1}));
}

TEST(EditorCaret, SoftRowsAndIndents) {
    EditorCore e;
    test::load(e, "abcdefghijkl", 10);
    e.RewrapRow(0);
    TRowAttr a = e.RowAttr(1);
    a.indent = 2;
    e.ChangeRowAttr(1, a);
    e.Caret = {9, 0};
    e.CaretRight();  // the end of a soft row is the start of the next
    EXPECT_EQ(e.Caret, (TextPoint{2, 1}));
    e.CaretLeft();
    EXPECT_EQ(e.Caret, (TextPoint{10, 0}));
    e.Caret = {0, 1};  // inside the indent
    e.CaretRight();
    EXPECT_EQ(e.Caret, (TextPoint{2, 1}));
}

TEST(EditorCaret, MousePointsLeaveTheSecondByteAlternately) {
    EditorCore e;
    e.SetText("a" + kA + "b");
    EXPECT_EQ(e.NormalizeMousePoint({2, 0}).col, 1);
    EXPECT_EQ(e.NormalizeMousePoint({2, 0}).col, 3);
    EXPECT_EQ(e.NormalizeMousePoint({3, 0}).col, 3);
    EXPECT_EQ(e.ClampToText({9, 4}), (TextPoint{4, 0}));
}

TEST(EditorSelection, CheckFiresOnlyOnChanges) {
    EditorCore e;
    e.SetText("abc");
    std::vector<std::string> events;
    e.OnSelect = [&](EditorCore&) { events.push_back("select"); };
    e.OnDisSelect = [&](EditorCore&) { events.push_back("disselect"); };
    e.CheckSelection();
    e.Sel.MovingEnd = {2, 0};
    e.CheckSelection();
    e.CheckSelection();
    e.Sel.Collapse();
    e.CheckSelection();
    e.Sel.RowAnchor = e.Sel.RowMoving = 0;
    e.CheckSelection();
    EXPECT_EQ(events, (V{"select", "disselect", "select"}));
}

TEST(EditorSelection, RowRangeFollowsRowsInsertedAndDeletedInside) {
    TSelArea s;
    s.RowAnchor = 5;
    s.RowMoving = 3;
    s.RowInserted(4);
    EXPECT_EQ(s.RowAnchor, 6);
    s.RowInserted(9);  // outside
    EXPECT_EQ(s.LastRangeRow(), 6);
    s.RowDeleted(3);
    EXPECT_EQ(s.LastRangeRow(), 5);
    EXPECT_EQ(s.FirstRangeRow(), 3);
    s.AnchorPoint = {4, 2};
    s.MovingEnd = {1, 1};
    EXPECT_EQ(s.StartPoint(), (TextPoint{1, 1}));
    EXPECT_TRUE(s.PointInSpan({9, 1}));
    EXPECT_FALSE(s.PointInSpan({4, 2}));
}

TEST(EditorSelection, RangeLimitsCoverTheRangeRows) {
    EditorCore e;
    e.SetText("a\nb\nc");
    for (int r = 0; r < 3; ++r) {
        TRowAttr a = e.RowAttr(r);
        a.indent = static_cast<std::int16_t>(r * 2);
        a.wrapPos = static_cast<std::uint16_t>(40 - r);
        e.ChangeRowAttr(r, a);
    }
    e.Sel.RowAnchor = 0;
    e.Sel.RowMoving = 1;
    e.UpdateRangeLimits();
    EXPECT_EQ(e.Sel.RangeMaxIndent, 2);
    EXPECT_EQ(e.Sel.RangeMinWrap, 39);
}

}  // namespace
}  // namespace pavik
