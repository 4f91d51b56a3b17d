// The row-number formatter: the usual formats, and user text that must never misbehave.
#include <gtest/gtest.h>

#include "editor/view/row_number_format.h"
#include "platform/cp932.h"

namespace pavik {
namespace {

TEST(RowNumberFormatTest, FormatsWidthJustificationPrecisionAndBases) {
    EXPECT_EQ(formatRowNumber("%5d:", 1), "    1:");
    EXPECT_EQ(formatRowNumber("%4d:", 100), " 100:");
    EXPECT_EQ(formatRowNumber("%2d", 12345), "12345");
    EXPECT_EQ(formatRowNumber("%-5d|", 7), "7    |");
    EXPECT_EQ(formatRowNumber("%.3d", 7), "007");
    EXPECT_EQ(formatRowNumber("%6.3d", 7), "   007");
    EXPECT_EQ(formatRowNumber("%x", 255), "FF");
    EXPECT_EQ(formatRowNumber("%u", 42), "42");
    EXPECT_EQ(formatRowNumber("%0:3D", 5), "  5");
    EXPECT_EQ(formatRowNumber("100%% %d", 5), "100% 5");
    EXPECT_EQ(formatRowNumber("", 5), "");
}

TEST(RowNumberFormatTest, AnythingButOneIntegerConversionIsCopiedAsItStands) {
    EXPECT_EQ(formatRowNumber("%s", 3), "%s");
    EXPECT_EQ(formatRowNumber("%n%p%f", 3), "%n%p%f");
    EXPECT_EQ(formatRowNumber("%d %d", 3), "3 %d");
    EXPECT_EQ(formatRowNumber("%*d", 3), "%*d");
    EXPECT_EQ(formatRowNumber("%1:d", 3), "%1:d");
    EXPECT_EQ(formatRowNumber("%5", 3), "%5");
    EXPECT_EQ(formatRowNumber("%", 3), "%");
    EXPECT_EQ(formatRowNumber("%s%d", 3), "%s3");
}

TEST(RowNumberFormatTest, HugeWidthsAreCappedAndCp932TextIsKept) {
    EXPECT_EQ(formatRowNumber("%999999999d", 1).size(), static_cast<size_t>(kMaxFormatWidth));
    EXPECT_EQ(formatRowNumber("%.999999999d", 1).size(), static_cast<size_t>(kMaxFormatWidth));
    const std::string row = toCp932("行");
    EXPECT_EQ(formatRowNumber(row + "%3d" + toCp932("："), 9), row + "  9" + toCp932("："));
    // A lone lead byte at the end is copied too.
    EXPECT_EQ(formatRowNumber("%d\x81", 1), "1\x81");
}

}  // namespace
}  // namespace pavik
