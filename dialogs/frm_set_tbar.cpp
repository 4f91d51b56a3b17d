#include "dialogs/frm_set_tbar.h"

#include <QAction>
#include <QEvent>
#include <QShowEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/setting_values.h"
#include "platform/qt_text.h"

namespace pavik {
namespace {

const QString kSeparator = QStringLiteral("*");
constexpr int MozillaRow = 17;

// Separator rows leave a blank line between the groups.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.data().toString() == kSeparator) return;
        QStyledItemDelegate::paint(painter, option, index);
    }
};

}  // namespace

TfrmSetTBar::TfrmSetTBar(ToolBarDialogSource source, QWidget* owner)
    : QDialog(owner), source_(std::move(source)) {
    setObjectName("frmSetTBar");
    setWindowTitle(QStringLiteral("ツールバー設定"));

    ListViewTB = new QTreeWidget(this);
    ListViewTB->setObjectName("ListViewTB");
    ListViewTB->setColumnCount(1);
    ListViewTB->setHeaderHidden(true);
    ListViewTB->setRootIsDecorated(false);
    ListViewTB->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewTB->setIconSize(QSize(16, 16));
    ListViewTB->setItemDelegate(new RowDelegate(ListViewTB));

    auto label = [this](const char* name) {
        auto* l = new QLabel(QStringLiteral("0"), this);
        l->setObjectName(QString::fromLatin1(name));
        l->hide();
        return l;
    };
    LabelmnuFile = label("LabelmnuFile");
    LabelmnuStyle = label("LabelmnuStyle");
    LabelmnuTools = label("LabelmnuTools");
    LabelmnuBrowser = label("LabelmnuBrowser");

    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* lower = new QHBoxLayout;
    lower->addStretch(1);
    lower->addWidget(BitBtnOK);
    lower->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListViewTB, 1);
    layout->addLayout(lower);
    resize(300, 460);

    FormCreate();
}

void TfrmSetTBar::FormCreate() {
    ListViewTB->clear();
    for (int row = 0; row < ToolBarRows; ++row) {
        auto* item = new QTreeWidgetItem(ListViewTB);
        const QAction* action = source_.actions[row];
        if (isSeparatorRow(row) || !action) {
            item->setText(0, kSeparator);
            item->setFlags(Qt::NoItemFlags);
            continue;
        }
        item->setText(0, plainCaption(action->text()));
        item->setIcon(0, action->icon());
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
}

void TfrmSetTBar::FormShow() {
    QTreeWidgetItem* mozilla = ListViewTB->topLevelItem(MozillaRow);
    if (namesMozilla(source_.prev3)) {
        mozilla->setText(0, QStringLiteral("Mozilla"));
        mozilla->setIcon(0, source_.mozillaImage);
    } else {
        mozilla->setText(0, QStringLiteral("Netscape6"));
        mozilla->setIcon(0, source_.netscape6Image);
    }
    const ToolBarTicks ticks = ticksFromMasks(source_.visible);
    for (int row = 0; row < ToolBarRows; ++row)
        if (ticks[row]) ListViewTB->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

void TfrmSetTBar::FormDeactivate() {
    ToolBarTicks ticks{};
    for (int row = 0; row < ToolBarRows; ++row)
        ticks[row] = ListViewTB->topLevelItem(row)->checkState(0) == Qt::Checked;
    const ToolBarMasks masks = masksFromTicks(ticks);
    QLabel* labels[] = {LabelmnuFile, LabelmnuStyle, LabelmnuTools, LabelmnuBrowser};
    for (size_t b = 0; b < masks.size(); ++b) labels[b]->setText(QString::number(masks[b]));
}

void TfrmSetTBar::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfrmSetTBar::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) FormDeactivate();
}

void TfrmSetTBar::done(int result) {
    FormDeactivate();
    QDialog::done(result);
}

}  // namespace pavik
