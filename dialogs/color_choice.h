#pragma once
// What the colour picker starts from and the colour texts it hands back. No Qt.
//
// The texts are those a style sheet stores: a basic colour's English name, a system-colour
// keyword, a colour name without its "★", or "rgb(r,g,b)". Colour names that browsers do not
// know ("Brass", "Copper", "InidianRed", ...) are offered as listed but handed back as
// rgb(...) of their table colour.
#include <optional>
#include <string>
#include <string_view>

#include "platform/colors.h"

namespace pavik {

// The picker's pages.
inline constexpr int PickerPageColors = 0;   // basic colours, system colours, colour names
inline constexpr int PickerPageWebSafe = 1;
inline constexpr int PickerPageRGB = 2;

// A colour value of a style sheet (CP932, without "!important"), read whole: a colour name
// of the table, a system-colour keyword, #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(), rgba(),
// hsl() or hsla() (commas or blanks between the parts, "/" before an alpha, numbers or
// percentages, hues in deg, rad, grad or turn). Components are held to their ranges.
// Nothing for any other text ("transparent", "currentcolor", a typing error).
struct CssColor {
    TColor color;       // plain red, green, blue; a system colour as its TColor
    double alpha = 1;   // 0..1
    friend bool operator==(const CssColor&, const CssColor&) = default;
};
std::optional<CssColor> readCssColor(std::string_view text);

// "rgba(r,g,b,a)" of c's three low bytes, the alpha with at most three decimals ("0.5").
std::string rgbaColorText(TColor c, double alpha);

// The colour the picker starts from, given the swatch's: no colour starts from white, and a
// palette-relative colour (how a "#rrggbb" value is read) from its plain red, green, blue.
TColor pickerStartColor(TColor swatch);

// The page shown first for a start colour: the colour page, unless none of its tables holds
// the colour and a web-safe table does.
int pickerStartPage(TColor start);

// The English name of a basic colour; rgb(...) for any other colour.
std::string basicColorResult(TColor c);
// The keyword of the first system colour with that value, or nothing.
std::optional<std::string> systemColorResult(TColor c);
// A colour-name entry (as listed, UTF-8) with its colour: the name without "★", or rgb(...)
// for a name browsers do not know.
std::string colorNameResult(std::string_view name, TColor c);

// Whether a name of the colour-name table is a CSS colour keyword.
bool isCssColorName(std::string_view name);

}  // namespace pavik
