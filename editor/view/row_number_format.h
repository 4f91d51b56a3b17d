#pragma once
// The row-number text of the left margin. The format is user-settable text, so it is read
// by our own small formatter and never handed to a printf-style function.
#include <string>
#include <string_view>

namespace pavik {

// Formats `number` with `format` the way the class library's Format does for one integer
// argument: "%d", "%u", "%x" (upper-case hex) with an optional "0:" index, "-" (left
// justify), a width and a "." precision (minimum digits); "%%" is a percent sign.
// Anything else is copied as it stands: text, a second conversion (there is no second
// argument), a conversion of another type, a "*" width. Width and precision above
// kMaxFormatWidth are lowered to it. CP932 text is copied by whole characters.
std::string formatRowNumber(std::string_view format, long long number);

inline constexpr int kMaxFormatWidth = 64;

}  // namespace pavik
