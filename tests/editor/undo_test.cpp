// The undo buffer: grouping by operation, the event sequences, limits and the saved state.
#include <gtest/gtest.h>

#include "support.h"

namespace pavik {
namespace {

using test::EventLog;
using test::rowsOf;
using V = std::vector<std::string>;

// One operation that changes row 0 (one record).
void edit(EditorCore& e, const std::string& text) { e.ChangeRow(0, text, true); }

TEST(EditorUndo, AnOperationIsUndoneAndRedoneWhole) {
    EditorCore e;
    e.SetText("a\nb\nc");
    ++e.OpId;
    e.ChangeRow(0, "A\r", false);
    e.InsertRow(1, "new\r", e.RowAttr(0));
    e.DeleteRow(3);
    ++e.OpId;
    e.ChangeRow(1, "N\r", false);
    EXPECT_EQ(rowsOf(e), (V{"A\r", "N\r", "b\r"}));

    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"A\r", "new\r", "b\r"}));
    e.Undo();
    EXPECT_EQ(rowsOf(e), (V{"a\r", "b\r", "c"}));
    EXPECT_EQ(e.RowAttr(2).wrapPos, 60);  // the deleted row's record came back
    e.Redo();
    EXPECT_EQ(rowsOf(e), (V{"A\r", "new\r", "b\r"}));
    e.Redo();
    EXPECT_EQ(rowsOf(e), (V{"A\r", "N\r", "b\r"}));
}

TEST(EditorUndo, UndoAndRedoReportTheirStateExactly) {
    EditorCore e;
    test::RecordingView view;
    e.SetView(&view);
    e.SetText("x");
    edit(e, "1");
    edit(e, "2");
    EventLog log;
    log.attach(e);

    e.Undo();
    e.Undo();
    const int paints = view.paints;
    e.Undo();  // nothing left: no event, but a repaint
    EXPECT_EQ(view.paints, paints + 1);
    e.Redo();
    e.Redo();
    const int paints2 = view.paints;
    e.Redo();  // nothing left
    EXPECT_EQ(view.paints, paints2 + 1);
    EXPECT_EQ(log.undoChanges(), (V{"TT", "FT", "TT", "TF"}));
    EXPECT_EQ(e.RowText(0), "2");
}

TEST(EditorUndo, ReplayFiresRowEventsButNotChangeEvents) {
    EditorCore e;
    e.SetText("a\nb");
    ++e.OpId;
    e.InsertRow(1, "x\r", e.RowAttr(0));
    e.DeleteRow(0);
    e.ChangeRow(0, "y\r", false);
    EventLog log;
    log.attach(e);
    int before = 0, changes = 0;
    e.OnBeforeChange = [&](EditorCore&, int, std::string&, bool&) { ++before; };
    e.OnChange = [&](EditorCore&) { ++changes; };
    e.Undo();
    EXPECT_EQ(log.lines, (V{"insert 0 a\r", "delete 1", "undo FT"}));
    log.clear();
    e.Redo();
    EXPECT_EQ(log.lines, (V{"insert 1 x\r", "delete 0", "undo TF"}));
    EXPECT_EQ(before + changes, 0);
}

TEST(EditorUndo, TheCaretReturnsAndComesIntoView) {
    EditorCore e;
    e.SetText(test::repeat("row\n", 100));
    e.VisibleRows = 10;
    e.Caret = {2, 50};
    edit(e, "changed\r");
    e.Caret = {0, 0};
    e.TopRow = 0;
    e.Undo();
    EXPECT_EQ(e.Caret, (TextPoint{2, 50}));
    EXPECT_EQ(e.TopRow, 50 - 10 + 2);
    e.Caret = {0, 0};
    e.Redo();
    EXPECT_EQ(e.Caret, (TextPoint{2, 50}));  // the caret before the change
    e.Undo();
    e.TopRow = 80;
    e.Redo();
    e.Undo();
    EXPECT_EQ(e.TopRow, 49);  // one row above the caret
}

TEST(EditorUndo, LimitOfFiveKeepsFourRecords) {
    EditorCore e;
    e.SetUndoMax(5);
    e.SetText("0");
    for (int i = 1; i <= 20; ++i) edit(e, std::to_string(i));
    int undone = 0;
    while (e.CanUndo()) {
        e.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 4);
    EXPECT_EQ(e.RowText(0), "16");
}

TEST(EditorUndo, AnOperationLargerThanTheBufferEmptiesIt) {
    EditorCore e;
    e.SetUndoMax(3);
    e.SetText("a\nb\nc\nd\ne");
    edit(e, "first\r");
    EventLog log;
    log.attach(e);
    ++e.OpId;
    for (int i = 0; i < 5; ++i) e.ChangeRow(i, "X" + std::to_string(i) + (i < 4 ? "\r" : ""), false);
    EXPECT_EQ(log.undoChanges(), (V{"TF", "TF", "FF", "FF", "FF"}));
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(rowsOf(e), (V{"X0\r", "X1\r", "X2\r", "X3\r", "X4"}));
    e.Undo();  // nothing to undo: the text keeps the change
    EXPECT_EQ(e.RowText(0), "X0\r");
    edit(e, "after\r");  // the next operation is recorded again
    e.Undo();
    EXPECT_EQ(e.RowText(0), "X0\r");
}

TEST(EditorUndo, ALimitedBufferNeverKeepsPartOfAnOperation) {
    // Operations of 1, 3, 2, 3, 1 records with a limit of 5 (four records held): making
    // room must drop whole operations, so every undo gives back an earlier state.
    EditorCore e;
    e.SetUndoMax(5);
    e.SetText("r0\nr1\nr2\nr3");
    std::vector<V> states{rowsOf(e)};
    const int sizes[] = {1, 3, 2, 3, 1, 2};
    int n = 0;
    for (int size : sizes) {
        ++e.OpId;
        for (int k = 0; k < size; ++k) e.ChangeRow(k, "op" + std::to_string(n++) + "\r", false);
        states.push_back(rowsOf(e));
    }
    size_t at = states.size() - 1;
    while (e.CanUndo()) {
        e.Undo();
        --at;
        ASSERT_EQ(rowsOf(e), states[at]);
    }
    EXPECT_GE(at, 1u);  // the oldest operations were dropped
    while (e.CanRedo()) e.Redo();
    EXPECT_EQ(rowsOf(e), states.back());
}

TEST(EditorUndo, ANewEditAfterUndoDiscardsRedo) {
    EditorCore e;
    e.SetText("a");
    edit(e, "b");
    e.Undo();
    edit(e, "c");
    EXPECT_FALSE(e.CanRedo());
    e.Redo();
    EXPECT_EQ(e.RowText(0), "c");
}

TEST(EditorUndo, EditedFollowsTheSavedPosition) {
    EditorCore e;
    e.SetText("a");
    EXPECT_FALSE(e.Edited());
    e.SetEdited(true);  // position 0 is stored as saved: still not edited
    EXPECT_FALSE(e.Edited());

    e.SetEdited(false);
    edit(e, "b");
    EXPECT_TRUE(e.Edited());
    e.Undo();
    EXPECT_FALSE(e.Edited());
    edit(e, "c");
    edit(e, "d");
    e.Undo();
    EXPECT_TRUE(e.Edited());

    // Saved at "b"; undo to "a" and edit twice: the saved state is gone for good, even when
    // the position comes back to the saved number.
    EditorCore f;
    f.SetText("a");
    edit(f, "b");
    f.SetEdited(false);
    f.Undo();
    edit(f, "x");
    EXPECT_TRUE(f.Edited());
    edit(f, "y");
    f.Undo();
    EXPECT_TRUE(f.Edited());
}

TEST(EditorUndo, DroppingTheSavedStateKeepsEditedTrue) {
    EditorCore e;
    e.SetUndoMax(3);
    e.SetText("a");
    e.SetEdited(false);  // saved at position 0
    for (int i = 0; i < 6; ++i) edit(e, std::to_string(i));
    while (e.CanUndo()) e.Undo();
    EXPECT_EQ(e.RowText(0), "3");
    EXPECT_TRUE(e.Edited());
}

}  // namespace
}  // namespace pavik
