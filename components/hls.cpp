#include "components/hls.h"

#include <algorithm>
#include <cmath>

namespace pavik {
namespace {

std::uint8_t scaled(double v, double scale) {
    return static_cast<std::uint8_t>(std::clamp<long>(std::lrint(scale * v), 0, 255));
}

}  // namespace

HLS ColorToHLS(std::uint32_t rgb) {
    const double r = (rgb & 0xFF) / 255.0;
    const double g = ((rgb >> 8) & 0xFF) / 255.0;
    const double b = ((rgb >> 16) & 0xFF) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0, s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx) h = (g - b) / d;
        else if (g == mx) h = 2 + (b - r) / d;
        else h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0) h += 1;
    }
    return {scaled(h, 240), scaled(l, 240), scaled(s, 240)};
}

std::uint32_t HLSToColor(int hue, int lightness, int saturation) {
    const double h = hue / 239.0;
    const double l = lightness / 240.0;
    const double s = saturation / 240.0;
    const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0) return 0;
    const double m1 = 2 * l - m2;
    const double v = (m2 - m1) / m2;
    const int sextant = static_cast<int>(6 * h);
    const double f = 6 * h - sextant;
    const double t = m2 * v * f;
    const double up = m1 + t;
    const double down = m2 - t;
    double r, g, b;
    switch (sextant) {
    case 1: r = down, g = m2, b = m1; break;
    case 2: r = m1, g = m2, b = up; break;
    case 3: r = m1, g = down, b = m2; break;
    case 4: r = up, g = m1, b = m2; break;
    case 5: r = m2, g = m1, b = down; break;
    default: r = m2, g = up, b = m1; break;
    }
    // Lightness and saturation above 240 can push a component outside 0..1.
    return scaled(std::clamp(r, 0.0, 1.0), 255) | (scaled(std::clamp(g, 0.0, 1.0), 255) << 8) |
           (scaled(std::clamp(b, 0.0, 1.0), 255) << 16);
}

std::uint32_t ShadeColor(std::uint32_t rgb, int delta) {
    const HLS c = ColorToHLS(rgb);
    return HLSToColor(c.hue, std::clamp(c.lightness + delta, 0, 255), c.saturation);
}

}  // namespace pavik
