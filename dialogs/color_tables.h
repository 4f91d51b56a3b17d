#pragma once
// The fixed colour vocabulary: the sixteen basic colours, the CSS system-colour keywords,
// the 145 colour names and the six web-safe tables. Names are UTF-8; apart from the
// Japanese basic names and the "★" mark they are plain ASCII.
#include <array>
#include <string>
#include <string_view>

#include "platform/colors.h"

namespace pavik {

struct ColorEntry {
    TColor Value;
    std::string_view Name;
};

inline constexpr int BasicColorCount = 16;
inline constexpr int SystemColorCount = 21;
inline constexpr int ColorNameCount = 145;
inline constexpr int WebSafeTableCount = 6;
inline constexpr int WebSafeTableSize = 36;

// Black, Maroon, Green, ... White: values and their English and Japanese names.
extern const std::array<TColor, BasicColorCount> BasicColors;
extern const std::array<std::string_view, BasicColorCount> BasicColorNames;
extern const std::array<std::string_view, BasicColorCount> BasicColorNamesJ;

// "activeborder" ... "Windowtext": CSS system-colour keywords and the system colours they name.
extern const std::array<ColorEntry, SystemColorCount> SystemColors;

// Colour names as offered to the user, spelling kept. The sixteen HTML colour names carry
// a leading "★" (StarMark); the mark is part of the stored name.
extern const std::array<ColorEntry, ColorNameCount> ColorNames;
inline constexpr std::string_view StarMark = "★";

// Table k holds the colours with red 51*k; entry i has green 51*(i/6) and blue 51*(5-i%6),
// named "#" + one lower-case hex digit per component ("#00f", "#00c", ... "#ff0").
const std::array<ColorEntry, WebSafeTableSize>& WebSafeColors(int table);
// "Red : 0", "Red : 51", ... "Red : 255".
extern const std::array<std::string_view, WebSafeTableCount> WebSafeLabels;

// A table name without its leading "★" mark (unchanged when it has none).
std::string_view withoutStarMark(std::string_view name);

// "rgb(r,g,b)" with decimal components and no blanks, from the three low bytes of c.
std::string rgbColorText(TColor c);

}  // namespace pavik
