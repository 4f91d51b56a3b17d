#include "dialogs/dlg_new_css.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_help.h"
#include "dialogs/dialog_frame.h"
#include "platform/app_paths.h"

namespace pavik {
namespace {

constexpr int HelpName = 10002;
constexpr int HelpFolder = 10000;

// Why OK is greyed.
const QString NoName = QStringLiteral("スタイルシート名を入力してください");
const QString NoSlash = QStringLiteral("「/」は使えません");
const QString Taken = QStringLiteral("同じ名前のファイルがあります");

template <typename T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

TdlgNewCSS::TdlgNewCSS(std::function<QString()> chooseFolder, HelpDesk* desk, QWidget* owner)
    : QDialog(owner), chooseFolder_(std::move(chooseFolder)) {
    setUpNameDialog(this, "dlgNewCSS", QStringLiteral("新規スタイルシート"));
    auto* nameLabel = new QLabel(QStringLiteral("スタイルシート名"), this);
    EditNewCSS = named(new QLineEdit(this), "EditNewCSS");
    auto* extension = new QLabel(QStringLiteral("．css"), this);
    setHelpContext(nameLabel, HelpName);
    setHelpContext(EditNewCSS, HelpName);
    setHelpContext(extension, HelpName);
    nameLabel->setBuddy(EditNewCSS);

    BitBtnSelectFolder = named(new QPushButton(QStringLiteral("作成フォルダ"), this), "BitBtnSelectFolder");
    BitBtnSelectFolder->setAutoDefault(false);
    EditPath = named(new QLineEdit(this), "EditPath");
    setHelpContext(BitBtnSelectFolder, HelpFolder);
    setHelpContext(EditPath, HelpFolder);
    EditNew = named(new QLineEdit(this), "EditNew");
    EditNew->hide();

    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0, 1, 2);
    grid->addWidget(EditNewCSS, 1, 0, 1, 2);
    grid->addWidget(extension, 1, 2);
    grid->addWidget(BitBtnSelectFolder, 2, 0);
    grid->addWidget(EditPath, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    LabelOkReason = makeOkReason(this, {NoName, NoSlash, Taken});
    const OkCancel buttons = addOkCancelRow(this, layout, LabelOkReason);
    BitBtnOK = buttons.ok;
    BitBtnCancel = buttons.cancel;
    fixNameDialogSize(this, 340, 161);  // wider than it needs, so that a folder path shows

    connect(EditNewCSS, &QLineEdit::textChanged, this, &TdlgNewCSS::EditNewCSSChange);
    connect(EditPath, &QLineEdit::textChanged, this, &TdlgNewCSS::EditNewCSSChange);
    connect(BitBtnSelectFolder, &QPushButton::clicked, this, &TdlgNewCSS::BitBtnSelectFolderClick);
    installControlHelp(this, desk);
    EditNewCSSChange();
}

QString TdlgNewCSS::candidatePath(const QString& name, const QString& folder) {
    const QString n = name.trimmed();
    if (n.isEmpty() || n.contains('/')) return {};
    const QString dir = !folder.isEmpty() && QFileInfo(folder).isDir()
                            ? folder
                            : QString::fromStdString(programFolder().native());
    const QString file = hasExtension(n.toStdString(), ".css") ? n : n + QStringLiteral(".css");
    return QDir(dir).filePath(file);
}

void TdlgNewCSS::EditNewCSSChange() {
    const QString path = candidatePath(EditNewCSS->text(), EditPath->text());
    QString reason;
    if (EditNewCSS->text().trimmed().isEmpty()) reason = NoName;
    else if (path.isEmpty()) reason = NoSlash;
    else if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) reason = Taken;
    EditNew->setText(reason.isEmpty() ? path : QString());
    showOkReason(BitBtnOK, LabelOkReason, reason);
}

void TdlgNewCSS::BitBtnSelectFolderClick() {
    const QString folder = chooseFolder_ ? chooseFolder_() : QString();
    if (!folder.isEmpty()) EditPath->setText(folder);
    EditNewCSS->setFocus();
}

void TdlgNewCSS::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditNewCSS->setFocus();
}

}  // namespace pavik
