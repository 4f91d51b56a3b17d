#pragma once
// Conversion between UTF-8 and CP932 (Windows Shift_JIS) bytes.
// All document text is CP932; UI text is UTF-8/QString. Conversion happens only here.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pavik {

struct Cp932Encoded {
    std::string bytes;                     // '?' stands in for each character that CP932 lacks
    std::vector<std::string> unencodable;  // those characters, as UTF-8, in text order
    bool ok() const { return unencodable.empty(); }
};

// Whether the bytes are well-formed UTF-8: shortest forms of scalar values only.
bool isValidUtf8(std::string_view s);

// UTF-8 to CP932. Malformed UTF-8 counts as unencodable.
Cp932Encoded encodeCp932(std::string_view utf8);

// UTF-8 to CP932 for text read from a file. Each character that CP932 cannot hold, or that
// would not come back from CP932 as the same character, becomes its CSS escape: a
// backslash, the code point in upper-case hexadecimal and a blank ("\1F600 "); malformed
// UTF-8 becomes "\FFFD ". `unencodable` lists those characters (U+FFFD for malformed bytes).
Cp932Encoded encodeCp932CssEscaped(std::string_view utf8);
// The same with each such character written as escape(code point).
Cp932Encoded encodeCp932Escaped(std::string_view utf8, const std::function<std::string(char32_t)>& escape);

// "\1F600 " for U+1F600.
std::string cssEscape(char32_t codePoint);
// "&#x1F600;" for U+1F600.
std::string htmlReference(char32_t codePoint);

// CP932 to UTF-8. Each byte or pair that does not decode becomes U+FFFD.
std::string decodeCp932(std::string_view cp932);
// Whether every byte belongs to a character that decodes: decodeCp932 would make no U+FFFD.
bool decodesWhole(std::string_view cp932);

// Convenience for fixed texts known to be encodable.
inline std::string toCp932(std::string_view utf8) { return encodeCp932(utf8).bytes; }

}  // namespace pavik
