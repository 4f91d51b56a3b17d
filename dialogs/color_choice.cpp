#include "dialogs/color_choice.h"

#include <algorithm>
#include <array>

#include "dialogs/color_tables.h"

namespace pavik {
namespace {

// Names of the colour-name table that no browser reads as a colour.
constexpr std::array<std::string_view, 9> kNonCssNames = {
    "Brass", "Brawn", "CoolCopper", "Copper", "CornFlower", "DarkBrown", "Feldsper", "InidianRed", "RichBlue",
};

template <typename Table>
bool holds(const Table& table, TColor c) {
    return std::any_of(table.begin(), table.end(), [c](const ColorEntry& e) { return e.Value == c; });
}

}  // namespace

TColor pickerStartColor(TColor swatch) {
    if (swatch == clNone) return clWhite;
    if ((swatch & 0xFF000000) == 0x02000000) return swatch & 0x00FFFFFF;
    return swatch;
}

int pickerStartPage(TColor start) {
    const bool basic = std::find(BasicColors.begin(), BasicColors.end(), start) != BasicColors.end();
    if (basic || holds(SystemColors, start) || holds(ColorNames, start)) return PickerPageColors;
    for (int k = 0; k < WebSafeTableCount; ++k)
        if (holds(WebSafeColors(k), start)) return PickerPageWebSafe;
    return PickerPageColors;
}

std::string basicColorResult(TColor c) {
    for (int i = 0; i < BasicColorCount; ++i)
        if (BasicColors[static_cast<size_t>(i)] == c) return std::string(BasicColorNames[static_cast<size_t>(i)]);
    return rgbColorText(c);
}

std::optional<std::string> systemColorResult(TColor c) {
    for (const ColorEntry& e : SystemColors)
        if (e.Value == c) return std::string(e.Name);
    return std::nullopt;
}

bool isCssColorName(std::string_view name) {
    name = withoutStarMark(name);
    return std::find(kNonCssNames.begin(), kNonCssNames.end(), name) == kNonCssNames.end();
}

std::string colorNameResult(std::string_view name, TColor c) {
    return isCssColorName(name) ? std::string(withoutStarMark(name)) : rgbColorText(c);
}

}  // namespace pavik
