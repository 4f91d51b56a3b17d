#pragma once
// A tree view that says when a key made another item current (arrow keys, paging, typing
// the start of an item's text), so that the window can do for the keyboard what it does
// for a click.
#include <QKeyEvent>
#include <QPersistentModelIndex>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

namespace pavik {

template <class View>
class KeySelect : public View {
public:
    using View::View;

    // Called after a key press moved the current item to another item.
    std::function<void()> OnKeySelect;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QPersistentModelIndex before = this->currentIndex();
        View::keyPressEvent(event);
        const QModelIndex now = this->currentIndex();
        if (now.isValid() && now != before && OnKeySelect) OnKeySelect();
    }
};

using KeySelectTree = KeySelect<QTreeWidget>;  // items of its own
using KeySelectView = KeySelect<QTreeView>;    // over a model

}  // namespace pavik
