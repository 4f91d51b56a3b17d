#pragma once
// Which declaration of a property a rule puts in effect, and the "!important" mark of a
// value, for the editors that show and change one property. No Qt; texts are CP932.
#include <string>
#include <string_view>

#include "workspace/document/style_document.h"

namespace pavik {

// The declaration of `name` (exact) that is in effect in the rule: the last one marked
// "!important", else the last one. A declaration with an empty value (left out of the
// style sheet) counts only when every one is empty. Null when the rule does not declare
// the property.
const Declaration* declarationInEffect(const CssRuleNode* rule, std::string_view name);
Declaration* declarationInEffect(CssRuleNode* rule, std::string_view name);

// A value taken apart at its trailing "!important" (letter case ignored, blanks allowed
// after the "!"; an escaped "\!" is no mark).
struct ValueImportance {
    std::string_view value;  // without the mark, trimmed
    std::string_view mark;   // the mark as written, empty when there is none
};
ValueImportance splitImportance(std::string_view value);

// `value` keeping the mark of `previous`: an empty value, or one with a mark of its own,
// stays as it is.
std::string keepImportance(std::string_view value, std::string_view previous);

}  // namespace pavik
