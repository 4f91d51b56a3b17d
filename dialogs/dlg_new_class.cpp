#include "dialogs/dlg_new_class.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_help.h"

namespace pavik {
namespace {

constexpr int HelpName = 10022;

}  // namespace

TdlgNewClass::TdlgNewClass(HelpDesk* desk, QWidget* owner) : QDialog(owner) {
    setObjectName("dlgNewClass");
    setWindowTitle(QStringLiteral("新規クラス"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("MS UI Gothic"));
    f.setPixelSize(12);
    setFont(f);

    auto* label = new QLabel(QStringLiteral("クラス名"), this);
    EditNewClass = new QLineEdit(this);
    EditNewClass->setObjectName("EditNewClass");
    label->setBuddy(EditNewClass);
    setHelpContext(label, HelpName);
    setHelpContext(EditNewClass, HelpName);
    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(EditNewClass);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(std::max(212, sizeHint().width()), std::max(114, sizeHint().height()));
    setFixedSize(size());

    connect(EditNewClass, &QLineEdit::textChanged, this, &TdlgNewClass::EditNewClassChange);
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    installControlHelp(this, desk);
    BitBtnOK->setEnabled(false);
}

bool TdlgNewClass::acceptsClassName(const QString& name) {
    if (name.trimmed().isEmpty() || name.contains(QStringLiteral("/*"))) return false;
    for (const QChar c : name)
        if (c.isSpace() || QStringLiteral("{};,\"'").contains(c)) return false;
    return true;
}

void TdlgNewClass::EditNewClassChange() { BitBtnOK->setEnabled(acceptsClassName(EditNewClass->text())); }

void TdlgNewClass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditNewClass->setFocus();
}

}  // namespace pavik
