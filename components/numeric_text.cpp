#include "components/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace pavik {
namespace {

bool isPatternChar(char c) { return c == '0' || c == '#' || c == ',' || c == '.'; }

// One section of a display format, taken apart.
struct Section {
    std::string prefix, suffix;  // literal text before and after the number
    bool hasPattern = false;
    bool thousands = false;
    int intMin = 0;  // "0"s before the point
    int decMin = 0;  // "0"s after it
    int decMax = 0;  // "0"s and "#"s after it
};

std::vector<std::string_view> splitSections(std::string_view format) {
    std::vector<std::string_view> out;
    char quote = 0;
    size_t start = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            out.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(format.substr(start));
    return out;
}

Section parseSection(std::string_view text) {
    Section s;
    bool afterPoint = false, afterPattern = false;
    char quote = 0;
    for (const char c : text) {
        if (quote) {
            if (c == quote) quote = 0;
            else (s.hasPattern ? s.suffix : s.prefix) += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (!isPatternChar(c) || afterPattern) {
            // Literal text inside the pattern ends it; what follows is the suffix.
            if (s.hasPattern) {
                afterPattern = true;
                s.suffix += c;
            } else {
                s.prefix += c;
            }
            continue;
        }
        s.hasPattern = true;
        if (c == '.') afterPoint = true;
        else if (c == ',') s.thousands = s.thousands || !afterPoint;
        else if (afterPoint) {
            ++s.decMax;
            if (c == '0') s.decMin = s.decMax;
        } else if (c == '0') {
            ++s.intMin;
        }
    }
    return s;
}

std::string shortestText(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

struct Formatted {
    std::string text;
    bool zero = false;  // every digit shown is 0
};

Formatted formatAbs(double v, const Section& s) {
    if (!s.hasPattern) return {s.prefix + s.suffix, v == 0};
    const int n = std::snprintf(nullptr, 0, "%.*f", s.decMax, v);
    std::string digits(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(digits.data(), digits.size(), "%.*f", s.decMax, v);
    digits.resize(static_cast<size_t>(n));
    const size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string frac = point == std::string::npos ? std::string() : digits.substr(point + 1);
    while (static_cast<int>(frac.size()) > s.decMin && frac.back() == '0') frac.pop_back();
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole.erase(0, firstNonZero == std::string::npos ? whole.size() : firstNonZero);
    if (static_cast<int>(whole.size()) < s.intMin)
        whole.insert(0, static_cast<size_t>(s.intMin) - whole.size(), '0');
    const bool zero = digits.find_first_of("123456789") == std::string::npos;
    if (s.thousands) {
        for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(static_cast<size_t>(i), 1, ThousandSeparator);
    }
    std::string out = s.prefix + whole;
    if (!frac.empty()) out += DecimalSeparator + frac;
    return {out + s.suffix, zero};
}

}  // namespace

std::string FormatNumber(double value, std::string_view format) {
    const std::vector<std::string_view> sections = splitSections(format);
    if (sections[0].empty()) return shortestText(value);
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() >= 2 && !sections[1].empty();
    const Formatted f = formatAbs(std::fabs(value), parseSection(sections[ownNegative ? 1 : 0]));
    if (f.zero) {
        // Rounded away to nothing: the zero section, else zero without a sign.
        if (sections.size() >= 3 && !sections[2].empty()) return formatAbs(0, parseSection(sections[2])).text;
        if (negative) return formatAbs(0, parseSection(sections[0])).text;
    }
    return negative && !ownNegative ? "-" + f.text : f.text;
}

std::optional<double> ParseNumberText(std::string_view text) {
    if (text.empty()) return 0.0;
    if (text.size() > 255) return std::nullopt;
    std::string number;
    bool negative = false, digits = false;
    for (const char c : text) {
        if (c == '-' || c == '(') negative = true;
        if (c >= '0' && c <= '9') digits = true;
        if ((c >= '0' && c <= '9') || c == DecimalSeparator) number += c;
    }
    if (!digits) return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v);
    if (r.ec != std::errc() || r.ptr != number.data() + number.size()) return std::nullopt;
    return negative ? -v : v;
}

bool IsValidNumberKey(const NumberKey& k) {
    const unsigned char key = static_cast<unsigned char>(k.key);
    if (key < 0x20 || key == 0x7F) return key != '\r';
    if (key >= '0' && key <= '9') return true;
    if (key == '+' || key == '-') {
        const bool signed_ = k.text.find_first_of("+-") != std::string_view::npos;
        return (k.atStart && !signed_) || k.selectedText == k.text;
    }
    if (key == DecimalSeparator && !k.integersOnly)
        return k.text.find(DecimalSeparator) == std::string_view::npos ||
               k.selectedText.find(DecimalSeparator) != std::string_view::npos;
    return false;
}

std::optional<std::string> AcceptNumberInput(std::u32string_view committed, const NumberInput& field) {
    std::string text(field.text);
    size_t at = std::min(field.selectionStart, text.size());
    size_t selected = std::min(field.selectionLength, text.size() - at);
    std::string typed;
    for (char32_t c : committed) {
        if (c >= U'\uFF10' && c <= U'\uFF19') c = U'0' + (c - U'\uFF10');  // full-width digits
        if (c < 0x20 || c >= 0x7F) return std::nullopt;
        const char key = static_cast<char>(c);
        const std::string_view selection = std::string_view(text).substr(at, selected);
        if (!IsValidNumberKey({key, text, selection, at == 0, field.integersOnly})) return std::nullopt;
        text.replace(at, selected, 1, key);
        ++at;
        selected = 0;
        typed += key;
    }
    return typed;
}

double CheckNumberRange(double v, double min, double max, bool checkRange) {
    if (min == max && !checkRange) return v;
    if (v < min) return min;
    if (v > max) return max;
    return v;
}

std::int32_t RoundToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::nearbyint(v));
}

}  // namespace pavik
