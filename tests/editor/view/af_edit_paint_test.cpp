// TAFEdit on screen: painted pixels where the plan puts them, and repaint requests.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt_colors.h"
#include "widget_support.h"

namespace pavik::test {
namespace {

// An editor with fixed colours that differ from every palette colour.
void useTestColours(TAFEdit& e) {
    e.resize(400, 200);
    e.SetColor(clWhite);
    e.SetColLeftMgn(clCream);
    e.SetColColumnIndi(clSilver);
    e.SetColSelBrush(clNavy);
    e.SetColSelText(clYellow);
    e.SetColKeyWord(clRed);
    e.SetFontColor(clBlack);
}

TEST(AFEditPaintTest, CellsAreColouredWhereThePlanSays) {
    TAFEdit e;
    useTestColours(e);
    e.SetKeywords({"red"});
    e.SetText("a red b\r\nxy\r\n");
    e.core().Sel.AnchorPoint = {6, 0};
    e.core().Sel.MovingEnd = {7, 0};
    const QImage img = paintedView(e);
    const QColor red = toQColor(clRed);
    const QColor navy = toQColor(clNavy);
    const QColor yellow = toQColor(clYellow);
    const int cellArea = cellRect(e, 0, 0).width() * cellRect(e, 0, 0).height();
    // The keyword's cells hold red glyph pixels, the plain letter none.
    EXPECT_GT(countColor(img, cellRect(e, 2, 0).united(cellRect(e, 4, 0)), red, 60), 0);
    EXPECT_EQ(countColor(img, cellRect(e, 0, 0), red, 60), 0);
    EXPECT_GT(countColor(img, cellRect(e, 0, 0), Qt::black, 90), 0);
    // The selected cell: navy ground, yellow glyph.
    EXPECT_GT(countColor(img, cellRect(e, 6, 0), navy), cellArea / 2);
    EXPECT_GT(countColor(img, cellRect(e, 6, 0), yellow, 60), 0);
    EXPECT_EQ(countColor(img, cellRect(e, 8, 0), navy), 0);
    // Blank cells, the margin and the ruler take their colours.
    EXPECT_EQ(countColor(img, cellRect(e, 30, 1), Qt::white), cellArea);
    EXPECT_GT(countColor(img, QRect(0, e.Metrics().textArea.top, e.Metrics().textArea.left, 10),
                         toQColor(clCream)), 0);
    EXPECT_GT(countColor(img, QRect(0, 0, 400, 3), toQColor(clSilver)), 0);
    // The paragraph mark after "xy" in maroon; the end-of-text mark on the last row.
    EXPECT_GT(countColor(img, cellRect(e, 2, 1).united(cellRect(e, 3, 1)), toQColor(clMaroon), 60), 0);
    EXPECT_GT(countColor(img, cellRect(e, 0, 2), toQColor(clMaroon), 60), 0);
}

TEST(AFEditPaintTest, UndecodableBytesDrawAPlaceholderOfTheirWidth) {
    TAFEdit e;
    useTestColours(e);
    e.SetViewOpt(kAllViewOptions & ~voHankana);
    e.SetText(std::string("\x85\x40 \xFD .", 6));
    const QImage img = paintedView(e);
    // Two cells for the undecodable pair, one for the lone byte, nothing on the blanks.
    EXPECT_GT(countColor(img, cellRect(e, 0, 0), Qt::black, 90), 0);
    EXPECT_GT(countColor(img, cellRect(e, 1, 0), Qt::black, 90), 0);
    EXPECT_EQ(countColor(img, cellRect(e, 2, 0), Qt::black, 90), 0);
    EXPECT_GT(countColor(img, cellRect(e, 3, 0), Qt::black, 90), 0);
    EXPECT_EQ(e.Text(), std::string("\x85\x40 \xFD .", 6));
}

TEST(AFEditPaintTest, OneRowChangeRepaintsOnlyThatRow) {
    RecordingEdit e;
    e.resize(400, 300);
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    e.SetText(text);
    paintedView(e);
    const QRect oldCaret = e.CaretRect();  // erased where it stood, when focused
    e.core().Caret = {2, 3};
    e.requests.clear();
    e.InsertString("Z");
    ASSERT_EQ(e.core().RowText(3), "liZne 3\r");
    const QRect row3 = e.RowRect(3);
    const QRect text3(0, e.Metrics().textArea.top, 400, 300);
    ASSERT_FALSE(e.requests.empty());
    bool touched = false;
    for (const QRect& r : e.requests) {
        const QRect inText = r.intersected(text3);
        if (inText.isEmpty() || r == oldCaret) continue;  // the ruler follows the caret
        EXPECT_TRUE(row3.contains(inText)) << r.y() << " " << r.height();
        touched = touched || inText.intersects(row3);
    }
    EXPECT_TRUE(touched);
    // Deleting row 5 repaints the rows from 5 down, never those above.
    e.requests.clear();
    e.core().Sel.RowAnchor = e.core().Sel.RowMoving = 5;
    e.DeleteSelection();
    ASSERT_FALSE(e.requests.empty());
    for (const QRect& r : e.requests) {
        const QRect inText = r.intersected(text3);
        if (!inText.isEmpty()) {
            EXPECT_GE(inText.top(), e.RowRect(5).top());
        }
    }
    EXPECT_EQ(e.requests.front(), e.RowRect(5));
}

TEST(AFEditPaintTest, ShrinkingTextRepaintsDownToTheBottom) {
    RecordingEdit e;
    e.resize(400, 300);
    e.SetText("a\r\nb\r\nc\r\n");
    paintedView(e);
    e.requests.clear();
    e.core().Sel.RowAnchor = e.core().Sel.RowMoving = 1;
    e.DeleteSelection();
    ASSERT_EQ(e.core().RowCount(), 3);
    QRect all;
    for (const QRect& r : e.requests) all = all.united(r);
    EXPECT_LE(all.top(), e.RowRect(1).top());
    EXPECT_EQ(all.bottom(), e.viewport()->height() - 1);
    EXPECT_GT(all.top(), e.RowRect(0).top());
}

TEST(AFEditPaintTest, OnDrawLineCanSkipARowWhichThenStaysDirty) {
    TAFEdit e;
    useTestColours(e);
    e.SetText("aaaa\r\nbbbb\r\n");
    int calls = 0;
    e.OnDrawLine = [&](TAFEdit& s, int row, const QRect&, const std::string& line, bool& draw) {
        ++calls;
        EXPECT_NE(s.Canvas(), nullptr);
        if (row == 1) {
            EXPECT_EQ(line, "bbbb\r");
            draw = false;
        }
    };
    std::vector<std::string> margins;
    e.OnDrawLeftMgn = [&](TAFEdit&, int, const QRect&, std::string& text, bool&) { margins.push_back(text); };
    const QImage img = paintedView(e);
    EXPECT_GE(calls, 3);
    EXPECT_GT(countColor(img, cellRect(e, 0, 0), Qt::black, 90), 0);
    EXPECT_EQ(countColor(img, cellRect(e, 0, 1), Qt::black, 90), 0);
    EXPECT_TRUE(e.core().RowAttr(1).dirty);
    EXPECT_FALSE(e.core().RowAttr(0).dirty);
    EXPECT_EQ(e.Canvas(), nullptr);
    EXPECT_EQ(margins.front(), "    1:");
}

TEST(AFEditPaintTest, DegenerateSettingsStillPaint) {
    TAFEdit e;
    useTestColours(e);
    e.SetText("\ta\tb\r\n" + std::string(300, 'x') + "\r\n");
    e.SetTabSize(0);
    e.SetCharPich(-100);
    e.SetRowPich(-100);
    e.SetTopMgn(-5);
    e.SetLeftMgn(-5);
    std::string margin;
    e.OnDrawLeftMgn = [&](TAFEdit&, int row, const QRect&, std::string& text, bool&) {
        if (row == 0) margin = text;
    };
    e.SetRowDspFmt("%s%n%d%d%99999999d");
    e.setFont(TAFEdit::editorFont(QStringLiteral("ＭＳ ゴシック"), -12));
    EXPECT_GE(e.Metrics().cellPitch, 1);
    EXPECT_GE(e.Metrics().rowHeight, 1);
    const QImage img = paintedView(e);
    EXPECT_FALSE(img.isNull());
    EXPECT_EQ(margin, "%s%n1%d%99999999d");
    e.resize(1, 1);
    paintedView(e);
}

}  // namespace
}  // namespace pavik::test
