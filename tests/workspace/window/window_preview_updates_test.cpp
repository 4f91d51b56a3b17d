// What the window tells the browser: a value change names the rules it changed, so that the
// shown page keeps its style sheet and changes them in place; a click with nothing changed
// only scrolls; a rule beyond the page of a big sheet gets the page of the rules around it.
#include <QComboBox>
#include <QFile>
#include <QTreeWidget>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "platform/qt_text.h"
#include "workspace/document/sample_page.h"
#include "window_support.h"

namespace pavik::test {
namespace {

class PreviewUpdates : public WindowTest {
protected:
    static void click(TfrmMain& w, const QModelIndex& node) {
        w.TreeViewStruct->setCurrentIndex(node);
        w.TreeViewStructClick();
    }
    static void choose(TfrmMain& w, const QString& property, const QString& value) {
        QTreeWidgetItem* item = findItem(w.TreeViewTarget, property);
        ASSERT_NE(item, nullptr);
        w.TreeViewTarget->setCurrentItem(item);
        w.TreeViewTargetClick();
        QComboBox* box = w.valueArea().CmbBoxCommon;
        const int i = box->findText(value);
        ASSERT_GE(i, 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    static QString pageText(const TfrmMain& w) {
        QFile f(w.PreviewHTMLPath);
        return f.open(QIODevice::ReadOnly) ? fromCp932(f.readAll().toStdString()) : QString();
    }
};

TEST_F(PreviewUpdates, AValueChangeNamesItsRuleAndAClickOnlyScrolls) {
    auto w = openSheet("H1 { color: red }\n@media print { H1 { color: blue } }\n.a { top: 0 }\nH1 { left: 0 }\n");
    ASSERT_FALSE(browser->navigations.empty());
    EXPECT_FALSE(browser->navigations.back().change);  // the sheet is new to the browser

    click(*w, findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    ASSERT_TRUE(browser->navigations.back().change);
    EXPECT_TRUE(browser->navigations.back().change->rules.empty());  // only scrolled
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("H1"));

    choose(*w, QStringLiteral("テキスト/text-align"), QStringLiteral("right"));
    const FakeBrowser::Navigation& changed = browser->navigations.back();
    ASSERT_TRUE(changed.change);
    EXPECT_EQ(changed.path, w->PreviewHTMLPath);
    EXPECT_EQ(changed.anchor, QStringLiteral("H1"));
    EXPECT_EQ(changed.change->cssPath, w->PreviewCSSPath);
    EXPECT_EQ(changed.change->ruleCount, 3u);
    ASSERT_EQ(changed.change->rules.size(), 1u);
    EXPECT_EQ(changed.change->rules[0].index, 0u);  // the first H1, in file order
    EXPECT_EQ(changed.change->rules[0].selector, QStringLiteral("H1"));
    EXPECT_EQ(changed.change->rules[0].block, QStringLiteral("\r\ncolor : red ;\r\ntext-align : right ;\r\n"));
    ASSERT_TRUE(changed.change->ruleMap);
    QString map;
    changed.change->ruleMap([&map](const QString& text) { map = text; });
    EXPECT_EQ(map,
              QStringLiteral("H1 {\r\n--pavik-rule:0}\r\n@media print { H1 { color: blue } }\r\n\r\n"
                             ".a {\r\n--pavik-rule:1}\r\nH1 {\r\n--pavik-rule:2}\r\n"));

    // Refresh with nothing changed scrolls; removing a rule has the sheet read again.
    w->RefreshExecute();
    ASSERT_TRUE(browser->navigations.back().change);
    EXPECT_TRUE(browser->navigations.back().change->rules.empty());
    w->Document.removeRule(w->Document.rules()[1]);
    w->RefreshExecute();
    EXPECT_FALSE(browser->navigations.back().change);
    EXPECT_TRUE(messages->errors.isEmpty());
}

// A rebuild that would write the same page leaves the file be. A written page is a new file:
// a link to the one before tells whether the name still leads to it.
TEST_F(PreviewUpdates, TheSamplePageIsWrittenAgainOnlyWhenItWouldDiffer) {
    auto w = openSheet("H1 { color: red }\n.a { top: 0 }\nP { left: 0 }\n");
    const QByteArray page = QFile::encodeName(w->PreviewHTMLPath), before = page + ".before";
    const auto inode = [](const QByteArray& path) {
        struct stat st {};
        return ::stat(path.constData(), &st) == 0 ? st.st_ino : ino_t{0};
    };
    const auto select = [&](const char* rule) { click(*w, findItem(w->TreeViewStruct, QString::fromUtf8(rule))); };
    const struct {
        const char* what;
        std::function<void()> act;
        bool written;
    } steps[] = {
        {"a value change", [&] {
             select("エレメント/H1");
             choose(*w, QStringLiteral("テキスト/text-align"), QStringLiteral("right"));
         }, false},
        {"a refresh", [&] { w->RefreshExecute(); }, false},
        {"the page changed by another", [&] {
             QFile page(w->PreviewHTMLPath);
             ASSERT_TRUE(page.open(QIODevice::Append));
             page.write("<p>x</p>");
             page.close();
             w->RefreshExecute();
         }, true},
        {"the page deleted", [&] {
             w->DeletePreviewFiles();
             w->RefreshExecute();
         }, true},
        {"another document type", [&] {
             w->CmbBoxExDoctype->setCurrentIndex(w->CmbBoxExDoctype->currentIndex() == 1 ? 2 : 1);
             w->CmbBoxExDoctypeSelect();
         }, true},
        {"a rule deleted", [&] {
             select("エレメント/P");
             w->DelItemExecute();
         }, true},
        {"a value change after it", [&] {
             select("エレメント/H1");
             choose(*w, QStringLiteral("テキスト/text-align"), QStringLiteral("left"));
         }, false},
    };
    for (const auto& step : steps) {
        ::unlink(before.constData());
        ASSERT_EQ(::link(page.constData(), before.constData()), 0) << step.what;
        const QString text = pageText(*w);
        step.act();
        ASSERT_NE(inode(page), ino_t{0}) << step.what;
        EXPECT_EQ(inode(page) != inode(before), step.written) << step.what;
        if (!step.written) EXPECT_EQ(pageText(*w), text) << step.what;
    }
    ::unlink(before.constData());
    EXPECT_FALSE(pageText(*w).contains(QStringLiteral("<a name=\"P\">")));  // the deleted rule's sample went
    EXPECT_TRUE(messages->errors.isEmpty());
}

// The browser may read the map of a big sheet as soon as it shows it, not with the first
// change; of a small one it gets none.
TEST_F(PreviewUpdates, TheMapOfABigSheetIsOfferedWithItsPage) {
    const struct {
        const char* what;
        size_t rules;
        bool offered;
    } cases[] = {{"small", 3, false}, {"big", 10000, true}};
    for (const auto& c : cases) {
        std::string sheet;
        for (size_t i = 0; i < c.rules; ++i) sheet += ".c" + std::to_string(i) + " { top: 0 }\n";
        auto w = openSheet(sheet);
        ASSERT_FALSE(browser->learnt.empty()) << c.what;
        const StyleSheetChange& offered = browser->learnt.back();
        EXPECT_EQ(offered.cssPath, w->PreviewCSSPath) << c.what;
        EXPECT_EQ(offered.ruleCount, c.rules) << c.what;
        ASSERT_EQ(bool(offered.ruleMap), c.offered) << c.what;
        if (!c.offered) continue;
        QString map;
        offered.ruleMap([&map](const QString& text) { map = text; });
        EXPECT_TRUE(map.startsWith(QStringLiteral(".c0 {\r\n--pavik-rule:0}\r\n"))) << c.what;

        // A value change names its rule and offers nothing anew.
        const size_t before = browser->learnt.size();
        w->Document.rules()[5]->Declarations[0].Value = "auto";
        w->RefreshExecute();
        ASSERT_TRUE(browser->navigations.back().change) << c.what;
        EXPECT_EQ(browser->learnt.size(), before) << c.what;
        EXPECT_TRUE(messages->errors.isEmpty()) << c.what;
    }
}

TEST_F(PreviewUpdates, ARuleBeyondThePageOfABigSheetGetsThePageAroundIt) {
    std::string sheet;
    const size_t rules = WholePageNodes + PageWindowNodes;
    for (size_t i = 0; i < rules; ++i) sheet += ".c" + std::to_string(100000 + i) + " { top: 0 }\n";
    auto w = openSheet(sheet);
    const QString first = pageText(*w);
    EXPECT_TRUE(first.contains(QStringLiteral("<a name=\".c100000\">")));
    EXPECT_FALSE(first.contains(QStringLiteral("<a name=\".c104000\">")));
    EXPECT_TRUE(first.contains(QStringLiteral("規則 %1 個のうち %2 個の見本").arg(rules).arg(PageWindowNodes - 2)));

    const QAbstractItemModel* m = w->TreeViewStruct->model();
    const size_t before = browser->navigations.size();
    click(*w, m->index(5, 0, w->ClassBaseNode));  // on the page: scrolled
    ASSERT_EQ(browser->navigations.size(), before + 1);
    ASSERT_TRUE(browser->navigations.back().change);
    EXPECT_EQ(pageText(*w), first);

    click(*w, m->index(4000, 0, w->ClassBaseNode));  // beyond it: its own page, in the shown one's place
    EXPECT_FALSE(browser->navigations.back().change);
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral(".c104000"));
    const QByteArray head = browser->navigations.back().head;
    EXPECT_TRUE(head.endsWith("</HEAD><BODY>"));
    const QString second = pageText(*w);
    EXPECT_TRUE(first.startsWith(fromCp932(head.toStdString())));
    EXPECT_TRUE(second.startsWith(fromCp932(head.toStdString())));
    EXPECT_TRUE(second.contains(QStringLiteral("<a name=\".c104000\">")));
    EXPECT_FALSE(second.contains(QStringLiteral("<a name=\".c100000\">")));

    // A change there keeps that page and names its rule.
    w->Document.rules()[4000]->Declarations[0].Value = "auto";
    w->RefreshExecute();
    EXPECT_EQ(pageText(*w), second);
    ASSERT_TRUE(browser->navigations.back().change);
    ASSERT_EQ(browser->navigations.back().change->rules.size(), 1u);
    EXPECT_EQ(browser->navigations.back().change->rules[0].index, 4000u);
    EXPECT_TRUE(messages->errors.isEmpty());
}

}  // namespace
}  // namespace pavik::test
