#include "dialogs/dlg_new_class.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_help.h"
#include "dialogs/dialog_frame.h"
#include "platform/qt_text.h"

namespace pavik {
namespace {

constexpr int HelpName = 10022;

}  // namespace

TdlgNewClass::TdlgNewClass(HelpDesk* desk, QWidget* owner) : QDialog(owner) {
    setUpNameDialog(this, "dlgNewClass", QStringLiteral("新規クラス"));
    auto* label = new QLabel(QStringLiteral("クラス名"), this);
    EditNewClass = new QLineEdit(this);
    EditNewClass->setObjectName("EditNewClass");
    label->setBuddy(EditNewClass);
    setHelpContext(label, HelpName);
    setHelpContext(EditNewClass, HelpName);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(EditNewClass);
    const OkCancel buttons = addOkCancelRow(this, layout);
    BitBtnOK = buttons.ok;
    BitBtnCancel = buttons.cancel;
    fixNameDialogSize(this, 212, 114);

    connect(EditNewClass, &QLineEdit::textChanged, this, &TdlgNewClass::EditNewClassChange);
    installControlHelp(this, desk);
}

bool TdlgNewClass::acceptsClassName(const QString& name) {
    if (name.trimmed().isEmpty() || name.contains(QStringLiteral("/*"))) return false;
    for (const QChar c : name)
        if (c.isSpace() || QStringLiteral("{};,\"'").contains(c)) return false;
    bool encodable = true;
    toCp932(name, &encodable);
    return encodable;
}

void TdlgNewClass::EditNewClassChange() { BitBtnOK->setEnabled(acceptsClassName(EditNewClass->text())); }

void TdlgNewClass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditNewClass->setFocus();
}

}  // namespace pavik
