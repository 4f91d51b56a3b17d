#include "dialogs/dialog_frame.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pavik {

void setUpDialogFrame(QDialog* dialog, const char* objectName, const QString& title, const QString& family,
                      int pixelSize) {
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(family);
    f.setPixelSize(pixelSize);
    dialog->setFont(f);
}

QHBoxLayout* rightAlignedRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* w : widgets) row->addWidget(w);
    return row;
}

void setUpNameDialog(QDialog* dialog, const char* objectName, const QString& title) {
    setUpDialogFrame(dialog, objectName, title, QStringLiteral("MS UI Gothic"), 12);
}

QLabel* makeOkReason(QDialog* dialog, std::initializer_list<QString> reasons) {
    auto* label = new QLabel(dialog);
    label->setObjectName("LabelOkReason");
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    int widest = 0;
    for (const QString& r : reasons) widest = std::max(widest, label->fontMetrics().horizontalAdvance(r));
    label->setMinimumWidth(widest);
    return label;
}

void showOkReason(QPushButton* ok, QLabel* label, const QString& reason) {
    ok->setEnabled(reason.isEmpty());
    label->setText(reason);
}

OkCancel addOkCancelRow(QDialog* dialog, QVBoxLayout* layout, QLabel* reason) {
    OkCancel b;
    b.ok = new QPushButton(QStringLiteral("OK"), dialog);
    b.ok->setObjectName("BitBtnOK");
    b.ok->setDefault(true);
    b.ok->setEnabled(false);
    b.cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    b.cancel->setObjectName("BitBtnCancel");
    b.cancel->setAutoDefault(false);
    QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    layout->addStretch(1);
    layout->addLayout(rightAlignedRow({reason, b.ok, b.cancel}));
    return b;
}

void fixNameDialogSize(QDialog* dialog, int minWidth, int minHeight) {
    const QSize hint = dialog->sizeHint();
    dialog->setFixedSize(std::max(minWidth, hint.width()), std::max(minHeight, hint.height()));
}

}  // namespace pavik
