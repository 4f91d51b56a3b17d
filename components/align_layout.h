#pragma once
// Places a widget's children by align kind, as forms of the class library do: first every
// top-aligned child (in the order added) takes its height from the top of the free area,
// then bottom, left and right ones take theirs from their edges, and client-aligned
// children get what is left. A child keeps its own height (top, bottom) or width (left,
// right); resizing, showing or hiding a child places them all again.
#include <QLayout>
#include <functional>
#include <vector>

namespace pavik {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class AlignLayout : public QLayout {
    Q_OBJECT
public:
    explicit AlignLayout(QWidget* parent = nullptr);
    ~AlignLayout() override;

    using QLayout::addWidget;
    void addWidget(QWidget* w, TAlign align);
    void setAlign(QWidget* w, TAlign align);
    TAlign align(QWidget* w) const;

    // The area children are placed in; by default the parent's contents rectangle.
    void setClientRect(std::function<QRect()> clientRect);
    QRect clientRect() const;

    // Suspends placing (nested); the last enableAlign places the children again.
    void disableAlign() { ++disabled_; }
    void enableAlign();
    void realign();

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QSize sizeHint() const override;
    QSize minimumSize() const override { return {0, 0}; }
    void setGeometry(const QRect& r) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Entry {
        QLayoutItem* item;
        TAlign align;
    };
    void place(QRect area);

    std::vector<Entry> items_;
    std::function<QRect()> clientRect_;
    int disabled_ = 0;
    bool placing_ = false;
};

}  // namespace pavik
