#include "workspace/window/window_settings.h"

#include <algorithm>

#include "vocabulary/fixed_texts.h"

namespace pavik {
namespace {

constexpr std::string_view TB1Pos = "TB1Pos";
constexpr std::string_view TB2Pos = "TB2Pos";

// `value` within 0..limit (a negative limit counts as 0).
int within(int value, int limit) { return std::clamp(value, 0, std::max(limit, 0)); }

}  // namespace

WindowGeometry WindowGeometry::read(const IniFile& ini) {
    WindowGeometry g;
    g.PosX = ini.ReadInteger(SectionSystem, "PosX", g.PosX);
    g.PosY = ini.ReadInteger(SectionSystem, "PosY", g.PosY);
    g.width = ini.ReadInteger(SectionSystem, "width", g.width);
    g.height = ini.ReadInteger(SectionSystem, "height", g.height);
    g.WidthStruct = ini.ReadInteger(SectionSystem, "WidthStruct", g.WidthStruct);
    g.WidthTarget = ini.ReadInteger(SectionSystem, "WidthTarget", g.WidthTarget);
    g.HeightTop = ini.ReadInteger(SectionSystem, "HeightTop", g.HeightTop);
    g.Maximized = ini.ReadBool(SectionSystem, "Maximized", g.Maximized);
    return g;
}

void WindowGeometry::write(IniFile& ini) const {
    ini.WriteInteger(SectionSystem, "Version", BuildNo);
    ini.WriteBool(SectionSystem, "Maximized", false);
    ini.WriteInteger(SectionSystem, "PosX", PosX);
    ini.WriteInteger(SectionSystem, "PosY", PosY);
    ini.WriteInteger(SectionSystem, "width", width);
    ini.WriteInteger(SectionSystem, "height", height);
    ini.WriteInteger(SectionSystem, "WidthStruct", WidthStruct);
    ini.WriteInteger(SectionSystem, "WidthTarget", WidthTarget);
    ini.WriteInteger(SectionSystem, "HeightTop", HeightTop);
}

WindowGeometry WindowGeometry::fittedTo(const TRect& screen) const {
    // The screen's edges come from the system, not from the file: their arithmetic is safe.
    const int screenWidth = std::max(screen.width(), 1);
    const int screenHeight = std::max(screen.height(), 1);
    WindowGeometry g = *this;
    g.width = std::clamp(width, std::min(MinWidth, screenWidth), screenWidth);
    g.height = std::clamp(height, std::min(MinHeight, screenHeight), screenHeight);
    g.PosX = std::clamp(PosX, screen.left, screen.left + screenWidth - g.width);
    g.PosY = std::clamp(PosY, screen.top, screen.top + screenHeight - g.height);
    g.WidthStruct = within(WidthStruct, g.width);
    g.WidthTarget = within(WidthTarget, g.width);
    g.HeightTop = within(HeightTop, g.height);
    return g;
}

std::optional<UpperToolBarPlaces> UpperToolBarPlaces::read(const IniFile& ini, int windowWidth, int windowHeight) {
    if (!ini.SectionExists(TB1Pos)) return std::nullopt;
    UpperToolBarPlaces places;
    for (size_t i = 0; i < Names.size(); ++i) {
        const std::string key(Names[i]);
        places.bands[i] = {within(ini.ReadInteger(TB1Pos, key + ".left", 0), windowWidth),
                           within(ini.ReadInteger(TB1Pos, key + ".top", 0), windowHeight)};
    }
    return places;
}

void UpperToolBarPlaces::write(IniFile& ini, const std::array<bool, 4>& shown) const {
    for (size_t i = 0; i < Names.size(); ++i) {
        if (!shown[i]) continue;
        const std::string key(Names[i]);
        ini.WriteInteger(TB1Pos, key + ".top", bands[i].top);
        ini.WriteInteger(TB1Pos, key + ".left", bands[i].left);
    }
}

std::optional<LowerToolBarPlaces> LowerToolBarPlaces::read(const IniFile& ini, int windowWidth) {
    if (!ini.SectionExists(TB2Pos)) return std::nullopt;
    return LowerToolBarPlaces{within(ini.ReadInteger(TB2Pos, "mnuFile.left", 0), windowWidth),
                              within(ini.ReadInteger(TB2Pos, "cmbPreview.left", 0), windowWidth),
                              within(ini.ReadInteger(TB2Pos, "cmbDoctype.left", 0), windowWidth)};
}

void LowerToolBarPlaces::write(IniFile& ini) const {
    ini.WriteInteger(TB2Pos, "mnuFile.left", toolBar);
    ini.WriteInteger(TB2Pos, "cmbPreview.left", preview);
    ini.WriteInteger(TB2Pos, "cmbDoctype.left", docType);
}

}  // namespace pavik
