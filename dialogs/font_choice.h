#pragma once
// The choices of the font family chooser: the five generic families and seventeen named
// fonts, each shown under a caption and stored by its CSS family name. No Qt.
#include <array>
#include <string_view>

namespace pavik {

inline constexpr std::array<std::string_view, 5> GenericFontFamilies = {
    "serif", "sans-serif", "cursive", "fantasy", "monospace",
};

struct FontSample {
    std::string_view caption;  // the sample's text (UTF-8)
    std::string_view family;   // the family name stored in the style sheet (UTF-8)
};

// In the order of the sample labels StaticText1 .. StaticText17.
extern const std::array<FontSample, 17> FontSamples;

}  // namespace pavik
