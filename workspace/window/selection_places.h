#pragma once
// Where the user is in the rule tree and the property tree, kept across a rebuild of the
// trees (a save reads the file back into new rules), and taking the user to a given rule and
// property after a change of the document.
//
// - remember() before the trees are rebuilt, restore() after the rule tree shows the new
//   document: the selected rule comes back (found by its selector and its place among the
//   rules of that selector, see RulePlace), with the property the value area was showing,
//   the property tree's current node, the nodes left open or closed in both trees, and the
//   scroll places of both trees. Each is taken up as a click takes it up (tag information,
//   lamps, property tree, value panel); the caller decides whether the preview moves.
// - A rule no longer in the document leaves no rule selected; a property node the new
//   property tree lacks leaves the rule selected alone.
// - select(rule, property) takes up a rule and one of its properties, as clicks on them
//   would, scrolled into sight.
// - Nothing here changes the document or stores a value.
#include <QPoint>
#include <QStringList>
#include <optional>
#include <string_view>
#include <vector>

#include "workspace/document/style_document.h"

class QModelIndex;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace pavik {

// What the places need of the main window.
class SelectionPlacesHost {
public:
    virtual ~SelectionPlacesHost() = default;
    virtual QTreeView* ruleTree() const = 0;
    virtual QTreeWidget* propertyTree() const = 0;
    virtual const StyleDocument& document() const = 0;
    // The rule of the selected rule node (CurStructNode), or null.
    virtual const CssRuleNode* selectedRule() const = 0;
    // The property node the value area was built for (CurTargetNode), or null.
    virtual QTreeWidgetItem* selectedProperty() const = 0;
    // The rule tree's node of `rule`, or an invalid index.
    virtual QModelIndex nodeOfRule(const CssRuleNode* rule) const = 0;
    // Takes up the rule tree's current node as a click does (TreeViewStructClick).
    virtual void takeUpRule() = 0;
    // Takes up the property tree's current node as the keyboard does: the focus stays.
    virtual void takeUpProperty() = 0;
};

class SelectionPlaces {
public:
    // Nodes are named by their texts from the root down.
    struct Place {
        std::optional<RulePlace> rule;
        QStringList property;  // the node the value area was built for; empty: none
        QStringList current;   // the property tree's current node; empty: none
        std::vector<QStringList> openProperties;   // property tree nodes open
        std::vector<QStringList> closedRuleNodes;  // rule tree base and group nodes closed
        QPoint ruleScroll, propertyScroll;         // horizontal, vertical
    };

    explicit SelectionPlaces(SelectionPlacesHost& host) : host_(host) {}

    Place remember() const;
    void restore(const Place& place);
    // Takes up `rule` and its property named `property` (CP932; empty: the rule alone).
    // False, changing nothing, when the rule has no node in the rule tree.
    bool select(const CssRuleNode* rule, std::string_view property);

private:
    // Makes `item` the property tree's current node and takes it up; nothing for null.
    void takeUpProperty(QTreeWidgetItem* item);

    SelectionPlacesHost& host_;
};

}  // namespace pavik
