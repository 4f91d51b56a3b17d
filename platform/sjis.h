#pragma once
// Byte-string helpers over CP932 text that step by whole characters, so that a
// trail byte equal to an ASCII byte ("{", "}", "\", a letter...) is never mistaken for it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pavik::sjis {

inline constexpr size_t npos = std::string_view::npos;

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool isTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Length in bytes of the character starting at i: 2 for a lead byte followed by a valid
// trail byte, else 1. i must be below s.size().
inline size_t charLength(std::string_view s, size_t i) {
    return (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
            isTrailByte(static_cast<unsigned char>(s[i + 1]))) ? 2 : 1;
}

// Start of the character that holds byte i, found by scanning from the start of s.
size_t charStart(std::string_view s, size_t i);

// Finds a single-byte character, starting at character boundary `from`.
size_t find(std::string_view s, char c, size_t from = 0);
// Finds a substring that begins on a character boundary, starting at `from`.
size_t find(std::string_view s, std::string_view sub, size_t from = 0);
inline bool contains(std::string_view s, std::string_view sub) { return find(s, sub) != npos; }
inline bool contains(std::string_view s, char c) { return find(s, c) != npos; }

// ASCII-only case change; double-byte characters pass through untouched.
std::string toUpperAscii(std::string_view s);
std::string toLowerAscii(std::string_view s);
// Case-insensitive ASCII comparison (bytes above 0x7F compared exactly).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Removes bytes below 33 (blanks and control characters) from both ends or one end.
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);

// Splits on LF; a CR before the LF is removed. A final line end adds no empty line,
// and an empty text has no lines.
std::vector<std::string> splitLines(std::string_view s);

}  // namespace pavik::sjis
