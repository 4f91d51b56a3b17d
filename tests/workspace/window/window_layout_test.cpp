// The main window's layout measured: texts of the sheet never size the window, names and
// keywords are readable whole, bands and panes stay in view.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <QTreeWidget>
#include <tuple>

#include "platform/qt_text.h"
#include "window_support.h"
#include "workspace/window/control_bar.h"
#include "workspace/window/value_area.h"

namespace pavik::test {
namespace {

class WindowLayout : public WindowTest {
protected:
    // A left click on a node, its folders opened first.
    static void click(QTreeWidget* tree, const QString& path) {
        QTreeWidgetItem* item = findItem(tree, path);
        ASSERT_NE(item, nullptr) << path.toStdString();
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        settle();
    }
    static void click(QTreeView* tree, const QString& path) {
        const QModelIndex node = findItem(tree, path);
        ASSERT_TRUE(node.isValid()) << path.toStdString();
        tree->scrollTo(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(node).center());
        settle();
    }
    // The tooltip a hover at `pos` of `w` shows; empty for none.
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
    const QString selector = QStringLiteral("[list]:not([type=\"date\"]):not([type=\"datetime-local\"]):not("
                                            "[type=\"month\"]):not([type=\"week\"])::-webkit-calendar-picker-indicator");
    auto w = openSheet((selector + " { display: none; }\r\nP { color: red; }\r\n").toStdString());
    const QList<int> widths = {w->width(), w->PanelTopLeft->width(), w->PanelTopCenter->width()};
    click(w->TreeViewStruct, QStringLiteral("エレメント/") + selector);
    ElidedTitleBox* box = w->valueArea().GroupBoxTagInfo;
    EXPECT_EQ((QList<int>{w->width(), w->PanelTopLeft->width(), w->PanelTopCenter->width()}), widths);
    EXPECT_TRUE(box->title().endsWith(QChar(0x2026))) << box->title().toStdString();
    EXPECT_LT(box->fontMetrics().horizontalAdvance(box->title()), box->width());
    EXPECT_EQ(toolTipAt(box, QPoint(20, 4)), selector);
    click(w->TreeViewStruct, QStringLiteral("エレメント/P"));  // a short one whole, no tooltip
    EXPECT_EQ(box->title(), QStringLiteral("P"));
    EXPECT_EQ(toolTipAt(box, QPoint(10, 4)), QString());
}

// Long values (a font list, an image address, a colour the swatch cannot paint) show elided
// to their boxes with the whole in a tooltip (the beginning of one of megabytes); none widens
// the value area, and none is cut.
TEST_F(WindowLayout, LongValuesNeitherWidenTheValueAreaNorAreCut) {
    QStringList names;
    for (int i = 0; i < 120; ++i) names.append(QStringLiteral("\"Font Family Number %1\"").arg(i));
    const QString family = names.join(QStringLiteral(", "));
    const QString image = QStringLiteral("url(\"%1/picture.png\")").arg(QString(300, QLatin1Char('d')));
    const QString color = QStringLiteral("var(--%1)").arg(QString(200, QLatin1Char('c')));
    const QString huge = QStringLiteral("var(--%1)").arg(QString(1'000'000, QLatin1Char('h')));
    auto w = openSheet(QStringLiteral("P { font-family: %1; background-image: %2; color: %3; background-color: %4; }\r\n")
                           .arg(family, image, color, huge)
                           .toStdString());
    w->resize(1000, 700);
    settle();
    ValueArea& area = w->valueArea();
    click(w->TreeViewStruct, QStringLiteral("エレメント/P"));
    const auto widths = [&] { return QList<int>{w->width(), w->PanelTopLeft->width(), w->PanelTopCenter->width(), w->PanelTopRight->width()}; };
    const QList<int> before = widths();
    // Each value in the label that shows it (none: the image box, which shows it whole on hover).
    const QString hugeTip = huge.left(ElidedLabel::LongestShownText) + QChar(0x2026);
    for (const auto& [path, value, label, tip] :
         {std::tuple<const char*, QString, ElidedLabel*, QString>{"フォント/font-family", family, area.StaticTxtFont, family},
          {"背景/background-image", image, nullptr, QString()},
          {"テキスト/color", color, area.StaticTxtSwatch, color},
          {"背景/background-color", huge, area.StaticTxtSwatch, hugeTip}}) {
        click(w->TreeViewTarget, QString::fromUtf8(path));
        SCOPED_TRACE(path);
        EXPECT_EQ(widths(), before);
        EXPECT_FALSE(area.ScrollBoxSet->horizontalScrollBar()->isVisible());
        if (!label) {
            EXPECT_EQ(toolTipAt(area.EditCommon, QPoint(5, 5)), QString(300, QLatin1Char('d')) + QStringLiteral("/picture.png"));
            continue;
        }
        EXPECT_EQ(label->fullText(), value);
        EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_EQ(toolTipAt(label, QPoint(5, label->height() / 2)), tip);
    }
    // Nothing was cut: the rule holds the values as read.
    EXPECT_TRUE(w->bCSSSaved);
    const auto& declarations = w->ruleOfNode(w->CurStructNode)->Declarations;
    EXPECT_EQ((QStringList{fromCp932(declarations[0].Value), fromCp932(declarations[1].Value)}), (QStringList{family, image}));
}

// The document-type combo keeps its saved place in a wide window, is pulled into view in a
// narrower one and goes back when it is wide again; the memory meter stays clear of the grip.
TEST_F(WindowLayout, TheComboBandAndTheMeterStayInViewAsTheWindowIsResized) {
    writeSettings("[SYSTEM]\r\nwidth=1200\r\n[TB2Pos]\r\nmnuFile.left=0\r\ncmbPreview.left=140\r\ncmbDoctype.left=985\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    for (const int width : {1200, 800, 700, 1200}) {
        w->resize(width, w->height());
        settle();
        const QRect combo = w->CmbBoxExDoctype->geometry();
        EXPECT_LT(combo.right(), w->ControlBarDown->width()) << width;
        EXPECT_GT(combo.left(), w->CmbBoxPreviewHTML->geometry().right()) << width;
        if (width == 1200) EXPECT_EQ(combo.left(), 985);
        EXPECT_LT(w->StatusBar->PvResourceStatus->geometry().right(), w->StatusBar->width() - TPvStatusBar::GripSize);
    }
}

// Every property name shows whole in its column; one the pane cuts off shows whole on hover.
TEST_F(WindowLayout, PropertyNamesFitTheirColumn) {
    auto w = openSheet("BODY { color: red; }\r\n");
    click(w->TreeViewStruct, QStringLiteral("エレメント/BODY"));
    QTreeWidget* tree = w->TreeViewTarget;
    tree->expandAll();
    settle();
    const auto need = [tree](QTreeWidgetItem* i) {
        return tree->iconSize().width() + tree->fontMetrics().horizontalAdvance(i->text(0));
    };
    QTreeWidgetItem* widest = tree->topLevelItem(0);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        EXPECT_GE(tree->visualItemRect(*it).width(), need(*it)) << (*it)->text(0).toStdString();
        if (need(*it) > need(widest)) widest = *it;
    }
    tree->scrollToItem(widest);
    tree->horizontalScrollBar()->setValue(0);
    const QRect r = tree->visualItemRect(widest);
    ASSERT_GT(r.left() + need(widest), tree->viewport()->width());
    EXPECT_EQ(toolTipAt(tree->viewport(), r.center()), widest->text(0));
}

// A keyword hint's descriptions start in one column past the longest keyword, also after
// a keyword followed by two tabs.
TEST_F(WindowLayout, KeywordHintsLineUpPastTheirLongestKeyword) {
    auto w = openSheet("P { color: red; }\r\n");
    click(w->TreeViewStruct, QStringLiteral("エレメント/P"));
    click(w->TreeViewTarget, QStringLiteral("テキスト/text-justify"));
    QTextDocument* memo = w->valueArea().MemoHint->document();
    ASSERT_TRUE(memo->toPlainText().contains(QStringLiteral("auto\t\t")));
    QList<qreal> columns, keywords;  // where descriptions start, where keywords end
    for (QTextBlock b = memo->begin(); b.isValid(); b = b.next())
        if (const qsizetype tab = b.text().indexOf('\t'); tab > 0) {
            columns.append(b.layout()->lineAt(0).cursorToX(int(b.text().lastIndexOf('\t') + 1)));
            keywords.append(b.layout()->lineAt(0).cursorToX(int(tab)));
        }
    ASSERT_GE(columns.size(), 2);
    for (qreal x : columns) EXPECT_NEAR(x, columns.front(), 4.0);
    EXPECT_GT(columns.front(), *std::max_element(keywords.begin(), keywords.end()));
}

}  // namespace
}  // namespace pavik::test
