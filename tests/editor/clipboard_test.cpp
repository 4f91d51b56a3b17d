// Copy, cut and paste through a fake clipboard.
#include <gtest/gtest.h>

#include "support.h"

namespace pavik {
namespace {

using test::rowsOf;
using V = std::vector<std::string>;

struct ClipboardTest : ::testing::Test {
    EditorCore e;
    test::FakeClipboard clip;
    ClipboardTest() { e.SetClipboard(&clip); }
    void select(TextPoint a, TextPoint b) {
        e.Sel.AnchorPoint = a;
        e.Sel.MovingEnd = b;
        e.Caret = b;
    }
    std::string copied(TextPoint a, TextPoint b) {
        select(a, b);
        e.CopyToClipboard();
        return clip.bytes;
    }
};

TEST_F(ClipboardTest, CopiedTextIsExactlyTheSelection) {
    e.SetText("abc \t def\r\nghi\r\njkl");
    EXPECT_EQ(copied({0, 0}, {8, 0}), "abc \t");            // trailing blanks and tabs stay
    EXPECT_EQ(copied({8, 0}, {0, 1}), " def\r\n");          // up to the next paragraph
    EXPECT_EQ(copied({1, 1}, {2, 2}), "hi\r\njk");
    EXPECT_EQ(copied({0, 0}, {0, 0}), "hi\r\njk");          // nothing selected: unchanged
    EXPECT_EQ(copied({13, 0}, {40, 0}), "");                // both ends past the text
    EXPECT_EQ(e.SelText(), "");
}

TEST_F(ClipboardTest, SoftRowsJoinAndAContinuationRowAddsNoLineEnd) {
    test::load(e, "abcdefghijklmn\r\nxyz", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"abcdefghij", "klmn\r", "xyz"}));
    EXPECT_EQ(copied({2, 0}, {2, 1}), "cdefghijkl");
    EXPECT_EQ(copied({2, 0}, {0, 2}), "cdefghijklmn\r\n");
    // Ending at the start of a continuation row: no line end was selected.
    EXPECT_EQ(copied({0, 0}, {0, 1}), "abcdefghij");
}

TEST_F(ClipboardTest, TheDisplayFormShowsEveryRowAsItIsDrawn) {
    test::load(e, "a\tbc\r\nxy\tz w\tq\r\nend", 8);
    e.ChangeRowAttr(1, e.DefaultRowAttr(false, 2, 8));
    e.RewrapRow(1);
    ASSERT_EQ(rowsOf(e), (V{"a\tbc\r", "xy\tz ", "w\tq\r", "end"}));
    EXPECT_EQ(e.SelectedText({2, 0}, {-1, 0}, true), "    bc\r\n");  // the cells before the start as spaces
    // Soft rows stay apart, indents as spaces; an end at column 0 ends with the row before.
    EXPECT_EQ(e.SelectedText({3, 1}, {0, 3}, true), "      z \r\n  w   q\r\n");
    EXPECT_EQ(e.SelectedText({1, 0}, {2, 3}, true), "    bc\r\n  xy  z \r\n  w   q\r\nen\r\n");
    EXPECT_EQ(e.SelectedText({0, 1}, {0, 3}), "xy\tz w\tq\r\n");  // the plain form joins them
}

TEST_F(ClipboardTest, RowRangesPasteBackWithTheirRecords) {
    e.SetText("one\r\ntwo\r\nthree\r\n");
    TRowAttr a = e.RowAttr(1);
    a.indent = 4;
    a.wrapPos = 30;
    e.ChangeRowAttr(1, a);
    e.Sel.RowAnchor = 0;
    e.Sel.RowMoving = 1;
    e.CopyToClipboard();
    EXPECT_EQ(clip.bytes, "one\r\ntwo\r\n");
    ASSERT_EQ(clip.rows.size(), 2u);

    e.ClearSelections();
    e.Caret = {0, 3};
    e.PasteFromClipboard();
    EXPECT_EQ(rowsOf(e), (V{"one\r", "two\r", "three\r", "one\r", "two\r", ""}));
    EXPECT_EQ(e.RowAttr(4).indent, 4);
    EXPECT_EQ(e.RowAttr(4).wrapPos, 30);
    EXPECT_EQ(e.Caret.row, 5);
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"one\r", "two\r", "three\r", ""}));

    // Rows whose text does not match the clipboard text are pasted as text.
    clip.bytes = "one\r\ntwo!\r\n";
    e.Caret = {0, 3};
    e.PasteFromClipboard();
    EXPECT_EQ(rowsOf(e), (V{"one\r", "two\r", "three\r", "one\r", "two!\r", ""}));
    EXPECT_EQ(e.RowAttr(4).indent, 0);
}

TEST_F(ClipboardTest, PastingReplacesTheSelectionInOneOperation) {
    e.SetText("hello world\r\nend");
    clip.bytes = "A\r\nB\x01\x02" "C\r\nD";
    select({6, 0}, {11, 0});
    e.PasteFromClipboard();
    EXPECT_EQ(rowsOf(e), (V{"hello A\r", "BC\r", "D\r", "end"}));
    EXPECT_EQ(e.Caret, (TextPoint{1, 2}));
    EXPECT_EQ(e.RowAttr(1).wrapPos, 60);  // a whole pasted row gets a usable record
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"hello world\r", "end"}));
    EXPECT_FALSE(e.CanUndo());
}

TEST_F(ClipboardTest, AFinalLineEndEndsThePastedParagraph) {
    e.SetText("xy");
    e.Caret = {1, 0};
    clip.bytes = "1\n2\n";
    e.PasteFromClipboard();
    EXPECT_EQ(rowsOf(e), (V{"x1\r", "2\r", "y"}));
    clip.bytes = "only";
    e.Caret = {0, 2};
    e.PasteFromClipboard();
    EXPECT_EQ(rowsOf(e), (V{"x1\r", "2\r", "onlyy"}));
}

TEST_F(ClipboardTest, CutCopiesDeletesAndReportsTheEmptySelection) {
    e.SetText("abcdef");
    int disselects = 0;
    e.OnDisSelect = [&](EditorCore&) { ++disselects; };
    select({1, 0}, {4, 0});
    e.CutToClipboard();
    EXPECT_EQ(clip.bytes, "bcd");
    EXPECT_EQ(e.RowText(0), "aef");
    EXPECT_EQ(disselects, 1);
    e.Undo();
    EXPECT_EQ(e.RowText(0), "abcdef");
}

TEST_F(ClipboardTest, NothingToPaste) {
    e.SetText("abc");
    clip.bytes.clear();
    e.PasteFromClipboard();
    EditorCore bare;  // no clipboard at all
    bare.SetText("abc");
    bare.Sel.MovingEnd = {2, 0};
    bare.CopyToClipboard();
    bare.PasteFromClipboard();
    EXPECT_EQ(bare.RowText(0), "abc");
    EXPECT_EQ(e.RowText(0), "abc");
    EXPECT_FALSE(e.CanUndo());
}

}  // namespace
}  // namespace pavik
