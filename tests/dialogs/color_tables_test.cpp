#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/color_tables.h"
#include "platform/cp932.h"

using namespace pavik;

TEST(ColorTables, CountsAndStarredNames) {
    EXPECT_EQ(ColorNames.size(), 145u);
    EXPECT_EQ(SystemColors.size(), 21u);
    std::set<std::string> starred;
    std::set<std::string> all;
    for (const ColorEntry& e : ColorNames) {
        all.insert(std::string(e.Name));
        if (e.Name.starts_with(StarMark)) starred.insert(std::string(withoutStarMark(e.Name)));
        // Names must fit the 25-byte CP932 limit of the table.
        const Cp932Encoded sjis = encodeCp932(e.Name);
        EXPECT_TRUE(sjis.ok()) << e.Name;
        EXPECT_LE(sjis.bytes.size(), 25u) << e.Name;
    }
    EXPECT_EQ(all.size(), 145u) << "duplicate names";
    const std::set<std::string> html = {"Black", "Blue", "Cyan",   "Gray",   "Green", "Lime",
                                        "Magenta", "Maroon", "Navy", "Olive", "Purple", "Red",
                                        "Silver", "Teal", "White",  "Yellow"};
    EXPECT_EQ(starred, html);
}

TEST(ColorTables, NamesAndValuesAsListed) {
    // Order, spelling (misspellings kept) and the stored $00BBGGRR form.
    EXPECT_EQ(ColorNames.front().Name, "AliceBlue");
    EXPECT_EQ(ColorNames.front().Value, 0xFFF8F0u);
    EXPECT_EQ(ColorNames.back().Name, "YellowGreen");
    EXPECT_EQ(ColorNames.back().Value, 0x32CD9Au);
    EXPECT_EQ(ColorNames[6].Name, "★Black");
    EXPECT_EQ(ColorNames[11].Name, "Brawn");
    EXPECT_EQ(ColorNames[11].Value, 0x2A2AA5u);
    auto find = [](std::string_view name) -> const ColorEntry* {
        for (const ColorEntry& e : ColorNames)
            if (e.Name == name) return &e;
        return nullptr;
    };
    for (std::string_view odd : {"Blanchedalmond", "Feldsper", "InidianRed", "Oldlace", "RichBlue"})
        EXPECT_NE(find(odd), nullptr) << odd;
    ASSERT_NE(find("NavajoWhite"), nullptr);
    EXPECT_EQ(find("NavajoWhite")->Value, 0xFFDEADu);
    ASSERT_NE(find("★Red"), nullptr);
    EXPECT_EQ(find("★Red")->Value, clRed);
    ASSERT_NE(find("MediumSlateBlue"), nullptr);
    EXPECT_EQ(find("MediumSlateBlue")->Value, 0xB0000Eu);
}

TEST(ColorTables, BasicAndSystemColours) {
    EXPECT_EQ(BasicColorNames[1], "Maroon");
    EXPECT_EQ(BasicColorNamesJ[1], "茶色");
    EXPECT_EQ(BasicColors[1], 0x000080u);
    EXPECT_EQ(BasicColors[12], 0xFF0000u);  // Blue
    EXPECT_EQ(BasicColorNamesJ[15], "白");
    EXPECT_EQ(SystemColors[0].Name, "activeborder");
    EXPECT_EQ(SystemColors[0].Value, 0x8000000Au);
    EXPECT_EQ(SystemColors[5].Name, "buttonhighlight");
    EXPECT_EQ(SystemColors[5].Value, 0x80000014u);
    EXPECT_EQ(SystemColors[20].Name, "Windowtext");
    EXPECT_EQ(SystemColors[20].Value, 0x80000008u);
}

TEST(ColorTables, WebSafeNamesDenoteTheirValues) {
    EXPECT_EQ(WebSafeColors(0)[0].Name, "#00f");
    EXPECT_EQ(WebSafeColors(0)[0].Value, clBlue);
    EXPECT_EQ(WebSafeColors(0)[6].Name, "#03f");
    EXPECT_EQ(WebSafeColors(0)[35].Name, "#0f0");
    EXPECT_EQ(WebSafeColors(5)[35].Name, "#ff0");
    EXPECT_EQ(WebSafeColors(5)[35].Value, clYellow);
    EXPECT_EQ(WebSafeColors(1)[14].Name, "#369");
    EXPECT_EQ(WebSafeColors(1)[14].Value, 0x996633u);
    EXPECT_EQ(WebSafeLabels[3], "Red : 153");
    std::set<TColor> seen;
    for (int k = 0; k < WebSafeTableCount; ++k) {
        for (const ColorEntry& e : WebSafeColors(k)) {
            ASSERT_EQ(e.Name.size(), 4u);
            const auto digit = [&](int i) { return std::stoi(std::string(1, e.Name[i]), nullptr, 16) * 17; };
            EXPECT_EQ(e.Value, static_cast<TColor>(digit(1) | digit(2) << 8 | digit(3) << 16)) << e.Name;
            EXPECT_EQ(digit(1), 51 * k);
            seen.insert(e.Value);
        }
    }
    EXPECT_EQ(seen.size(), 216u);
}

TEST(ColorTables, StarMarkAndRgbText) {
    EXPECT_EQ(withoutStarMark("★Black"), "Black");
    EXPECT_EQ(withoutStarMark("Brawn"), "Brawn");
    EXPECT_EQ(rgbColorText(0xFF8000), "rgb(0,128,255)");
}
