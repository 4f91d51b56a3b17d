#include "dialogs/color_choice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "dialogs/color_tables.h"
#include "platform/int_text.h"

namespace pavik {
namespace {

TColor rgbOf(int r, int g, int b) {
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

int byteOf(double v) { return static_cast<int>(std::lrint(std::clamp(v, 0.0, 255.0))); }

// "#rgb", "#rgba", "#rrggbb", "#rrggbbaa".
std::optional<CssColor> readHexColor(std::string_view digits) {
    if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8) return std::nullopt;
    std::vector<int> d;
    for (char c : digits) {
        d.push_back(hexDigit(c));
        if (d.back() < 0) return std::nullopt;
    }
    const bool shortForm = digits.size() <= 4;
    const auto part = [&](size_t i) { return shortForm ? d[i] * 17 : d[2 * i] * 16 + d[2 * i + 1]; };
    const bool hasAlpha = digits.size() == 4 || digits.size() == 8;
    return CssColor{rgbOf(part(0), part(1), part(2)), hasAlpha ? part(3) / 255.0 : 1.0};
}

// One part of a colour function: a number with its unit ("", "%", "deg", ...).
struct Part {
    double number;
    std::string_view unit;
};

std::optional<Part> readPart(std::string_view token) {
    if (!token.empty() && token[0] == '+') token.remove_prefix(1);
    double v = 0;
    const auto r = std::from_chars(token.data(), token.data() + token.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    return Part{v, token.substr(static_cast<size_t>(r.ptr - token.data()))};
}

// The parts between the parentheses; `alphaAt` is where a "/" put the alpha (or -1).
std::optional<std::vector<Part>> readParts(std::string_view args, int& alphaAt) {
    std::vector<Part> parts;
    alphaAt = -1;
    size_t i = 0;
    while (i < args.size()) {
        const char c = args[i];
        if (c == ',' || c == ' ' || c == '\t' || c == '/') {
            if (c == '/') alphaAt = static_cast<int>(parts.size());
            ++i;
            continue;
        }
        const size_t end = args.find_first_of(", \t/", i);
        const std::optional<Part> part = readPart(args.substr(i, end == std::string_view::npos ? end : end - i));
        if (!part) return std::nullopt;
        parts.push_back(*part);
        i = end == std::string_view::npos ? args.size() : end;
    }
    return parts;
}

std::optional<double> alphaOf(const Part& p) {
    if (p.unit == "%") return std::clamp(p.number / 100, 0.0, 1.0);
    if (p.unit.empty()) return std::clamp(p.number, 0.0, 1.0);
    return std::nullopt;
}

// A hue in degrees.
std::optional<double> hueOf(const Part& p) {
    if (p.unit.empty() || p.unit == "deg") return p.number;
    if (p.unit == "rad") return p.number * 180 / std::numbers::pi;
    if (p.unit == "grad") return p.number * 0.9;
    if (p.unit == "turn") return p.number * 360;
    return std::nullopt;
}

// A saturation or lightness, 0..1.
std::optional<double> fractionOf(const Part& p) {
    if (p.unit != "%" && !p.unit.empty()) return std::nullopt;
    return std::clamp(p.number / 100, 0.0, 1.0);
}

TColor hslColor(double h, double s, double l) {
    h = std::fmod(h, 360);
    if (h < 0) h += 360;
    const auto f = [&](double n) {
        const double k = std::fmod(n + h / 30, 12);
        const double a = s * std::min(l, 1 - l);
        return 255 * (l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0})));
    };
    return rgbOf(byteOf(f(0)), byteOf(f(8)), byteOf(f(4)));
}

std::optional<CssColor> readColorFunction(std::string_view name, std::string_view args) {
    int alphaAt = -1;
    const std::optional<std::vector<Part>> parts = readParts(args, alphaAt);
    if (!parts || parts->size() < 3 || parts->size() > 4 || (alphaAt >= 0 && alphaAt != 3)) return std::nullopt;
    const std::vector<Part>& p = *parts;
    double alpha = 1;
    if (p.size() == 4) {
        const std::optional<double> a = alphaOf(p[3]);
        if (!a) return std::nullopt;
        alpha = *a;
    }
    if (name == "rgb" || name == "rgba") {
        std::array<int, 3> c{};
        for (size_t i = 0; i < 3; ++i) {
            if (p[i].unit == "%") c[i] = byteOf(p[i].number * 255 / 100);
            else if (p[i].unit.empty()) c[i] = byteOf(p[i].number);
            else return std::nullopt;
        }
        return CssColor{rgbOf(c[0], c[1], c[2]), alpha};
    }
    if (name == "hsl" || name == "hsla") {
        const std::optional<double> h = hueOf(p[0]), s = fractionOf(p[1]), l = fractionOf(p[2]);
        if (!h || !s || !l) return std::nullopt;
        return CssColor{hslColor(*h, *s, *l), alpha};
    }
    return std::nullopt;
}

std::string lowerTrimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Names of the colour-name table that no browser reads as a colour.
constexpr std::array<std::string_view, 9> kNonCssNames = {
    "Brass", "Brawn", "CoolCopper", "Copper", "CornFlower", "DarkBrown", "Feldsper", "InidianRed", "RichBlue",
};

template <typename Table>
bool holds(const Table& table, TColor c) {
    return std::any_of(table.begin(), table.end(), [c](const ColorEntry& e) { return e.Value == c; });
}

}  // namespace

std::optional<CssColor> readCssColor(std::string_view text) {
    const std::string t = lowerTrimmed(text);
    if (t.empty()) return std::nullopt;
    if (t[0] == '#') return readHexColor(std::string_view(t).substr(1));
    for (const ColorEntry& e : ColorNames)
        if (lowerTrimmed(withoutStarMark(e.Name)) == t) return CssColor{e.Value, 1};
    for (const ColorEntry& e : SystemColors)
        if (lowerTrimmed(e.Name) == t) return CssColor{e.Value, 1};
    const size_t open = t.find('(');
    if (open == std::string::npos || t.back() != ')') return std::nullopt;
    const std::string_view all(t);
    return readColorFunction(lowerTrimmed(all.substr(0, open)), all.substr(open + 1, t.size() - open - 2));
}

std::string rgbaColorText(TColor c, double alpha) {
    std::string a = std::to_string(std::lrint(std::clamp(alpha, 0.0, 1.0) * 1000));
    // Thousandths as a decimal: "500" -> "0.5", "1000" -> "1".
    a.insert(0, 4 - std::min<size_t>(a.size(), 4), '0');
    a.insert(a.size() - 3, 1, '.');
    while (a.back() == '0') a.pop_back();
    if (a.back() == '.') a.pop_back();
    return "rgba(" + std::to_string(redOf(c)) + "," + std::to_string(greenOf(c)) + "," + std::to_string(blueOf(c)) +
           "," + a + ")";
}

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
