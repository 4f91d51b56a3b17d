// The column ruler and the left margin's row numbers.
#include <gtest/gtest.h>

#include "plan_support.h"

namespace pavik::test {
namespace {

class RulerMarginTest : public ::testing::Test, public PlanFixture {};

TEST_F(RulerMarginTest, RulerMarksColumnsWrapIndentAndCaret) {
    setRows(core, {"abc\r", ""});
    setIndent(core, 0, 4);
    core.Caret = {6, 0};
    const RulerPlan r = planner().planRuler();
    EXPECT_TRUE(r.shown);
    EXPECT_EQ(r.fillRect, (PaintRect{0, 0, 600, metrics.textArea.top - 1}));
    EXPECT_EQ(r.fill, settings.colColumnIndi);
    EXPECT_EQ(r.y, 0);
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_EQ(r.runs[0].bytes.substr(0, 21), "....+....1....+....2.");
    EXPECT_EQ(r.runs[0].cells, metrics.visibleCols);
    EXPECT_EQ(r.runs[0].fore, settings.colColumnNo);
    EXPECT_EQ(describe({r.runs[1], r.runs[2], r.runs[3]}),
              (std::vector<std::string>{"Text <@60", "Text >@3", "Text .@6"}));
    EXPECT_EQ(r.runs[1].fore, settings.colCr);
    // The caret's cell is inverted: highlight colours while the ruler uses the text colour.
    EXPECT_EQ(r.runs[3].fore, clHighlightText);
    EXPECT_EQ(r.runs[3].back, clHighlight);
    settings.colColumnNo = clNavy;
    const RulerPlan q = planner().planRuler();
    EXPECT_EQ(q.runs[3].fore, settings.colColumnIndi);
    EXPECT_EQ(q.runs[3].back, clNavy);
}

TEST_F(RulerMarginTest, RulerDigitsCountFromTheLeftColumnAndTheLastPartialCell) {
    EXPECT_EQ(rulerChar(10), '1');
    EXPECT_EQ(rulerChar(105), '+');
    EXPECT_EQ(rulerChar(120), '2');
    core.LeftCol = 7;
    EXPECT_EQ(planner().planRuler().runs[0].bytes.substr(0, 4), "..1.");
    // A remainder of more than half a cell shows one more mark.
    MetricsInput in;
    in.textHeight = 12;
    in.clientWidth = 36 + 94 * 6 + 4;
    in.clientHeight = 300;
    metrics = computeMetrics(in);
    EXPECT_EQ(planner().planRuler().runs[0].cells, 95);
}

TEST_F(RulerMarginTest, RulerWaitsWhileUpdatingOrSelectingAndFollowsTheRowRange) {
    setRows(core, {"ab\r", "cd\r", ""});
    TRowAttr a = core.RowAttr(1);
    a.wrapPos = 20;
    core.ChangeRowAttr(1, a);
    core.Sel.AnchorPoint = {0, 0};
    core.Sel.MovingEnd = {1, 0};
    EXPECT_FALSE(planner().planRuler().shown);
    core.Sel.CollapseTo({0, 0});
    core.BeginUpdate();
    EXPECT_FALSE(planner().planRuler().shown);
    core.EndUpdate();
    core.Sel.RowAnchor = 2;
    core.Sel.RowMoving = 1;
    EXPECT_EQ(planner().planRuler().runs[1].col, 20);
    // Without the ruler option only the fill remains, in the background colour.
    settings.viewOpt &= ~voColIndicate;
    remeasure();
    const RulerPlan r = planner().planRuler();
    EXPECT_TRUE(r.runs.empty());
    EXPECT_EQ(r.fill, core.Color());
    EXPECT_TRUE(r.fillRect.isEmpty());
}

TEST_F(RulerMarginTest, RulerOfAnEditorWithoutRowsShowsNoWrapMark) {
    while (core.RowCount() > 0) core.DeleteRow(0);
    core.Caret = {0, 0};
    const RulerPlan r = planner().planRuler();
    EXPECT_TRUE(r.shown);
    EXPECT_EQ(r.runs.size(), 2u);  // the column marks and the caret cell
}

TEST_F(RulerMarginTest, MarginHoldsTheFormattedRowNumber) {
    std::vector<std::string> rows(120, "x\r");
    rows.push_back("");
    setRows(core, rows);
    const RowPlan p = plan(0);
    EXPECT_EQ(p.margin.rect, (PaintRect{0, metrics.textArea.top, 36, metrics.textArea.top + 14}));
    EXPECT_EQ(p.margin.text, "    1:");
    EXPECT_TRUE(p.margin.drawText);
    EXPECT_EQ(p.margin.fill, settings.colLeftMgn);
    EXPECT_EQ(p.margin.textColor, settings.colRowNo);
    core.TopRow = 99;
    EXPECT_EQ(plan(99).margin.text, "  100:");
    settings.rowDspFmt = "%4d:";
    EXPECT_EQ(plan(99).margin.text, " 100:");
    settings.viewOpt &= ~voRowNum;
    EXPECT_FALSE(plan(99).margin.drawText);
}

}  // namespace
}  // namespace pavik::test
