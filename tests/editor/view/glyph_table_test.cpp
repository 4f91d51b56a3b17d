// The CP932 decode table used for painting.
#include <gtest/gtest.h>

#include "editor/view/glyph_table.h"

namespace pavik {
namespace {

TEST(GlyphTableTest, DecodesSingleBytesAndPairs) {
    const auto& t = Cp932GlyphTable::instance();
    EXPECT_EQ(t.single('A'), U'A');
    EXPECT_EQ(t.single('{'), U'{');
    EXPECT_EQ(t.single(0xB1), U'\uFF71');             // half-width kana
    EXPECT_EQ(t.pair(0x82, 0xA0), U'\u3042');         // あ
    EXPECT_EQ(t.pair(0x83, 0x5C), U'\u30BD');         // ソ: its trail byte is a backslash
    EXPECT_EQ(t.pair(0x87, 0x40), U'\u2460');         // circled 1, model-dependent
    EXPECT_EQ(t.pair(0x81, 0x40), U'\u3000');         // full-width space
    EXPECT_EQ(t.decode("\x82\xA0"), U'\u3042');
    EXPECT_EQ(t.decode("a"), U'a');
}

TEST(GlyphTableTest, UndecodableBytesAndControlsHaveNoCodePoint) {
    const auto& t = Cp932GlyphTable::instance();
    EXPECT_EQ(t.single(0x01), 0u);
    EXPECT_EQ(t.single(0x0D), 0u);
    EXPECT_EQ(t.single(0x7F), 0u);
    EXPECT_EQ(t.single(0xA0), 0u);
    EXPECT_EQ(t.single(0xFD), 0u);
    EXPECT_EQ(t.single(0x81), 0u);      // a lead byte alone
    EXPECT_EQ(t.pair(0x85, 0x40), 0u);  // an empty row of the code page
    EXPECT_EQ(t.pair(0x81, 0x7F), 0u);  // not a trail byte
    EXPECT_EQ(t.decode(""), 0u);
    EXPECT_EQ(t.decode("\x82"), 0u);
}

}  // namespace
}  // namespace pavik
