#include "editor/view/row_number_format.h"

#include <algorithm>
#include <cctype>

#include "platform/sjis.h"

namespace pavik {

namespace {

std::string digits(unsigned long long v, bool hex) {
    if (v == 0) return "0";
    std::string s;
    while (v > 0) {
        const unsigned d = static_cast<unsigned>(v % (hex ? 16 : 10));
        s.push_back(static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10));
        v /= hex ? 16 : 10;
    }
    std::reverse(s.begin(), s.end());
    return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads decimal digits at i, capped at kMaxFormatWidth.
int readNumber(std::string_view f, size_t& i) {
    int n = 0;
    while (i < f.size() && isDigit(f[i])) {
        n = std::min(n * 10 + (f[i] - '0'), kMaxFormatWidth);
        ++i;
    }
    return n;
}

// Renders one conversion of `number`, or nothing when the conversion is not one we take.
bool convert(std::string_view f, size_t& i, long long number, std::string& out) {
    size_t j = i + 1;  // after '%'
    // Optional argument index; only index 0 exists.
    if (j < f.size() && isDigit(f[j])) {
        size_t k = j;
        while (k < f.size() && isDigit(f[k])) ++k;
        if (k < f.size() && f[k] == ':') {
            if (f.substr(j, k - j).find_first_not_of('0') != std::string_view::npos) return false;
            j = k + 1;
        }
    }
    bool left = false;
    if (j < f.size() && f[j] == '-') {
        left = true;
        ++j;
    }
    const int width = readNumber(f, j);
    int precision = -1;
    if (j < f.size() && f[j] == '.') {
        ++j;
        precision = readNumber(f, j);
    }
    if (j >= f.size()) return false;
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(f[j])));
    std::string body;
    if (type == 'd') {
        const bool negative = number < 0;
        const unsigned long long mag =
            negative ? 0ULL - static_cast<unsigned long long>(number) : static_cast<unsigned long long>(number);
        body = digits(mag, false);
        if (precision > static_cast<int>(body.size()))
            body.insert(0, static_cast<size_t>(precision) - body.size(), '0');
        if (negative) body.insert(0, 1, '-');
    } else if (type == 'u' || type == 'x') {
        body = digits(static_cast<unsigned long long>(number) & 0xFFFFFFFFULL, type == 'x');
        if (precision > static_cast<int>(body.size()))
            body.insert(0, static_cast<size_t>(precision) - body.size(), '0');
    } else {
        return false;
    }
    const size_t pad = width > static_cast<int>(body.size()) ? width - body.size() : 0;
    if (left) {
        out += body;
        out.append(pad, ' ');
    } else {
        out.append(pad, ' ');
        out += body;
    }
    i = j + 1;
    return true;
}

}  // namespace

std::string formatRowNumber(std::string_view format, long long number) {
    std::string out;
    bool used = false;
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] == '%') {
            if (i + 1 < format.size() && format[i + 1] == '%') {
                out.push_back('%');
                i += 2;
                continue;
            }
            if (!used && convert(format, i, number, out)) {
                used = true;
                continue;
            }
        }
        const size_t n = sjis::charLength(format, i);
        out.append(format.substr(i, n));
        i += n;
    }
    return out;
}

}  // namespace pavik
