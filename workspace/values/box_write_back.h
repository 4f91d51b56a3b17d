#pragma once
// Storing the box model editor's result into the selected rule. Headless: the main window
// runs the dialog, calls this, then marks the property tree and does the tail (unsaved
// mark, preview rebuild, status line).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/box_edit_model.h"
#include "workspace/document/style_document.h"

namespace pavik {

// Stores every row the user changed whose property `applies` to the rule's element, in row
// order, as the dialog composed it; a property the rule lacks is added at the end of its
// declarations. Unchanged rows leave the rule as it was. Returns the properties stored
// (none when the rule is gone).
std::vector<std::string> writeBoxResult(StyleDocument& doc, const TData2* ruleRecord,
                                        const std::vector<BoxResultRow>& rows,
                                        const std::function<bool(std::string_view property)>& applies);

// Whether the rule gives the property a value (a declaration with an empty value is left
// out of the style sheet, so it does not count): what the property tree marks as set.
bool ruleSetsProperty(const StyleDocument& doc, const TData2* ruleRecord, std::string_view property);

}  // namespace pavik
