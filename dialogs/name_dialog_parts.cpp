#include "dialogs/name_dialog_parts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pavik {

void setUpNameDialog(QDialog* dialog, const char* objectName, const QString& title) {
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("MS UI Gothic"));
    f.setPixelSize(12);
    dialog->setFont(f);
}

OkCancel addOkCancelRow(QDialog* dialog, QVBoxLayout* layout) {
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
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(b.ok);
    row->addWidget(b.cancel);
    layout->addStretch(1);
    layout->addLayout(row);
    return b;
}

void fixNameDialogSize(QDialog* dialog, int minWidth, int minHeight) {
    const QSize hint = dialog->sizeHint();
    dialog->setFixedSize(std::max(minWidth, hint.width()), std::max(minHeight, hint.height()));
}

}  // namespace pavik
