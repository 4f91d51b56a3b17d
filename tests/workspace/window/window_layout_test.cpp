// The main window's layout measured: texts of the sheet never size the window, names and
// keywords are readable whole, bands and panes stay in view.
#include <QComboBox>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <QTreeWidget>

#include "window_support.h"
#include "workspace/window/control_bar.h"
#include "workspace/window/value_area.h"

namespace pavik::test {
namespace {

const QString kLongSelector = QStringLiteral(
    "[list]:not([type=\"date\"]):not([type=\"datetime-local\"]):not([type=\"month\"]):not([type=\"week\"])"
    ":not([type=\"time\"])::-webkit-calendar-picker-indicator");

class WindowLayout : public WindowTest {
protected:
    // A left click on a node, its folders opened first, as the user makes it.
    static void click(QTreeWidget* tree, const QString& path) {
        QTreeWidgetItem* item = findItem(tree, path);
        ASSERT_NE(item, nullptr) << path.toStdString() << "\n" << outline(tree);
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        settle();
    }
    // The tooltip shown for a hover at `pos` of `w`; empty for none.
    static QString toolTipAt(QWidget* w, QPoint pos) {
        QHelpEvent help(QEvent::ToolTip, pos, w->mapToGlobal(pos));
        QApplication::sendEvent(w, &help);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        QTest::qWaitFor([] { return !QToolTip::isVisible(); });
        return text;
    }
};

TEST_F(WindowLayout, ALongSelectorNeitherWidensTheWindowNorSqueezesTheTrees) {
    auto w = openSheet((kLongSelector + " { display: none; }\r\nP { color: red; }\r\n").toStdString());
    const int window = w->width(), rules = w->PanelTopLeft->width(), properties = w->PanelTopCenter->width();
    click(w->TreeViewStruct, QStringLiteral("エレメント/") + kLongSelector);
    ElidedTitleBox* box = w->valueArea().GroupBoxTagInfo;
    EXPECT_EQ(w->width(), window);
    EXPECT_EQ(w->PanelTopLeft->width(), rules);
    EXPECT_EQ(w->PanelTopCenter->width(), properties);
    EXPECT_EQ(box->fullTitle(), kLongSelector);
    EXPECT_TRUE(box->title().endsWith(QChar(0x2026))) << box->title().toStdString();
    EXPECT_LT(box->fontMetrics().horizontalAdvance(box->title()), box->width());
    EXPECT_EQ(toolTipAt(box, QPoint(20, 4)), kLongSelector);

    // A short selector is shown whole, without a tooltip.
    click(w->TreeViewStruct, QStringLiteral("エレメント/P"));
    EXPECT_EQ(box->title(), QStringLiteral("P"));
    EXPECT_EQ(toolTipAt(box, QPoint(10, 4)), QString());
}

// The band of the document-type combo keeps its saved place in a wide window, is pulled into
// view in a narrower one and goes back when the window is wide again.
TEST_F(WindowLayout, TheDocumentTypeComboStaysInViewAsTheWindowNarrows) {
    writeSettings("[SYSTEM]\r\nwidth=1200\r\n[TB2Pos]\r\nmnuFile.left=0\r\ncmbPreview.left=140\r\ncmbDoctype.left=985\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    QWidget* combo = w->CmbBoxExDoctype;
    for (const int width : {1200, 800, 700, 1200}) {
        w->resize(width, w->height());
        settle();
        const QRect r = combo->geometry();
        EXPECT_LE(r.right(), w->ControlBarDown->width() - 1) << width;
        EXPECT_GE(r.left(), w->CmbBoxPreviewHTML->geometry().right()) << width;
        if (width == 1200) EXPECT_EQ(r.left(), 985);
    }
}

// Every property name shows whole in its column; where the pane cuts one off, hovering it
// shows it whole.
TEST_F(WindowLayout, PropertyNamesFitTheirColumn) {
    auto w = openSheet("BODY { color: red; }\r\n");
    click(w->TreeViewStruct, QStringLiteral("エレメント/BODY"));
    QTreeWidget* tree = w->TreeViewTarget;
    tree->expandAll();
    settle();
    QTreeWidgetItem* widest = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QRect r = tree->visualItemRect(*it);
        const int text = tree->fontMetrics().horizontalAdvance((*it)->text(0));
        EXPECT_GE(r.width(), tree->iconSize().width() + text) << (*it)->text(0).toStdString();
        if (!widest || text > tree->fontMetrics().horizontalAdvance(widest->text(0))) widest = *it;
    }
    ASSERT_NE(widest, nullptr);
    tree->scrollToItem(widest);
    tree->horizontalScrollBar()->setValue(0);
    const QRect r = tree->visualItemRect(widest);
    ASSERT_GT(r.left() + tree->iconSize().width() + tree->fontMetrics().horizontalAdvance(widest->text(0)),
              tree->viewport()->width());
    EXPECT_EQ(toolTipAt(tree->viewport(), r.center()), widest->text(0));
    QTreeWidgetItem* first = tree->topLevelItem(0);
    tree->scrollToItem(first);
    EXPECT_EQ(toolTipAt(tree->viewport(), tree->visualItemRect(first).center()), QString());
}

// In a keyword hint every description starts in one column, past the longest keyword, also
// after a keyword followed by two tabs.
TEST_F(WindowLayout, KeywordHintsLineUpPastTheirLongestKeyword) {
    auto w = openSheet("P { color: red; }\r\n");
    click(w->TreeViewStruct, QStringLiteral("エレメント/P"));
    click(w->TreeViewTarget, QStringLiteral("テキスト/text-justify"));
    QPlainTextEdit* memo = w->valueArea().MemoHint;
    ASSERT_TRUE(memo->toPlainText().contains(QStringLiteral("distribute-all-lines\t")));
    QList<qreal> columns;
    qreal widestKeyword = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        const QString line = b.text();
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) continue;
        qsizetype description = tab;
        while (description < line.size() && line[description] == '\t') ++description;
        columns.append(b.layout()->lineAt(0).cursorToX(int(description)));
        widestKeyword = std::max(widestKeyword, b.layout()->lineAt(0).cursorToX(int(tab)));
    }
    ASSERT_GE(columns.size(), 2);
    for (qreal x : columns) {
        EXPECT_NEAR(x, columns.front(), 4.0);
        EXPECT_GT(x, widestKeyword);
    }
}

TEST_F(WindowLayout, TheMemoryMeterIsClearOfTheSizeGrip) {
    auto w = makeWindow();
    showAndSettle(*w);
    const QRect meter = w->StatusBar->PvResourceStatus->geometry();
    EXPECT_GT(meter.width(), 0);
    EXPECT_LT(meter.right(), w->StatusBar->width() - TPvStatusBar::GripSize);
}

}  // namespace
}  // namespace pavik::test
