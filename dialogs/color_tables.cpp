#include "dialogs/color_tables.h"

namespace pavik {
namespace {

// #RRGGBB as written in style sheets to the stored form $00BBGGRR.
constexpr TColor css(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::array<std::array<ColorEntry, WebSafeTableSize>, WebSafeTableCount> buildWebSafe() {
    // Names live in static storage so that the entries can hold views of them.
    static std::array<std::array<char, 4>, WebSafeTableCount * WebSafeTableSize> names;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::array<std::array<ColorEntry, WebSafeTableSize>, WebSafeTableCount> tables{};
    for (int k = 0; k < WebSafeTableCount; ++k) {
        for (int i = 0; i < WebSafeTableSize; ++i) {
            const int r = 51 * k, g = 51 * (i / 6), b = 51 * (5 - i % 6);
            auto& name = names[static_cast<size_t>(k * WebSafeTableSize + i)];
            name = {'#', kDigits[r / 17], kDigits[g / 17], kDigits[b / 17]};
            tables[static_cast<size_t>(k)][static_cast<size_t>(i)] = {
                static_cast<TColor>(r | g << 8 | b << 16), std::string_view(name.data(), name.size())};
        }
    }
    return tables;
}

}  // namespace

const std::array<TColor, BasicColorCount> BasicColors = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
};
const std::array<std::string_view, BasicColorCount> BasicColorNames = {
    "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
    "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White",
};
const std::array<std::string_view, BasicColorCount> BasicColorNamesJ = {
    "黒", "茶色", "緑", "オリーブ", "紺", "紫", "青緑", "灰色",
    "銀色", "赤", "黄緑", "黄", "青", "赤紫", "水色", "白",
};

const std::array<ColorEntry, SystemColorCount> SystemColors = {{
    {clActiveBorder, "activeborder"},
    {clActiveCaption, "activecaption"},
    {clAppWorkSpace, "appworkspace"},
    {clBackground, "background"},
    {clBtnFace, "buttonface"},
    {clBtnHighlight, "buttonhighlight"},
    {clBtnShadow, "buttonshadow"},
    {clBtnText, "buttontext"},
    {clCaptionText, "captiontext"},
    {clGrayText, "graytext"},
    {clHighlight, "highlight"},
    {clHighlightText, "highlighttext"},
    {clInactiveBorder, "inactiveborder"},
    {clInactiveCaption, "inactivecaption"},
    {clInactiveCaptionText, "inactivecaptiontext"},
    {clMenu, "menu"},
    {clMenuText, "menutext"},
    {clScrollBar, "scrollbar"},
    {clWindow, "window"},
    {clWindowFrame, "windowframe"},
    {clWindowText, "Windowtext"},
}};

// clang-format off
const std::array<ColorEntry, ColorNameCount> ColorNames = {{
    {css(0xF0F8FF), "AliceBlue"},
    {css(0xFAEBD7), "AntiqueWhite"},
    {css(0x7FFFD4), "Aquamarine"},
    {css(0xF0FFFF), "Azure"},
    {css(0xF5F5DC), "Beige"},
    {css(0xFFE4C4), "Bisque"},
    {css(0x000000), "★Black"},
    {css(0xFFEBCD), "Blanchedalmond"},
    {css(0x0000FF), "★Blue"},
    {css(0x8A2BE2), "BlueViolet"},
    {css(0xB5A642), "Brass"},
    {css(0xA52A2A), "Brawn"},
    {css(0xDEB887), "Burlywood"},
    {css(0x5F9EA0), "CadetBlue"},
    {css(0x7FFF00), "Chartreuse"},
    {css(0xD2691E), "Chocolate"},
    {css(0xBFBFDF), "CoolCopper"},
    {css(0xBF00DF), "Copper"},
    {css(0xFF7F50), "Coral"},
    {css(0xBFEFDF), "CornFlower"},
    {css(0x6090EF), "CornFlowerBlue"},
    {css(0xFFF8DC), "CornSilk"},
    {css(0xDC143C), "Crimson"},
    {css(0x00FFFF), "★Cyan"},
    {css(0x00008B), "DarkBlue"},
    {css(0xDA0B00), "DarkBrown"},
    {css(0x008B8B), "DarkCyan"},
    {css(0xB8860B), "DarkGoldenrod"},
    {css(0xA9A9A9), "DarkGray"},
    {css(0x006400), "DarkGreen"},
    {css(0xBDB76B), "DarkKhaki"},
    {css(0x8B008B), "DarkMagenta"},
    {css(0x556B2F), "DarkOliveGreen"},
    {css(0xFF8C00), "DarkOrange"},
    {css(0x9932CC), "DarkOrchid"},
    {css(0x8B0000), "DarkRed"},
    {css(0xE9967A), "DarkSalmon"},
    {css(0x8FBC8B), "DarkSeaGreen"},
    {css(0x483D8B), "DarkSlateBlue"},
    {css(0x2F4F4F), "DarkSlateGray"},
    {css(0x00CED1), "DarkTurquoise"},
    {css(0x9400D3), "DarkViolet"},
    {css(0xFF1493), "DeepPink"},
    {css(0x00BFFF), "DeepSkyBlue"},
    {css(0x696969), "DimGray"},
    {css(0x1E90FF), "DodgerBlue"},
    {css(0xFED0E0), "Feldsper"},
    {css(0xB22222), "Firebrick"},
    {css(0xFFFAF0), "FloralWhite"},
    {css(0x228B22), "ForestGreen"},
    {css(0xDCDCDC), "Gainsboro"},
    {css(0xF8F8FF), "GhostWhite"},
    {css(0xFFD700), "Gold"},
    {css(0xDAA520), "Goldenrod"},
    {css(0x808080), "★Gray"},
    {css(0x008000), "★Green"},
    {css(0xADFF2F), "GreenYellow"},
    {css(0xF0FFF0), "Honeydew"},
    {css(0xFF69B4), "HotPink"},
    {css(0xCD5C5C), "InidianRed"},
    {css(0x4B0082), "Indigo"},
    {css(0xFFFFF0), "Ivory"},
    {css(0xF0E68C), "Khaki"},
    {css(0xE6E6FA), "Lavender"},
    {css(0xFFF0F5), "LavenderBlush"},
    {css(0x7CFC00), "LawnGreen"},
    {css(0xFFFACD), "LemonChiffon"},
    {css(0xADD8E6), "LightBlue"},
    {css(0xF08080), "LightCoral"},
    {css(0xE0FFFF), "LightCyan"},
    {css(0xFAFAD2), "LightGoldenrodYellow"},
    {css(0x90EE90), "LightGreen"},
    {css(0xD3D3D3), "LightGray"},
    {css(0xFFB6C1), "LightPink"},
    {css(0xFFA07A), "LightSalmon"},
    {css(0x20B2AA), "LightSeaGreen"},
    {css(0x87CEFA), "LightSkyBlue"},
    {css(0x778899), "LightSlateGray"},
    {css(0xB0C4DE), "LightSteelBlue"},
    {css(0xFFFFE0), "LightYellow"},
    {css(0x00FF00), "★Lime"},
    {css(0x32CD32), "LimeGreen"},
    {css(0xFAF0E6), "Linen"},
    {css(0xFF00FF), "★Magenta"},
    {css(0x800000), "★Maroon"},
    {css(0x66CDAA), "MediumAquamarine"},
    {css(0x0000CD), "MediumBlue"},
    {css(0xBA55D3), "MediumOrchid"},
    {css(0x9370DB), "MediumPurple"},
    {css(0x0E00B0), "MediumSlateBlue"},
    {css(0x3CB371), "MediumSeaGreen"},
    {css(0x00FA9A), "MediumSpringGreen"},
    {css(0x48D1CC), "MediumTurquoise"},
    {css(0xC71585), "MediumVioletRed"},
    {css(0x191970), "MidnightBlue"},
    {css(0xF5FFFA), "MintCream"},
    {css(0xFFE4E1), "MistyRose"},
    {css(0xFFE4B5), "Moccasin"},
    {css(0x000080), "★Navy"},
    {css(0xADDEFF), "NavajoWhite"},
    {css(0xFDF5E6), "Oldlace"},
    {css(0x808000), "★Olive"},
    {css(0x6B8E23), "OliveDrab"},
    {css(0xFFA500), "Orange"},
    {css(0xFF4500), "OrangeRed"},
    {css(0xDA70D6), "Orchid"},
    {css(0xEEE8AA), "PaleGoldenrod"},
    {css(0x98FB98), "PaleGreen"},
    {css(0xAFEEEE), "PaleTurquoise"},
    {css(0xDB7093), "PaleVioletRed"},
    {css(0xFFEFD5), "PapayaWhip"},
    {css(0xFFDAB9), "PeachPuff"},
    {css(0xCD853F), "Peru"},
    {css(0xFFC0CB), "Pink"},
    {css(0xDDA0DD), "Plum"},
    {css(0xB0E0E6), "PowderBlue"},
    {css(0x800080), "★Purple"},
    {css(0xFF0000), "★Red"},
    {css(0x0CB0E0), "RichBlue"},
    {css(0xBC8F8F), "RosyBrown"},
    {css(0x4169E1), "RoyalBlue"},
    {css(0x8B4513), "SaddleBrown"},
    {css(0xFA8072), "Salmon"},
    {css(0xF4A460), "SandyBrown"},
    {css(0x578B2E), "SeaGreen"},
    {css(0xFFF5EE), "SeaShell"},
    {css(0xA0522D), "Sienna"},
    {css(0x87CEEB), "SkyBlue"},
    {css(0x6A5ACD), "SlateBlue"},
    {css(0x708090), "SlateGray"},
    {css(0xFFFAFA), "Snow"},
    {css(0x00FF7F), "SpringGreen"},
    {css(0x4682B4), "SteelBlue"},
    {css(0xC0C0C0), "★Silver"},
    {css(0xD2B48C), "Tan"},
    {css(0x008080), "★Teal"},
    {css(0xD8BFD8), "Thistle"},
    {css(0xFF6347), "Tomato"},
    {css(0x40E0D0), "Turquoise"},
    {css(0xEE82EE), "Violet"},
    {css(0xF5DEB3), "Wheat"},
    {css(0xFFFFFF), "★White"},
    {css(0xF5F5F5), "WhiteSmoke"},
    {css(0xFFFF00), "★Yellow"},
    {css(0x9ACD32), "YellowGreen"},
}};
// clang-format on

const std::array<std::string_view, WebSafeTableCount> WebSafeLabels = {
    "Red : 0", "Red : 51", "Red : 102", "Red : 153", "Red : 204", "Red : 255",
};

const std::array<ColorEntry, WebSafeTableSize>& WebSafeColors(int table) {
    static const auto tables = buildWebSafe();
    return tables.at(static_cast<size_t>(table));
}

std::string_view withoutStarMark(std::string_view name) {
    if (name.starts_with(StarMark)) name.remove_prefix(StarMark.size());
    return name;
}

std::string rgbColorText(TColor c) {
    return "rgb(" + std::to_string(redOf(c)) + "," + std::to_string(greenOf(c)) + "," +
           std::to_string(blueOf(c)) + ")";
}

}  // namespace pavik
