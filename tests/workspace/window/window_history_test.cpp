// Undo and redo of the document in the shown main window, with real keys: what Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z act on by the focus, the selection and saved state after them,
// a rule deleted and brought back, a hand edit taken in by a save, and the save question.
#include <QAction>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "window_support.h"
#include "workspace/values/value_store.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/value_area.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; text-align: center; }\r\nP { margin: 0; }\r\n";

class History : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> open() {
        auto w = openSheet(kSheet);
        QApplication::setActiveWindow(w.get());
        settle();
        return w;
    }
    static void select(TfrmMain& w, const QString& rule, const QString& property = {}) {
        const QModelIndex node = findItem(w.TreeViewStruct, rule);
        ASSERT_TRUE(node.isValid());
        w.TreeViewStruct->setCurrentIndex(node);
        w.TreeViewStructClick();
        if (property.isEmpty()) return;
        QTreeWidgetItem* item = findItem(w.TreeViewTarget, property);
        ASSERT_NE(item, nullptr);
        w.TreeViewTarget->setCurrentItem(item);
        w.TreeViewTargetClick(false);
    }
    static void choose(TfrmMain& w, const QString& text) {
        QComboBox* box = w.valueArea().CmbBoxCommon;
        const int i = box->findText(text);
        ASSERT_GE(i, 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    static std::string value(TfrmMain& w, const char* rule, const char* property) {
        const CssRuleNode* r = w.Document.GetNodeParent(rule);
        return r ? currentValue(w.Document, &r->Data, property).value_or("-") : "no rule";
    }
    // What the window shows: the selected rule and property, and the saved state.
    static std::string shown(TfrmMain& w) {
        settle();
        const CssRuleNode* rule = w.ruleOfNode(w.TreeViewStruct->currentIndex());
        const TData* property = w.targetRecordOf(w.CurTargetNode);
        return (rule ? std::string(rule->Data.Selector) : "none") + "/" +
               (property && rule ? property->Name : "") + " " +
               (w.StatusBar->savedState() == QStringLiteral("保存済み") ? "saved" : "unsaved");
    }
    static void key(QWidget* focus, Qt::Key k, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        focus->setFocus();
        settle();
        QTest::keyClick(focus, k, mods);
        settle();
    }
};

TEST_F(History, KeysUndoTheFocusedPanesOwnEditsElseTheDocumentsChanges) {
    auto w = open();
    select(*w, "エレメント/H1", "テキスト/text-align");
    choose(*w, "left");
    select(*w, "エレメント/P");
    ASSERT_EQ(value(*w, "H1", "text-align"), "left");

    // In the rule tree: the document's history, whose step the hint names.
    w->TreeViewStruct->setFocus();
    settle();
    EXPECT_TRUE(w->EditUndo1->isEnabled());
    EXPECT_TRUE(w->EditUndo1->statusTip().contains(QStringLiteral("「H1」の text-align の変更")));
    key(w->TreeViewStruct, Qt::Key_Z);
    EXPECT_EQ(value(*w, "H1", "text-align"), "center");
    EXPECT_EQ(shown(*w), "H1/text-align saved");
    EXPECT_NE(w->RichEditSrc->Text().find("text-align : center ;"), std::string::npos);
    key(w->TreeViewTarget, Qt::Key_Y);
    EXPECT_EQ(value(*w, "H1", "text-align"), "left");
    EXPECT_EQ(shown(*w), "H1/text-align unsaved");
    key(w->TreeViewTarget, Qt::Key_Z);
    key(w->TreeViewTarget, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(value(*w, "H1", "text-align"), "left");

    // In the source pane with edits of its own: the pane's history, the document untouched.
    w->PageControlSrc->setCurrentIndex(1);
    TAFEdit* pane = w->RichEditSrc;
    const std::string regenerated = pane->Text();
    key(pane, Qt::Key_X, Qt::NoModifier);
    EXPECT_EQ(w->EditUndo1->statusTip(), QStringLiteral("直前の変更を元に戻す"));
    key(pane, Qt::Key_Z);
    EXPECT_EQ(pane->Text(), regenerated);
    EXPECT_EQ(value(*w, "H1", "text-align"), "left");
    // Its edit undone, the pane still holds it to redo: the keys stay the pane's.
    EXPECT_FALSE(w->EditUndo1->isEnabled());
    key(pane, Qt::Key_Z);
    EXPECT_EQ(value(*w, "H1", "text-align"), "left");
    key(pane, Qt::Key_Y);
    EXPECT_NE(pane->Text(), regenerated);
    key(pane, Qt::Key_Z);

    // Back in the rule tree the document's history again; the pane follows the rules.
    w->PageControlSrc->setCurrentIndex(0);
    key(w->TreeViewStruct, Qt::Key_Z);
    EXPECT_EQ(value(*w, "H1", "text-align"), "center");
    EXPECT_TRUE(messages->confirms.isEmpty());  // the pane held nothing of its own to drop
    EXPECT_NE(pane->Text().find("text-align : center ;"), std::string::npos);
    EXPECT_FALSE(w->EditUndo1->isEnabled());
    EXPECT_TRUE(w->EditRedo1->isEnabled());
}

TEST_F(History, AHandEditTakenInByASaveIsOneStepAndSavingKeepsTheHistory) {
    auto w = open();
    select(*w, "エレメント/P");
    w->DelItemExecute();
    w->FileSaveExecute();
    EXPECT_EQ(shown(*w), "none/ saved");

    w->PageControlSrc->setCurrentIndex(1);
    TAFEdit* pane = w->RichEditSrc;
    pane->SetText("EM { color: red; }\r\n");
    w->FileSaveExecute();
    ASSERT_EQ(value(*w, "EM", "color"), "red");
    EXPECT_FALSE(pane->CanUndo());  // the pane shows the file: nothing of its own left

    key(pane, Qt::Key_Z);
    EXPECT_EQ(value(*w, "EM", "color"), "no rule");
    EXPECT_EQ(value(*w, "H1", "text-align"), "center");
    EXPECT_EQ(shown(*w), "none/ unsaved");
    key(pane, Qt::Key_Z);  // and the deletion before the save, with the rule selected again
    EXPECT_EQ(value(*w, "P", "margin"), "0");
    EXPECT_EQ(shown(*w), "P/ unsaved");
    key(pane, Qt::Key_Y);
    key(pane, Qt::Key_Y);
    EXPECT_EQ(value(*w, "EM", "color"), "red");
    EXPECT_EQ(shown(*w), "none/ saved");
    EXPECT_FALSE(w->fileCommands().needsSaving());  // the save question sees no change

    // Undone, the question comes; opening starts a new history.
    key(pane, Qt::Key_Z);
    w->FileOpenCSSAccept(file);
    EXPECT_EQ(messages->confirms.size(), 1);
    EXPECT_FALSE(w->historyCommands().history().canUndo());
}

}  // namespace
}  // namespace pavik::test
