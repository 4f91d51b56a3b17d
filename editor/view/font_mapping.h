#pragma once
// The editor's font names come from another platform: its Japanese gothic fonts are mapped
// to an installed Japanese font, anything not installed to the system's monospace font.
#include <functional>
#include <string>
#include <string_view>

namespace pavik {

// `requested` and the result are UTF-8 family names. `installed` tells whether a family
// exists here; `monospaceFallback` is the system's fixed-pitch family.
std::string mapFontFamily(std::string_view requested,
                          const std::function<bool(const std::string&)>& installed,
                          const std::string& monospaceFallback);

}  // namespace pavik
