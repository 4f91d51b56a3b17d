// Scroll bar ranges.
#include <gtest/gtest.h>

#include "editor/view/scroll_plan.h"

namespace pavik {
namespace {

ScrollInput view(int rows) {
    ScrollInput in;
    in.rowCount = rows;
    in.visibleRows = 10;
    in.visibleCols = 80;
    return in;
}

TEST(ScrollPlanTest, VerticalBarHidesOnlyWhileEverythingFitsAndTheCaretIsInView) {
    EXPECT_FALSE(planScrollBars(view(9)).vertical.shown);
    ScrollInput in = view(10);
    EXPECT_TRUE(planScrollBars(in).vertical.shown);
    in = view(5);
    in.topRow = 1;
    EXPECT_TRUE(planScrollBars(in).vertical.shown);
    in = view(5);
    in.caret.row = 12;  // free caret below the text
    const ScrollBarsPlan p = planScrollBars(in);
    EXPECT_TRUE(p.vertical.shown);
    EXPECT_EQ(p.vertical.max, 12);
}

TEST(ScrollPlanTest, VerticalRangeCoversRowsTheViewAndTheCaret) {
    ScrollInput in = view(100);
    in.topRow = 95;
    const ScrollBarState v = planScrollBars(in).vertical;
    EXPECT_EQ(v.max, 104);  // the view runs past the last row
    EXPECT_EQ(v.page, 10);
    EXPECT_EQ(v.pos, 95);
    EXPECT_EQ(v.lastPos(), 95);
}

TEST(ScrollPlanTest, HorizontalWidthIsAtLeastTheWrapColumn) {
    ScrollInput in = view(1);
    in.defWrapPos = 60;
    in.longestRow = 20;
    EXPECT_FALSE(planScrollBars(in).horizontal.shown);
    in.defWrapPos = 100;
    ScrollBarState h = planScrollBars(in).horizontal;
    EXPECT_TRUE(h.shown);
    EXPECT_EQ(h.max, 100);
    EXPECT_EQ(h.page, 80);
    in.defWrapPos = 60;
    in.leftCol = 3;
    in.caret.col = 150;
    h = planScrollBars(in).horizontal;
    EXPECT_TRUE(h.shown);
    EXPECT_EQ(h.max, 150);
    EXPECT_EQ(h.pos, 3);
}

TEST(ScrollPlanTest, StyleKeepsBarsHiddenButTheirRangesStay) {
    ScrollInput in = view(100);
    in.defWrapPos = 200;
    for (auto style : {TScrollStyle::ssNone, TScrollStyle::ssHorizontal, TScrollStyle::ssVertical,
                       TScrollStyle::ssBoth}) {
        in.style = style;
        const ScrollBarsPlan p = planScrollBars(in);
        EXPECT_EQ(p.vertical.shown, style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth);
        EXPECT_EQ(p.horizontal.shown, style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth);
        EXPECT_EQ(p.vertical.max, 99);
    }
}

}  // namespace
}  // namespace pavik
