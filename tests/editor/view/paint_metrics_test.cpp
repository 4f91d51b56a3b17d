// Cell and row metrics, the mark colour and the paragraph-end mark sizes.
#include <gtest/gtest.h>

#include "editor/view/paint_metrics.h"

namespace pavik {
namespace {

MetricsInput input(int textHeight) {
    MetricsInput in;
    in.textHeight = textHeight;
    in.clientWidth = 400;
    in.clientHeight = 200;
    return in;
}

TEST(PaintMetricsTest, CellsAreHalfTheTextHeightPlusCharPichAndRowsAddRowPich) {
    MetricsInput in = input(13);
    in.charPich = 1;
    in.rowPich = 2;
    in.leftMgn = 50;
    in.topMgn = 3;
    const PaintMetrics m = computeMetrics(in);
    EXPECT_EQ(m.halfCell, 7);
    EXPECT_EQ(m.cellPitch, 8);
    EXPECT_EQ(m.rowHeight, 15);
    EXPECT_EQ(m.textArea, (PaintRect{50, 3 + 15, 400, 200}));
    EXPECT_EQ(m.visibleRows, (200 - 18) / 15);
    EXPECT_EQ(m.visibleCols, 350 / 8);
    in.viewOpt &= ~voColIndicate;
    EXPECT_EQ(computeMetrics(in).textArea.top, 3);
}

TEST(PaintMetricsTest, RowNumbersWidenTheLeftMarginButNeverNarrowIt) {
    MetricsInput in = input(13);  // pitch 7
    in.leftMgn = 36;
    EXPECT_EQ(computeMetrics(in).leftMgn, 42);  // "  100:" is six cells
    in.rowDspFmt = "%2d";
    EXPECT_EQ(computeMetrics(in).leftMgn, 36);
    in.viewOpt &= ~voRowNum;
    in.rowDspFmt = "%5d:";
    EXPECT_EQ(computeMetrics(in).leftMgn, 36);
}

TEST(PaintMetricsTest, NonPositivePitchesSizesAndMarginsStayDrawable) {
    MetricsInput in = input(12);
    in.charPich = -50;
    in.rowPich = -50;
    in.leftMgn = -20;
    in.topMgn = -20;
    in.viewOpt = 0;
    PaintMetrics m = computeMetrics(in);
    EXPECT_EQ(m.cellPitch, 1);
    EXPECT_EQ(m.rowHeight, 1);
    EXPECT_EQ(m.textArea.left, 0);
    EXPECT_EQ(m.textArea.top, 0);
    EXPECT_EQ(m.visibleRows, 200);
    in = input(0);
    m = computeMetrics(in);
    EXPECT_GE(m.cellPitch, 1);
    EXPECT_GE(m.rowHeight, 1);
    resizeMetrics(m, -5, -5);
    EXPECT_EQ(m.visibleRows, 0);
    EXPECT_EQ(m.visibleCols, 0);
}

TEST(PaintMetricsTest, MarkColourDarkensEachChannelWithoutWrapping) {
    EXPECT_EQ(markColorFrom(0xFFFFFF), 0xBFBFBFu);
    EXPECT_EQ(markColorFrom(0x303030), 0x000000u);
    EXPECT_EQ(markColorFrom(0x2050A0), 0x001060u);
    EXPECT_EQ(markColorFrom(0x00FF00), 0x00BF00u);
}

TEST(PaintMetricsTest, ParagraphMarkImageFollowsTheTextHeight) {
    EXPECT_EQ(paraMarkImageFor(14), ParaMarkImage::Small);
    EXPECT_EQ(paraMarkImageFor(15), ParaMarkImage::Medium);
    EXPECT_EQ(paraMarkImageFor(20), ParaMarkImage::Medium);
    EXPECT_EQ(paraMarkImageFor(21), ParaMarkImage::Large);
}

TEST(PaintMetricsTest, KeywordAdvancesSqueezeOnlyWideWords) {
    EXPECT_TRUE(keywordAdvances(5, 6, 6).empty());
    EXPECT_TRUE(keywordAdvances(1, 6, 9).empty());
    EXPECT_EQ(keywordAdvances(2, 6, 8), (std::vector<int>{5, 5}));
    EXPECT_EQ(keywordAdvances(3, 6, 13), (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(keywordAdvances(4, 6, 9), (std::vector<int>{5, 5, 5, 6}));
}

}  // namespace
}  // namespace pavik
