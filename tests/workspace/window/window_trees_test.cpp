// Rule tree, rule selection, property tree and the preview rebuild in the main window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "platform/qt_text.h"
#include "components/a_led.h"
#include "window_support.h"
#include "workspace/window/file_commands.h"

namespace pavik::test {
namespace {

const std::string kSheet =
    "/* headings */\r\n"
    "H1 { color: red; margin-top: 2px; }\r\n"
    "A { color: blue; }\r\n"
    "A:hover { color: green; }\r\n"
    "A.red { color: red; }\r\n"
    "DIV P { padding: 0; }\r\n"
    ".note { border-left-width: 1px; }\r\n"
    "TD { COLOR: black; }\r\n";

class Trees : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> open(const std::string& sheet = kSheet) { return openSheet(sheet); }
    // Selects a node the way a left click does and runs the click handler.
    static void click(TfrmMain& w, const QModelIndex& item) {
        ASSERT_TRUE(item.isValid());
        w.TreeViewStruct->setCurrentIndex(item);
        w.TreeViewStructClick();
    }
};

TEST_F(Trees, FlatAndGroupedStyles) {
    auto w = open();
    EXPECT_EQ(outline(w->TreeViewStruct),
              std::string("エレメント\n  A\n  A:hover\n  DIV P\n  H1\n  TD\n"
                             "クラス\n  .note\n  A.red\n"));
    w->ChangeCSStree->trigger();  // grouped
    EXPECT_TRUE(w->ChangeCSStree->isChecked());
    EXPECT_EQ(outline(w->TreeViewStruct),
              std::string("エレメント\n  A\n    A\n    A.red\n    A:hover\n  DIV\n    DIV P\n"
                             "  H1\n    H1\n  TD\n    TD\nクラス\n  .note\n"));
    EXPECT_EQ(w->TreeViewStruct->currentIndex(), w->ElementBaseNode);
    EXPECT_FALSE(w->CurStructNode.isValid());
    w->ChangeCSStree->trigger();  // flat again
    EXPECT_EQ(w->TreeViewStruct->model()->rowCount(w->ClassBaseNode), 2);
}

TEST_F(Trees, ClickOnARuleFillsThePropertyTreeAndNavigates) {
    auto w = open();
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    EXPECT_EQ(w->CurStructNode, findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    ASSERT_FALSE(browser->navigations.empty());
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("H1"));
    EXPECT_EQ(browser->navigations.back().path, w->PreviewHTMLPath);
    EXPECT_EQ(w->valueArea().GroupBoxTagInfo->title(), QStringLiteral("H1"));
    EXPECT_EQ(w->valueArea().lblTagInfo->text(), QStringLiteral("クラス"));  // group 11 after reading

    // Categories at the root, collapsed; H1's own properties marked.
    ASSERT_GT(w->TreeViewTarget->topLevelItemCount(), 3);
    EXPECT_EQ(w->TreeViewTarget->topLevelItem(0)->text(0), QStringLiteral("テキスト"));
    for (int i = 0; i < w->TreeViewTarget->topLevelItemCount(); ++i)
        EXPECT_FALSE(w->TreeViewTarget->topLevelItem(i)->isExpanded());
    QTreeWidgetItem* color = findItem(w->TreeViewTarget, QStringLiteral("テキスト/color"));
    QTreeWidgetItem* marginTop = findItem(w->TreeViewTarget, QStringLiteral("ボックス/margin/margin-top"));
    QTreeWidgetItem* margin = findItem(w->TreeViewTarget, QStringLiteral("ボックス/margin"));
    ASSERT_NE(color, nullptr);
    ASSERT_NE(marginTop, nullptr);
    ASSERT_NE(margin, nullptr);
    EXPECT_EQ(w->targetRecordOf(color)->Kind, 1);
    EXPECT_EQ(w->targetRecordOf(marginTop)->Name, "margin-top");
    EXPECT_EQ(w->targetImageOf(color), ImagePropertySet);
    EXPECT_EQ(w->targetImageOf(marginTop), ImagePropertySet);
    EXPECT_EQ(w->targetImageOf(margin), ImagePropertyUnset);

    // Rebuilding the rule tree selects no rule: the tag information names none.
    w->ChangeCSStree->trigger();
    EXPECT_FALSE(w->CurStructNode.isValid());
    EXPECT_TRUE(w->valueArea().GroupBoxTagInfo->title().isEmpty());
}

// Rules that would share an anchor each go to their own sample, also after a rebuild.
TEST_F(Trees, RulesSharingAnAnchorGoToTheirOwnSamples) {
    auto w = open("DIV P{} DIV.a P{} .a .b{} .c .b{} .red{} .red:hover{}");
    const std::pair<QString, QString> own[] = {{"エレメント/DIV P", "DIV_P"}, {"クラス/DIV.a P", "DIV_P_2"},
                                               {"クラス/.c .b", "_.b_2"}, {"クラス/.red:hover", ".red_2"}};
    for (const auto& [node, anchor] : own) {
        click(*w, findItem(w->TreeViewStruct, node));
        EXPECT_EQ(browser->navigations.back().anchor, anchor) << node.toStdString();
    }
    w->RefreshExecute();
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral(".red_2"));
}

TEST_F(Trees, AnchorsOfDescendantPseudoClassAndClassRules) {
    auto w = open();
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/DIV P")));
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("DIV_P"));
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/A:hover")));
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("A"));
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("クラス/.note")));
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral(".note"));
    // A rule without element gets the properties of every element; its own is marked.
    QTreeWidgetItem* side = findItem(w->TreeViewTarget, QStringLiteral("ボックス/border-width/border-left-width"));
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(w->targetImageOf(side), ImagePropertySet);
    EXPECT_NE(findItem(w->TreeViewTarget, QStringLiteral("ボックス/スクロールバー/scrollbar-face-color")), nullptr)
        << outline(w->TreeViewTarget);
}

TEST_F(Trees, CapitalisedPropertyDoesNotMarkAndBaseAndGroupNodes) {
    auto w = open();
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/TD")));
    QTreeWidgetItem* color = findItem(w->TreeViewTarget, QStringLiteral("テキスト/color"));
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(w->targetImageOf(color), ImagePropertyUnset);
    const std::string before = outline(w->TreeViewTarget);
    const size_t navigations = browser->navigations.size();

    // A base node: lamps off, property tree kept, no navigation.
    w->BrowserStateChange(1, 1, 1);
    click(*w, w->ClassBaseNode);
    EXPECT_FALSE(w->valueArea().ALedIe5->Value());
    EXPECT_EQ(outline(w->TreeViewTarget), before);
    EXPECT_EQ(browser->navigations.size(), navigations);

    // A group node does nothing at all.
    w->ChangeCSStree->trigger();
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/TD/TD")));
    const std::string grouped = outline(w->TreeViewTarget);
    w->BrowserStateChange(1, 1, 1);
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/TD")));
    EXPECT_TRUE(w->valueArea().ALedIe5->Value());
    EXPECT_EQ(outline(w->TreeViewTarget), grouped);
}

TEST_F(Trees, SupportLevelsShowOnTheLamps) {
    auto w = open();
    w->BrowserStateChange(0, 1, 2);
    EXPECT_TRUE(w->valueArea().ALedIe5->Value());
    EXPECT_EQ(w->valueArea().ALedIe5->TrueColor(), clRed);
    EXPECT_TRUE(w->valueArea().ALedIe5->isBlinking());
    EXPECT_EQ(w->valueArea().ALedNS4->TrueColor(), clGreen);
    EXPECT_FALSE(w->valueArea().ALedNS4->isBlinking());
    EXPECT_EQ(w->valueArea().ALedNS6->TrueColor(), clYellow);
    EXPECT_TRUE(w->valueArea().ALedNS6->Value());
    // A rule read from a file has no support information: every lamp goes out.
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    for (TALed* lamp : {w->valueArea().ALedIe5, w->valueArea().ALedNS4, w->valueArea().ALedNS6}) {
        EXPECT_FALSE(lamp->Value());
        EXPECT_FALSE(lamp->isBlinking());
    }
}

TEST_F(Trees, RightClickSelectsTheRuleAndEmptySpaceClearsTheSelection) {
    auto w = open();
    w->resize(900, 700);
    settle();
    const QModelIndex h1 = findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1"));
    const QPoint at = w->TreeViewStruct->visualRect(h1).center();
    QMouseEvent right(QEvent::MouseButtonPress, at, w->TreeViewStruct->viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w->TreeViewStruct->viewport(), &right);
    EXPECT_EQ(w->CurStructNode, h1);
    EXPECT_GT(w->TreeViewTarget->topLevelItemCount(), 0);

    const QPoint empty(5, w->TreeViewStruct->viewport()->height() - 3);
    ASSERT_FALSE(w->TreeViewStruct->indexAt(empty).isValid());
    QMouseEvent left(QEvent::MouseButtonPress, empty, w->TreeViewStruct->viewport()->mapToGlobal(empty),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->TreeViewStruct->viewport(), &left);
    EXPECT_FALSE(w->TreeViewStruct->currentIndex().isValid());
}

TEST_F(Trees, RulesWithTheSameSelectorKeepTheirOwnProperties) {
    auto w = open("P { color: red; }\r\nP { margin: 0; }\r\n");
    const QModelIndex base = w->ElementBaseNode;
    ASSERT_EQ(w->TreeViewStruct->model()->rowCount(base), 2);
    click(*w, child(base, 1));
    EXPECT_EQ(w->ruleOfNode(w->CurStructNode)->Declarations.front().Name, "margin");
    QTreeWidgetItem* margin = findItem(w->TreeViewTarget, QStringLiteral("ボックス/margin"));
    QTreeWidgetItem* color = findItem(w->TreeViewTarget, QStringLiteral("テキスト/color"));
    EXPECT_EQ(w->targetImageOf(margin), ImagePropertySet);
    EXPECT_EQ(w->targetImageOf(color), ImagePropertyUnset);
}

TEST_F(Trees, GroupOutsideTheTableShowsNoTagInformation) {
    auto w = open();
    const QModelIndex h1 = findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1"));
    w->ruleOfNode(h1)->Data.Group = 12;
    click(*w, h1);
    EXPECT_TRUE(w->valueArea().lblTagInfo->text().isEmpty());
    w->ruleOfNode(h1)->Data.Group = 1;
    click(*w, h1);
    EXPECT_EQ(w->valueArea().lblTagInfo->text(), QStringLiteral("ブロックレベル"));
}

TEST_F(Trees, RebuildKeepsSavedStateAndAlwaysReloadsThePane) {
    auto w = open();
    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/A:hover")));
    const std::string text = w->RichEditSrc->Text();
    EXPECT_EQ(text.rfind("/* Generator Pavik - Build155 - on ", 0), 0u);
    EXPECT_NE(text.find("H1 {\r\ncolor : red ;\r\nmargin-top : 2px ;\r\n}"), std::string::npos);
    EXPECT_EQ(w->PageControlSrc->isTabVisible(1), true);

    w->bCSSSaved = false;
    w->RefreshExecute();
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("未保存"));
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("A"));

    // Not applied: no preview style sheet, no link, but the pane shows the new text.
    QFile::remove(w->PreviewCSSPath);
    w->bApplyCSS = false;
    w->ruleOfNode(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")))->Declarations[0].Value = "green";
    w->RefreshExecute();
    EXPECT_FALSE(QFileInfo::exists(w->PreviewCSSPath));
    EXPECT_NE(w->RichEditSrc->Text().find("H1 {\r\ncolor : green ;"), std::string::npos);
    QFile page(w->PreviewHTMLPath);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_FALSE(page.readAll().contains("<link"));
    EXPECT_FALSE(w->PageControlSrc->isTabVisible(1));
    EXPECT_FALSE(w->bCSSSaved);
}

TEST_F(Trees, RebuildOverAnEditedPaneAsksFirstAndKeepsItUnsaved) {
    auto w = open();
    // No keeps the pane, Yes reloads it; the state stays unsaved either way.
    w->RichEditSrc->InsertString("y");
    w->RefreshExecute();
    ASSERT_EQ(messages->confirms.size(), 1);
    EXPECT_NE(w->RichEditSrc->Text().find('y'), std::string::npos);
    EXPECT_TRUE(w->fileCommands().rulesChanged());  // a save will ask which to keep
    messages->answer = true;
    w->RefreshExecute();
    EXPECT_EQ(messages->confirms.size(), 2);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_FALSE(w->bCSSCanUndo);
    EXPECT_EQ(w->RichEditSrc->Text().find('y'), std::string::npos);
}

TEST_F(Trees, ResizeRewrapsTheHtmlPaneAndKeepsItsEdits) {
    auto w = open();
    std::string page;
    for (int i = 0; i < 40; ++i) page += "<p>word" + std::to_string(i) + "</p> ";
    w->EditHTML->SetText(page);
    w->bHTMLSaved = false;
    ASSERT_EQ(w->EditHTML->core().RowCount(), 1);
    // A user page is chosen: the HTML page shows.
    w->CmbBoxPreviewHTML->addItem(QStringLiteral("/pages/page.html"));
    w->CmbBoxPreviewHTML->setCurrentIndex(1);
    w->Refresh_Status();
    w->PageControlDown->setCurrentIndex(1);
    settle();
    const int rowsWide = w->EditHTML->core().RowCount();
    EXPECT_GT(rowsWide, 1);
    EXPECT_EQ(w->EditHTML->DefWrapPos(), w->EditHTML->width() / 7);

    w->resize(w->width() - 250, w->height());
    settle();
    EXPECT_EQ(w->EditHTML->DefWrapPos(), w->EditHTML->width() / 7);
    EXPECT_GT(w->EditHTML->core().RowCount(), rowsWide);
    EXPECT_EQ(w->EditHTML->Text().substr(0, page.size()), page);
    EXPECT_FALSE(w->bHTMLSaved);
}

TEST_F(Trees, UnwritablePreviewFileIsReportedAndThePaneStillReloads) {
    QDir(home()).mkpath(QStringLiteral("Pavik$$Preview$$.CSS"));  // a folder where the file goes
    auto w = open();
    ASSERT_FALSE(messages->errors.isEmpty());
    EXPECT_TRUE(messages->errors.front().contains(QStringLiteral("Pavik$$Preview$$.CSS")));
    EXPECT_NE(w->RichEditSrc->Text().find("H1 {"), std::string::npos);
    const std::string tree = outline(w->TreeViewStruct);
    EXPECT_EQ(std::count(tree.begin(), tree.end(), '\n'), 9);
}

TEST_F(Trees, AtRuleBlocksAreToldOnceAfterTheWindowIsShown) {
    file = writeFile("media.css", "@media print { H1 { color: red; } }\r\nP { color: blue; }\r\n");
    auto w = makeWindow({file});
    settle();
    EXPECT_TRUE(messages->infos.isEmpty());  // not before the window is on screen
    showAndSettle(*w);
    ASSERT_EQ(messages->infos.size(), 1);
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("@media")));
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("media.css")));
    w->RefreshExecute();
    settle();
    EXPECT_EQ(messages->infos.size(), 1);
}

TEST_F(Trees, OpeningTellsWhatIsKeptAndExpandedAndThePreviewCarriesIt) {
    std::string sheet = "P { color: blue; &:hover { color: red } }\r\n";
    for (int i = 1; i <= 12; ++i) sheet += "@media" + std::to_string(i) + " x { H1 { color: red } }\r\n";
    auto w = open(sheet);
    settle();
    ASSERT_EQ(messages->infos.size(), 1);
    EXPECT_EQ(messages->infos[0], QStringLiteral(
        "スタイルシート [ style.css ] について:\n"
        "@media1, @media2, @media3, @media4, @media5, @media6, @media7, @media8, @media9, @media10 ほか 2 種類"
        " はファイルにそのまま残りますが、ここでは編集できません。\n入れ子の規則は通常の規則に展開しました。"));
    EXPECT_EQ(outline(w->TreeViewStruct), std::string("エレメント\n  P\n  P:hover\nクラス\n"));
    // The preview style sheet and the pane hold the blocks as written, after the rules.
    QFile css(w->PreviewCSSPath);
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    const std::string written = css.readAll().toStdString();
    EXPECT_EQ(written, "@charset \"Shift_JIS\";\r\n" + w->RichEditSrc->Text());
    EXPECT_LT(written.find("P:hover {"), written.find("@media1 x { H1 { color: red } }\r\n\r\n@media2 x"));
    // A sheet without at-rules or nesting says nothing.
    auto plain = open("P { color: blue; }\r\n");
    settle();
    EXPECT_TRUE(messages->infos.isEmpty());
}

TEST_F(Trees, UnreadableFileLeavesOnlyTheBaseNodes) {
    auto w = makeWindow({QDir(home()).filePath(QStringLiteral("missing.css"))});
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(QStringLiteral("missing.css")));
    EXPECT_EQ(outline(w->TreeViewStruct), "エレメント\nクラス\n");
}

}  // namespace
}  // namespace pavik::test
