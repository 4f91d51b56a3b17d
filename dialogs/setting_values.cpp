#include "dialogs/setting_values.h"

#include "platform/app_paths.h"
#include "platform/font_rules.h"
#include "platform/ini_file.h"
#include "vocabulary/fixed_texts.h"

namespace pavik {

namespace {

const char* const kBrowserKeys[4] = {"Prev1", "Prev2", "Prev3", "Prev4"};

// Program names of each browser kind, in the order they are preferred: Microsoft's
// browser and its engine's kin; the Netscape suite's successor; Mozilla's browser; Opera.
const std::vector<std::string_view> kBrowserNames[4] = {
    {"microsoft-edge", "microsoft-edge-stable", "chromium", "chromium-browser", "google-chrome",
     "google-chrome-stable"},
    {"seamonkey"},
    {"firefox", "firefox-esr", "mozilla"},
    {"opera"},
};

}  // namespace

const std::vector<std::string_view>& browserProgramNames(int kind) { return kBrowserNames[kind]; }

SettingValues readSettingValues(const IniFile& ini, const std::array<std::string, 4>& browserDefaults) {
    const SettingValues d;
    SettingValues v;
    v.lastOpen = ini.ReadBool(SectionSystem, "Lastopen", d.lastOpen);
    v.autoRefresh = ini.ReadBool(SectionSystem, "AutoRefresh", d.autoRefresh);
    v.font.name = fontNameOr(ini.ReadString(SectionSystem, "EditFontName", d.font.name), d.font.name);
    v.font.size = fontSizeOr(ini.ReadInteger(SectionSystem, "EditFontSize", d.font.size), d.font.size);
    v.font.color = ini.ReadColor(SectionSystem, "EditFontCol", d.font.color);
    v.backColor = ini.ReadColor(SectionSystem, "EditBackCol", d.backColor);
    v.tagColor = ini.ReadColor(SectionSystem, "TagCol", d.tagColor);
    v.selColor = ini.ReadColor(SectionSystem, "SelCol", d.selColor);
    v.selBak = ini.ReadColor(SectionSystem, "Selbak", d.selBak);
    for (int i = 0; i < 4; ++i) v.browsers[i] = ini.ReadString(SectionSystem, kBrowserKeys[i], browserDefaults[i]);
    v.newDefFolder = ini.ReadString(SectionSystem, "CSSNewDefFolder", d.newDefFolder);
    return v;
}

void writeSettingValues(IniFile& ini, const SettingValues& v) {
    ini.WriteBool(SectionSystem, "Lastopen", v.lastOpen);
    ini.WriteBool(SectionSystem, "AutoRefresh", v.autoRefresh);
    ini.WriteString(SectionSystem, "EditFontName", v.font.name);
    ini.WriteInteger(SectionSystem, "EditFontSize", v.font.size);
    ini.WriteColor(SectionSystem, "EditFontCol", v.font.color);
    ini.WriteColor(SectionSystem, "EditBackCol", v.backColor);
    ini.WriteColor(SectionSystem, "TagCol", v.tagColor);
    ini.WriteColor(SectionSystem, "SelCol", v.selColor);
    ini.WriteColor(SectionSystem, "SelBak", v.selBak);
    ini.WriteString(SectionSystem, "CSSNewDefFolder", v.newDefFolder);
    for (int i = 0; i < 4; ++i) ini.WriteString(SectionSystem, kBrowserKeys[i], v.browsers[i]);
}

std::array<std::string, 4> findBrowsers(std::string_view searchPath) {
    std::array<std::string, 4> found;
    for (int i = 0; i < 4; ++i) {
        for (std::string_view name : kBrowserNames[i]) {
            found[i] = findExecutable(name, searchPath).native();
            if (!found[i].empty()) break;
        }
    }
    return found;
}

bool namesMozilla(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    const std::string_view name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
    return name == "mozilla.exe" || name == "mozilla";
}

}  // namespace pavik
