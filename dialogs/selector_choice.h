#pragma once
// What the selector chooser composes from the user's choice, and the rule record a complete
// choice gives. The chooser (frm_css_select.h) keeps a SelectorChoice up to date and only
// shows what these functions decide. No Qt; texts are CP932 bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/style_document.h"

namespace pavik {

// The chooser's pages.
enum SelectorPage : int { SelectorPageBasic = 0, SelectorPageClass = 1, SelectorPageChild = 2 };

struct SelectorChoice {
    int page = SelectorPageBasic;
    int row = -1;                   // the selected row of the upper tree; -1 none
    std::vector<std::string> list;  // lines of the element list (basic page), in order
    std::string cssClass;           // the class typed on the class page
    bool classUsable = true;        // the typed class passes the new-class dialog's check
    int parentRow = -1;             // the element rows of the descendant selector; -1 none
    int childRow = -1;
};

// The row text with the class put after the element: "A.red" for A, "A.red:hover" for the
// child row :hover of A. Empty outside the table.
std::string classSelector(int row, std::string_view cssClass);

// Whether an element row can be the parent of a descendant selector (every element row
// except HR and OPTION; never a child row).
bool canBeParentRow(int row);
// Whether a row can be the descendant of a descendant selector (every element row).
bool canBeChildRow(int row);

// The selector of the choice on its page, or nothing while the choice is incomplete (OK
// stays disabled):
// - basic page, a row selected: the list lines joined with ",", or the row text when the
//   list is empty;
// - class page, a row selected and a usable class (TdlgNewClass::acceptsClassName):
//   classSelector;
// - descendant page, both rows chosen: parent name, a blank, child name.
// A class typed on the class page counts only while that page is active.
std::optional<std::string> composeSelector(const SelectorChoice& choice);

// The rule a complete choice adds, or nothing. Selector as composed; Name and CssClass
// derived from it exactly as the reader derives them; support levels and group from the
// chosen row (the descendant page: the child row); Value and Comment empty.
std::optional<TData2> newRuleRecord(const SelectorChoice& choice);

}  // namespace pavik
