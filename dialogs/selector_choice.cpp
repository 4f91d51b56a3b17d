#include "dialogs/selector_choice.h"

#include "dialogs/selector_table.h"

namespace pavik {

std::string classSelector(int row, std::string_view cssClass) {
    const SelectorRow* r = selectorRow(row);
    if (!r) return {};
    std::string text(SelectorTable[static_cast<size_t>(selectorElementRow(row))].Name);
    text += '.';
    text += cssClass;
    if (r->Kind != 0) text += r->Name;
    return text;
}

bool canBeChildRow(int row) {
    const SelectorRow* r = selectorRow(row);
    return r && r->Kind == 0;
}

bool canBeParentRow(int row) {
    return canBeChildRow(row) && SelectorTable[static_cast<size_t>(row)].Name != "HR" &&
           SelectorTable[static_cast<size_t>(row)].Name != "OPTION";
}

std::optional<std::string> composeSelector(const SelectorChoice& c) {
    switch (c.page) {
    case SelectorPageBasic: {
        if (!selectorRow(c.row)) return std::nullopt;
        if (c.list.empty()) return selectorRowText(c.row);
        std::string joined;
        for (const std::string& line : c.list) {
            if (!joined.empty()) joined += ',';
            joined += line;
        }
        return joined;
    }
    case SelectorPageClass:
        if (!selectorRow(c.row) || c.cssClass.empty() || !c.classUsable) return std::nullopt;
        return classSelector(c.row, c.cssClass);
    case SelectorPageChild:
        if (!canBeParentRow(c.parentRow) || !canBeChildRow(c.childRow)) return std::nullopt;
        return std::string(SelectorTable[static_cast<size_t>(c.parentRow)].Name) + ' ' +
               std::string(SelectorTable[static_cast<size_t>(c.childRow)].Name);
    default:
        return std::nullopt;
    }
}

std::optional<TData2> newRuleRecord(const SelectorChoice& c) {
    std::optional<std::string> selector = composeSelector(c);
    if (!selector) return std::nullopt;
    const SelectorRow& from = *selectorRow(c.page == SelectorPageChild ? c.childRow : c.row);
    SelectorParts parts = deriveSelectorParts(*selector);
    TData2 rule;
    rule.Name = std::move(parts.Name);
    rule.CssClass = std::move(parts.CssClass);
    rule.Selector = std::move(*selector);
    rule.IE = from.IE;
    rule.NS4 = from.NS4;
    rule.NS6 = from.NS6;
    rule.Group = from.Group;
    return rule;
}

}  // namespace pavik
