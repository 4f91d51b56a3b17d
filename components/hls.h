#pragma once
// Conversions between RGB colour values (red in the low byte) and hue, lightness and
// saturation on a 0..240 scale.
#include <cstdint>

namespace pavik {

struct HLS {
    std::uint8_t hue = 0;
    std::uint8_t lightness = 0;
    std::uint8_t saturation = 0;
    bool operator==(const HLS&) const = default;
};

// `rgb` must be a plain RGB value; resolve system colours first.
HLS ColorToHLS(std::uint32_t rgb);
std::uint32_t HLSToColor(int hue, int lightness, int saturation);

// The colour with its lightness moved by `delta` (clamped to 0..255), hue and saturation kept.
std::uint32_t ShadeColor(std::uint32_t rgb, int delta);

}  // namespace pavik
