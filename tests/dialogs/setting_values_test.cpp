// The settings dialog's values in the settings file, the browsers found on the PATH, and the
// toolbar masks with the dialog rows that show them.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>

#include "dialogs/setting_values.h"
#include "dialogs/toolbar_masks.h"
#include "platform/ini_file.h"

using namespace pavik;
namespace fs = std::filesystem;

namespace {

const std::array<std::string, 4> kBrowsers = {"/usr/bin/chromium", "", "/usr/bin/firefox", ""};

TEST(SettingValues, WrittenValuesReadBackAndMissingOrUnusableOnesReadAsTheDefault) {
    SettingValues v;
    v.lastOpen = true;
    v.autoRefresh = false;
    v.font = {"IPAGothic", 200, 0x123456};
    v.backColor = clWindow;
    v.tagColor = clRed;
    v.selColor = clYellow;
    v.selBak = clNavy;
    v.browsers = {"", "/opt/seamonkey", "", "/opt/opera dir/opera"};
    v.newDefFolder = "/home/u/スタイル";
    IniFile ini = IniFile::fromBytes("[system]\r\nPrev1=keep me\r\n");
    writeSettingValues(ini, v);
    EXPECT_EQ(readSettingValues(ini, kBrowsers), v);
    EXPECT_EQ(ini.ReadString("SYSTEM", "TagCol", ""), "clRed");
    EXPECT_EQ(ini.ReadString("SYSTEM", "Prev1", "?"), "");  // an empty path is written, not left out

    struct Case {
        const char* keys;
        EditFont expected;
    };
    const Case cases[] = {
        {"EditFontName=IPAGothic\nEditFontSize=0\n", {"IPAGothic", 9, clWindowText}},
        {"EditFontName=IPAGothic\nEditFontSize=-3\n", {"IPAGothic", 9, clWindowText}},
        {"EditFontName=IPAGothic\nEditFontSize=201\n", {"IPAGothic", 9, clWindowText}},
        {"EditFontName=\nEditFontSize=12\n", {"MS UI Gothic", 12, clWindowText}},
    };
    for (const Case& c : cases) {
        const SettingValues r = readSettingValues(IniFile::fromBytes("[SYSTEM]\n" + std::string(c.keys)), kBrowsers);
        EXPECT_EQ(r.font, c.expected) << c.keys;
        EXPECT_EQ(r.browsers, kBrowsers);  // missing paths: the browsers found
    }
}

TEST(SettingValues, BrowsersOfEachKindAreFoundOnThePathAndMozillaByItsFileName) {
    std::string tmpl = (fs::temp_directory_path() / "pavik-path-XXXXXX").string();
    const fs::path bin = ::mkdtemp(tmpl.data());
    auto program = [&](const char* name, bool executable) {
        std::ofstream(bin / name) << "#!/bin/sh\n";
        ::chmod((bin / name).c_str(), executable ? 0755 : 0644);
    };
    program("firefox", false);  // not executable: skipped
    program("firefox-esr", true);
    program("chromium", true);
    program("opera", true);
    const std::array<std::string, 4> found = findBrowsers("relative/bin:" + bin.native());
    EXPECT_EQ(found, (std::array<std::string, 4>{(bin / "chromium").native(), "", (bin / "firefox-esr").native(),
                                                 (bin / "opera").native()}));
    EXPECT_EQ(findBrowsers(""), (std::array<std::string, 4>{}));
    EXPECT_TRUE(namesMozilla("/opt/moz/mozilla.exe"));
    EXPECT_TRUE(namesMozilla("/usr/bin/mozilla"));
    EXPECT_FALSE(namesMozilla("/usr/bin/Mozilla"));
    EXPECT_FALSE(namesMozilla("/opt/moz/MOZILLA.EXE"));
    fs::remove_all(bin);
}

TEST(ToolBarMasks, EveryAcceptedMaskComesBackThroughTheRows) {
    for (size_t b = 0; b < ToolBarMaskSpecs.size(); ++b) {
        const ToolBarMaskSpec& spec = ToolBarMaskSpecs[b];
        for (int mask = 0; mask <= 32; ++mask) {
            ToolBarMasks masks{};
            masks[b] = mask;
            const ToolBarTicks ticks = ticksFromMasks(masks);
            const int ticked = static_cast<int>(std::count(ticks.begin(), ticks.end(), true));
            if (!spec.accepts(mask)) {
                EXPECT_EQ(ticked, 0) << spec.key << " " << mask;
                continue;
            }
            EXPECT_EQ(masksFromTicks(ticks), masks) << spec.key << " " << mask;
            EXPECT_EQ(ticked, std::popcount(static_cast<unsigned>(mask)));
            for (int row = 0; row < ToolBarRows; ++row)
                if (ticks[row]) EXPECT_TRUE(row >= spec.firstRow && row < spec.firstRow + spec.buttons);
        }
    }
    ToolBarTicks separators{};
    for (int row : {0, 6, 12, 14}) separators[row] = true;
    EXPECT_EQ(masksFromTicks(separators), (ToolBarMasks{}));
}

}  // namespace
