#include "dialogs/dlg_new_class.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_help.h"
#include "dialogs/dialog_frame.h"
#include "platform/cp932.h"

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
    LabelOkReason = makeOkReason(this, {classNameProblem(QString()), classNameProblem(QStringLiteral("a b")),
                                        classNameProblem(QString::fromUtf8("\xF0\x9F\x98\x80"))});
    const OkCancel buttons = addOkCancelRow(this, layout, LabelOkReason);
    BitBtnOK = buttons.ok;
    BitBtnCancel = buttons.cancel;
    fixNameDialogSize(this, 212, 114);
    EditNewClassChange();

    connect(EditNewClass, &QLineEdit::textChanged, this, &TdlgNewClass::EditNewClassChange);
    installControlHelp(this, desk);
}

QString TdlgNewClass::classNameProblem(const QString& name) {
    if (name.trimmed().isEmpty()) return QStringLiteral("クラス名を入力してください");
    if (name.contains(QStringLiteral("/*"))) return QStringLiteral("「/*」は使えません");
    for (const QChar c : name) {
        if (c.isSpace()) return QStringLiteral("空白や改行は使えません");
        if (QStringLiteral("{};,\"'").contains(c)) return QStringLiteral("「%1」は使えません").arg(c);
    }
    const Cp932Encoded bytes = encodeCp932(name.toStdString());
    if (!bytes.ok())
        return QStringLiteral("「%1」は Shift_JIS で表せません").arg(QString::fromStdString(bytes.unencodable.front()));
    return {};
}

void TdlgNewClass::EditNewClassChange() {
    showOkReason(BitBtnOK, LabelOkReason, classNameProblem(EditNewClass->text()));
}

void TdlgNewClass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditNewClass->setFocus();
}

}  // namespace pavik
