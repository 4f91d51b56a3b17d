// Paint plans of single rows: tabs, double-byte characters, marks, keywords, selection.
#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "plan_support.h"

namespace pavik::test {
namespace {

using Runs = std::vector<std::string>;
const std::string A = toCp932("あ");
const std::string I = toCp932("い");

class PaintPlanTest : public ::testing::Test, public PlanFixture {};

TEST_F(PaintPlanTest, TabCellsShowFillersAndEndMarkOnlyWithTheTabOption) {
    setRows(core, {"a\tb\r", ""});
    // The tab at column 1 takes three cells: two fillers and the tab.
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Text a@0", "Mark -->@1", "Text b@4", "ParaEnd @5"}));
    EXPECT_EQ(plan(0).displayLine, "a\x0B\x0B\tb\r");
    settings.viewOpt &= ~voTab;
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Text a   b@0", "ParaEnd @5"}));
    EXPECT_EQ(plan(0).displayLine, "a   b\r");
    // A lone one-cell tab is just the end mark.
    settings.viewOpt |= voTab;
    setRows(core, {"abc\t", ""});
    EXPECT_EQ(describe(plan(0).runs)[1], "Mark >@3");
}

TEST_F(PaintPlanTest, TabSizeZeroOrNegativeTakesOneCellPerTab) {
    for (int size : {0, -3}) {
        core.TabSize = size;
        setRows(core, {"\tx"});
        EXPECT_EQ(describe(plan(0).runs), (Runs{"Mark >@0", "Text x@1", "EndOfText < @2"}));
    }
}

TEST_F(PaintPlanTest, RunsSitOnTheirCellsAndDoubleByteCharactersTakeTwo) {
    setRows(core, {"a" + A + "b"});
    const RowPlan p = plan(0);
    ASSERT_EQ(p.runs.size(), 2u);
    EXPECT_EQ(p.runs[0].bytes, "a" + A + "b");
    EXPECT_EQ(p.runs[0].cells, 4);
    EXPECT_EQ(p.runs[0].x, metrics.textArea.left);
    EXPECT_EQ(p.runs[1].kind, RunKind::EndOfText);
    EXPECT_EQ(p.runs[1].x, metrics.textArea.left + 4 * metrics.cellPitch);
    EXPECT_EQ(p.rowRect.top, metrics.textArea.top);
    // Scrolled down and right, everything moves by whole rows and cells.
    setRows(core, {"x\r", "ab\r", ""});
    core.TopRow = 1;
    core.LeftCol = 1;
    const RowPlan q = plan(1);
    EXPECT_EQ(q.rowRect.top, metrics.textArea.top);
    EXPECT_EQ(q.runs[0].x, metrics.textArea.left - metrics.cellPitch);
    EXPECT_FALSE(plan(0).visible);
}

TEST_F(PaintPlanTest, SelectionNeverSplitsADoubleByteCharacter) {
    setRows(core, {"a" + A + I + "b"});  // a:0  あ:1-2  い:3-4  b:5
    core.Sel.AnchorPoint = {1, 0};
    core.Sel.MovingEnd = {4, 0};
    EXPECT_EQ(describe(plan(0).runs),
              (Runs{"Text a@0", "Text* " + A + I + "@1", "Text b@5", "EndOfText < @6"}));
    // A selection from the second byte of あ: the character follows its first cell.
    core.Sel.AnchorPoint = {2, 0};
    core.Sel.MovingEnd = {5, 0};
    EXPECT_EQ(describe(plan(0).runs),
              (Runs{"Text a" + A + "@0", "Text* " + I + "@3", "Text b@5", "EndOfText < @6"}));
}

TEST_F(PaintPlanTest, SelectedCellsTakeSelectionColoursOrTheRowsSwappedColours) {
    setRows(core, {"abc\r", "def\r", ""});
    TRowAttr own = core.RowAttr(1);
    own.textColor = clNavy;
    own.backColor = clYellow;
    core.ChangeRowAttr(1, own);
    core.Sel.AnchorPoint = {1, 0};
    core.Sel.MovingEnd = {2, 1};
    const RowPlan p0 = plan(0);
    EXPECT_EQ(p0.runs[1].fore, settings.colSelText);
    EXPECT_EQ(p0.runs[1].back, settings.colSelBrush);
    EXPECT_EQ(p0.runs[0].back, core.Color());
    // The paragraph end inside the selection uses the selection bitmap.
    EXPECT_TRUE(p0.runs.back().selected);
    EXPECT_EQ(p0.runs.back().back, settings.colSelBrush);
    const RowPlan p1 = plan(1);
    EXPECT_EQ(p1.runs[0].fore, clYellow);
    EXPECT_EQ(p1.runs[0].back, clNavy);
    EXPECT_EQ(p1.runs[1].fore, clNavy);
    EXPECT_EQ(p1.runs[1].back, clYellow);
}

TEST_F(PaintPlanTest, RowFillShowsTheSelectionOnlyWhereItRunsPastTheRow) {
    setRows(core, {"abc\r", "def\r", "ghi\r", ""});
    core.Sel.AnchorPoint = {1, 0};
    core.Sel.MovingEnd = {1, 2};
    EXPECT_EQ(plan(0).fill, core.Color());           // starts inside the row
    EXPECT_EQ(plan(1).fill, settings.colSelBrush);   // runs through the row
    EXPECT_EQ(plan(2).fill, core.Color());           // ends inside the row
    core.Sel.CollapseTo({0, 0});
    core.Sel.RowAnchor = 2;
    core.Sel.RowMoving = 2;
    EXPECT_EQ(plan(2).fill, settings.colSelBrush);
    EXPECT_EQ(describe(plan(2).runs), (Runs{"Text* ghi@0", "ParaEnd* @3"}));
}

TEST_F(PaintPlanTest, KeywordsAreWholeWordsFoundWithoutRegardToCase) {
    core.SetKeywords({"class"});
    setRows(core, {"class classes CLASS;"});
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Keyword class@0", "Text  classes @5",
                                            "Keyword CLASS@14", "Text ;@19", "EndOfText < @20"}));
    EXPECT_EQ(plan(0).runs[0].fore, settings.colKeyWord);
    settings.viewOpt &= ~voKeyWord;
    EXPECT_EQ(plan(0).runs[0].kind, RunKind::Text);
}

TEST_F(PaintPlanTest, KeywordBytesJoinTheWordCharacters) {
    core.SetKeywords({"!important", "{"});
    settings.keywordStyle = fsBold;
    setRows(core, {"a{ b !important; x!important"});
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Text a{ b @0", "Keyword !important@5",
                                            "Text ; x!important@15", "EndOfText < @28"}));
    EXPECT_EQ(plan(0).runs[1].style, fsBold);
}

TEST_F(PaintPlanTest, SelectedKeywordColourCancelsTheKeywordColour) {
    settings.resolve = [](TColor c) { return c == clWindowText ? 0x000000u : c == clHighlightText ? 0xFFFFFFu : c; };
    settings.colKeyWord = clLime;
    core.SetKeywords({"class"});
    setRows(core, {"class"});
    core.Sel.AnchorPoint = {0, 0};
    core.Sel.MovingEnd = {3, 0};
    const RowPlan p = plan(0);
    ASSERT_EQ(describe(p.runs), (Runs{"Keyword* cla@0", "Keyword ss@3", "EndOfText < @5"}));
    EXPECT_EQ(p.runs[0].fore, (0x000000u ^ 0x00FF00u ^ 0xFFFFFFu));
    EXPECT_EQ(p.runs[1].fore, clLime);
    // With the keyword colour equal to the font colour, selected keywords look selected.
    settings.colKeyWord = clWindowText;
    EXPECT_EQ(plan(0).runs[0].fore, 0xFFFFFFu);
}

TEST_F(PaintPlanTest, BoldKeywordWiderThanItsCellsIsSqueezed) {
    std::array<int, 256> widths{};
    widths.fill(6);
    widths['s'] = 10;
    settings.keywordWidths = &widths;
    core.SetKeywords({"class"});
    setRows(core, {"class x"});
    EXPECT_EQ(plan(0).runs[0].advances, (std::vector<int>{5, 5, 5, 5, 6}));
    EXPECT_TRUE(plan(0).runs[1].advances.empty());
}

TEST_F(PaintPlanTest, FullWidthSpaceDependenceCharactersAndHalfWidthKana) {
    const std::string space = "\x81\x40";
    const std::string circled1 = "\x87\x40";
    setRows(core, {space + circled1 + "\xB1" + A});
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Mark \x81\xA0@0", "Special " + circled1 + "\xB1@2",
                                            "Text " + A + "@5", "EndOfText < @7"}));
    EXPECT_EQ(plan(0).runs[1].fore, settings.colDependence);
    settings.viewOpt &= ~(voAnsiSpace | voDependence | voHankana);
    EXPECT_EQ(describe(plan(0).runs),
              (Runs{"Text " + space + circled1 + "\xB1" + A + "@0", "EndOfText < @7"}));
}

TEST_F(PaintPlanTest, ParagraphFoldAndEndOfTextMarks) {
    setRows(core, {"ab\r", "cd", "ef\r", "gh"});  // "cd" continues on the next row
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Text ab@0", "ParaEnd @2"}));
    EXPECT_EQ(describe(plan(1).runs), (Runs{"Text cd@0", "Fold \x81\xA9@2"}));
    EXPECT_EQ(plan(1).displayLine, "cd\n");
    EXPECT_EQ(describe(plan(3).runs), (Runs{"Text gh@0", "EndOfText < @2"}));
    settings.viewOpt &= ~(voCr | voFoldMark);
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Text ab@0"}));
    EXPECT_EQ(describe(plan(1).runs), (Runs{"Text cd@0"}));
    EXPECT_EQ(describe(plan(3).runs), (Runs{"Text gh@0", "EndOfText < @2"}));
    EXPECT_EQ(plan(0).runs[0].fore, core.FontColor());
    EXPECT_EQ(plan(3).runs[1].fore, settings.colCr);
}

TEST_F(PaintPlanTest, IndentShowsDotsAndScrollingShowsTheRest) {
    setRows(core, {"abc"});
    setIndent(core, 0, 4);
    EXPECT_EQ(describe(plan(0).runs), (Runs{"Mark ....@0", "Text abc@4", "EndOfText < @7"}));
    EXPECT_EQ(plan(0).runs[0].fore, settings.markColor);
    EXPECT_EQ(plan(0).displayLine, "\x01\x01\x01\x01" "abc\n");
    core.LeftCol = 2;
    const RowPlan p = plan(0);
    EXPECT_EQ(describe(p.runs)[0], "Mark ..@2");
    EXPECT_EQ(p.runs[0].x, metrics.textArea.left);
    settings.viewOpt &= ~voIndent;
    EXPECT_EQ(describe(plan(0).runs)[0], "Text   abc@2");
}

TEST_F(PaintPlanTest, DirtyColumnsLimitTheRunsButNeverCutAWord) {
    core.SetKeywords({"important"});
    setRows(core, {"xx important yy zz"});
    const int left = metrics.textArea.left;
    const int pitch = metrics.cellPitch;
    // Columns 5 to 7 only: inside "important" (columns 3 to 11).
    const PaintRect dirty{left + 5 * pitch, 0, left + 7 * pitch, 300};
    const RowPlan p = planner().planRow(0, dirty);
    EXPECT_EQ(describe(p.runs), (Runs{"Keyword important@3"}));
    EXPECT_EQ(p.drawRect.left, left + 5 * pitch);
    EXPECT_EQ(p.fillRect, p.drawRect);
}

TEST_F(PaintPlanTest, WrapLineRowsPastTheEndAndTheAreaBelowTheLastRow) {
    core.Options = aoAutoFormat;
    setRows(core, {"ab\r", ""});
    RowPlan p = plan(0);
    ASSERT_TRUE(p.wrapLineX.has_value());
    EXPECT_EQ(*p.wrapLineX, metrics.textArea.left + 60 * metrics.cellPitch);
    EXPECT_FALSE(p.belowFill.has_value());
    const RowPlan last = plan(1);
    ASSERT_TRUE(last.belowFill.has_value());
    EXPECT_EQ(*last.belowFill, (PaintRect{0, last.rowRect.bottom, 600, 300}));
    const RowPlan past = plan(5);
    EXPECT_TRUE(past.pastEnd);
    EXPECT_EQ(past.fillRect, (PaintRect{0, past.rowRect.top, 600, past.rowRect.bottom}));
    EXPECT_TRUE(past.runs.empty());
    core.Options = 0;
    EXPECT_FALSE(plan(0).wrapLineX.has_value());
    // A row below the view is not planned.
    EXPECT_FALSE(plan(metrics.visibleRows + 1).visible);
}

TEST_F(PaintPlanTest, ScreenPlanCoversTheViewWithOnePartialRowMore) {
    std::vector<std::string> rows(50, "row\r");
    rows.push_back("");
    setRows(core, rows);
    core.TopRow = 10;
    const ScreenPlan s = planner().planScreen(client());
    ASSERT_EQ(s.rows.size(), static_cast<size_t>(metrics.visibleRows) + 1);
    EXPECT_EQ(s.rows.front().row, 10);
    EXPECT_EQ(s.rows.back().row, 10 + metrics.visibleRows);
    EXPECT_EQ(s.background, core.Color());
}

}  // namespace
}  // namespace pavik::test
