#include "workspace/window/fitted_text.h"

#include <QAbstractItemDelegate>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

namespace pavik {

// ---- ElidedTitleBox ------------------------------------------------------------------------

namespace {

// A title that shows a "&" of the selector as itself, never as a mnemonic.
QString literalTitle(const QString& text) { return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }

}  // namespace

void ElidedTitleBox::setFullTitle(const QString& title) {
    full_ = title;
    fitTitle();
}

QSize ElidedTitleBox::minimumSizeHint() const { return QWidget::minimumSizeHint(); }

QRect ElidedTitleBox::titleRect(const QString& title) const {
    QStyleOptionGroupBox opt;
    initStyleOption(&opt);
    opt.text = title;
    return style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, this);
}

void ElidedTitleBox::fitTitle() {
    if (!isVisible()) {  // not laid out yet: fitted when shown
        setTitle(literalTitle(full_));
        return;
    }
    // The label's room: the box less the label's margin on either side and what the style
    // adds to the text's own width.
    const QRect label = titleRect(literalTitle(full_));
    const int extra = std::max(0, label.width() - fontMetrics().horizontalAdvance(full_));
    const int room = std::max(0, width() - 2 * std::max(0, label.left()) - extra);
    setTitle(literalTitle(fontMetrics().elidedText(full_, Qt::ElideRight, room)));
}

bool ElidedTitleBox::event(QEvent* event) {
    if (event->type() == QEvent::Show) fitTitle();
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QRect label = titleRect(title());
        if (label.contains(help->pos()) && title() != literalTitle(full_))
            QToolTip::showText(help->globalPos(), full_, this, label);
        else
            QToolTip::hideText();
        return true;
    }
    return QGroupBox::event(event);
}

void ElidedTitleBox::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    fitTitle();
}

void ElidedTitleBox::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fitTitle();
}

// ---- ElidedLabel ---------------------------------------------------------------------------

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);  // a value such as "<b>" is shown as it is
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
}

void ElidedLabel::setFullText(const QString& text) {
    full_ = text;
    fit();
}

void ElidedLabel::setSelectable(bool selectable) {
    selectable_ = selectable;
    fit();
}

namespace {

// The beginning of `text` that a label or tooltip lays out, "…" marking what is left out.
QString shownPart(const QString& text) {
    qsizetype n = ElidedLabel::LongestShownText;
    if (text.size() <= n) return text;
    if (text.at(n - 1).isHighSurrogate()) --n;
    return text.left(n) + QChar(0x2026);
}

}  // namespace

void ElidedLabel::fit() {
    // Not laid out yet: fitted when shown.
    const QString part = shownPart(full_);
    const QString shown =
        isVisible() ? fontMetrics().elidedText(part, Qt::ElideRight, contentsRect().width() - 2 * std::max(0, indent())) : part;
    if (text() != shown) setText(shown);
    setTextInteractionFlags(selectable_ && shown == full_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::Show) fit();
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (elided())
            QToolTip::showText(help->globalPos(), shownPart(full_), this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit();
}

// ---- Whole text of an edit box -----------------------------------------------------------------

namespace {

class WholeTextTip : public QObject {
public:
    explicit WholeTextTip(QLineEdit* edit) : QObject(edit), edit_(edit) { edit->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = edit_->text();
        // The room inside the frame and the text margins, as the box lays its text out.
        const int room = edit_->contentsRect().width() - edit_->textMargins().left() - edit_->textMargins().right() - 8;
        if (edit_->fontMetrics().horizontalAdvance(text) > room)
            QToolTip::showText(help->globalPos(), text, edit_, edit_->rect());
        else
            QToolTip::hideText();
        return true;
    }

private:
    QLineEdit* edit_;
};

}  // namespace

void showWholeTextInTooltip(QLineEdit* edit) { new WholeTextTip(edit); }

// ---- The name column -------------------------------------------------------------------------

namespace {

class NameColumnFit : public QObject {
public:
    explicit NameColumnFit(QTreeWidget* tree) : QObject(tree), tree_(tree) {
        tree->header()->setStretchLastSection(false);
        tree->header()->setSectionResizeMode(0, QHeaderView::Fixed);
        tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // The viewport hears of the tree's font and style changes too.
        tree->viewport()->installEventFilter(this);
        QAbstractItemModel* model = tree->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &NameColumnFit::fitLater);
        connect(model, &QAbstractItemModel::modelReset, this, &NameColumnFit::fitLater);
        connect(model, &QAbstractItemModel::dataChanged, this, &NameColumnFit::fitLater);
        fit();
    }

    // Only the viewport's events come here; none of these is sent while the tree goes.
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Resize: fit(); break;
        case QEvent::ToolTip: return showWholeName(static_cast<QHelpEvent*>(event));
        case QEvent::FontChange:
        case QEvent::StyleChange: fitLater(); break;
        default: break;
        }
        return false;
    }

private:
    QStyleOptionViewItem optionFor(const QModelIndex& index) const {
        QStyleOptionViewItem opt;
        opt.initFrom(tree_->viewport());
        opt.widget = tree_;
        opt.font = tree_->font();
        opt.fontMetrics = QFontMetrics(opt.font);
        opt.decorationSize = tree_->iconSize();
        opt.decorationPosition = QStyleOptionViewItem::Left;
        opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        opt.index = index;
        return opt;
    }
    // What a node's icon and name need, after its indent.
    int need(const QModelIndex& index) const {
        return tree_->itemDelegateForIndex(index)->sizeHint(optionFor(index), index).width();
    }
    // The widest indent, icon and name among `parent`'s children and their descendants.
    int widestUnder(const QModelIndex& parent, int depth) const {
        const QAbstractItemModel* model = tree_->model();
        int widest = 0;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            widest = std::max({widest, depth * tree_->indentation() + need(index), widestUnder(index, depth + 1)});
        }
        return widest;
    }

    void fitLater() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(this, [this] { fit(); }, Qt::QueuedConnection);
    }
    // Every node counts, shown or folded, so the column keeps its width as nodes open.
    void fit() {
        pending_ = false;
        const int widest = widestUnder(QModelIndex(), tree_->rootIsDecorated() ? 1 : 0);
        const int width = std::max(widest, tree_->viewport()->width());
        if (tree_->header()->sectionSize(0) != width) tree_->header()->resizeSection(0, width);
    }

    bool showWholeName(QHelpEvent* help) {
        const QModelIndex index = tree_->indexAt(help->pos());
        const QRect r = tree_->visualRect(index);
        if (index.isValid() && (r.left() < 0 || r.left() + need(index) > tree_->viewport()->width()))
            QToolTip::showText(help->globalPos(), index.data().toString(), tree_->viewport(), r);
        else
            QToolTip::hideText();
        return true;
    }

    QTreeWidget* tree_;
    bool pending_ = false;
};

}  // namespace

void fitNameColumn(QTreeWidget* tree) { new NameColumnFit(tree); }

// ---- Hint tab stops ---------------------------------------------------------------------------

void keepTabStopsPastKeywords(QPlainTextEdit* memo) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        QTextDocument* doc = memo->document();
        const QFontMetricsF fm(doc->defaultFont());
        qreal widest = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            const QString line = b.text();
            if (const qsizetype tab = line.indexOf(QLatin1Char('\t')); tab > 0)
                widest = std::max(widest, fm.horizontalAdvance(line.left(tab)));
        }
        // The column starts two blanks past the widest keyword; further stops one pixel apart
        // take up the extra tabs of a run.
        const qreal column = std::ceil(widest + 2 * fm.horizontalAdvance(QLatin1Char(' ')));
        QList<QTextOption::Tab> stops;
        for (int k = 0; k < 4; ++k) stops.append(QTextOption::Tab(column + k, QTextOption::LeftTab));
        QTextOption option = doc->defaultTextOption();
        if (option.tabs() == stops) return;
        option.setTabs(stops);
        option.setTabStopDistance(column);
        doc->setDefaultTextOption(option);
    });
}

}  // namespace pavik
