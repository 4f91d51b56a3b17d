#include <gtest/gtest.h>

#include "platform/colors.h"

using namespace pavik;

TEST(ColorText, WritesIdentifierElseDollarAndEightHexDigits) {
    struct Case { TColor value; const char* text; };
    for (Case c : {Case{clBlack, "clBlack"}, Case{clBlue, "clBlue"}, Case{clWhite, "clWhite"},
                   Case{clSilver, "clSilver"}, Case{clLtGray, "clSilver"}, Case{clDkGray, "clGray"},
                   Case{clMoneyGreen, "clMoneyGreen"}, Case{clMedGray, "clMedGray"},
                   Case{clScrollBar, "clScrollBar"}, Case{clBtnFace, "clBtnFace"},
                   Case{cl3DDkShadow, "cl3DDkShadow"}, Case{clMenuBar, "clMenuBar"},
                   Case{clHotLight, "clHotLight"}, Case{clNone, "clNone"}, Case{clDefault, "clDefault"},
                   Case{0x00123456, "$00123456"}, Case{0x02ABCDEF, "$02ABCDEF"},
                   Case{0x80000019, "$80000019"},  // element 25 has no identifier
                   Case{0xFFFFFFFF, "$FFFFFFFF"}})
        EXPECT_EQ(ColorToString(c.value), c.text) << std::hex << c.value;
}

TEST(ColorText, ReadsIdentifiersAnyCaseAndNumbers) {
    struct Case { const char* text; TColor value; };
    for (Case c : {Case{"clBlue", clBlue}, Case{"CLBLUE", clBlue}, Case{"clwindowtext", clWindowText},
                   Case{"clLtGray", clSilver}, Case{"cl3dlight", cl3DLight}, Case{"clNone", clNone},
                   Case{" clRed ", clRed}, Case{"$FF", 0xFF}, Case{"$80000005", clWindow},
                   Case{"0x00ff00", clLime}, Case{"255", 0xFF}, Case{"+1", 1}, Case{"-1", 0xFFFFFFFF},
                   Case{"-2147483648", 0x80000000}, Case{"$ffffffff", 0xFFFFFFFF}})
        EXPECT_EQ(StringToColor(c.text), std::optional<TColor>(c.value)) << c.text;

    for (const char* bad : {"", " ", "red", "clBlu", "clBlue2", "cl Blue", "#FF0000", "$", "0x",
                            "$1FFFFFFFF", "4294967296", "2147483648", "12px", "1 2", "--1",
                            "$-1", "0x+1", "\x83\x7D"})
        EXPECT_EQ(StringToColor(bad), std::nullopt) << bad;
}

TEST(ColorText, EveryWrittenTextReadsBackToItsValue) {
    for (TColor base : {0x00000000u, 0x80000000u, 0x1FFFFF00u, 0x20000000u, 0x00FFFF00u, 0xC0C0C000u})
        for (TColor low = 0; low < 256; ++low) {
            TColor c = base | low;
            EXPECT_EQ(StringToColor(ColorToString(c)), std::optional<TColor>(c)) << std::hex << c;
        }
}

TEST(ColorValue, ComponentsAndSystemColours) {
    constexpr TColor c = 0x00563412;
    static_assert(redOf(c) == 0x12 && greenOf(c) == 0x34 && blueOf(c) == 0x56);
    EXPECT_TRUE(isSystemColor(clBtnFace));
    EXPECT_EQ(systemColorIndex(clBtnFace), 15);
    EXPECT_FALSE(isSystemColor(clNone));
    EXPECT_FALSE(isSystemColor(clDefault));
    EXPECT_FALSE(isSystemColor(clWhite));
}
