#include "workspace/window/selection_places.h"

#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <functional>

#include "platform/qt_text.h"

namespace pavik {
namespace {

QStringList pathOf(const QTreeWidgetItem* item) {
    QStringList path;
    for (; item; item = item->parent()) path.prepend(item->text(0));
    return path;
}

QTreeWidgetItem* itemAt(const QTreeWidget* tree, const QStringList& path) {
    QTreeWidgetItem* found = nullptr;
    for (const QString& text : path) {
        const int count = found ? found->childCount() : tree->topLevelItemCount();
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* c = found ? found->child(i) : tree->topLevelItem(i);
            if (c->text(0) == text) next = c;
        }
        if (!next) return nullptr;
        found = next;
    }
    return found;
}

// The rule tree's nodes that hold others (base and group nodes), with their paths.
void forEachHolder(const QTreeView* tree, const std::function<void(const QModelIndex&, const QStringList&)>& visit) {
    const QAbstractItemModel* model = tree->model();
    for (int base = 0; base < model->rowCount(); ++base) {
        const QModelIndex b = model->index(base, 0);
        const QString baseText = b.data().toString();
        visit(b, {baseText});
        for (int row = 0; row < model->rowCount(b); ++row) {
            const QModelIndex g = model->index(row, 0, b);
            if (model->rowCount(g) > 0) visit(g, {baseText, g.data().toString()});
        }
    }
}

QPoint scrollOf(const QAbstractScrollArea* view) {
    return {view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()};
}

void scrollTo(QAbstractItemView* view, QPoint place) {
    view->doItemsLayout();  // the scroll ranges of what it now holds
    view->horizontalScrollBar()->setValue(place.x());
    view->verticalScrollBar()->setValue(place.y());
}

}  // namespace

SelectionPlaces::Place SelectionPlaces::remember() const {
    Place place;
    place.rule = placeOfRule(host_.document(), host_.selectedRule());
    const QTreeWidget* properties = host_.propertyTree();
    place.property = pathOf(host_.selectedProperty());
    place.current = pathOf(properties->currentItem());
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(properties)); *it; ++it)
        if ((*it)->isExpanded()) place.openProperties.push_back(pathOf(*it));
    const QTreeView* rules = host_.ruleTree();
    forEachHolder(rules, [&](const QModelIndex& node, const QStringList& path) {
        if (!rules->isExpanded(node)) place.closedRuleNodes.push_back(path);
    });
    place.ruleScroll = scrollOf(rules);
    place.propertyScroll = scrollOf(properties);
    return place;
}

void SelectionPlaces::restore(const Place& place) {
    QTreeView* rules = host_.ruleTree();
    forEachHolder(rules, [&](const QModelIndex& node, const QStringList& path) {
        if (std::find(place.closedRuleNodes.begin(), place.closedRuleNodes.end(), path) != place.closedRuleNodes.end())
            rules->collapse(node);
    });
    const CssRuleNode* rule = place.rule ? ruleAtPlace(host_.document(), *place.rule) : nullptr;
    const QModelIndex node = host_.nodeOfRule(rule);
    if (node.isValid()) {
        rules->setCurrentIndex(node);
        host_.takeUpRule();
        QTreeWidget* properties = host_.propertyTree();
        takeUpProperty(itemAt(properties, place.property));
        if (place.current != place.property) takeUpProperty(itemAt(properties, place.current));
        for (QTreeWidgetItemIterator it(properties); *it; ++it) {
            const QStringList path = pathOf(*it);
            (*it)->setExpanded(std::find(place.openProperties.begin(), place.openProperties.end(), path) !=
                               place.openProperties.end());
        }
        scrollTo(properties, place.propertyScroll);
    }
    scrollTo(rules, place.ruleScroll);
}

bool SelectionPlaces::select(const CssRuleNode* rule, std::string_view property) {
    const QModelIndex node = host_.nodeOfRule(rule);
    if (!node.isValid()) return false;
    QTreeView* rules = host_.ruleTree();
    rules->setCurrentIndex(node);
    rules->scrollTo(node);
    host_.takeUpRule();
    if (property.empty()) return true;
    QTreeWidget* properties = host_.propertyTree();
    const QList<QTreeWidgetItem*> found =
        properties->findItems(fromCp932(property), Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty()) {
        takeUpProperty(found.front());
        properties->scrollToItem(found.front());
    }
    return true;
}

void SelectionPlaces::takeUpProperty(QTreeWidgetItem* item) {
    if (!item) return;
    host_.propertyTree()->setCurrentItem(item);
    host_.takeUpProperty();
}

}  // namespace pavik
