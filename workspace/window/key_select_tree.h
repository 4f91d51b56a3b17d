#pragma once
// A tree view that says when a key made another item current (arrow keys, paging, typing
// the start of an item's text), so that the window can do for the keyboard what it does
// for a click.
#include <QKeyEvent>
#include <QTreeWidget>
#include <functional>

namespace pavik {

class KeySelectTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    // Called after a key press moved the current item to another item.
    std::function<void()> OnKeySelect;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QTreeWidgetItem* before = currentItem();
        QTreeWidget::keyPressEvent(event);
        if (currentItem() && currentItem() != before && OnKeySelect) OnKeySelect();
    }
};

}  // namespace pavik
