#pragma once
// The values of the settings dialog: read from the settings file with the dialog's own
// defaults, and written back by the main window after OK. No Qt.
//
// Keys, all in section "SYSTEM": "Lastopen", "AutoRefresh", "EditFontName", "EditFontSize",
// "EditFontCol", "EditBackCol", "TagCol", "SelCol", "SelBak", "CSSNewDefFolder",
// "Prev1".."Prev4". Font names and paths are native (UTF-8) text.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/colors.h"

namespace pavik {

class IniFile;

struct EditFont {
    std::string name = "MS UI Gothic";
    int size = 9;
    TColor color = clWindowText;
    bool operator==(const EditFont&) const = default;
};

struct SettingValues {
    bool lastOpen = false;
    bool autoRefresh = true;
    EditFont font;
    TColor backColor = clWhite;
    TColor tagColor = clBlue;
    TColor selColor = clWhite;
    TColor selBak = clBlack;
    std::array<std::string, 4> browsers;  // "Prev1".."Prev4": IE, NS4, NS6, Opera
    std::string newDefFolder;
    bool operator==(const SettingValues&) const = default;
};

// The dialog's starting values: each key of the settings file, or the default above (the
// browsers' defaults are given). A font size outside 1..200 or an empty font name reads as
// the default.
SettingValues readSettingValues(const IniFile& ini, const std::array<std::string, 4>& browserDefaults);

// Writes every key; colours as colour text.
void writeSettingValues(IniFile& ini, const SettingValues& values);

// Program names of browser kind `kind` (0 IE, 1 NS4, 2 NS6, 3 Opera), the preferred first.
const std::vector<std::string_view>& browserProgramNames(int kind);

// Browser programs of the four kinds found on `searchPath` (a PATH value): the first of each
// kind's names that is there, else empty.
std::array<std::string, 4> findBrowsers(std::string_view searchPath);

// Whether a "Prev3" path names the Mozilla program: its file name part is exactly
// "mozilla.exe" or "mozilla", the program's name here (letter case counts).
bool namesMozilla(std::string_view path);

}  // namespace pavik
