#pragma once
// Colour values: 32 bits with red in the low byte, green in the next, blue in the third.
// $80000000 + n is the current system colour of display element n; $1FFFFFFF is no colour.
// The text form is a "cl..." identifier where one matches, else "$" and 8 hex digits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pavik {

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clScrollBar = clSystemColor + 0;
inline constexpr TColor clBackground = clSystemColor + 1;
inline constexpr TColor clActiveCaption = clSystemColor + 2;
inline constexpr TColor clInactiveCaption = clSystemColor + 3;
inline constexpr TColor clMenu = clSystemColor + 4;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowFrame = clSystemColor + 6;
inline constexpr TColor clMenuText = clSystemColor + 7;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clCaptionText = clSystemColor + 9;
inline constexpr TColor clActiveBorder = clSystemColor + 10;
inline constexpr TColor clInactiveBorder = clSystemColor + 11;
inline constexpr TColor clAppWorkSpace = clSystemColor + 12;
inline constexpr TColor clHighlight = clSystemColor + 13;
inline constexpr TColor clHighlightText = clSystemColor + 14;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clBtnShadow = clSystemColor + 16;
inline constexpr TColor clGrayText = clSystemColor + 17;
inline constexpr TColor clBtnText = clSystemColor + 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor + 19;
inline constexpr TColor clBtnHighlight = clSystemColor + 20;
inline constexpr TColor cl3DDkShadow = clSystemColor + 21;
inline constexpr TColor cl3DLight = clSystemColor + 22;
inline constexpr TColor clInfoText = clSystemColor + 23;
inline constexpr TColor clInfoBk = clSystemColor + 24;
inline constexpr TColor clHotLight = clSystemColor + 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor + 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor + 28;
inline constexpr TColor clMenuHighlight = clSystemColor + 29;
inline constexpr TColor clMenuBar = clSystemColor + 30;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// A system colour has the top bit set; its display element number is the low byte.
constexpr bool isSystemColor(TColor c) { return (c & clSystemColor) != 0; }
constexpr int systemColorIndex(TColor c) { return static_cast<int>(c & 0xFF); }

constexpr int redOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// The identifier of c, else "$" + 8 upper-case hex digits. Where several identifiers share
// a value the first in the table wins (clSilver over clLtGray, clGray over clDkGray).
std::string ColorToString(TColor c);

// An identifier (any letter case) or an integer: decimal, "$hex" or "0x" hex, blanks around
// ignored; a negative decimal gives its two's complement. Anything else gives nullopt.
std::optional<TColor> StringToColor(std::string_view text);

}  // namespace pavik
