#include "editor/view/font_mapping.h"

#include <array>

namespace pavik {

namespace {

// The gothic faces the original panes name, in both spellings.
constexpr std::array<std::string_view, 5> kGothicNames{
    "ＭＳ ゴシック", "MS Gothic", "MS UI Gothic", "ＭＳ Ｐゴシック", "MS PGothic"};

// Installed stand-ins, best first: fixed-pitch before proportional.
constexpr std::array<std::string_view, 4> kJapaneseFamilies{
    "Noto Sans Mono CJK JP", "IPAGothic", "IPAexGothic", "Noto Sans CJK JP"};

}  // namespace

std::string mapFontFamily(std::string_view requested,
                          const std::function<bool(const std::string&)>& installed,
                          const std::string& monospaceFallback) {
    for (std::string_view name : kGothicNames) {
        if (requested != name) continue;
        for (std::string_view family : kJapaneseFamilies)
            if (installed(std::string(family))) return std::string(family);
        return monospaceFallback;
    }
    if (!requested.empty() && installed(std::string(requested))) return std::string(requested);
    return monospaceFallback;
}

}  // namespace pavik
