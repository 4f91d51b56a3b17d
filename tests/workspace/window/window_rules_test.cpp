// The rule commands of the main window: a rule added through the selector chooser, a rule
// deleted, and what the trees, the pane and the preview show afterwards.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "components/a_led.h"
#include "dialogs/dlg_new_class.h"
#include "dialogs/frm_css_select.h"
#include "window_support.h"
#include "workspace/window/file_commands.h"

namespace pavik::test {
namespace {

class Rules : public WindowTest {
protected:
    // The chooser is shown, played with real clicks and keys, and closed with its OK button.
    void playChooser(std::function<void(TfrmCSSSelect&)> play) {
        answerDialog = [play](QDialog& d) {
            auto& chooser = dynamic_cast<TfrmCSSSelect&>(d);
            chooser.show();
            play(chooser);
            QTest::mouseClick(chooser.BitBtnOK, Qt::LeftButton);
            return chooser.result();
        };
    }
    static void clickNode(QTreeWidget* tree, QTreeWidgetItem* item) {
        ASSERT_NE(item, nullptr);
        item->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
    static void clickNode(QTreeView* tree, const QModelIndex& node) {
        ASSERT_TRUE(node.isValid());
        tree->scrollTo(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(node).center());
    }
    static void clickPage(QTabWidget* pages, int index) {
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(index).center());
    }
    static std::string selectors(const StyleDocument& doc) {
        std::string out;
        for (const auto& r : doc.rules()) out += r->Data.Selector + "|";
        return out;
    }
};

TEST_F(Rules, AChosenRuleIsAddedSelectedAndShown) {
    auto w = openSheet("P { color: red; }\r\n");
    ASSERT_TRUE(w->cssBasic->isEnabled());
    playChooser([](TfrmCSSSelect& c) {
        clickNode(c.TVcssBasic, findItem(c.TVcssBasic, "A/:hover"));
        clickPage(c.PageControlCSS, SelectorPageClass);
        QTest::keyClicks(c.EditClassChild, QStringLiteral("red"));
    });
    w->cssBasic->trigger();

    ASSERT_EQ(w->Document.ruleCount(), 2u);
    const TData2& added = w->Document.rules()[1]->Data;
    EXPECT_EQ((std::array<std::string_view, 3>{added.Selector, added.Name, added.CssClass}), (std::array<std::string_view, 3>{"A.red:hover", "A", "red"}));
    EXPECT_EQ((std::array{added.IE, added.NS4, added.NS6, added.Group}), (std::array{1, 0, 1, 6}));
    EXPECT_EQ(outline(w->TreeViewStruct), "エレメント\n  P\nクラス\n  A.red:hover\n");
    const QModelIndex node = findItem(w->TreeViewStruct, QStringLiteral("クラス/A.red:hover"));
    EXPECT_EQ(w->TreeViewStruct->currentIndex(), node);
    EXPECT_EQ(w->CurStructNode, node);
    EXPECT_NE(findItem(w->TreeViewTarget, QStringLiteral("テキスト/color")), nullptr);
    EXPECT_EQ(w->valueArea().lblTagInfo->text(), QStringLiteral("リンク"));
    EXPECT_EQ(w->valueArea().ALedIe5->TrueColor(), 0x008000);
    EXPECT_TRUE(w->valueArea().ALedNS4->Blink());
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("A.red"));
    EXPECT_NE(w->RichEditSrc->Text().find("A.red:hover {"), std::string::npos);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_TRUE(w->DelItem->isEnabled());
}

TEST_F(Rules, AnExistingSelectorOrCancelAddsNothing) {
    auto w = openSheet("A { color: blue; }\r\nDIV,SPAN { margin: 0; }\r\n");
    const std::string pane = w->RichEditSrc->Text();
    playChooser([](TfrmCSSSelect& c) { clickNode(c.TVcssBasic, findItem(c.TVcssBasic, "A")); });
    w->cssBasic->trigger();
    answerDialog = [](QDialog&) { return int(QDialog::Rejected); };
    w->cssBasic->trigger();

    EXPECT_EQ(selectors(w->Document), "A|DIV,SPAN|");
    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(w->RichEditSrc->Text(), pane);
}

TEST_F(Rules, AClassFromTheNewClassDialogIsAddedOnce) {
    auto w = openSheet("P { color: red; }\r\n.note { margin: 0; }\r\n");
    const auto addClass = [&](const QString& name) {
        answerDialog = [name](QDialog& d) {
            auto& dialog = dynamic_cast<TdlgNewClass&>(d);
            dialog.show();
            dialog.EditNewClass->insert(name);  // as an input method commits it
            QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
            return dialog.result();
        };
        w->cssClass->trigger();
    };
    addClass(QStringLiteral("note"));  // exists already
    EXPECT_TRUE(w->bCSSSaved);
    addClass(QStringLiteral("見出し"));
    EXPECT_EQ(selectors(w->Document), "P|.note|.\x8c\xa9\x8f\x6f\x82\xb5|");
    const TData2& added = w->Document.rules()[2]->Data;
    EXPECT_EQ((std::array<std::string_view, 2>{added.Name, added.CssClass}), (std::array<std::string_view, 2>{"", "\x8c\xa9\x8f\x6f\x82\xb5"}));
    EXPECT_EQ((std::array{added.IE, added.NS4, added.NS6, added.Group}), (std::array{3, 3, 3, 11}));
    EXPECT_EQ(w->CurStructNode, findItem(w->TreeViewStruct, QStringLiteral("クラス/.見出し")));
    EXPECT_EQ(w->valueArea().lblTagInfo->text(), QStringLiteral("クラス"));
    EXPECT_NE(w->RichEditSrc->Text().find(".\x8c\xa9\x8f\x6f\x82\xb5 {"), std::string::npos);
    EXPECT_FALSE(w->bCSSSaved);
}

TEST_F(Rules, ThePaneFollowsAsAfterEveryChange) {
    auto w = openSheet("P { color: red; }\r\nH1 { color: blue; }\r\n");
    // Automatic refresh off: the rule is added, the pane stays, a save will regenerate it.
    w->bAutoRefresh = false;
    const std::string pane = w->RichEditSrc->Text();
    playChooser([](TfrmCSSSelect& c) { clickNode(c.TVcssBasic, findItem(c.TVcssBasic, "DIV")); });
    w->cssBasic->trigger();
    EXPECT_EQ(selectors(w->Document), "P|H1|DIV|");
    EXPECT_EQ(w->RichEditSrc->Text(), pane);
    EXPECT_TRUE(w->fileCommands().rulesChanged());

    // A deletion over hand edits asks first; No keeps the pane as the user left it.
    w->RichEditSrc->InsertString("y");
    const std::string edited = w->RichEditSrc->Text();
    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    w->DelItem->trigger();
    EXPECT_EQ(messages->confirms.size(), 1);
    EXPECT_EQ(selectors(w->Document), "P|DIV|");
    EXPECT_EQ(w->RichEditSrc->Text(), edited);
    EXPECT_TRUE(w->fileCommands().rulesChanged());
}

TEST_F(Rules, TheClickedRuleIsDeletedNotItsNamesake) {
    const std::string sheet = "P { color: red; }\r\nP { margin: 0; }\r\nH1 { color: blue; }\r\n";
    for (int which : {0, 1}) {
        auto w = openSheet(sheet);
        EXPECT_FALSE(w->DelItem->isEnabled());  // the element base node is selected
        const QModelIndex element = w->ElementBaseNode;
        ASSERT_EQ(w->TreeViewStruct->model()->rowCount(element), 3);
        clickNode(w->TreeViewStruct, child(element, 1 + which));
        ASSERT_TRUE(w->DelItem->isEnabled());
        clickNode(w->TreeViewTarget, findItem(w->TreeViewTarget, QStringLiteral("テキスト")));
        clickNode(w->TreeViewTarget, findItem(w->TreeViewTarget, QStringLiteral("テキスト/color")));
        ASSERT_NE(w->CurTargetNode, nullptr);

        w->DelItem->trigger();
        EXPECT_EQ(outline(w->TreeViewStruct), "エレメント\n  H1\n  P\nクラス\n");
        EXPECT_FALSE(w->CurStructNode.isValid());
        EXPECT_EQ(w->CurTargetNode, nullptr);
        EXPECT_EQ(w->TreeViewTarget->topLevelItemCount(), 0);
        EXPECT_FALSE(w->DelItem->isEnabled());
        EXPECT_FALSE(w->bCSSSaved);
        EXPECT_TRUE(w->valueArea().GroupBoxTagInfo->title().isEmpty());

        // The pane holds the regenerated sheet: the other P with its declaration.
        const std::string pane = w->RichEditSrc->Text();
        const char* kept = which == 0 ? "margin : 0 ;" : "color : red ;";
        const char* gone = which == 0 ? "color : red ;" : "margin : 0 ;";
        EXPECT_NE(pane.find(kept), std::string::npos) << pane;
        EXPECT_EQ(pane.find(gone), std::string::npos) << pane;
        EXPECT_NE(pane.find("color : blue ;"), std::string::npos) << pane;

        // Nothing is selected any more: a value editor and a second delete do nothing.
        w->CmbBoxCommonChange();
        w->DelItemExecute();
        EXPECT_EQ(selectors(w->Document), "P|H1|");
        EXPECT_EQ(w->Document.declarationCount(), 2u);
    }
}

TEST_F(Rules, DeleteFollowsTheHighlightedNodeAndIsOffOnGroupNodes) {
    auto w = openSheet("ABBR { color: blue; }\r\nP { margin: 0; }\r\n");
    w->ChangeCSStree->trigger();  // grouped
    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/P/P")));
    EXPECT_TRUE(w->DelItem->isEnabled());
    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/ABBR")));
    EXPECT_FALSE(w->DelItem->isEnabled());
    w->DelItemExecute();  // as a shortcut or menu would run it
    EXPECT_EQ(selectors(w->Document), "ABBR|P|");
    EXPECT_TRUE(w->bCSSSaved);

    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/ABBR/ABBR")));
    w->DelItem->trigger();
    EXPECT_EQ(selectors(w->Document), "P|");
}

TEST_F(Rules, DeletingTheLastRuleOfAGroupTakesItsGroupNode) {
    auto w = openSheet("A { color: blue; }\r\nA:hover { color: red; }\r\nP { margin: 0; }\r\n");
    w->ChangeCSStree->trigger();  // grouped
    ASSERT_EQ(outline(w->TreeViewStruct), "エレメント\n  A\n    A\n    A:hover\n  P\n    P\nクラス\n");
    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/P/P")));
    w->DelItem->trigger();
    clickNode(w->TreeViewStruct, findItem(w->TreeViewStruct, QStringLiteral("エレメント/A/A")));
    w->DelItem->trigger();
    EXPECT_EQ(outline(w->TreeViewStruct), "エレメント\n  A\n    A:hover\nクラス\n");
    EXPECT_EQ(selectors(w->Document), "A:hover|");
}

}  // namespace
}  // namespace pavik::test
