#pragma once
#include <string>

namespace pavik::bench {

// About `megabytes` MB of CSS-like lines of 10 to 100 bytes (about 20,000 lines per MB).
std::string manyLines(int megabytes);
// One line of about `megabytes` MB (minified CSS).
std::string oneLine(int megabytes);

}  // namespace pavik::bench
