#pragma once
// The main window's settings as values: each is read from and written to the settings file
// in one place, and every number read is brought into a sane range before the window uses
// it, so that no value from the file can size a window beyond the screen or overflow the
// arithmetic done with it. Keys and their text are those the file has always had. No Qt.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "platform/rect.h"

namespace pavik {

// Section "SYSTEM": the window's place and size and the sizes of its panes.
struct WindowGeometry {
    int PosX = 50;
    int PosY = 50;
    int width = 683;
    int height = 542;
    int WidthStruct = 250;  // rule tree column
    int WidthTarget = 150;  // property tree column
    int HeightTop = 270;    // upper half
    bool Maximized = false;

    // The smallest window a settings file can ask for (a smaller screen sets its own size).
    static constexpr int MinWidth = 200;
    static constexpr int MinHeight = 150;

    static WindowGeometry read(const IniFile& ini);
    // The keys of the normal window state: "Version", "Maximized" (false) and the sizes.
    void write(IniFile& ini) const;
    // Within `screen` (the screen's available area): no larger than it and not off it;
    // the panes no larger than the window.
    WindowGeometry fittedTo(const TRect& screen) const;
};

// The place of a toolbar (a band) in its bar.
struct BandPlace {
    int left = 0;
    int top = 0;
    friend bool operator==(const BandPlace&, const BandPlace&) = default;
};

// Section "TB1Pos": the upper toolbars TBFile, TBStyle, TBTools and TBBrowser, in this order.
struct UpperToolBarPlaces {
    static constexpr std::array<std::string_view, 4> Names{"mnuFile", "mnuStyle", "mnuTools", "mnuBrowser"};
    std::array<BandPlace, 4> bands{};

    // None when the section does not exist. Places lie within a window of the given size.
    static std::optional<UpperToolBarPlaces> read(const IniFile& ini, int windowWidth, int windowHeight);
    // Writes the places of the toolbars that are shown; the others keep their keys.
    void write(IniFile& ini, const std::array<bool, 4>& shown) const;
};

// Section "TB2Pos": the lefts of ToolBarDown, CmbBoxPreviewHTML and CmbBoxExDoctype.
struct LowerToolBarPlaces {
    int toolBar = 0;
    int preview = 0;
    int docType = 0;

    // None when the section does not exist. Lefts lie within a window of the given width.
    static std::optional<LowerToolBarPlaces> read(const IniFile& ini, int windowWidth);
    void write(IniFile& ini) const;
};

}  // namespace pavik
