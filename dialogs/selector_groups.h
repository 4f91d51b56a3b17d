#pragma once
// Captions of the element groups of the selector table (the rule's tag information).
#include <array>
#include <string_view>

namespace pavik {

inline constexpr int SelectorGroupCount = 12;
extern const std::array<std::string_view, SelectorGroupCount> SelectorGroupNames;  // UTF-8

// The caption of group `index`; empty for an index outside the table.
std::string_view selectorGroupName(int index);

}  // namespace pavik
