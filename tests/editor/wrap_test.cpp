// The break search and the paragraph re-flow.
#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "support.h"

namespace pavik {
namespace {

using test::repeat;
using test::rowsOf;
using V = std::vector<std::string>;

const std::string kMaru = "\x81\x42";   // "。" (no row may begin with it)
const std::string kKakko = "\x81\x69";  // "（" (no row may end with it)
const std::string kA = "\x82\xA0";      // "あ"

TEST(EditorWrapPos, ADoubleByteCharacterIsNeverSplit) {
    EditorCore e;
    EXPECT_EQ(e.GetWrapPos("abc", 5, 1), 5);     // nothing to break
    EXPECT_EQ(e.GetWrapPos("abcdef", 3, 3), 3);  // at the lower limit
    // Column 3 falls on the trail byte of the pair at 2..3.
    EXPECT_EQ(e.GetWrapPos("ab" + kA + "cd", 3, 1), 2);
    EXPECT_EQ(e.GetWrapPos("ab" + kA + "cd", 2, 1), 2);
}

TEST(EditorWrapPos, BanSetsMoveTheBreak) {
    EditorCore e;
    e.Options = aoAutoFormat | aoJpnBanBreak;
    // "。" at the column hangs past it.
    EXPECT_EQ(e.GetWrapPos("abcd" + kMaru + "efgh", 4, 1), 6);
    // "（" just before the column goes down to the next row.
    EXPECT_EQ(e.GetWrapPos("abcd" + kKakko + "efgh", 6, 1), 4);
    // A CR may not begin a row either.
    EXPECT_EQ(e.GetWrapPos("abcd\rxy", 4, 1), 6);
    // Without the option none of this applies.
    e.Options = aoAutoFormat;
    EXPECT_EQ(e.GetWrapPos("abcd" + kMaru + "efgh", 4, 1), 4);
}

TEST(EditorWrapPos, BanSetsMatchWholeCharactersOnly) {
    EditorCore e;
    e.Options = aoAutoFormat | aoJpnBanBreak;
    // "A" is the trail byte of "、" (81 41) and ")" may not begin a row, "(" not end one.
    EXPECT_EQ(e.GetWrapPos("abcdAfgh", 4, 1), 4);
    e.SetBanHead(kA);  // 82 A0: the byte A0 alone must not match
    EXPECT_EQ(e.GetWrapPos("abcd\xA0" "fgh", 4, 1), 4);
    EXPECT_EQ(e.GetWrapPos("abcd" + kA + "gh", 4, 1), 6);
}

TEST(EditorWrapPos, ALeadByteWithoutATrailDoesNotSwallowTheNextByte) {
    EditorCore e;
    e.Options = aoAutoFormat | aoJpnBanBreak;
    // 0x82 followed by CR is no pair: the CR is seen as a CR and hangs.
    EXPECT_EQ(e.GetWrapPos("aaa\x82\rbb", 4, 1), 6);
    // 0x82 followed by a tab filler: the break stays at the column.
    EXPECT_EQ(e.GetWrapPos("aaa\x82\v\tbb", 4, 1), 4);
}

TEST(EditorWrapPos, WordWrapBacksUpToTheWordStart) {
    EditorCore e;
    e.Options = aoAutoFormat | aoWordWrap;
    EXPECT_EQ(e.GetWrapPos("one two three", 10, 1), 8);
    // A word longer than the look-back breaks WrapLeadBytes + 1 bytes before the column.
    EXPECT_EQ(e.GetWrapPos("x " + repeat("a", 40), 20, 1), 20 - 11);
    // ... or at the lower limit when that comes first.
    EXPECT_EQ(e.GetWrapPos(repeat("a", 40), 8, 4), 4);
    // Keyword bytes are word characters too.
    e.SetKeywords({"a-b"});
    EXPECT_EQ(e.GetWrapPos("xx a-b-c-d", 8, 1), 3);
}

TEST(EditorWrapPos, EachSearchStartsWithFreshCounters) {
    EditorCore e;
    e.Options = aoAutoFormat | aoWordWrap;
    const std::string longWord = "x " + repeat("a", 40);
    const int alone = e.GetWrapPos(longWord, 20, 1);
    // A search that ends at its lower limit after stepping back...
    EXPECT_EQ(e.GetWrapPos(repeat("a", 20), 10, 7), 7);
    // ...leaves nothing behind for the next one.
    EXPECT_EQ(e.GetWrapPos(longWord, 20, 1), alone);
}

TEST(EditorWrapPos, AWordBreakHandlerDecides) {
    EditorCore e;
    std::string seen;
    e.OnWordBreak = [&](EditorCore&, std::string_view s, int& pos) {
        seen.assign(s);
        pos = 3;
    };
    EXPECT_EQ(e.GetWrapPos("abcdefghij", 6, 1), 3);
    EXPECT_EQ(seen, "abcdefghij");
    test::load(e, "abcdefghij\r\n", 6);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abc", "def", "ghij\r", ""}));  // the rest fits: no search
}

TEST(EditorRewrap, AParagraphFillsRowsToTheWrapColumn) {
    EditorCore e;
    test::load(e, repeat("abcde", 5) + "\r\n", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abcdeabcde", "abcdeabcde", "abcde\r", ""}));
    // Deleting three bytes in the first row pulls bytes up from the rows below.
    e.ChangeRow(0, "deabcde", true);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"deabcdeabc", "deabcdeabc", "de\r", ""}));
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"abcdeabcde", "abcdeabcde", "abcde\r", ""}));
}

TEST(EditorRewrap, RowsAreOnlyBrokenAfterCRWithoutAutoFormat) {
    EditorCore e;
    e.Options = 0;
    test::load(e, repeat("x", 200) + "\r\nend", 10);
    e.RewrapRow(0);
    EXPECT_EQ(e.RowCount(), 2);
    e.ChangeRow(0, "one\rtwo\rthree\r", true);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"one\r", "two\r", "three\r", "end"}));
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{repeat("x", 200) + "\r", "end"}));
}

TEST(EditorRewrap, TextWithCRsSplitsIntoParagraphsAndJoinsTheNextRow) {
    EditorCore e;
    test::load(e, "abcdefghijkl\r\nnext", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"abcdefghij", "kl\r", "next"}));
    // A CR typed into the first row.
    e.ChangeRow(0, "abc\rdefghij", true);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abc\r", "defghijkl\r", "next"}));
}

TEST(EditorRewrap, ADoubleByteCharacterAtTheColumnMovesWhole) {
    EditorCore e;
    test::load(e, "abcdefghi" + kA + "xyz", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abcdefghi", kA + "xyz"}));
}

TEST(EditorRewrap, BanSetsShapeTheRows) {
    EditorCore e;
    e.Options = aoAutoFormat | aoJpnBanBreak;
    test::load(e, "abcdefghij" + kMaru + "klm", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abcdefghij" + kMaru, "klm"}));
    test::load(e, "abcdefgh" + kKakko + "klm", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"abcdefgh", kKakko + "klm"}));
}

TEST(EditorRewrap, ARowThatEmptiesIsRemoved) {
    EditorCore e;
    test::load(e, "abcdefghijkl\r\nz", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"abcdefghij", "kl\r", "z"}));
    e.Caret = {0, 2};
    e.ChangeRow(0, "", true);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"kl\r", "z"}));
    EXPECT_EQ(e.Caret, (TextPoint{0, 1}));
}

TEST(EditorRewrap, TheCaretKeepsItsPlaceInTheText) {
    EditorCore e;
    test::load(e, repeat("abcde", 5) + "\r\n", 10);
    e.RewrapRow(0);
    e.Caret = {3, 1};  // before the 14th byte, "d"
    e.ChangeRow(0, "XXXX" + e.RowText(0), true);
    e.RewrapRow(0);
    EXPECT_EQ(e.Caret, (TextPoint{7, 1}));
    e.Caret = {2, 3};  // a row below the paragraph
    const int rows = e.RowCount();
    e.ChangeRow(0, "abc", true);
    e.RewrapRow(0);
    EXPECT_EQ(e.Caret, (TextPoint{2, 3 + e.RowCount() - rows}));
}

TEST(EditorRewrap, EdgeRowsKeepACellForTheCaret) {
    EditorCore e;
    // A paragraph of exactly the wrap column: its CR goes to a row of its own.
    test::load(e, repeat("x", 10) + "\r\n", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{repeat("x", 10), "\r", ""}));
    // A last row of exactly the wrap column is followed by an empty row.
    test::load(e, repeat("x", 10), 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{repeat("x", 10), ""}));
    // One byte less fits.
    test::load(e, repeat("x", 9) + "\r\n", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{repeat("x", 9) + "\r", ""}));
}

TEST(EditorRewrap, IndentAndTabsCountInTheWidth) {
    EditorCore e;
    test::load(e, "ab\tcdefghijkl\r\n", 12);
    TRowAttr a = e.RowAttr(0);
    a.indent = 2;
    e.ChangeRowAttr(0, a);
    e.RewrapRow(0);
    // Indent 2 + "ab" + a tab of 2 cells + 6 letters = 12 cells.
    EXPECT_EQ(rowsOf(e), (V{"ab\tcdefgh", "ijkl\r", ""}));
    EXPECT_EQ(e.RowAttr(1).indent, 2);  // a new row copies the record above
    // Bytes 0x01 and 0x0B are one cell each, like any text.
    test::load(e, "\x01\x0B\x0B\x0B\x01\x0B\x0B\x0B\x01\x0B\x0B\x0B", 10);
    e.RewrapRow(0);
    EXPECT_EQ(rowsOf(e), (V{"\x01\x0B\x0B\x0B\x01\x0B\x0B\x0B\x01\x0B", "\x0B\x0B"}));
}

TEST(EditorRewrap, TinyWrapColumnsStillEnd) {
    for (int wrap : {0, 1, 2, 3}) {
        EditorCore e;
        test::load(e, "abc" + kA + "d\r\nnext", wrap);
        TRowAttr a = e.RowAttr(0);
        a.indent = 3;  // the wrap column is not above the indent
        e.ChangeRowAttr(0, a);
        e.RewrapRow(0);
        EXPECT_EQ(rowsOf(e), (V{"a", "b", "c", kA, "d", "\r", "next"})) << wrap;
        EXPECT_EQ(e.Text(), "abc" + kA + "d\r\nnext");
    }
}

TEST(EditorRewrap, AVeryLongLineWrapsWithOneRecordPerRow) {
    EditorCore e;
    const std::string line = repeat("0123456789abcdef", 20000);  // 320 KB
    test::load(e, line, 80);
    const V loaded = rowsOf(e);  // cut into rows of 64 KB by the loader
    e.OpId = 1;
    e.RewrapRow(0);
    const int rows = e.RowCount();
    EXPECT_EQ(rows, static_cast<int>(line.size() / 80) + 1);  // and the closing empty row
    for (int i = 0; i + 1 < rows; ++i) ASSERT_EQ(e.RowText(i).size(), 80u);
    EXPECT_TRUE(e.Text() == line);
    // One record per row of the result, however many rows the paragraph had before.
    EXPECT_EQ(e.UndoBuffer().Count(), static_cast<size_t>(rows));
    e.Undo();
    EXPECT_TRUE(rowsOf(e) == loaded);
}

TEST(EditorRewrap, AnUnchangedParagraphStoresNoRecord) {
    EditorCore e;
    test::load(e, repeat("word ", 30) + "\r\n", 20);
    e.RewrapRow(0);
    const size_t records = e.UndoBuffer().Count();
    const auto rows = rowsOf(e);
    e.RewrapRow(0);
    e.RewrapRow(1);
    EXPECT_EQ(e.UndoBuffer().Count(), records);
    EXPECT_EQ(rowsOf(e), rows);
}

}  // namespace
}  // namespace pavik
