// The window's settings as values, without a window: hostile numbers from the settings
// file come out in range, and the keys written are those the file has always had.
#include <gtest/gtest.h>

#include <climits>

#include "platform/ini_file.h"
#include "workspace/window/window_settings.h"

namespace pavik {
namespace {

const TRect kScreen{0, 0, 1280, 800};

WindowGeometry fitted(const std::string& ini, const TRect& screen = kScreen) {
    return WindowGeometry::read(IniFile::fromBytes("[SYSTEM]\r\n" + ini)).fittedTo(screen);
}

TEST(WindowGeometry, EveryNumberComesOutWithinTheScreenAndTheWindow) {
    struct Case {
        const char* what;
        std::string ini;
        TRect screen;
        WindowGeometry expected;  // PosX, PosY, width, height, WidthStruct, WidthTarget, HeightTop
    };
    const Case cases[] = {
        {"defaults", "", kScreen, {50, 50, 683, 542, 250, 150, 270}},
        {"larger than the screen", "width=30000\r\nheight=30000\r\n", kScreen, {0, 0, 1280, 800, 250, 150, 270}},
        {"most negative width", "width=-2147483648\r\nWidthStruct=1\r\n", kScreen, {50, 50, 200, 542, 1, 150, 270}},
        {"off the screen", "PosX=2147483647\r\nPosY=-2147483648\r\n", kScreen, {597, 0, 683, 542, 250, 150, 270}},
        {"panes beyond the window", "WidthStruct=2147483647\r\nWidthTarget=-1\r\nHeightTop=99999\r\n", kScreen,
         {50, 50, 683, 542, 683, 0, 542}},
        {"second screen", "PosX=-5000\r\nPosY=100\r\n", TRect{1280, 0, 2560, 1024}, {1280, 100, 683, 542, 250, 150, 270}},
        {"screen below the minimum", "width=10\r\nheight=10\r\n", TRect{0, 0, 120, 90}, {0, 0, 120, 90, 120, 120, 90}},
    };
    for (const Case& c : cases) {
        const WindowGeometry g = fitted(c.ini, c.screen);
        const WindowGeometry& e = c.expected;
        EXPECT_EQ((std::array{g.PosX, g.PosY, g.width, g.height, g.WidthStruct, g.WidthTarget, g.HeightTop}),
                  (std::array{e.PosX, e.PosY, e.width, e.height, e.WidthStruct, e.WidthTarget, e.HeightTop}))
            << c.what;
    }
}

TEST(WindowGeometry, WritesTheNormalStateKeys) {
    IniFile ini = IniFile::fromBytes("[SYSTEM]\r\nMaximized=1\r\n");
    WindowGeometry{70, 60, 800, 600, 200, 160, 300, true}.write(ini);
    EXPECT_EQ(ini.serialize(),
              "[SYSTEM]\r\nMaximized=0\r\nVersion=155\r\nPosX=70\r\nPosY=60\r\nwidth=800\r\nheight=600\r\n"
              "WidthStruct=200\r\nWidthTarget=160\r\nHeightTop=300\r\n\r\n");
    const WindowGeometry back = WindowGeometry::read(ini);
    EXPECT_EQ(back.width, 800);
    EXPECT_FALSE(back.Maximized);
}

TEST(ToolBarPlaceValues, ComeOutWithinTheWindowAndOnlyShownBarsAreWritten) {
    EXPECT_FALSE(UpperToolBarPlaces::read(IniFile::fromBytes(""), 800, 600));
    EXPECT_FALSE(LowerToolBarPlaces::read(IniFile::fromBytes("[TB2Pos]\r\n"), 800));

    IniFile ini = IniFile::fromBytes(
        "[TB1Pos]\r\nmnuFile.left=2147483647\r\nmnuFile.top=2147483647\r\nmnuStyle.left=-2147483648\r\n"
        "mnuTools.left=40\r\nmnuTools.top=30\r\n"
        "[TB2Pos]\r\nmnuFile.left=2147483647\r\ncmbPreview.left=-1\r\ncmbDoctype.left=300\r\n");
    const auto upper = UpperToolBarPlaces::read(ini, 800, 600);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->bands, (std::array<BandPlace, 4>{{{800, 600}, {0, 0}, {40, 30}, {0, 0}}}));
    const auto lower = LowerToolBarPlaces::read(ini, 800);
    ASSERT_TRUE(lower);
    EXPECT_EQ((std::array{lower->toolBar, lower->preview, lower->docType}), (std::array{800, 0, 300}));

    IniFile out = IniFile::fromBytes("[TB1Pos]\r\nmnuBrowser.top=7\r\nmnuBrowser.left=9\r\n");
    UpperToolBarPlaces{{{{1, 2}, {3, 4}, {5, 6}, {7, 8}}}}.write(out, {true, false, true, false});
    LowerToolBarPlaces{10, 20, 30}.write(out);
    EXPECT_EQ(out.serialize(),
              "[TB1Pos]\r\nmnuBrowser.top=7\r\nmnuBrowser.left=9\r\nmnuFile.top=2\r\nmnuFile.left=1\r\n"
              "mnuTools.top=6\r\nmnuTools.left=5\r\n\r\n"
              "[TB2Pos]\r\nmnuFile.left=10\r\ncmbPreview.left=20\r\ncmbDoctype.left=30\r\n\r\n");
}

}  // namespace
}  // namespace pavik
