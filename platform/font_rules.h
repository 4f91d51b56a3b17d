#pragma once
// Which editor fonts the settings file may ask for: a size of 1 to 200 points and a name
// that is not empty. Anything else is never applied; the caller's default is used instead.
#include <string_view>

namespace pavik {

inline constexpr int MaxFontSize = 200;

constexpr bool validFontSize(int points) { return points > 0 && points <= MaxFontSize; }

constexpr int fontSizeOr(int points, int fallback) { return validFontSize(points) ? points : fallback; }

constexpr std::string_view fontNameOr(std::string_view name, std::string_view fallback) {
    return name.empty() ? fallback : name;
}

}  // namespace pavik
