// Keys and typed characters through the core: caret moves, Shift selections, word moves,
// acceleration, deleting, indenting, the clipboard keys and ReadOnly.
#include <gtest/gtest.h>

#include "editor/key_input.h"
#include "support.h"

namespace pavik {
namespace {

using test::rowsOf;
using V = std::vector<std::string>;

const std::string kA = "\x82\xA0";  // "あ"
const std::string kI = "\x82\xA2";  // "い"

struct KeyTest : ::testing::Test {
    EditorCore e;
    KeyInput keys{e};
    test::FakeClipboard clip;
    KeyTest() {
        e.SetClipboard(&clip);
        e.VisibleRows = 10;
        e.VisibleCols = 80;
    }
    void press(EditKey k, bool shift = false, bool ctrl = false) {
        keys.KeyDown({k, 0, shift, ctrl});
    }
    void ctrlLetter(char c) { keys.KeyDown({EditKey::Character, c, false, true}); }
    void type(std::string_view s) {
        for (char c : s) keys.Character(static_cast<unsigned char>(c));
    }
    TextPoint at(int col, int row) { return {col, row}; }
};

TEST_F(KeyTest, TheCaretStepsOverPairsTabCellsAndParagraphEnds) {
    e.SetText(kA + "\tb\r\nc");  // cells: あ 0-1, tab 2-3, b 4, CR 5
    std::vector<TextPoint> seen;
    for (int i = 0; i < 5; ++i) {
        press(EditKey::Right);
        seen.push_back(e.Caret);
    }
    EXPECT_EQ(seen, (std::vector<TextPoint>{{2, 0}, {4, 0}, {5, 0}, {0, 1}, {1, 1}}));
    seen.clear();
    for (int i = 0; i < 5; ++i) {
        press(EditKey::Left);
        seen.push_back(e.Caret);
    }
    EXPECT_EQ(seen, (std::vector<TextPoint>{{0, 1}, {5, 0}, {4, 0}, {2, 0}, {0, 0}}));
    press(EditKey::End);
    EXPECT_EQ(e.Caret, at(5, 0));  // before the paragraph end
    press(EditKey::Home);
    EXPECT_EQ(e.Caret, at(0, 0));
    press(EditKey::End, false, true);
    EXPECT_EQ(e.Caret, at(1, 1));
    press(EditKey::Home, false, true);
    EXPECT_EQ(e.Caret, at(0, 0));

    // Up and Down keep the column, but never on the second byte of a pair.
    e.SetText("abcd\r\n" + kA + kI + "\r\nx");
    e.Caret = {3, 0};
    press(EditKey::Down);
    EXPECT_EQ(e.Caret, at(2, 1));
    press(EditKey::Down);
    EXPECT_EQ(e.Caret, at(2, 2));  // past the short row's end: the column stays
    press(EditKey::Down);
    EXPECT_EQ(e.Caret, at(2, 2));  // no row below
    e.InsertString("y");
    EXPECT_EQ(e.RowText(2), "xy");
}

TEST_F(KeyTest, ShiftSelectsAcrossRowsAndTypingReplacesTheSelection) {
    e.SetText("ab" + kA + "cd\r\nefg");
    int selects = 0, disselects = 0;
    e.OnSelect = [&](EditorCore&) { ++selects; };
    e.OnDisSelect = [&](EditorCore&) { ++disselects; };
    e.Caret = {1, 0};
    press(EditKey::Right, true);
    press(EditKey::Right, true);  // over the pair
    EXPECT_EQ(e.SelText(), "b" + kA);
    press(EditKey::Down, true);
    EXPECT_EQ(e.SelText(), "b" + kA + "cd\r\nefg");
    EXPECT_EQ(selects, 1);
    // Shift released: the next Shift+key starts again at the caret (past the short row's
    // end, so Left goes to its last character).
    keys.KeyUp(EditKey::Shift);
    press(EditKey::Left, true);
    EXPECT_EQ(e.SelText(), "g");
    keys.TypeText("X");
    EXPECT_EQ(rowsOf(e), (V{"ab" + kA + "cd\r", "efX"}));
    EXPECT_EQ(disselects, 1);
    // A move without Shift collapses a selection; Escape does too.
    press(EditKey::Home, true);
    press(EditKey::Right);
    EXPECT_FALSE(e.HasSelection());
    press(EditKey::Right, true);
    keys.Character(27);
    EXPECT_FALSE(e.HasSelection());
    EXPECT_EQ(selects, 3);
    EXPECT_EQ(disselects, 3);
}

TEST_F(KeyTest, WordMovesStopAtWordStartsAndTakeDoubleByteCharactersOneByOne) {
    e.SetText("abc, def\r\nxy" + kA + kI + "z");
    // Where n Ctrl+arrow presses stop.
    auto words = [&](EditKey key, int n) {
        std::vector<TextPoint> seen;
        for (int i = 0; i < n; ++i) {
            press(key, false, true);
            seen.push_back(e.Caret);
        }
        return seen;
    };
    auto rights = [&](int n) { return words(EditKey::Right, n); };
    auto lefts = [&](int n) { return words(EditKey::Left, n); };
    EXPECT_EQ(rights(5), (std::vector<TextPoint>{{5, 0}, {0, 1}, {2, 1}, {4, 1}, {6, 1}}));
    e.Caret = {7, 1};
    EXPECT_EQ(lefts(6), (std::vector<TextPoint>{{6, 1}, {4, 1}, {2, 1}, {0, 1}, {8, 0}, {5, 0}}));
    EXPECT_EQ(lefts(2), (std::vector<TextPoint>{{0, 0}, {0, 0}}));
    // Shift extends by words.
    press(EditKey::Right, true, true);
    EXPECT_EQ(e.SelText(), "abc, ");
}

TEST_F(KeyTest, AnAutoRepeatedKeyMovesAccelRateStepsUpToFour) {
    e.SetText(test::repeat("x\r\n", 40));
    auto down = [&](bool repeat) {
        const int before = e.Caret.row;
        keys.KeyDown({EditKey::Down, 0, false, false, repeat});
        return e.Caret.row - before;
    };
    EXPECT_EQ(down(false), 1);
    EXPECT_EQ(down(true), 2);
    e.AccelRate = 9;
    EXPECT_EQ(down(true), 4);
    e.AccelRate = 0;
    EXPECT_EQ(down(true), 1);
    // The view followed: the caret is never on the last fully visible row.
    EXPECT_EQ(e.Caret.row, 8);
    EXPECT_EQ(e.TopRow, 0);
    down(false);
    EXPECT_EQ(e.TopRow, 1);
    EXPECT_LE(e.Caret.row, e.TopRow + e.VisibleRows - 2);
}

TEST_F(KeyTest, PagesAndTheEndsOfTheTextScrollTheView) {
    e.SetText(test::repeat("row\r\n", 50));
    press(EditKey::PageDown);
    EXPECT_EQ(e.Caret.row, 10);
    EXPECT_EQ(e.TopRow, 10);
    press(EditKey::End, false, true);
    EXPECT_EQ(e.Caret, at(0, 50));
    EXPECT_EQ(e.TopRow, 42);  // the caret on the second row from the bottom
    press(EditKey::PageDown);  // nothing below
    EXPECT_EQ(e.Caret.row, 50);
    press(EditKey::PageUp);
    EXPECT_EQ(e.Caret.row, 40);
    EXPECT_EQ(e.TopRow, 32);
    press(EditKey::Home, false, true);
    EXPECT_EQ(e.Caret, at(0, 0));
    EXPECT_EQ(e.TopRow, 0);
    // A text shorter than the view never scrolls it below row 0.
    e.SetText("a\r\nb");
    press(EditKey::PageDown);
    EXPECT_EQ(e.Caret.row, 1);
    EXPECT_EQ(e.TopRow, 0);
}

TEST_F(KeyTest, BackspaceAndDeleteRemoveWholeCharactersAndJoinParagraphs) {
    e.SetText("ab\r\n" + kA + "c");
    e.Caret = {0, 1};
    keys.Character(8);  // joins the paragraphs
    EXPECT_EQ(rowsOf(e), (V{"ab" + kA + "c"}));
    EXPECT_EQ(e.Caret, at(2, 0));
    press(EditKey::Delete);  // the pair goes whole
    EXPECT_EQ(e.RowText(0), "abc");
    e.Undo();
    EXPECT_EQ(e.RowText(0), "ab" + kA + "c");
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"ab\r", kA + "c"}));

    // A lead byte without its trail byte is deleted alone.
    e.SetText("a\x82\r\nb");
    e.Caret = {1, 0};
    press(EditKey::Delete);
    EXPECT_EQ(rowsOf(e), (V{"a\r", "b"}));

    // At the very start nothing happens; nor at the start of an indented first row.
    e.SetText("xy");
    keys.Character(8);
    EXPECT_EQ(e.RowText(0), "xy");
    TRowAttr a = e.RowAttr(0);
    a.indent = 4;
    e.ChangeRowAttr(0, a);
    e.Caret = {4, 0};
    keys.Character(8);
    EXPECT_EQ(e.RowText(0), "xy");

    // At the start of a soft-wrapped row it deletes the last character of the row above.
    test::load(e, "abcdefghijklm", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"abcdefghij", "klm"}));
    e.Caret = {0, 1};
    keys.Character(8);
    EXPECT_EQ(rowsOf(e), (V{"abcdefghik", "lm"}));
    EXPECT_EQ(e.Caret, at(9, 0));
}

TEST_F(KeyTest, TabAndCtrlBackspaceMoveTheIndentWithinTheWrapColumn) {
    e.Options = aoAutoFormat;
    e.SetText("abc\r\n");
    e.Caret = {0, 0};
    keys.Character(9);
    EXPECT_EQ(e.RowIndent(0), 4);
    EXPECT_EQ(e.Caret, at(4, 0));
    for (int i = 0; i < 20; ++i) keys.Character(9);
    EXPECT_EQ(e.RowIndent(0), 52);  // never past wrap column - 8
    press(EditKey::Backspace, false, true);
    EXPECT_EQ(e.RowIndent(0), 48);
    EXPECT_EQ(e.Caret, at(48, 0));
    e.Undo();
    EXPECT_EQ(e.RowIndent(0), 52);
    // A tiny wrap column never makes the indent negative.
    TRowAttr a = e.RowAttr(1);
    a.wrapPos = 5;
    e.ChangeRowAttr(1, a);
    e.Caret = {0, 1};
    keys.Character(9);
    EXPECT_EQ(e.RowAttr(1).indent, 0);

    // Inside the text a tab is typed; with aoTabToSp blanks up to the next stop.
    e.SetText("ab");
    e.Caret = {1, 0};
    keys.Character(9);
    EXPECT_EQ(e.RowText(0), "a\tb");
    e.Options |= aoTabToSp;
    e.Caret = {5, 0};
    keys.Character(9);
    EXPECT_EQ(e.RowText(0), "a\tb   ");
}

TEST_F(KeyTest, EnterCopiesTheLeadingWhiteSpaceUpToTheCaret) {
    e.Options = aoAutoFormat | aoAutoIndent;
    e.SetText("\t  abc");
    e.Caret = {e.CharIndexToCol(5, 0), 0};  // after the b
    keys.Character(13);
    EXPECT_EQ(rowsOf(e), (V{"\t  ab\r", "\t  c"}));
    e.Caret = {e.CharIndexToCol(1, 1), 1};  // after the tab
    keys.Character(13);
    EXPECT_EQ(rowsOf(e), (V{"\t  ab\r", "\t\r", "\t  c"}));
    e.Options = aoAutoFormat | aoAutoJpnIndent;
    e.SetText("\x81\x40x");
    e.Caret = {3, 0};
    keys.Character(13);
    EXPECT_EQ(rowsOf(e), (V{"\x81\x40x\r", "\x81\x40"}));
}

TEST_F(KeyTest, ClipboardAndInsertKeys) {
    e.SetText("one two");
    e.Caret = {0, 0};
    press(EditKey::End, true);
    ctrlLetter('C');
    EXPECT_EQ(clip.bytes, "one two");
    press(EditKey::Home);
    press(EditKey::Right, true, true);
    ctrlLetter('X');
    EXPECT_EQ(e.RowText(0), "two");
    EXPECT_EQ(clip.bytes, "one ");
    press(EditKey::End);
    ctrlLetter('V');
    EXPECT_EQ(e.RowText(0), "twoone ");
    press(EditKey::Insert, true);  // Shift+Insert pastes
    EXPECT_EQ(e.RowText(0), "twoone one ");
    press(EditKey::Home, true);
    press(EditKey::Insert, false, true);  // Ctrl+Insert copies
    EXPECT_EQ(clip.bytes, "twoone one ");
    press(EditKey::Delete, true);  // Shift+Delete cuts
    EXPECT_EQ(e.RowText(0), "");
    // Insert toggles overwrite; other Ctrl letters type nothing.
    e.SetText("abc");
    press(EditKey::Insert);
    keys.TypeText("X");
    EXPECT_EQ(e.RowText(0), "Xbc");
    keys.Character('z', true);
    ctrlLetter('A');
    EXPECT_EQ(e.RowText(0), "Xbc");
}

TEST_F(KeyTest, AnAutoRepeatedPasteKeyPastesOncePerRepeat) {
    e.AccelRate = 4;
    clip.bytes = "ab";
    keys.KeyDown({EditKey::Character, 'V', false, true, true});  // Ctrl+V
    keys.KeyDown({EditKey::Insert, 0, true, false, true});       // Shift+Insert
    EXPECT_EQ(e.RowText(0), "abab");
}

TEST_F(KeyTest, ReadOnlyBlocksEveryChangeButMovingSelectingAndCopying) {
    e.SetText("abc\r\ndef");
    e.InsertString("0");
    e.ReadOnly = true;
    const V before = rowsOf(e);
    e.Caret = {2, 0};
    keys.TypeText("x");
    keys.CommitComposition("\x93\xFA");
    keys.Character(9);
    keys.Character(13);
    press(EditKey::Delete);
    press(EditKey::Backspace, false, true);
    keys.Character(8);  // moves left only
    EXPECT_EQ(e.Caret, at(1, 0));
    press(EditKey::End, true);
    ctrlLetter('X');
    ctrlLetter('V');
    press(EditKey::Insert, true);
    press(EditKey::Delete, true);
    e.Undo();
    e.DeleteSelection();
    EXPECT_EQ(rowsOf(e), before);
    EXPECT_TRUE(e.HasSelection());
    ctrlLetter('C');
    EXPECT_EQ(clip.bytes, "abc");
    e.ReadOnly = false;
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"abc\r", "def"}));
    e.ReadOnly = true;
    e.Redo();
    EXPECT_EQ(rowsOf(e), (V{"abc\r", "def"}));
}

}  // namespace
}  // namespace pavik
