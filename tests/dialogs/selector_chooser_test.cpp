// The selector chooser: its table, what a choice composes, the rule record it gives, and the
// dialog driven with the mouse and the keyboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <set>

#include "dialogs/frm_css_select.h"
#include "dialogs/selector_choice.h"
#include "dialogs/selector_table.h"
#include "vocabulary/element_tables.h"
#include "workspace/document/css_reader.h"

namespace pavik {
namespace {

// The row of an element ("A") or of a child row ("A:hover").
int row(std::string_view text) {
    for (int i = 0; i < SelectorRowCount; ++i)
        if (selectorRowText(i) == text) return i;
    ADD_FAILURE() << "no row " << text;
    return -1;
}

TEST(SelectorTable, RowsAsListed) {
    int elements = 0;
    std::set<std::string_view> names;
    for (int i = 0; i < SelectorRowCount; ++i) {
        const SelectorRow& r = SelectorTable[static_cast<size_t>(i)];
        const SelectorRow& element = SelectorTable[static_cast<size_t>(selectorElementRow(i))];
        EXPECT_EQ(r.Group, element.Group) << selectorRowText(i);
        for (int level : {r.IE, r.NS4, r.NS6}) EXPECT_TRUE(level >= 0 && level <= 2) << selectorRowText(i);
        if (r.Kind == 0) {
            ++elements;
            names.insert(r.Name);
        } else {
            EXPECT_EQ(r.Name.front(), ':');
        }
    }
    EXPECT_EQ(elements, 66);
    EXPECT_EQ(SelectorRowCount - elements, 130);
    // Every element of the element table, and four more.
    for (std::string_view tag : TagNames) EXPECT_EQ(names.erase(tag), 1u) << tag;
    EXPECT_EQ(names, (std::set<std::string_view>{"APPLET", "AREA", "LABEL", "OBJECT"}));

    EXPECT_EQ(selectorRowText(5), "A:hover");
    EXPECT_EQ(selectorRowText(SelectorRowCount - 1), "VAR");
    const struct {
        std::string_view text;
        int ie, ns4, ns6, group;
    } spots[] = {{"LABEL", 2, 0, 1, 9}, {"THEAD:hover", 0, 0, 0, 8}, {"CAPTION:first-letter", 1, 0, 0, 8}};
    for (const auto& s : spots) {
        const SelectorRow* r = selectorRow(row(s.text));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ((std::array{r->IE, r->NS4, r->NS6, r->Group}), (std::array{s.ie, s.ns4, s.ns6, s.group})) << s.text;
    }
}

SelectorChoice basic(std::string_view selected, std::vector<std::string> list = {}) {
    SelectorChoice c;
    c.row = selected.empty() ? -1 : row(selected);
    c.list = std::move(list);
    return c;
}

SelectorChoice withClass(std::string_view selected, std::string cssClass, int page = SelectorPageClass) {
    SelectorChoice c = basic(selected);
    c.page = page;
    c.cssClass = std::move(cssClass);
    return c;
}

SelectorChoice descendant(std::string_view parent, std::string_view child) {
    SelectorChoice c;
    c.page = SelectorPageChild;
    c.row = row("P");  // the upper tree's selection does not count here
    c.parentRow = parent.empty() ? -1 : row(parent);
    c.childRow = child.empty() ? -1 : row(child);
    return c;
}

TEST(SelectorChoice, ComposedOnEachPage) {
    SelectorChoice refused = withClass("A", "red");
    refused.classUsable = false;
    const struct {
        const char* what;
        SelectorChoice choice;
        std::optional<std::string> expected;
    } cases[] = {
        {"element", basic("A"), "A"},
        {"pseudo-class", basic("A:hover"), "A:hover"},
        {"list, in its order, duplicates kept", basic("P", {"SPAN", "DIV", "SPAN"}), "SPAN,DIV,SPAN"},
        {"nothing selected", basic(""), std::nullopt},
        {"a list but nothing selected", basic("", {"DIV"}), std::nullopt},
        {"class", withClass("A", "red"), "A.red"},
        {"class before the pseudo-class", withClass("A:hover", "red"), "A.red:hover"},
        {"double-byte class", withClass("P", "\x90\xd4"), "P.\x90\xd4"},
        {"class page without a class", withClass("A", ""), std::nullopt},
        {"class the new-class dialog refuses", refused, std::nullopt},
        {"class typed, basic page active", withClass("A", "red", SelectorPageBasic), "A"},
        {"descendant", descendant("DIV", "STRONG"), "DIV STRONG"},
        {"no parent", descendant("", "STRONG"), std::nullopt},
        {"HR is no parent", descendant("HR", "STRONG"), std::nullopt},
        {"a pseudo row is no child", descendant("DIV", "A:hover"), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(composeSelector(c.choice), c.expected) << c.what;
}

TEST(SelectorChoice, RecordsTakeTheChosenRowAndReadBackAlike) {
    const struct {
        const char* what;
        SelectorChoice choice;
        std::string name, cssClass;
        std::array<int, 4> levelsAndGroup;  // of the chosen row
    } cases[] = {
        {"list", basic("SPAN", {"DIV", "SPAN"}), "DIV", "", {1, 1, 1, 2}},
        {"list led by a pseudo-class", basic("P", {"A:hover", "P"}), "A", "", {1, 1, 1, 1}},
        {"pseudo-class", basic("A:visited"), "A", "", {1, 1, 2, 6}},
        {"class and pseudo-class", withClass("A:hover", "red"), "A", "red", {1, 0, 1, 6}},
        {"class typed, basic page active", withClass("LABEL", "red", SelectorPageBasic), "LABEL", "", {2, 0, 1, 9}},
        {"descendant: levels of the child", descendant("DIV", "LABEL"), "DIV", "", {2, 0, 1, 9}},
    };
    for (const auto& c : cases) {
        const std::optional<TData2> rule = newRuleRecord(c.choice);
        ASSERT_TRUE(rule) << c.what;
        EXPECT_EQ(rule->Selector, *composeSelector(c.choice)) << c.what;
        EXPECT_EQ(rule->Name, c.name) << c.what;
        EXPECT_EQ(rule->CssClass, c.cssClass) << c.what;
        EXPECT_EQ((std::array{rule->IE, rule->NS4, rule->NS6, rule->Group}), c.levelsAndGroup) << c.what;
        EXPECT_TRUE(rule->Value.empty() && rule->Comment.empty()) << c.what;

        // The rule as the reader gives it back from the written text.
        const CssReadResult read = AnalyzeCSS(rule->Selector + " {\r\ncolor : red ;\r\n}\r\n");
        ASSERT_EQ(read.Document.ruleCount(), 1u) << c.what;
        const TData2& back = read.Document.rules()[0]->Data;
        EXPECT_EQ((std::array{back.Selector, back.Name, back.CssClass}),
                  (std::array{rule->Selector, rule->Name, rule->CssClass}))
            << c.what;
    }
    EXPECT_FALSE(newRuleRecord(basic("")));
}

// ---- The dialog --------------------------------------------------------------------------

class Chooser : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<TfrmCSSSelect>(nullptr);
        dlg->ReportError = [this](const QString& text) { errors.append(text); };
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    // The node of a row text in a tree ("A" or "A/:hover").
    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& path) {
        const QStringList parts = path.split('/');
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            if (item->text(0) != parts[0]) continue;
            if (parts.size() == 1) return item;
            for (int k = 0; k < item->childCount(); ++k)
                if (item->child(k)->text(0) == parts[1]) return item->child(k);
        }
        ADD_FAILURE() << "no node " << path.toStdString();
        return nullptr;
    }
    static void click(QTreeWidget* tree, const QString& path, Qt::KeyboardModifiers keys = {}) {
        QTreeWidgetItem* item = node(tree, path);
        ASSERT_NE(item, nullptr);
        item->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, keys, tree->visualItemRect(item).center());
    }
    void page(int index) {
        QTabBar* bar = dlg->PageControlCSS->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(dlg->PageControlCSS->currentIndex(), index);
    }
    QToolButton* button(QAction* action) const {
        return dlg->findChild<QToolButton*>(QStringLiteral("Btn") + action->objectName());
    }
    std::vector<std::string> lines() const { return dlg->choice().list; }

    std::unique_ptr<TfrmCSSSelect> dlg;
    QStringList errors;
};

TEST_F(Chooser, OpensWithNothingChosenAndListsSeveralElements) {
    EXPECT_EQ(dlg->TVcssBasic->topLevelItemCount(), 66);
    EXPECT_EQ(node(dlg->TVcssBasic2, QStringLiteral("A"))->childCount(), 5);
    EXPECT_TRUE(dlg->RichEditBASIC->toPlainText().startsWith(QStringLiteral("■ 基本セレクタ ■")));
    EXPECT_TRUE(dlg->RichEditCLASS->toPlainText().startsWith(QStringLiteral("■ タグ指定範囲セレクタ ■")));
    EXPECT_TRUE(dlg->RichEditCHILD->toPlainText().startsWith(QStringLiteral("■ タグ範囲セレクタ ■")));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(dlg->LabelOkReason->text(), QStringLiteral("要素を選んでください"));
    EXPECT_TRUE(dlg->PanelTag->text().isEmpty());

    click(dlg->TVcssBasic, QStringLiteral("DIV"));
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("DIV"));
    EXPECT_TRUE(dlg->BitBtnOK->isEnabled());
    EXPECT_TRUE(dlg->LabelOkReason->text().isEmpty());
    click(dlg->TVcssBasic, QStringLiteral("SPAN"), Qt::ControlModifier);
    QTest::mouseClick(button(dlg->AddBasic), Qt::LeftButton);
    QTest::mouseClick(button(dlg->AddBasic), Qt::LeftButton);  // the same lines again
    EXPECT_EQ(lines(), (std::vector<std::string>{"DIV", "SPAN", "DIV", "SPAN"}));
    EXPECT_TRUE(dlg->DelBasic->isEnabled());
    EXPECT_EQ(*composeSelector(dlg->choice()), "DIV,SPAN,DIV,SPAN");

    // Lines selected in the list go; an empty list disables the delete button.
    QListWidget* list = dlg->ListBoxBasic;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    QTest::mouseClick(button(dlg->DelBasic), Qt::LeftButton);
    EXPECT_EQ(lines(), (std::vector<std::string>{"DIV", "SPAN", "SPAN"}));
    list->selectAll();
    QTest::mouseClick(button(dlg->DelBasic), Qt::LeftButton);
    EXPECT_FALSE(dlg->DelBasic->isEnabled());

    // Taking the last selected node away disables OK.
    click(dlg->TVcssBasic, QStringLiteral("SPAN"), Qt::ControlModifier);
    click(dlg->TVcssBasic, QStringLiteral("DIV"), Qt::ControlModifier);
    EXPECT_TRUE(dlg->TVcssBasic->selectedItems().isEmpty());
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_FALSE(newRuleRecord(dlg->choice()));
}

TEST_F(Chooser, EachPageShowsTheDrawingOfItsExampleWhole) {
    for (int i = 0; i < 3; ++i) {
        page(i);
        const QWidget* shown = dlg->PageControlCSS->currentWidget();
        const char* names[] = {"selector_basic", "selector_class", "selector_child"};
        const auto* image = shown->findChild<QLabel*>(QLatin1String(names[i]));
        ASSERT_NE(image, nullptr) << i;
        EXPECT_EQ(image->pixmap().size(), QSize(240, 56)) << i;
        EXPECT_TRUE(image->isVisible() && shown->rect().contains(image->geometry()) && image->height() >= 56) << i;
    }
}

TEST_F(Chooser, ClassPageTakesATypedClass) {
    click(dlg->TVcssBasic, QStringLiteral("A/:hover"));
    page(SelectorPageClass);
    EXPECT_TRUE(dlg->EditClassChild->hasFocus());
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("A:hover"));
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(dlg->LabelOkReason->text(), QStringLiteral("クラス名を入力してください"));
    QTest::keyClicks(dlg->EditClassChild, QStringLiteral("red"));
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("A.red:hover"));
    EXPECT_TRUE(dlg->BitBtnOK->isEnabled());

    QTest::keyClicks(dlg->EditClassChild, QStringLiteral(" x"));  // a blank: not a class
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(dlg->LabelOkReason->text(), QStringLiteral("空白や改行は使えません"));
    QTest::keyClick(dlg->EditClassChild, Qt::Key_Backspace);
    QTest::keyClick(dlg->EditClassChild, Qt::Key_Backspace);
    EXPECT_TRUE(dlg->BitBtnOK->isEnabled());

    page(SelectorPageBasic);
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("A:hover"));
    EXPECT_EQ(*composeSelector(dlg->choice()), "A:hover");  // the class counts on its page only
    page(SelectorPageClass);
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("A.red:hover"));
    EXPECT_EQ(*composeSelector(dlg->choice()), "A.red:hover");
}

TEST_F(Chooser, DescendantPageTakesAParentAndAChild) {
    page(SelectorPageChild);
    EXPECT_TRUE(dlg->TVcssBasic2->isVisible());
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(dlg->LabelOkReason->text(), QStringLiteral("親要素を選んでください"));
    click(dlg->TVcssBasic, QStringLiteral("DIV"));
    EXPECT_EQ(dlg->EditParent1->text(), QStringLiteral("DIV"));
    EXPECT_FALSE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(dlg->LabelOkReason->text(), QStringLiteral("子要素を選んでください"));
    click(dlg->TVcssBasic2, QStringLiteral("STRONG"));
    EXPECT_EQ(dlg->EditChild1->text(), QStringLiteral("STRONG"));
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("STRONG"));
    EXPECT_TRUE(dlg->BitBtnOK->isEnabled());

    // HR, OPTION and pseudo rows leave the edits as they are.
    click(dlg->TVcssBasic, QStringLiteral("HR"));
    click(dlg->TVcssBasic, QStringLiteral("P/:hover"));
    click(dlg->TVcssBasic2, QStringLiteral("A/:link"));
    EXPECT_EQ(dlg->EditParent1->text(), QStringLiteral("DIV"));
    EXPECT_EQ(dlg->EditChild1->text(), QStringLiteral("STRONG"));
    EXPECT_EQ(dlg->PanelTag->text(), QStringLiteral("A:link"));
    EXPECT_TRUE(dlg->BitBtnOK->isEnabled());
    EXPECT_EQ(newRuleRecord(dlg->choice())->Group, 2);  // STRONG's, not the pseudo row's

    // A node already selected on another page is taken when clicked again.
    page(SelectorPageBasic);
    click(dlg->TVcssBasic, QStringLiteral("TABLE"));
    page(SelectorPageChild);
    EXPECT_EQ(dlg->EditParent1->text(), QStringLiteral("DIV"));
    click(dlg->TVcssBasic, QStringLiteral("TABLE"));
    EXPECT_EQ(dlg->EditParent1->text(), QStringLiteral("TABLE"));
}

}  // namespace
}  // namespace pavik
