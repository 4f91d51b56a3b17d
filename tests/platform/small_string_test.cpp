// The compact string holds any bytes, inside up to 15 and on the heap beyond.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/small_string.h"

using namespace pavik;

TEST(SmallString, HoldsAnyBytesAcrossTheInsideLimitThroughCopiesMovesAndAssignments) {
    for (const std::string& text : {std::string(), std::string("a"), std::string(15, 'x'), std::string(16, 'y'),
                                    std::string("nul\0inside", 10), std::string(100, '\x83')}) {
        const SmallString s(text);
        EXPECT_EQ(s.view(), text);
        EXPECT_EQ(s.size(), text.size());
        SmallString copy = s;
        SmallString moved = std::move(copy);
        EXPECT_EQ(moved, text);
        EXPECT_TRUE(copy.empty());
        SmallString assigned("something else that is long enough to be on the heap");
        assigned = moved;
        EXPECT_EQ(assigned, s);
        assigned = std::move(moved);
        EXPECT_EQ(assigned, text);
        // A part of itself, and itself.
        assigned = assigned.view().substr(text.size() / 2);
        EXPECT_EQ(assigned, text.substr(text.size() / 2));
        assigned = assigned;
        EXPECT_EQ(assigned, text.substr(text.size() / 2));
        SmallString grown(text);
        grown += "+tail";
        EXPECT_EQ(grown, text + "+tail");
        EXPECT_EQ(grown + "!", text + "+tail!");
    }
}
