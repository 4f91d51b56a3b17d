#pragma once
// Texts of the window kept readable without letting them size the window: a group box whose
// title is elided to its width, a label elided likewise, edit boxes that show a text too
// long for them whole in a tooltip, the property tree's name column fitted to its names,
// and the keyword hint memo's tab stop placed past its longest keyword. Eliding is for the
// eye only: each keeps the whole text, and nothing stored is ever cut.
#include <QGroupBox>
#include <QLabel>
#include <QString>

class QLineEdit;
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

// A label showing one line of plain text (a value, of any length) elided to the label's
// width, the whole of it in a tooltip while it does not fit (up to LongestShownText
// characters: a longer value, a data address of megabytes, shows its beginning, since laying
// it out whole would hold up the window for seconds). It takes the width its layout
// gives it and never widens its parent. Text selection, when asked for, is offered while the
// whole text shows: a copy of the elided text would not be the value.
class ElidedLabel : public QLabel {
public:
    static constexpr qsizetype LongestShownText = 4096;

    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return full_; }
    // Whether the label shows less than its whole text.
    bool elided() const { return text() != full_; }
    void setSelectable(bool selectable);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();

    QString full_;
    bool selectable_ = false;
};

// Over an edit box whose text is wider than the box, a tooltip shows the whole text.
void showWholeTextInTooltip(QLineEdit* edit);

// The tree's one column is kept as wide as its widest shown name (indent and icon included)
// or the view, whichever is wider, so that no name is cut; where the pane is narrower, the
// view scrolls sideways and a name that is not wholly in sight shows whole in a tooltip.
void fitNameColumn(QTreeWidget* tree);

// Each time the memo's text changes, its tab stops go past the widest text before a tab on
// any line, so that every description starts in one column; a run of tabs counts as one.
void keepTabStopsPastKeywords(QPlainTextEdit* memo);

}  // namespace pavik
