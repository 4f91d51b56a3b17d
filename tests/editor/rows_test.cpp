// Display rows, row records, the row primitives and the whole-text operations.
#include <gtest/gtest.h>

#include <random>

#include "editor/display_text.h"
#include "editor/row_list.h"
#include "support.h"

namespace pavik {
namespace {

using test::EventLog;
using test::rowsOf;
using V = std::vector<std::string>;

TEST(EditorRows, FreshEditorHoldsOneEmptyRow) {
    EditorCore e;
    EXPECT_EQ(rowsOf(e), V{""});
    EXPECT_EQ(e.Caret, (TextPoint{0, 0}));
    EXPECT_FALSE(e.Edited());
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(e.Text(), "");
    EXPECT_EQ(e.RowAttr(0).wrapPos, 60);
    EXPECT_EQ(e.RowAttr(0).textColor, clWindowText);
    EXPECT_EQ(e.RowAttr(0).backColor, clWindow);
}

TEST(EditorRows, PlainTextLoadsIntoRowsAndReadsBack) {
    struct Case {
        std::string in;
        V rows;
        std::string text;
    };
    const Case cases[] = {
        {"a\r\nb", {"a\r", "b"}, "a\r\nb"},
        {"a\r\n", {"a\r", ""}, "a\r\n"},
        {"a\nb", {"a\r", "b"}, "a\r\nb"},
        {"a\n\rb", {"a\r", "b"}, "a\r\nb"},          // LF CR is one line end
        {"a\r\rb", {"a\r", "\r", "b"}, "a\r\n\r\nb"},
        {"a\n\nb", {"a\r", "\r", "b"}, "a\r\n\r\nb"},
        {"", {""}, ""},
        {"\r\n", {"\r", ""}, "\r\n"},
        // A NUL byte is text: the rest of the file is kept.
        {std::string("a\0b\r\nc", 6), {std::string("a\0b\r", 4), "c"}, std::string("a\0b\r\nc", 6)},
    };
    for (const auto& c : cases) {
        EditorCore e;
        e.SetText(c.in);
        EXPECT_EQ(rowsOf(e), c.rows) << c.in;
        EXPECT_EQ(e.Text(), c.text) << c.in;
        EXPECT_FALSE(e.CanUndo());
        EXPECT_EQ(e.OpId, 0u);
    }
}

TEST(EditorRows, LongLineIsCutWithoutSplittingADoubleByteCharacter) {
    // The 65,536th byte would be the lead byte of a pair.
    std::string line = test::repeat("x", 65535) + "\x82\xA0yz";
    EditorCore e;
    e.SetText(line + "\r\n");
    ASSERT_EQ(e.RowCount(), 3);
    EXPECT_EQ(e.RowText(0).size(), 65535u);
    EXPECT_EQ(e.RowText(1), "\x82\xA0yz\r");
    EXPECT_EQ(e.Text(), line + "\r\n");
}

TEST(EditorRows, BeforeChangeCanVetoOrAlterTheNewText) {
    EditorCore e;
    e.SetText("abc\r\n");
    int changes = 0;
    e.OnChange = [&](EditorCore&) { ++changes; };
    e.OnBeforeChange = [](EditorCore&, int, std::string&, bool& can) { can = false; };
    e.ChangeRow(0, "xyz\r", true);
    EXPECT_EQ(e.RowText(0), "abc\r");
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(changes, 0);

    e.OnBeforeChange = [](EditorCore&, int, std::string& s, bool&) { s = "<" + s; };
    e.ChangeRow(0, "xyz\r", true);
    EXPECT_EQ(e.RowText(0), "<xyz\r");
    EXPECT_EQ(changes, 1);
}

TEST(EditorRows, ChangeWithOnChangeStoresTwoRecordsAndUndoesBoth) {
    EditorCore e;
    e.SetText("abc\r\n");
    e.OnChange = [](EditorCore& ed) {
        // A handler that rewrites the row it was told about.
        if (ed.RowText(0) == "new\r") ed.ChangeRow(0, "handled\r", false);
    };
    e.ChangeRow(0, "new\r", true);
    EXPECT_EQ(e.RowText(0), "handled\r");
    e.Undo();
    EXPECT_EQ(e.RowText(0), "abc\r");

    EditorCore plain;
    plain.SetText("abc\r\n");
    plain.ChangeRow(0, "new\r", true);
    EditorCore hooked;
    hooked.SetText("abc\r\n");
    hooked.OnChange = [](EditorCore&) {};
    hooked.ChangeRow(0, "new\r", true);
    EXPECT_EQ(plain.UndoBuffer().Count(), 1u);
    EXPECT_EQ(hooked.UndoBuffer().Count(), 2u);
    hooked.Undo();
    EXPECT_EQ(hooked.RowText(0), "abc\r");
}

TEST(EditorRows, DeletingARowAboveTheCaretMovesItUp) {
    EditorCore e;
    e.SetText("a\nb\nc\nd");
    e.Caret = {1, 2};
    e.DeleteRow(0);
    EXPECT_EQ(e.Caret, (TextPoint{1, 1}));
    e.DeleteRow(1);  // the caret row
    EXPECT_EQ(e.Caret, (TextPoint{1, 1}));
    e.DeleteRow(1);  // below
    EXPECT_EQ(e.Caret, (TextPoint{1, 1}));
    EXPECT_EQ(rowsOf(e), V{"b\r"});
}

TEST(EditorRows, PrimitivesFireTheirEventsInOrder) {
    EditorCore e;
    e.SetText("a\nb");
    EventLog log;
    log.attach(e);
    e.OnLineInsert = [&](EditorCore&, int i, std::string& s) {
        log.lines.push_back("insert " + std::to_string(i) + " " + s);
        s += "!";  // the handler may replace what is stored
    };
    e.InsertRow(1, "x\r", e.RowAttr(0));
    e.DeleteRow(0);
    e.AddRow("z", e.RowAttr(0));
    EXPECT_EQ(log.lines, (V{"insert 1 x\r", "undo TF", "delete 0", "undo TF", "insert 2 z", "undo TF"}));
    EXPECT_EQ(rowsOf(e), (V{"x\r!", "b", "z!"}));
    EXPECT_TRUE(e.RowAttr(0).dirty);  // inserted rows are dirty
}

TEST(EditorRows, ClearLeavesOneEmptyRowAndNoUndo) {
    EditorCore e;
    test::RecordingView view;
    e.SetView(&view);
    e.SetText("abc\ndef");
    e.ChangeRow(0, "x\r", true);
    e.Caret = {1, 1};
    e.TopRow = 1;
    EventLog log;
    log.attach(e);
    e.Clear();
    EXPECT_EQ(log.lines, (V{"insert 0 ", "undo TF", "undo FF"}));
    EXPECT_EQ(rowsOf(e), V{""});
    EXPECT_EQ(e.Text(), "");
    EXPECT_FALSE(e.CanUndo());
    EXPECT_FALSE(e.RowAttr(0).dirty);
    EXPECT_EQ(e.Caret, (TextPoint{0, 0}));
    EXPECT_EQ(e.TopRow, 0);
    EXPECT_EQ(e.LongestRow(), 0);
    EXPECT_GT(view.carets, 0);
}

TEST(EditorRows, AppendLineStartsAnOperationAndCopiesTheLastRecord) {
    EditorCore e;
    e.SetText("ab");
    TRowAttr a = e.RowAttr(0);
    a.indent = 4;
    a.wrapPos = 33;
    a.dirty = false;
    e.ChangeRowAttr(0, a);
    const auto op = e.OpId;
    e.AppendLine("cd");
    EXPECT_EQ(e.OpId, op + 1);
    EXPECT_EQ(e.RowAttr(1).indent, 4);
    EXPECT_EQ(e.RowAttr(1).wrapPos, 33);
    EXPECT_TRUE(e.RowAttr(1).dirty);
    e.Undo();
    EXPECT_EQ(rowsOf(e), V{"ab"});
}

TEST(EditorRows, ColourAndWrapDefaultsReachOnlyRowsThatStillCarryThem) {
    EditorCore e;
    e.SetText("a\nb\nc");
    TRowAttr own = e.RowAttr(1);
    own.backColor = clYellow;
    own.wrapPos = 20;
    e.ChangeRowAttr(1, own);
    e.SetColor(clAqua);
    e.SetDefWrapPos(70);
    EXPECT_EQ(e.RowAttr(0).backColor, clAqua);
    EXPECT_EQ(e.RowAttr(1).backColor, clYellow);
    EXPECT_EQ(e.RowAttr(0).wrapPos, 70);
    EXPECT_EQ(e.RowAttr(1).wrapPos, 20);
    EXPECT_EQ(e.DefaultRowAttr(false, 0, e.DefWrapPos()).backColor, clAqua);
}

TEST(EditorRows, SoftWrappedRowsReadBackAsOneLine) {
    EditorCore e;
    test::load(e, "abcdefghijklmnopqrstuvwxy\r\nz", 10);
    e.RewrapRow(0);
    ASSERT_EQ(rowsOf(e), (V{"abcdefghij", "klmnopqrst", "uvwxy\r", "z"}));
    EXPECT_EQ(e.Text(), "abcdefghijklmnopqrstuvwxy\r\nz");
}

TEST(EditorRows, ColumnsAndCharacterIndicesSkipIndentAndTabCells) {
    // Indent 2, then "a", a tab at text column 1 (three cells), then "b".
    const std::string t = "a\tb";
    EXPECT_EQ(charIndexToCol(t, 2, 4, 0), 2);
    EXPECT_EQ(charIndexToCol(t, 2, 4, 1), 3);
    EXPECT_EQ(charIndexToCol(t, 2, 4, 2), 6);
    EXPECT_EQ(charIndexToCol(t, 2, 4, 9), 7);  // clamped to the text
    EXPECT_EQ(colToCharIndex(t, 2, 4, 0), -2);
    EXPECT_EQ(colToCharIndex(t, 2, 4, 3), 1);
    EXPECT_EQ(colToCharIndex(t, 2, 4, 4), 1);  // inside the tab cell
    EXPECT_EQ(colToCharIndex(t, 2, 4, 5), 1);
    EXPECT_EQ(colToCharIndex(t, 2, 4, 6), 2);
    EXPECT_EQ(colToCharIndex(t, 2, 4, 40), 3);
    // Bytes 0x01 and 0x0B in the text are text, one cell each.
    const std::string odd = "\x01\x0B\x0B" "c";
    EXPECT_EQ(colToCharIndex(odd, 0, 4, 2), 2);
    EXPECT_EQ(charIndexToCol(odd, 0, 4, 4), 4);
    DisplayLine d = buildDisplayLine(odd + "\t", 1, 4);
    ASSERT_EQ(d.kinds.size(), 1u + 4 + 4);
    EXPECT_EQ(d.kinds[0], CellKind::Indent);
    EXPECT_EQ(d.kinds[2], CellKind::Text);  // the 0x0B byte
    EXPECT_EQ(d.kinds[5], CellKind::TabFill);
    EXPECT_EQ(d.kinds[8], CellKind::TabEnd);
    EXPECT_EQ(tabsToSpaces("a\tbc\td", 4), "a   bc  d");
    EXPECT_EQ(tabsToSpaces("\t", 0), " ");  // a tab size below 1 counts as 1
}

TEST(EditorRows, RowListMatchesAVectorUnderRandomEdits) {
    std::mt19937 rng(7);
    RowList list;
    std::vector<std::string> model;
    for (int step = 0; step < 5000; ++step) {
        const size_t n = model.size();
        if (n == 0 || rng() % 3 != 0) {
            size_t at = rng() % (n + 1);
            std::string t = std::to_string(step);
            list.insert(at, {t, {}});
            model.insert(model.begin() + static_cast<long>(at), t);
        } else {
            size_t at = rng() % n;
            list.erase(at);
            model.erase(model.begin() + static_cast<long>(at));
        }
        if (step % 97 == 0) {
            ASSERT_EQ(list.size(), model.size());
            for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(list[i].text, model[i]);
        }
    }
}

}  // namespace
}  // namespace pavik
