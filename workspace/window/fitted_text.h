#pragma once
// Texts of the window kept readable without letting them size the window: a group box whose
// title is elided to its width, the property tree's name column fitted to its names, and
// the keyword hint memo's tab stop placed past its longest keyword.
#include <QGroupBox>
#include <QString>

class QPlainTextEdit;
class QTreeWidget;

namespace pavik {

// A group box whose title (a selector, of any length) is shown elided to the box's width,
// the whole of it in a tooltip over the title. The title never widens the box: its minimum
// size is that of its contents alone.
class ElidedTitleBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

    void setFullTitle(const QString& title);
    QString fullTitle() const { return full_; }

    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitTitle();
    // Where the style puts a title.
    QRect titleRect(const QString& title) const;

    QString full_;
};

// The tree's one column is kept as wide as its widest shown name (indent and icon included)
// or the view, whichever is wider, so that no name is cut; where the pane is narrower, the
// view scrolls sideways and a name that is not wholly in sight shows whole in a tooltip.
void fitNameColumn(QTreeWidget* tree);

// Each time the memo's text changes, its tab stops go past the widest text before a tab on
// any line, so that every description starts in one column; a run of tabs counts as one.
void keepTabStopsPastKeywords(QPlainTextEdit* memo);

}  // namespace pavik
