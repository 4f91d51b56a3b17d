#pragma once
// Selectors of nested style rules: a nested rule's selector combined with its parent's, so
// that the nested rule can be kept as an ordinary rule.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/css_text.h"

namespace pavik {

// A selector list: its text and its parts, trimmed, as spans of the text.
struct SelectorList {
    std::string Text;
    std::vector<css::TextSpan> Parts;
};

// Splits a selector at its commas outside quotes, parentheses and brackets. `opaque` holds
// the spans of text (strings and escapes), in order, inside which nothing counts.
SelectorList splitSelectorList(std::string_view text, std::span<const css::TextSpan> opaque);

// Combined lists may hold this many parts and bytes; beyond that, ":is()" holds the parent.
inline constexpr size_t MaxCombinedParts = 256;
inline constexpr size_t MaxCombinedBytes = 64 * 1024;

// The selector of a rule written `nested` (with its opaque spans) inside a rule whose
// selector list is `parent`. For every part p of the parent (outer loop) and every part s of
// the nested selector (inner loop): s with each "&" replaced by p when s holds one, else
// p + " " + s; the parts joined with ", ". When that list would exceed the limits above,
// each part s instead becomes s with "&" replaced by ":is(" + parent + ")", or
// ":is(" + parent + ") " + s.
// The result's text is taken from `budget`; when it would need more, the result is empty
// and the budget unchanged.
std::optional<SelectorList> nestSelector(const SelectorList& parent, std::string_view nested,
                                         std::span<const css::TextSpan> opaque, size_t& budget);

}  // namespace pavik
