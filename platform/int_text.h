#pragma once
// Integer text as the settings file and the colour text form read it.
#include <cstdint>
#include <optional>
#include <string_view>

namespace pavik {

// Blanks around the number are ignored; then an optional sign and either decimal digits,
// or "$" or "0x" followed by hexadecimal digits. Decimal must fit a signed 32-bit integer;
// hexadecimal takes up to 32 bits and wraps to negative ("$FFFFFFFF" is -1).
// Anything else, overflow included, gives nullopt.
std::optional<std::int32_t> parseInt32(std::string_view text);

// The value of a hexadecimal digit (either case), or -1.
int hexDigit(char c);

}  // namespace pavik
